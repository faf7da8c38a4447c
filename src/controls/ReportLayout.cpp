#include "controls/ReportLayout.h"

#include "controls/Chart.h"
#include "controls/Report.h"
#include "controls/ReportPaint.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <functional>

namespace controls {

namespace {

constexpr double Epsilon = 0.5; // twips

// Reentry guard: a report that is already running cannot run again inside itself.
struct RunGuard
{
    explicit RunGuard(bool &flag) : m_flag(flag)
    {
        if (m_flag)
            throw platform::VbError(platform::vberr::InvalidProcedureCall,
                                    QStringLiteral("The report is already running."));
        m_flag = true;
    }
    ~RunGuard() { m_flag = false; }
    bool &m_flag;
};

QString valueText(const QVariant &value)
{
    if (platform::isNull(value))
        return {};
    try {
        return platform::cStr(value);
    } catch (const platform::VbError &) {
        return value.toString();
    }
}

// Where the rows of a run come from.
class RowSource
{
public:
    explicit RowSource(Report &report) : m_report(report)
    {
        if (report.hasDataControl() && !report.dataControl()->recordSource().isEmpty()) {
            db::DataControl *data = report.dataControl();
            if (!data->recordset())
                data->refresh();
            m_rows = data->recordset()->rowSet();
            for (const QString &name : m_rows->fieldNames)
                report.fields().add(name);
            m_mode = Bound;
        } else {
            m_mode = report.fields().count() > 0 ? Unbound : Once;
        }
    }

    // The next row into the field list; false at the end of the data.
    bool next(const std::function<void(bool &)> &fetch)
    {
        switch (m_mode) {
        case Bound: {
            if (m_index >= m_rows->size())
                return false;
            const auto &row = m_rows->row(int(m_index++));
            for (int c = 0; c < m_rows->fieldNames.size() && c < row.size(); ++c)
                m_report.fields().setValue(m_rows->fieldNames.at(c), row.at(c));
            return true;
        }
        case Unbound: {
            bool eof = false;
            fetch(eof);
            return !eof;
        }
        case Once: return m_index++ == 0;
        }
        return false;
    }

private:
    enum Mode { Bound, Unbound, Once };
    Report &m_report;
    Mode m_mode = Once;
    QSharedPointer<const db::RowSet> m_rows;
    qsizetype m_index = 0;
};

PageItem textItem(const ReportTextControl &control, const QString &text, const QRectF &rect)
{
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.rect = rect;
    item.text = text;
    item.font = control.font();
    item.alignment = control.alignment();
    item.verticalAlignment = control.verticalAlignment();
    item.opaque = control.backStyle() == 1;
    item.backColor = control.backColor();
    item.foreColor = control.foreColor();
    item.border = control.border();
    return item;
}

// The chart as it is now: a later change of the layout's chart must not alter printed pages.
PageItem chartItem(ReportChart &control, const QRectF &rect)
{
    Chart *source = control.chart();
    auto copy = std::make_shared<Chart>();
    copy->setChartType(source->chartType());
    copy->setChartData(source->chartData());
    copy->setTitleText(source->titleText());
    copy->setAxisTitle(Chart::AxisX, source->axisTitle(Chart::AxisX));
    copy->setAxisTitle(Chart::AxisY, source->axisTitle(Chart::AxisY));
    copy->setUniformAxis(source->uniformAxis());
    copy->setShowLegend(source->showLegend());
    copy->setColumnCount(source->columnCount());
    const int current = source->column();
    for (int c = 1; c <= source->columnCount(); ++c) {
        source->setColumn(c);
        copy->setColumn(c);
        copy->setColumnLabel(source->columnLabel());
    }
    source->setColumn(current);
    copy->setColumn(current);

    PageItem item;
    item.kind = PageItem::Kind::Chart;
    item.rect = rect;
    item.chart = std::move(copy);
    return item;
}

void appendShifted(QVector<PageItem> &to, const QVector<PageItem> &from, double dx, double dy)
{
    for (PageItem item : from) {
        item.rect.translate(dx, dy);
        to.append(item);
    }
}

// A subreport or a growing text of a section, from its top to its bottom, with the headings of
// the band that a subreport brought (indices first to end).
struct Follower
{
    double top;
    double bottom;
    int firstHeading;
    int endHeading;
};

// Where the heading of a follower at `top` starts: its topmost item below the followers and the
// page breaks above it (stacked subreports are no heading of each other); `top` when it has none.
double headingTop(const ReportBand &band, const QVector<Follower> &followers, double top)
{
    double floor = 0;
    for (const Follower &other : followers) {
        if (other.bottom <= top + Epsilon && other.top < top - Epsilon)
            floor = std::max(floor, other.bottom);
    }
    for (double b : band.breaks) {
        if (b <= top + Epsilon)
            floor = std::max(floor, b);
    }
    double above = top;
    for (const PageItem &item : band.items) {
        if (item.rect.bottom() <= top + Epsilon && item.rect.top() >= floor - Epsilon)
            above = std::min(above, item.rect.top());
    }
    return above;
}

// A subreport's bands stacked into the band from `top` on, with their breaks, keeps and headings;
// a repeating group header's band becomes the heading of the row bands it heads. Returns their
// height.
double appendChildBands(ReportBand &band, const QVector<ReportBand> &children, double left, double top)
{
    QVector<double> tops;
    double height = 0;
    for (const ReportBand &child : children) {
        tops.append(top + height);
        height += child.height;
    }
    for (int j = 0; j < children.size(); ++j) {
        const ReportBand &child = children.at(j);
        const double y = tops.at(j);
        appendShifted(band.items, child.items, left, y);
        for (double b : child.breaks)
            band.breaks.append(y + b);
        for (const auto &[from, to] : child.keeps)
            band.keeps.append({y + from, y + to});
        if (child.keepWithNext && j + 1 < children.size())
            band.keeps.append({y, y + child.height + children.at(j + 1).firstCut(0)});
        for (RepeatedHeading heading : child.headings) {
            heading.from += y;
            heading.to += y;
            for (PageItem &item : heading.items)
                item.rect.translate(left, 0);
            band.headings.append(heading);
        }
        const int last = std::min(j + child.headsRows, int(children.size()) - 1);
        if (last > j) {
            RepeatedHeading heading;
            heading.from = y + child.height;
            heading.to = tops.at(last) + children.at(last).height;
            heading.height = child.height;
            appendShifted(heading.items, child.items, left, 0);
            band.headings.append(heading);
        }
    }
    return height;
}

} // namespace

bool ReportBand::insideKeep(double y) const
{
    for (const auto &[from, to] : keeps) {
        if (y > from + Epsilon && y < to - Epsilon)
            return true;
    }
    return false;
}

double ReportBand::firstCut(double from) const
{
    QVector<double> candidates{height};
    for (const PageItem &item : items) {
        if (item.rect.top() >= from - Epsilon)
            candidates.append(item.rect.bottom());
    }
    std::sort(candidates.begin(), candidates.end());
    for (double y : candidates) {
        if (y <= from + Epsilon || insideKeep(y))
            continue;
        const bool straddled = std::any_of(items.cbegin(), items.cend(), [&](const PageItem &item) {
            return item.rect.top() < y - Epsilon && item.rect.bottom() > y + Epsilon &&
                   item.rect.top() >= from - Epsilon;
        });
        if (!straddled)
            return y;
    }
    return height;
}

void ReportLayout::bindFields(Report &report, ReportSection &section)
{
    for (const auto &control : section.controls()) {
        if (control->kind() != ReportControl::Kind::Field)
            continue;
        auto *field = static_cast<ReportField *>(control.get());
        if (field->dataField().isEmpty())
            continue;
        // A Null value, or a field the data does not have, prints as an empty box.
        field->setText(report.fields().contains(field->dataField())
                           ? valueText(report.fields().value(field->dataField()))
                           : QString());
    }
}

double ReportLayout::textHeight(const QString &text, const ReportFont &font, double width)
{
    if (text.isEmpty())
        return 0;
    const QFontMetricsF metrics(qtFont(font));
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, std::max(1.0, width - 2 * TextPadding), 1e9),
                                               Qt::TextWordWrap, displayText(text));
    return std::ceil(bounds.height());
}

QVector<ReportBand> ReportLayout::printSections(Report &report)
{
    RunGuard guard(report.m_running);
    report.reportStart();
    if (!report.hasDataControl() || report.dataControl()->recordSource().isEmpty())
        report.dataInitialize();

    RowSource rows(report);
    const auto fetch = [&report](bool &eof) { report.fetchData(eof); };
    bool haveRow = rows.next(fetch);

    QVector<ReportBand> bands;
    QVector<ReportSection::Kind> kinds;
    QVector<bool> repeating;
    const auto printOne = [&](ReportSection &section) {
        if (!section.isVisible())
            return;
        bindFields(report, section);
        report.formatSection(section);
        if (!section.isVisible())
            return;
        QHash<const ReportControl *, QVector<ReportBand>> children;
        for (const auto &control : section.controls()) {
            if (control->kind() != ReportControl::Kind::SubReport || !control->isVisible())
                continue;
            auto *sub = static_cast<ReportSubReport *>(control.get());
            if (Report *child = sub->report())
                children.insert(control.get(), runSubReport(*child));
        }
        ReportBand band = printSection(section, children);
        band.keepWithNext = section.keepWithNext();
        if (section.keepTogether())
            band.keeps.append({0, band.height});
        bands.append(band);
        kinds.append(section.kind());
        repeating.append(section.repeatsOnEachPage());
    };

    for (int i = 0; i < report.sectionCount(); ++i) {
        ReportSection &section = *report.sectionAt(i);
        switch (section.kind()) {
        case ReportSection::Kind::PageHeader:
        case ReportSection::Kind::PageFooter: break;
        case ReportSection::Kind::Detail:
            while (haveRow) {
                printOne(section);
                haveRow = rows.next(fetch);
            }
            break;
        default: printOne(section);
        }
    }
    // A group header is not left at the foot of a page without the first row below it.
    for (int i = 0; i + 1 < bands.size(); ++i) {
        if (kinds.at(i) != ReportSection::Kind::GroupHeader || kinds.at(i + 1) != ReportSection::Kind::Detail)
            continue;
        bands[i].keepWithNext = true;
        if (!repeating.at(i))
            continue;
        int rows = 0;
        while (i + rows + 1 < bands.size() && kinds.at(i + rows + 1) == ReportSection::Kind::Detail)
            ++rows;
        bands[i].headsRows = rows;
    }
    return bands;
}

QVector<ReportBand> ReportLayout::runSubReport(Report &report)
{
    QVector<ReportBand> bands = printSections(report);
    report.m_hasRun = true;
    report.reportEnd();
    return bands;
}

ReportBand ReportLayout::printSection(const ReportSection &section,
                                      const QHash<const ReportControl *, QVector<ReportBand>> &children)
{
    struct Placed
    {
        const ReportControl *control;
        double top;
        double height;
        double growth;
    };
    QVector<ReportControl *> order;
    for (const auto &control : section.controls()) {
        if (control->isVisible())
            order.append(control.get());
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const ReportControl *a, const ReportControl *b) { return a->top() < b->top(); });

    ReportBand band;
    QVector<Placed> placed;
    QVector<Follower> followers;
    double lowest = 0;
    for (ReportControl *control : order) {
        // Controls below a grown control move down by its growth.
        double shift = 0;
        for (const Placed &above : placed) {
            const double bottom = above.control->top() + above.control->height();
            if (bottom <= control->top() + Epsilon)
                shift = std::max(shift, above.top - above.control->top() + std::max(0.0, above.growth));
        }
        const double top = control->top() + shift;
        double height = control->height();
        QString text;
        if (control->kind() == ReportControl::Kind::Label) {
            text = static_cast<const ReportLabel *>(control)->caption();
        } else if (control->kind() == ReportControl::Kind::Field) {
            const auto *field = static_cast<const ReportField *>(control);
            text = field->text();
            if (field->canGrow()) {
                height = std::max(height, textHeight(text, field->font(), field->width()));
                followers.append({top, top + height, 0, 0});
            }
        } else if (control->kind() == ReportControl::Kind::SubReport) {
            const auto found = children.constFind(control);
            if (found != children.cend()) {
                const int firstHeading = int(band.headings.size());
                const double childHeight = appendChildBands(band, *found, control->left(), top);
                height = std::max(height, childHeight);
                if (childHeight > 0)
                    followers.append({top, top + childHeight, firstHeading, int(band.headings.size())});
            }
        } else if (control->kind() == ReportControl::Kind::PageBreak) {
            band.breaks.append(top);
            height = 0;
        }

        const QRectF rect(control->left(), top, control->width(), height);
        if (control->kind() == ReportControl::Kind::Label || control->kind() == ReportControl::Kind::Field) {
            PageItem item = textItem(*static_cast<const ReportTextControl *>(control), text, rect);
            if (control->kind() == ReportControl::Kind::Field) {
                const auto *field = static_cast<const ReportField *>(control);
                item.pageValue = field->pageValue();
                item.canSplit = field->canGrow() && height > control->height() + Epsilon;
            }
            band.items.append(item);
        } else if (control->kind() == ReportControl::Kind::Chart) {
            band.items.append(chartItem(*static_cast<ReportChart *>(control), rect));
        } else if (control->kind() == ReportControl::Kind::Image) {
            const auto *image = static_cast<const ReportImage *>(control);
            const QImage picture = image->picture();
            if (!picture.isNull()) {
                PageItem item;
                item.kind = PageItem::Kind::Image;
                item.rect = rect;
                item.image = picture;
                item.text = image->alternateText();
                band.items.append(item);
            }
        }
        placed.append({control, top, height, height - control->height()});
        lowest = std::max(lowest, top + height);
    }

    band.height = section.height();
    if (section.canGrow() && lowest > band.height)
        band.height = lowest;
    if (section.canShrink() && lowest < band.height)
        band.height = lowest;
    // What the section prints above a subreport or a growing text (its heading) stays with its
    // first line (a growing text prints as one item: with all of it, unless the text is split
    // because it does not fit on a page). A repeating section's heading also prints again above
    // the repeated headings of the subreport below it.
    for (const Follower &follower : followers) {
        const double above = headingTop(band, followers, follower.top);
        if (above >= follower.top - Epsilon)
            continue;
        band.keeps.append({above, band.firstCut(follower.top)});
        if (!section.repeatsOnEachPage())
            continue;
        QVector<PageItem> heading;
        for (const PageItem &item : band.items) {
            if (item.rect.bottom() <= follower.top + Epsilon && item.rect.top() >= above - Epsilon)
                heading.append(item);
        }
        for (int h = follower.firstHeading; h < follower.endHeading; ++h) {
            RepeatedHeading &repeated = band.headings[h];
            QVector<PageItem> items;
            appendShifted(items, heading, 0, -above);
            appendShifted(items, repeated.items, 0, follower.top - above);
            repeated.items = items;
            repeated.height += follower.top - above;
        }
    }

    std::sort(band.breaks.begin(), band.breaks.end());
    return band;
}

} // namespace controls
