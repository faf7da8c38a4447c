#pragma once

#include "controls/ReportControls.h"
#include "controls/ReportPage.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

class QWidget;

namespace db {
class DataControl;
}

namespace controls {

class ReportExportFilter;
class ReportPreview;

class ReportSection
{
public:
    enum class Kind { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, ReportFooter };

    ReportSection(Kind kind, const QString &name, double height) : m_kind(kind), m_name(name), m_height(height) {}

    Kind kind() const { return m_kind; }
    QString name() const { return m_name; }
    double height() const { return m_height; }
    void setHeight(double twips) { m_height = twips; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    // Grows to the bottom of its lowest visible control (on by default).
    bool canGrow() const { return m_canGrow; }
    void setCanGrow(bool canGrow) { m_canGrow = canGrow; }
    // Shrinks to the bottom of its lowest visible control.
    bool canShrink() const { return m_canShrink; }
    void setCanShrink(bool canShrink) { m_canShrink = canShrink; }
    // Does not end a page without the first line of what prints next. A group header directly
    // before the detail rows is always kept with the first row.
    bool keepWithNext() const { return m_keepWithNext; }
    void setKeepWithNext(bool keep) { m_keepWithNext = keep; }
    // Prints on one page when it fits on one.
    bool keepTogether() const { return m_keepTogether; }
    void setKeepTogether(bool keep) { m_keepTogether = keep; }
    // A group header that prints again, as it printed first, at the top of every further page on
    // which the detail rows directly below it continue (a table's title and column headings).
    bool repeatsOnEachPage() const { return m_repeatsOnEachPage; }
    void setRepeatsOnEachPage(bool repeat) { m_repeatsOnEachPage = repeat; }

    ReportControls &controls() { return m_controls; }
    const ReportControls &controls() const { return m_controls; }

private:
    Kind m_kind;
    QString m_name;
    double m_height;
    bool m_visible = true;
    bool m_canGrow = true;
    bool m_canShrink = false;
    bool m_keepWithNext = false;
    bool m_keepTogether = false;
    bool m_repeatsOnEachPage = false;
    ReportControls m_controls;
};

// The field list of a report: named values that bound field boxes show. An unbound report fills it
// in its fetch; a bound report's rows are copied into it. Each value stays until it is written again.
class ReportFields
{
public:
    void add(const QString &name); // a name already there is kept with its value
    bool contains(const QString &name) const;
    QVariant value(const QString &name) const;                 // unknown: VbError 9
    void setValue(const QString &name, const QVariant &value); // unknown: VbError 9
    int count() const { return int(m_names.size()); }
    QStringList names() const { return m_names; }
    void clear();

private:
    int indexOf(const QString &name) const;
    QStringList m_names;
    QVector<QVariant> m_values;
};

// A report layout: sections in print order with their controls. Subclasses build their layout in the
// constructor and handle the events; run() lays the report out into pages.
//
// Order of a run: reportStart(); for a report without a record source dataInitialize(); the first
// row; report header and group headers; per row formatSection(Detail), the detail and the next row;
// group footers; report footer; the pages; reportEnd(). Rows come from the data control's recordset
// when it has a record source, else from fetchData() when the field list has fields after
// dataInitialize(); a report with neither prints its detail once. Every printed section first binds
// its field boxes to the current field values, then raises formatSection() (hiding the section there
// suppresses it), then runs its subreports in the order of their controls; hidden sections are
// skipped. Page header and footer print on every page; a subreport prints neither.
class Report
{
public:
    Report();
    virtual ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // Layout.
    ReportSection *addSection(ReportSection::Kind kind, const QString &name, double height);
    int sectionCount() const { return int(m_sections.size()); }
    ReportSection *sectionAt(int index) const { return m_sections.at(std::size_t(index)).get(); }
    ReportSection *findSection(const QString &name) const;
    ReportSection *section(const QString &name) const; // unknown: VbError 9
    ReportFields &fields() { return m_fields; }

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QString documentName() const { return m_documentName; }
    void setDocumentName(const QString &name) { m_documentName = name; }
    double printWidth() const { return m_printWidth; }
    void setPrintWidth(double twips) { m_printWidth = twips; }
    PageSettings &pageSettings() { return m_pageSettings; }

    // A bound report's data control, made on first use. Rows print in the order of its recordset.
    db::DataControl *dataControl();
    bool hasDataControl() const { return m_dataControl != nullptr; }

    // Runs the report and lays it out into pages, which are kept until the next run; returns after
    // reportEnd(), which already sees the pages. Errors of the events and of the data control reach
    // the caller; the report then holds no pages. A report cannot run again inside its own run.
    void run();
    bool isRunning() const { return m_running; }
    const ReportDocument &document() const { return m_document; }
    int pageCount() const { return int(m_document.pages.size()); }
    // Writes the pages (after a run when the report has not run) to the filter's file; a failure
    // raises VbError and leaves no file behind.
    void exportReport(ReportExportFilter &filter);

    // Runs the report when it has not been run, then opens its print preview. Modal: returns when the
    // preview closes. Not modal: returns the open preview at once.
    ReportPreview *show(QWidget *owner, bool modal = true);
    ReportPreview *preview() const;
    // The preview's window state: 0 normal, 1 minimised, 2 maximised. Set before show(), it applies
    // when the preview opens.
    int windowState() const;
    void setWindowState(int state);

    // Raised by the preview when its size or state changes.
    virtual void previewResize() {}

protected:
    virtual void reportStart() {}
    virtual void dataInitialize() {}
    virtual void fetchData(bool &eof) { eof = true; }
    virtual void formatSection(ReportSection &) {}
    virtual void reportEnd() {}

private:
    friend class ReportLayout;

    std::vector<std::unique_ptr<ReportSection>> m_sections;
    ReportFields m_fields;
    QString m_caption;
    QString m_documentName;
    double m_printWidth = 9921;
    PageSettings m_pageSettings;
    std::unique_ptr<db::DataControl> m_dataControl;
    ReportDocument m_document;
    bool m_running = false;
    bool m_hasRun = false;
    QPointer<ReportPreview> m_preview;
    int m_pendingWindowState = 0;
};

} // namespace controls
