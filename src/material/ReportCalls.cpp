#include "material/ReportCalls.h"

namespace reportcalls {

namespace {
Runner *s_runner = nullptr;
}

void SetRunner(Runner *runner)
{
    s_runner = runner;
}

void RunMainReportToPdf(bool blnFromChart)
{
    if (s_runner)
        s_runner->RunMainReportToPdf(blnFromChart);
}

void ShowMainReportPreview()
{
    if (s_runner)
        s_runner->ShowMainReportPreview();
}

void ShowSaveFormatDialog(const QString &strCaption)
{
    if (s_runner)
        s_runner->ShowSaveFormatDialog(strCaption);
}

} // namespace reportcalls
