#include "material/ReportCalls.h"

#include "core/mdiVelkor.h"
#include "core/ModalDialog.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"
#include "reports/actRepMain.h"
#include "reports/frmSave.h"

namespace reportcalls {

void RunMainReportToPdf(bool blnFromChart)
{
    actRepMain &report = actRepMain::defaultInstance();
    report.blnSave = true;
    report.iExpFileType = 0;
    if (blnFromChart)
        report.blnfrmChart = true;
    try {
        report.run(true);
    } catch (const platform::VbError &error) {
        actRepMain::AbandonRun(report);
        platform::msgBox(error.description(), platform::vbCritical);
    }
}

void ShowMainReportPreview()
{
    actRepMain &report = actRepMain::defaultInstance();
    try {
        report.show(mdiVelkor::instance(), true);
        actRepMain::unloadDefault();
    } catch (const platform::VbError &error) {
        actRepMain::AbandonRun(report);
        platform::msgBox(error.description(), platform::vbCritical);
    }
}

void ShowSaveFormatDialog(const QString &strCaption)
{
    frmSave dialog(mdiVelkor::instance());
    dialog.Form_Load();
    if (!strCaption.isEmpty())
        dialog.setWindowTitle(strCaption);
    modal::run(dialog);
}

} // namespace reportcalls
