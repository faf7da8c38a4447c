#include "material/frmMaterial2.h"

#include "material/MainWindowLink.h"
#include "material/ReportCalls.h"
#include "material/frmChart.h"
#include "platform/MsgBox.h"

#include <QLineEdit>

void frmMaterial2::cmdPrintSave_Click(int Index)
{
    const QString temperature = txtDesignTemp->text();
    const bool hasTemperature = !temperature.isEmpty() && temperature != QLatin1String("-");
    switch (Index) {
    case 0:
        iReportType = 1;
        reportcalls::RunMainReportToPdf(false);
        break;
    case 1:
        iReportType = 1;
        reportcalls::ShowMainReportPreview();
        ProgramWindow::ShowStatusIfOpen(status::Remembered);
        break;
    case 2: {
        frmChart chart(window());
        platform::runModal(chart);
        break;
    }
    case 3:
        if (!hasTemperature)
            return;
        iReportType = 2;
        reportcalls::ShowMainReportPreview();
        ProgramWindow::ShowStatusIfOpen(status::Remembered);
        break;
    case 4:
        if (!hasTemperature)
            return;
        iReportType = 2;
        reportcalls::ShowSaveFormatDialog(QStringLiteral("Save Design Values..."));
        break;
    default: break;
    }
}
