#include "controls/ReportControls.h"

#include "controls/Chart.h"
#include "controls/Report.h"
#include "platform/VbError.h"

namespace controls {

void ReportControl::setGeometry(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

ReportChart::ReportChart() : ReportControl(Kind::Chart) {}

ReportChart::~ReportChart() = default;

controls::Chart *ReportChart::chart()
{
    if (!m_chart)
        m_chart = std::make_unique<controls::Chart>();
    return m_chart.get();
}

void raiseWrongControlType(const QString &name)
{
    throw platform::VbError(platform::vberr::TypeMismatch,
                            QStringLiteral("Type mismatch: control '%1'").arg(name));
}

ReportControl *ReportControls::find(const QString &name) const
{
    for (const auto &control : m_controls) {
        if (control->name().compare(name, Qt::CaseInsensitive) == 0)
            return control.get();
    }
    return nullptr;
}

ReportControl *ReportControls::item(const QString &name) const
{
    if (ReportControl *control = find(name))
        return control;
    throw platform::VbError(platform::vberr::SubscriptOutOfRange,
                            QStringLiteral("Subscript out of range: no control '%1'").arg(name));
}

template <typename T>
T *ReportControls::append(std::unique_ptr<T> control)
{
    T *raw = control.get();
    m_controls.push_back(std::move(control));
    return raw;
}

ReportControl *ReportControls::add(const QString &className)
{
    if (className.compare(FieldClassName, Qt::CaseInsensitive) == 0)
        return append(std::make_unique<ReportField>());
    if (className.compare(SubReportClassName, Qt::CaseInsensitive) == 0)
        return append(std::make_unique<ReportSubReport>());
    if (className.compare(PageBreakClassName, Qt::CaseInsensitive) == 0)
        return append(std::make_unique<ReportPageBreak>());
    throw platform::VbError(platform::vberr::InvalidProcedureCall,
                            QStringLiteral("Invalid class string '%1'").arg(className));
}

ReportLabel *ReportControls::addLabel(const QString &name, double left, double top, double width,
                                      double height, const QString &caption)
{
    auto *label = append(std::make_unique<ReportLabel>());
    label->setName(name);
    label->setGeometry(left, top, width, height);
    label->setCaption(caption);
    return label;
}

ReportField *ReportControls::addField(const QString &name, double left, double top, double width,
                                      double height, const QString &text)
{
    auto *field = append(std::make_unique<ReportField>());
    field->setName(name);
    field->setGeometry(left, top, width, height);
    field->setText(text);
    return field;
}

ReportImage *ReportControls::addImage(const QString &name, double left, double top, double width,
                                      double height)
{
    auto *image = append(std::make_unique<ReportImage>());
    image->setName(name);
    image->setGeometry(left, top, width, height);
    return image;
}

ReportChart *ReportControls::addChart(const QString &name, double left, double top, double width,
                                      double height)
{
    auto *chart = append(std::make_unique<ReportChart>());
    chart->setName(name);
    chart->setGeometry(left, top, width, height);
    return chart;
}

ReportSubReport *ReportControls::addSubReport(const QString &name, double left, double top, double width,
                                              double height)
{
    auto *sub = append(std::make_unique<ReportSubReport>());
    sub->setName(name);
    sub->setGeometry(left, top, width, height);
    return sub;
}

ReportPageBreak *ReportControls::addPageBreak(const QString &name, double top)
{
    auto *pageBreak = append(std::make_unique<ReportPageBreak>());
    pageBreak->setName(name);
    pageBreak->setTop(top);
    return pageBreak;
}

} // namespace controls
