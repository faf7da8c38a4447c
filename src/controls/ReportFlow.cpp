#include "controls/ReportFlow.h"

#include "controls/ReportPaint.h"

#include <QFontMetricsF>
#include <algorithm>

namespace controls {

namespace {

constexpr double SameRow = 20;  // twips: boxes of one row share their top
constexpr double SameLine = 90; // twips: texts of one line of free text

bool hasBorder(const ReportBorder &border)
{
    return border.leftStyle || border.topStyle || border.rightStyle || border.bottomStyle;
}

FlowCell cellOf(const PageItem &item)
{
    FlowCell cell;
    cell.left = item.rect.left();
    cell.right = item.rect.right();
    if (!item.text.trimmed().isEmpty()) {
        for (const QString &line : displayText(item.text).split(QLatin1Char('\n')))
            cell.lines << line.trimmed();
    }
    cell.font = item.font;
    cell.alignment = item.alignment;
    cell.verticalAlignment = item.verticalAlignment;
    cell.border = item.border;
    return cell;
}

// Cells left to right; a box drawn over another (a heading picture over its box) fills that cell.
void settleCells(QVector<FlowCell> &cells)
{
    std::stable_sort(cells.begin(), cells.end(), [](const FlowCell &a, const FlowCell &b) { return a.left < b.left; });
    QVector<FlowCell> settled;
    for (FlowCell cell : cells) {
        if (!settled.isEmpty()) {
            FlowCell &previous = settled.last();
            const double overlap = std::min(previous.right, cell.right) - std::max(previous.left, cell.left);
            const double narrower = std::min(previous.right - previous.left, cell.right - cell.left);
            if (overlap > narrower / 2) {
                if (previous.lines.isEmpty()) {
                    previous.lines = cell.lines;
                    previous.font = cell.font;
                }
                previous.border.leftStyle = std::max(previous.border.leftStyle, cell.border.leftStyle);
                previous.border.topStyle = std::max(previous.border.topStyle, cell.border.topStyle);
                previous.border.rightStyle = std::max(previous.border.rightStyle, cell.border.rightStyle);
                previous.border.bottomStyle = std::max(previous.border.bottomStyle, cell.border.bottomStyle);
                previous.right = std::max(previous.right, cell.right);
                continue;
            }
            cell.left = std::max(cell.left, previous.right);
        }
        if (cell.right > cell.left)
            settled.append(cell);
    }
    cells = settled;
}

QVector<FlowBlock> flowOf(const QVector<PageItem> &items)
{
    QVector<const PageItem *> cellItems;
    QVector<PageItem> free;
    QVector<FlowBlock> blocks;
    for (const PageItem &item : items) {
        const bool picture =
            item.kind == PageItem::Kind::Chart || (item.kind == PageItem::Kind::Image && item.text.trimmed().isEmpty());
        if (picture) {
            FlowBlock block;
            block.kind = FlowBlock::Kind::Picture;
            block.top = item.rect.top();
            block.picture = item;
            blocks.append(block);
        } else if (item.kind == PageItem::Kind::Image || hasBorder(item.border)) {
            cellItems.append(&item);
        } else if (!item.text.trimmed().isEmpty()) {
            free.append(item);
        }
    }

    std::stable_sort(cellItems.begin(), cellItems.end(),
                     [](const PageItem *a, const PageItem *b) { return a->rect.top() < b->rect.top(); });
    QVector<FlowRow> rows;
    const auto grow = [](FlowRow &row, const PageItem &item) {
        row.cells.append(cellOf(item));
        row.height = std::max(row.height, item.rect.bottom() - row.top);
    };
    for (const PageItem *item : cellItems) {
        if (rows.isEmpty() || item->rect.top() > rows.last().top + SameRow)
            rows.append(FlowRow{item->rect.top(), 0, {}});
        grow(rows.last(), *item);
    }
    // A free text beside the cells of a row (its label) is a cell of that row.
    QVector<PageItem> lineItems;
    for (const PageItem &item : free) {
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&item](const FlowRow &r) { return std::abs(r.top - item.rect.top()) <= SameRow; });
        if (row != rows.end())
            grow(*row, item);
        else
            lineItems.append(item);
    }
    for (FlowRow &row : rows) {
        settleCells(row.cells);
        FlowBlock block;
        block.kind = FlowBlock::Kind::Table;
        block.top = row.top;
        block.rows = {row};
        blocks.append(block);
    }
    for (const QList<TextPiece> &line : textLines(lineItems)) {
        FlowBlock block;
        block.kind = FlowBlock::Kind::Line;
        block.top = line.first().top;
        block.line = line;
        blocks.append(block);
    }
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const FlowBlock &a, const FlowBlock &b) { return a.top < b.top; });

    // Rows that follow one another with nothing between them are one table.
    QVector<FlowBlock> merged;
    for (const FlowBlock &block : blocks) {
        if (block.kind == FlowBlock::Kind::Table && !merged.isEmpty() && merged.last().kind == FlowBlock::Kind::Table)
            merged.last().rows += block.rows;
        else
            merged.append(block);
    }
    return merged;
}

} // namespace

QList<QList<TextPiece>> textLines(const QVector<PageItem> &items)
{
    struct Placed
    {
        double y;
        TextPiece piece;
    };
    QList<Placed> placed;
    for (const PageItem &item : items) {
        if (item.kind != PageItem::Kind::Text || item.text.trimmed().isEmpty())
            continue;
        const QStringList lines = displayText(item.text).split(QLatin1Char('\n'));
        const double lineHeight = QFontMetricsF(qtFont(item.font)).lineSpacing();
        const double block = lineHeight * lines.size();
        double y = item.rect.top();
        if (item.verticalAlignment == textalign::Middle)
            y += std::max(0.0, (item.rect.height() - block) / 2);
        else if (item.verticalAlignment == textalign::Bottom)
            y += std::max(0.0, item.rect.height() - block);
        for (const QString &line : lines) {
            if (!line.trimmed().isEmpty())
                placed.append({y, TextPiece{item.rect.left(), y, lineHeight, line.trimmed(), item.font}});
            y += lineHeight;
        }
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) { return a.y < b.y; });

    QList<QList<TextPiece>> result;
    double lineTop = 0;
    for (const Placed &p : placed) {
        if (result.isEmpty() || p.y > lineTop + SameLine) {
            result.append(QList<TextPiece>());
            lineTop = p.y;
        }
        result.last().append(p.piece);
    }
    for (auto &line : result)
        std::stable_sort(line.begin(), line.end(),
                         [](const TextPiece &a, const TextPiece &b) { return a.left < b.left; });
    return result;
}

QVector<FlowBlock> pageFlow(const ReportPage &page)
{
    const int body = std::max(0, int(page.items.size()) - page.footerItems);
    return flowOf(page.items.mid(0, body)) + flowOf(page.items.mid(body));
}

} // namespace controls
