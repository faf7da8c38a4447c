#include "controls/Report.h"
#include "controls/ReportLayout.h"

#include <algorithm>
#include <numeric>

namespace controls {

double PageSettings::leftMargin(double printWidth) const
{
    return std::max(360.0, (paperWidth - printWidth) / 2);
}

namespace {

constexpr double Epsilon = 0.5; // twips
constexpr double MinimumBody = 720;

class Paginator
{
public:
    Paginator(ReportDocument &document, double left, double bodyTop, double bodyBottom,
              const ReportBand &header, double headerTop)
        : m_document(document), m_left(left), m_bodyTop(bodyTop), m_bodyBottom(bodyBottom),
          m_header(header), m_headerTop(headerTop)
    {
        newPage();
    }

    void place(const ReportBand &band, const ReportBand *next)
    {
        // A band that fits here but would leave the next band's first line to the next page
        // starts that page itself, when both fit on one.
        if (band.keepWithNext && next && m_used) {
            const double together = band.height + next->firstCut(0);
            const double room = m_bodyBottom - m_cursor;
            if (band.height <= room + Epsilon && together > room + Epsilon &&
                together <= m_bodyBottom - m_bodyTop + Epsilon)
                newPage();
        }
        m_order.resize(band.items.size());
        std::iota(m_order.begin(), m_order.end(), 0);
        std::stable_sort(m_order.begin(), m_order.end(), [&band](int x, int y) {
            return band.items.at(x).rect.top() < band.items.at(y).rect.top();
        });

        double start = 0;
        int nextBreak = 0;
        while (true) {
            while (nextBreak < band.breaks.size() && band.breaks.at(nextBreak) <= start + Epsilon) {
                // A break at the very top of an empty page would only leave a blank page.
                if (m_used)
                    newPage();
                ++nextBreak;
            }
            const double end = nextBreak < band.breaks.size() ? band.breaks.at(nextBreak) : band.height;
            const double room = m_bodyBottom - m_cursor;
            if (end - start <= room + Epsilon) {
                const bool last = end >= band.height - Epsilon && nextBreak >= band.breaks.size();
                put(band, start, end, last);
                if (last)
                    return;
                start = end;
                continue;
            }
            double cut = bestCut(band, start, start + room);
            if (cut <= start + Epsilon) {
                if (m_used) {
                    newPage();
                    continue;
                }
                cut = start + room; // taller than a page: what straddles is printed whole here
            }
            put(band, start, cut, false);
            newPage();
            start = cut;
        }
    }

private:
    // First position in the top order at or below the given place.
    int firstFrom(const ReportBand &band, double start) const
    {
        const auto it = std::lower_bound(m_order.cbegin(), m_order.cend(), start - Epsilon,
                                         [&band](int i, double y) { return band.items.at(i).rect.top() < y; });
        return int(it - m_order.cbegin());
    }

    // The lowest place at or above the limit that cuts through no item; start when there is none.
    double bestCut(const ReportBand &band, double start, double limit) const
    {
        double best = start;
        double lowestBottom = start;
        for (int k = firstFrom(band, start); k < m_order.size(); ++k) {
            const QRectF &rect = band.items.at(m_order.at(k)).rect;
            if (rect.top() >= limit)
                break;
            if (rect.top() > start + Epsilon && lowestBottom <= rect.top() + Epsilon && !band.insideKeep(rect.top()))
                best = rect.top();
            lowestBottom = std::max(lowestBottom, rect.bottom());
        }
        if (lowestBottom <= limit + Epsilon && !band.insideKeep(limit))
            best = limit;
        return best;
    }

    // Items belong to the part in which their top lies.
    void put(const ReportBand &band, double start, double end, bool last)
    {
        ReportPage &page = m_document.pages.last();
        for (int k = firstFrom(band, start); k < m_order.size(); ++k) {
            PageItem item = band.items.at(m_order.at(k));
            const double top = item.rect.top();
            if (top >= end - Epsilon && !(last && top <= end + Epsilon))
                break;
            item.rect.translate(m_left, m_cursor - start);
            page.items.append(item);
            m_used = true;
        }
        m_cursor += end - start;
        if (end > start + Epsilon)
            m_used = true;
    }

public:
    // A page break after the last content leaves no blank page behind.
    void finish()
    {
        if (!m_used && m_document.pages.size() > 1)
            m_document.pages.removeLast();
    }

private:

    void newPage()
    {
        m_document.pages.append(ReportPage{});
        for (PageItem item : m_header.items) {
            item.rect.translate(m_left, m_headerTop);
            m_document.pages.last().items.append(item);
        }
        m_cursor = m_bodyTop;
        m_used = false;
    }

    ReportDocument &m_document;
    double m_left;
    double m_bodyTop;
    double m_bodyBottom;
    const ReportBand &m_header;
    double m_headerTop;
    double m_cursor = 0;
    bool m_used = false;
    QVector<int> m_order; // the items of the band being placed, by their top
};

ReportBand pageBand(Report &report, ReportSection::Kind kind)
{
    for (int i = 0; i < report.sectionCount(); ++i) {
        ReportSection &section = *report.sectionAt(i);
        if (section.kind() == kind && section.isVisible()) {
            ReportLayout::bindFields(report, section);
            return ReportLayout::printSection(section, {});
        }
    }
    return {};
}

} // namespace

ReportDocument ReportLayout::paginate(Report &report, const QVector<ReportBand> &bands)
{
    const PageSettings &settings = report.pageSettings();
    ReportDocument document;
    document.title = report.documentName();
    document.paperWidth = settings.paperWidth;
    document.paperHeight = settings.paperHeight;
    document.topMargin = settings.topMargin;
    document.bottomMargin = settings.bottomMargin;

    const ReportBand header = pageBand(report, ReportSection::Kind::PageHeader);
    const ReportBand footer = pageBand(report, ReportSection::Kind::PageFooter);
    const double left = settings.leftMargin(report.printWidth());
    document.leftMargin = left;
    document.printWidth = report.printWidth();
    const double bodyTop = settings.topMargin + header.height;
    const double footerTop = std::max(bodyTop + MinimumBody,
                                      settings.paperHeight - settings.bottomMargin - footer.height);
    {
        Paginator paginator(document, left, bodyTop, footerTop, header, settings.topMargin);
        for (int i = 0; i < bands.size(); ++i)
            paginator.place(bands.at(i), i + 1 < bands.size() ? &bands.at(i + 1) : nullptr);
        paginator.finish();
    }

    const int count = int(document.pages.size());
    for (int p = 0; p < count; ++p) {
        ReportPage &page = document.pages[p];
        for (PageItem item : footer.items) {
            item.rect.translate(left, footerTop);
            page.items.append(item);
        }
        page.footerItems = int(footer.items.size());
        for (PageItem &item : page.items) {
            if (item.pageValue == ReportField::PageValue::PageNumber)
                item.text = QString::number(p + 1);
            else if (item.pageValue == ReportField::PageValue::PageCount)
                item.text = QString::number(count);
        }
    }
    return document;
}

} // namespace controls
