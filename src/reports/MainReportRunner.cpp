#include "reports/MainReportRunner.h"

#include "core/ProgramWindow.h"
#include "platform/MsgBox.h"
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
    actRepMain::SaveDefault(exportformat::Type::Pdf, blnFromChart);
}

void MainReportRunner::ShowMainReportPreview()
{
    actRepMain::PreviewDefault();
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
