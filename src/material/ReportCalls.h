#pragma once

// The calls by which the material window and the chart window start the material report through
// its default instance. The callers set the window's report type first and restore the status text
// after a preview. A report that fails to run is reported in a message box. The reports sit above
// the material windows, so they install the runner (the main window does so at its creation);
// without one the calls do nothing.

#include <QString>

namespace reportcalls {

class Runner
{
public:
    virtual ~Runner() = default;
    virtual void RunMainReportToPdf(bool blnFromChart) = 0;
    virtual void ShowMainReportPreview() = 0;
    virtual void ShowSaveFormatDialog(const QString &strCaption) = 0;
};

// Installs the runner (nullptr removes it); the caller keeps it alive.
void SetRunner(Runner *runner);

// The report written to a PDF file without a preview (the report asks for the file name when it
// ends). From the chart window the report restores that window's status text afterwards.
void RunMainReportToPdf(bool blnFromChart);
// The print preview, modal and owned by the main window.
void ShowMainReportPreview();
// The save-format dialog with its caption, modal; it chooses the format and starts the export.
void ShowSaveFormatDialog(const QString &strCaption);

} // namespace reportcalls
