#include "reports/MainReportRunner.h"

#include "core/ProgramWindow.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"
#include "reports/actRepMain.h"
#include "reports/frmSave.h"

namespace reportcalls {

namespace {

class MainReportRunner : public Runner
{
public:
    void RunMainReportToPdf(bool blnFromChart) override;
    void ShowMainReportPreview() override;
    void ShowSaveFormatDialog(const QString &strCaption) override;
};

} // namespace

void MainReportRunner::RunMainReportToPdf(bool blnFromChart)
{
    actRepMain &report = actRepMain::defaultInstance();
    report.blnSave = true;
    report.iExpFileType = actRepMain::ExportPdf;
    if (blnFromChart)
        report.blnfrmChart = true;
    try {
        report.run();
    } catch (const platform::VbError &error) {
        actRepMain::AbandonRun(report);
        platform::msgBox(error.description(), platform::vbCritical);
    }
}

void MainReportRunner::ShowMainReportPreview()
{
    actRepMain &report = actRepMain::defaultInstance();
    try {
        report.show(ProgramWindow::instance(), true);
        actRepMain::unloadDefault();
    } catch (const platform::VbError &error) {
        actRepMain::AbandonRun(report);
        platform::msgBox(error.description(), platform::vbCritical);
    }
}

void MainReportRunner::ShowSaveFormatDialog(const QString &strCaption)
{
    frmSave dialog(ProgramWindow::instance());
    dialog.Form_Load();
    if (!strCaption.isEmpty())
        dialog.setWindowTitle(strCaption);
    platform::runModal(dialog);
}

Runner &mainReportRunner()
{
    static MainReportRunner runner;
    return runner;
}

} // namespace reportcalls
