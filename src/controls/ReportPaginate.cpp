#include "controls/Report.h"
#include "controls/ReportLayout.h"
#include "controls/ReportPaint.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>
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

// One line of a grown text as its own item, and whether a line break of the text precedes it.
struct LinePiece
{
    PageItem item;
    bool breakBefore = false;
};

// The lines of a grown text laid out as the page draws them (word wrap in the box less its padding,
// the font's leading between lines); the pieces fill the box from top to bottom.
QVector<LinePiece> linePieces(const PageItem &item)
{
    QString shown = displayText(item.text);
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QFont font = qtFont(item.font);
    QTextLayout layout(shown, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const double width = std::max(1.0, item.rect.width() - 2 * TextPadding);
    const double leading = QFontMetricsF(font).leading();

    struct Line
    {
        int start;
        double top;
    };
    QVector<Line> lines;
    double y = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        y += leading;
        line.setPosition(QPointF(0, y));
        lines.append({line.textStart(), y});
        y += line.ascent() + line.descent(); // unrounded, as the page measures and draws it
    }
    layout.endLayout();

    QVector<LinePiece> pieces;
    for (int i = 0; i < lines.size(); ++i) {
        const Line &line = lines.at(i);
        // Lines that the box does not reach print with the last piece.
        const bool last = i + 1 == lines.size() || lines.at(i + 1).top >= item.rect.height() - Epsilon;
        const int end = last ? int(shown.size()) : lines.at(i + 1).start;
        QString text = shown.mid(line.start, end - line.start);
        if (text.endsWith(QChar::LineSeparator))
            text.chop(1);
        text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        const double top = i == 0 ? 0 : line.top;
        const double bottom = last ? item.rect.height() : lines.at(i + 1).top;
        LinePiece piece;
        piece.item = item;
        piece.item.text = text;
        piece.item.rect = QRectF(item.rect.left(), item.rect.top() + top, item.rect.width(), bottom - top);
        piece.breakBefore = i > 0 && shown.at(line.start - 1) == QChar::LineSeparator;
        pieces.append(piece);
        if (last)
            break;
    }
    return pieces;
}

class Paginator
{
public:
    Paginator(ReportDocument &document, double left, double bodyTop, double bodyBottom, const ReportBand &header,
              double headerTop)
        : m_document(document),
          m_left(left),
          m_bodyTop(bodyTop),
          m_bodyBottom(bodyBottom),
          m_header(header),
          m_headerTop(headerTop)
    {
        newPage();
    }

    void place(const ReportBand &whole, const ReportBand *next)
    {
        ReportBand split;
        const ReportBand &band = splitTallTexts(whole, split, true);
        placeBand(band, next);
        // The rows of a repeating header are the bands after it.
        if (m_rowsLeft > 0 && --m_rowsLeft == 0)
            m_rowHeading = {};
        if (band.headsRows > 0) {
            m_rowHeading.height = band.height;
            m_rowHeading.items = band.items;
            m_rowsLeft = band.headsRows;
        }
    }

private:
    void placeBand(const ReportBand &band, const ReportBand *next)
    {
        // A band that fits here but would leave the next band's first line to the next page
        // starts that page itself, when both fit on one.
        if (band.keepWithNext && next && m_used) {
            ReportBand nextSplit;
            const double together = band.height + splitTallTexts(*next, nextSplit, false).firstCut(0);
            const double room = m_bodyBottom - m_cursor;
            if (band.height <= room + Epsilon && together > room + Epsilon &&
                together <= m_bodyBottom - m_bodyTop + Epsilon)
                continueOnNewPage(band, 0);
        }
        m_order.resize(band.items.size());
        std::iota(m_order.begin(), m_order.end(), 0);
        std::stable_sort(m_order.begin(), m_order.end(),
                         [&band](int x, int y) { return band.items.at(x).rect.top() < band.items.at(y).rect.top(); });

        double start = 0;
        int nextBreak = 0;
        while (true) {
            while (nextBreak < band.breaks.size() && band.breaks.at(nextBreak) <= start + Epsilon) {
                // A break at the very top of an empty page would only leave a blank page.
                if (m_used)
                    continueOnNewPage(band, start);
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
            double cut = bestCut(band, start, start + room, true);
            if (cut <= start + Epsilon) {
                if (m_used) {
                    continueOnNewPage(band, start);
                    continue;
                }
                // A kept span taller than a page is cut where no item is; an item taller than a
                // page that cannot be split is printed whole here.
                cut = bestCut(band, start, start + room, false);
                if (cut <= start + Epsilon)
                    cut = start + room;
            }
            put(band, start, cut, false);
            continueOnNewPage(band, cut);
            start = cut;
        }
    }

    // A new page for the band from `start` on: it begins with the headings of the rows that
    // continue there, outer ones first. Headings alone do not make a page used.
    void continueOnNewPage(const ReportBand &band, double start)
    {
        newPage();
        if (m_rowsLeft > 0)
            putHeading(m_rowHeading);
        QVector<const RepeatedHeading *> open;
        for (const RepeatedHeading &heading : band.headings) {
            if (heading.from <= start + Epsilon && start < heading.to - Epsilon)
                open.append(&heading);
        }
        std::stable_sort(open.begin(), open.end(),
                         [](const RepeatedHeading *a, const RepeatedHeading *b) { return a->from < b->from; });
        for (const RepeatedHeading *heading : open)
            putHeading(*heading);
    }

    void putHeading(const RepeatedHeading &heading)
    {
        ReportPage &page = m_document.pages.last();
        for (PageItem item : heading.items) {
            item.rect.translate(m_left, m_cursor);
            page.items.append(item);
        }
        m_cursor += heading.height;
    }

    // First position in the top order at or below the given place.
    int firstFrom(const ReportBand &band, double start) const
    {
        const auto it = std::lower_bound(m_order.cbegin(), m_order.cend(), start - Epsilon,
                                         [&band](int i, double y) { return band.items.at(i).rect.top() < y; });
        return int(it - m_order.cbegin());
    }

    // The lowest place at or above the limit that cuts through no item; start when there is none.
    double bestCut(const ReportBand &band, double start, double limit, bool keepsHold) const
    {
        const auto kept = [&](double y) { return keepsHold && band.insideKeep(y); };
        double best = start;
        double lowestBottom = start;
        for (int k = firstFrom(band, start); k < m_order.size(); ++k) {
            const QRectF &rect = band.items.at(m_order.at(k)).rect;
            if (rect.top() >= limit)
                break;
            if (rect.top() > start + Epsilon && lowestBottom <= rect.top() + Epsilon && !kept(rect.top()))
                best = rect.top();
            lowestBottom = std::max(lowestBottom, rect.bottom());
        }
        if (lowestBottom <= limit + Epsilon && !kept(limit))
            best = limit;
        return best;
    }

    // Items belong to the part in which their top lies.
    void put(const ReportBand &band, double start, double end, bool last)
    {
        ReportPage &page = m_document.pages.last();
        for (int k = firstFrom(band, start); k < m_order.size(); ++k) {
            const int index = m_order.at(k);
            PageItem item = band.items.at(index);
            const double top = item.rect.top();
            if (top >= end - Epsilon && !(last && top <= end + Epsilon))
                break;
            item.rect.translate(m_left, m_cursor - start);
            m_used = true;
            // The lines of a split text that share a page are one item again.
            const int origin = index < m_origin.size() ? m_origin.at(index) : -1;
            if (origin >= 0) {
                const auto joined = m_pieceAt.constFind(origin);
                if (joined != m_pieceAt.cend()) {
                    PageItem &into = page.items[*joined];
                    if (m_breakBefore.at(index))
                        into.text += QStringLiteral("\r\n");
                    into.text += item.text;
                    into.rect.setBottom(item.rect.bottom());
                    continue;
                }
                m_pieceAt.insert(origin, int(page.items.size()));
            }
            page.items.append(item);
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
        m_pieceAt.clear();
    }

    // The band with every grown text that cannot print on one page, together with what is kept
    // above it, split into its lines; a heading kept with the text then stays with its first line.
    // With `own`, the split band is the one being placed.
    const ReportBand &splitTallTexts(const ReportBand &band, ReportBand &split, bool own)
    {
        const double body = m_bodyBottom - m_bodyTop;
        const auto keptAbove = [&band](const PageItem &item) {
            double lead = 0;
            for (const auto &[from, to] : band.keeps) {
                if (from < item.rect.top() - Epsilon && to > item.rect.top() + Epsilon)
                    lead = std::max(lead, item.rect.top() - from);
            }
            return lead;
        };
        const auto tooTall = [&](const PageItem &item) {
            return item.canSplit && keptAbove(item) + item.rect.height() > body + Epsilon;
        };
        if (own) {
            m_origin.clear();
            m_breakBefore.clear();
            m_pieceAt.clear();
        }
        if (std::none_of(band.items.cbegin(), band.items.cend(), tooTall))
            return band;

        split = band;
        split.items.clear();
        for (int i = 0; i < band.items.size(); ++i) {
            const PageItem &item = band.items.at(i);
            const QVector<LinePiece> pieces = tooTall(item) ? linePieces(item) : QVector<LinePiece>();
            if (pieces.size() < 2) {
                split.items.append(item);
                if (own) {
                    m_origin.append(-1);
                    m_breakBefore.append(false);
                }
                continue;
            }
            for (auto &[from, to] : split.keeps) {
                if (from < item.rect.top() - Epsilon && to > item.rect.top() + Epsilon &&
                    to <= item.rect.bottom() + Epsilon)
                    to = pieces.first().item.rect.bottom();
            }
            for (const LinePiece &piece : pieces) {
                split.items.append(piece.item);
                if (own) {
                    m_origin.append(i);
                    m_breakBefore.append(piece.breakBefore);
                }
            }
        }
        return split;
    }

    ReportDocument &m_document;
    double m_left;
    double m_bodyTop;
    double m_bodyBottom;
    const ReportBand &m_header;
    double m_headerTop;
    double m_cursor = 0;
    bool m_used = false;
    // A top-level repeating header and the number of its row bands still to place.
    RepeatedHeading m_rowHeading;
    int m_rowsLeft = 0;
    QVector<int> m_order; // the items of the band being placed, by their top
    // For the band being placed when a text of it is split: each item's text (-1 for a whole
    // item) and whether a line break precedes it; where this page holds that text's lines.
    QVector<int> m_origin;
    QVector<bool> m_breakBefore;
    QHash<int, int> m_pieceAt;
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
    const double footerTop =
        std::max(bodyTop + MinimumBody, settings.paperHeight - settings.bottomMargin - footer.height);
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
