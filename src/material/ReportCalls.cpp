#include "material/ReportCalls.h"

namespace reportcalls {

void RunMainReportToPdf(bool blnFromChart)
{
    Q_UNUSED(blnFromChart);
}

void ShowMainReportPreview()
{
}

void ShowSaveFormatDialog(const QString &strCaption)
{
    Q_UNUSED(strCaption);
}

} // namespace reportcalls
