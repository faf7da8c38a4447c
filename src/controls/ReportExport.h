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

// Positioned paragraphs: one paragraph per printed line, its pieces at tab stops, with their size
// and weight; a page break between pages.
class RtfExport : public ReportExportFilter
{
public:
    void exportDocument(const ReportDocument &document) override;
    static QByteArray rtf(const ReportDocument &document);
};

// The texts of the pages, line by line in UTF-8, pieces placed at their columns; a form feed
// between pages.
class TextExport : public ReportExportFilter
{
public:
    void exportDocument(const ReportDocument &document) override;
    static QString text(const ReportDocument &document);
};

} // namespace controls
