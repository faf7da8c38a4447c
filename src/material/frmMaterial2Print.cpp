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
    case SaveChart:
        iReportType = ReportType::Chart;
        reportcalls::RunMainReportToPdf(false);
        break;
    case PrintChart:
        iReportType = ReportType::Chart;
        reportcalls::ShowMainReportPreview();
        ProgramWindow::ShowStatusIfOpen(status::Remembered);
        break;
    case EnlargeChart: {
        frmChart chart(window());
        platform::runModal(chart);
        break;
    }
    case PrintDesignValues:
        if (!hasTemperature)
            return;
        iReportType = ReportType::DesignValues;
        reportcalls::ShowMainReportPreview();
        ProgramWindow::ShowStatusIfOpen(status::Remembered);
        break;
    case SaveDesignValues:
        if (!hasTemperature)
            return;
        iReportType = ReportType::DesignValues;
        reportcalls::ShowSaveFormatDialog(QStringLiteral("Save Design Values..."));
        break;
    default: break;
    }
}
