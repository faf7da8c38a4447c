#pragma once

#include "controls/ReportPage.h"

#include <QString>

namespace controls {

// An export filter writes the pages of a run report to the file named by fileName. Every failure
// raises platform::VbError; an existing file is replaced only when the new one is complete.
class ReportExportFilter
{
public:
    virtual ~ReportExportFilter() = default;
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }
    virtual void exportDocument(const ReportDocument &document) = 0;

protected:
    QString m_fileName;
};

class PdfExport : public ReportExportFilter
{
public:
    void exportDocument(const ReportDocument &document) override;
};

// The pages as a word processor reads them: free text as paragraphs with their pieces at tab
// stops; bordered boxes side by side as table rows at their widths, with their borders; charts and
// pictures without text as PNG pictures; a page break between pages.
class RtfExport : public ReportExportFilter
{
public:
    void exportDocument(const ReportDocument &document) override;
    static QByteArray rtf(const ReportDocument &document);
};

// The texts of the pages, line by line in UTF-8, pieces placed at their columns; a table's columns
// widen to their widest cell; each page ends with its page footer; a form feed between pages.
class TextExport : public ReportExportFilter
{
public:
    void exportDocument(const ReportDocument &document) override;
    static QString text(const ReportDocument &document);
};

} // namespace controls
