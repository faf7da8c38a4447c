#include "controls/ReportControls.h"

#include "controls/Chart.h"
#include "controls/Report.h"
#include "platform/VbError.h"

#include <QHash>

namespace controls {

void ReportControl::setGeometry(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

namespace {

// Reports of many materials draw the same few pictures anew for each material.
QImage sharedPicture(const QImage &picture)
{
    constexpr qsizetype KeptPictures = 256;
    static QMultiHash<size_t, QImage> kept;
    if (picture.isNull())
        return picture;
    const size_t key = qHashBits(picture.constBits(), size_t(picture.sizeInBytes()), size_t(picture.width()));
    for (auto it = kept.constFind(key); it != kept.cend() && it.key() == key; ++it)
        if (it->format() == picture.format() && *it == picture)
            return *it;
    if (kept.size() >= KeptPictures)
        kept.clear();
    kept.insert(key, picture);
    return picture;
}

} // namespace

void ReportImage::setPicture(const QImage &picture)
{
    m_picture = sharedPicture(picture);
}

ReportChart::ReportChart() : ReportControl(Kind::Chart)
{
}

ReportChart::~ReportChart() = default;

controls::Chart *ReportChart::chart()
{
    if (!m_chart)
        m_chart = std::make_unique<controls::Chart>();
    return m_chart.get();
}

void raiseWrongControlType(const QString &name)
{
    throw platform::VbError(platform::vberr::TypeMismatch, QStringLiteral("Type mismatch: control '%1'").arg(name));
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
T *ReportControls::append(const QString &name)
{
    auto control = std::make_unique<T>();
    T *raw = control.get();
    raw->setName(name);
    m_controls.push_back(std::move(control));
    return raw;
}

template <typename T>
T *ReportControls::append(const QString &name, double left, double top, double width, double height)
{
    T *control = append<T>(name);
    control->setGeometry(left, top, width, height);
    return control;
}

ReportControl *ReportControls::add(const QString &className)
{
    if (className.compare(FieldClassName, Qt::CaseInsensitive) == 0)
        return addField(QString());
    if (className.compare(SubReportClassName, Qt::CaseInsensitive) == 0)
        return addSubReport(QString());
    if (className.compare(PageBreakClassName, Qt::CaseInsensitive) == 0)
        return append<ReportPageBreak>(QString());
    throw platform::VbError(platform::vberr::InvalidProcedureCall,
                            QStringLiteral("Invalid class string '%1'").arg(className));
}

ReportLabel *ReportControls::addLabel(const QString &name, double left, double top, double width, double height,
                                      const QString &caption)
{
    auto *label = append<ReportLabel>(name, left, top, width, height);
    label->setCaption(caption);
    return label;
}

ReportField *ReportControls::addField(const QString &name)
{
    return append<ReportField>(name);
}

ReportField *ReportControls::addField(const QString &name, double left, double top, double width, double height,
                                      const QString &text)
{
    auto *field = append<ReportField>(name, left, top, width, height);
    field->setText(text);
    return field;
}

ReportImage *ReportControls::addImage(const QString &name, double left, double top, double width, double height)
{
    return append<ReportImage>(name, left, top, width, height);
}

ReportChart *ReportControls::addChart(const QString &name, double left, double top, double width, double height)
{
    return append<ReportChart>(name, left, top, width, height);
}

ReportSubReport *ReportControls::addSubReport(const QString &name)
{
    return append<ReportSubReport>(name);
}

ReportSubReport *ReportControls::addSubReport(const QString &name, double left, double top, double width, double height)
{
    return append<ReportSubReport>(name, left, top, width, height);
}

ReportPageBreak *ReportControls::addPageBreak(const QString &name, double top)
{
    auto *pageBreak = append<ReportPageBreak>(name);
    pageBreak->setTop(top);
    return pageBreak;
}

} // namespace controls
