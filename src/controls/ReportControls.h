#pragma once

#include "platform/OleColor.h"

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

namespace controls {

class Chart;
class Report;
class ReportSection;

// Class names by which a section adds controls at run time.
inline const QString FieldClassName = QStringLiteral("DDActiveReports2.Field");
inline const QString SubReportClassName = QStringLiteral("DDActiveReports.SubReport");
inline const QString PageBreakClassName = QStringLiteral("DDActiveReports.PageBreak");

struct ReportFont
{
    QString name = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
};

// Line style of each side: 0 none, 1 solid, 2 dash, 3 dot.
// The line styles of a box's sides, as stored in the layouts.
namespace borderstyle {
constexpr int None = 0;
constexpr int Solid = 1;
constexpr int Dash = 2;
constexpr int Dot = 3;
constexpr int DashDot = 4;
} // namespace borderstyle

struct ReportBorder
{
    int leftStyle = borderstyle::None;
    int topStyle = borderstyle::None;
    int rightStyle = borderstyle::None;
    int bottomStyle = borderstyle::None;
    platform::OleColor color = platform::olecolor::Black;
    void setAll(int style) { leftStyle = topStyle = rightStyle = bottomStyle = style; }
};

// One control of a section. Positions and sizes are twips, relative to the section.
class ReportControl
{
public:
    enum class Kind { Label, Field, Image, Chart, SubReport, PageBreak };

    virtual ~ReportControl() = default;
    Kind kind() const { return m_kind; }

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double twips) { m_left = twips; }
    void setTop(double twips) { m_top = twips; }
    void setWidth(double twips) { m_width = twips; }
    void setHeight(double twips) { m_height = twips; }
    void setGeometry(double left, double top, double width, double height);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

protected:
    explicit ReportControl(Kind kind) : m_kind(kind) {}

private:
    Kind m_kind;
    QString m_name;
    double m_left = 0;
    double m_top = 0;
    double m_width = 1440;
    double m_height = 283;
    bool m_visible = true;
};

// The alignments of a text in its box, as stored in the layouts.
namespace textalign {
constexpr int Left = 0;
constexpr int Right = 1;
constexpr int Centre = 2;
constexpr int Top = 0;
constexpr int Middle = 1;
constexpr int Bottom = 2;
} // namespace textalign

// What labels and field boxes share: a text drawn in a box.
class ReportTextControl : public ReportControl
{
public:
    // 0 left, 1 right, 2 centred.
    int alignment() const { return m_alignment; }
    void setAlignment(int alignment) { m_alignment = alignment; }
    // 0 top, 1 middle, 2 bottom.
    int verticalAlignment() const { return m_verticalAlignment; }
    void setVerticalAlignment(int alignment) { m_verticalAlignment = alignment; }
    // 0 transparent, 1 opaque (filled with the back colour).
    int backStyle() const { return m_backStyle; }
    void setBackStyle(int style) { m_backStyle = style; }
    platform::OleColor backColor() const { return m_backColor; }
    void setBackColor(platform::OleColor color) { m_backColor = color; }
    platform::OleColor foreColor() const { return m_foreColor; }
    void setForeColor(platform::OleColor color) { m_foreColor = color; }
    ReportFont &font() { return m_font; }
    const ReportFont &font() const { return m_font; }
    ReportBorder &border() { return m_border; }
    const ReportBorder &border() const { return m_border; }

protected:
    using ReportControl::ReportControl;
    QString m_text;

private:
    int m_alignment = 0;
    int m_verticalAlignment = 0;
    int m_backStyle = 0;
    platform::OleColor m_backColor = platform::olecolor::White;
    platform::OleColor m_foreColor = platform::olecolor::Black;
    ReportFont m_font;
    ReportBorder m_border;
};

class ReportLabel : public ReportTextControl
{
public:
    ReportLabel() : ReportTextControl(Kind::Label) {}
    QString caption() const { return m_text; }
    void setCaption(const QString &caption) { m_text = caption; }
};

// A text box; bound to a field of the report by its data field, or showing its own text.
class ReportField : public ReportTextControl
{
public:
    enum class PageValue { None, PageNumber, PageCount };

    ReportField() : ReportTextControl(Kind::Field) {}
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    QString dataField() const { return m_dataField; }
    void setDataField(const QString &field) { m_dataField = field; }
    // Grows downwards to show all of its text (CR LF breaks and word wrap).
    bool canGrow() const { return m_canGrow; }
    void setCanGrow(bool canGrow) { m_canGrow = canGrow; }
    // The page number or page count of the page it prints on, instead of its text.
    PageValue pageValue() const { return m_pageValue; }
    void setPageValue(PageValue value) { m_pageValue = value; }

private:
    QString m_dataField;
    bool m_canGrow = false;
    PageValue m_pageValue = PageValue::None;
};

class ReportImage : public ReportControl
{
public:
    ReportImage() : ReportControl(Kind::Image) {}
    QImage picture() const { return m_picture; }
    // Equal pictures are kept as one shared image, which a PDF then holds once.
    void setPicture(const QImage &picture);
    // What the picture says, for exports that write text instead of pictures (CR LF line breaks).
    QString alternateText() const { return m_alternateText; }
    void setAlternateText(const QString &text) { m_alternateText = text; }

private:
    QImage m_picture;
    QString m_alternateText;
};

// A chart of the layout; it prints as a drawing of its chart at the time its section prints.
class ReportChart : public ReportControl
{
public:
    ReportChart();
    ~ReportChart() override;
    controls::Chart *chart(); // made on first use

private:
    std::unique_ptr<controls::Chart> m_chart;
};

// Holds a report that runs when its section prints; the control grows to that report's height.
class ReportSubReport : public ReportControl
{
public:
    ReportSubReport() : ReportControl(Kind::SubReport) {}
    Report *report() const { return m_report.get(); }
    std::shared_ptr<Report> sharedReport() const { return m_report; }
    void setReport(std::shared_ptr<Report> report) { m_report = std::move(report); }

private:
    std::shared_ptr<Report> m_report;
};

// The content after its top starts on a new page.
class ReportPageBreak : public ReportControl
{
public:
    ReportPageBreak() : ReportControl(Kind::PageBreak) { setHeight(0); }
};

// The controls of one section in the order they were placed.
class ReportControls
{
public:
    int count() const { return int(m_controls.size()); }
    ReportControl *at(int index) const { return m_controls.at(std::size_t(index)).get(); }
    // By name, without regard to letter case; nullptr when there is none.
    ReportControl *find(const QString &name) const;
    // By name; raises VbError 9 when there is none.
    ReportControl *item(const QString &name) const;
    template <typename T>
    T *item(const QString &name) const;

    // Every control is added through these. Without a place the control keeps its default one, for
    // code that places it after reading its neighbours.
    ReportLabel *addLabel(const QString &name, double left, double top, double width, double height,
                          const QString &caption = {});
    ReportField *addField(const QString &name);
    ReportField *addField(const QString &name, double left, double top, double width, double height,
                          const QString &text = {});
    ReportImage *addImage(const QString &name, double left, double top, double width, double height);
    ReportChart *addChart(const QString &name, double left, double top, double width, double height);
    ReportSubReport *addSubReport(const QString &name);
    ReportSubReport *addSubReport(const QString &name, double left, double top, double width, double height);
    ReportPageBreak *addPageBreak(const QString &name, double top);
    // The same by class name (FieldClassName, SubReportClassName, PageBreakClassName), unnamed;
    // another name raises VbError.
    ReportControl *add(const QString &className);

    auto begin() const { return m_controls.begin(); }
    auto end() const { return m_controls.end(); }

private:
    template <typename T>
    T *append(const QString &name);
    template <typename T>
    T *append(const QString &name, double left, double top, double width, double height);
    std::vector<std::unique_ptr<ReportControl>> m_controls;
};

[[noreturn]] void raiseWrongControlType(const QString &name);

template <typename T>
T *ReportControls::item(const QString &name) const
{
    auto *typed = dynamic_cast<T *>(item(name));
    if (!typed)
        raiseWrongControlType(name);
    return typed;
}

} // namespace controls
