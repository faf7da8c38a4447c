#include "controls/GridView.h"

#include "controls/DataGrid.h"
#include "controls/GridAccessible.h"
#include "controls/GridModel.h"
#include "platform/KeyCodes.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QHash>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QToolTip>

namespace controls {

namespace {

constexpr int CaptionPadding = 8;

// A caption's wrapped height depends on the font, the column width and the text.
struct CaptionKey
{
    QString font;
    int width;
    QString text;
    bool operator==(const CaptionKey &other) const
    {
        return width == other.width && text == other.text && font == other.font;
    }
};

size_t qHash(const CaptionKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.width, key.text, key.font);
}

void showTip(const QString &tip, const QPoint &globalPos, QWidget *widget, const QRect &cell, int style)
{
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // Anchored tips sit under the cell; floating ones follow the mouse.
    const QPoint at = style == DataGrid::AnchoredCellTips ? widget->mapToGlobal(cell.bottomLeft()) : globalPos;
    QToolTip::showText(at, tip, widget, cell);
}

} // namespace

// --- GridHeader ------------------------------------------------------------------------------

GridHeader::GridHeader(Kind kind, DataGrid *grid, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_kind(kind), m_grid(grid)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setMinimumSectionSize(0);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignCenter);
    setSectionResizeMode(kind == Kind::Header ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid() || !model())
        return;
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.text.clear();
    opt.icon = QIcon();
    opt.textAlignment = Qt::AlignCenter;
    opt.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);

    const QRect inner = rect.adjusted(2, 1, -2, -1);
    painter->save();
    painter->setClipRect(rect);
    if (m_kind == Kind::Header) {
        const QImage picture =
            model()->headerData(logicalIndex, Qt::Horizontal, GridModel::PictureRole).value<QImage>();
        if (!picture.isNull()) {
            QImage shown = picture;
            if (shown.width() > inner.width() || shown.height() > inner.height())
                shown = shown.scaled(inner.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            const QPoint topLeft(inner.left() + (inner.width() - shown.width()) / 2,
                                 inner.top() + (inner.height() - shown.height()) / 2);
            painter->drawImage(topLeft, shown);
            painter->restore();
            return;
        }
    }
    const QString text = m_kind == Kind::Header
                             ? model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString()
                             : model()->headerData(logicalIndex, Qt::Horizontal, GridModel::FooterRole).toString();
    painter->setFont(font());
    painter->setPen(palette().color(QPalette::ButtonText));
    // Captions wider than their column wrap at blanks, as narrow multi-line headings need.
    painter->drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, text);
    painter->restore();
}

// Laying out a caption's text is the costly part of fitting a header, and every relayout of a grid
// asks again for the same few captions: their wrapped heights are kept, by font, width and text.
int GridHeader::wrappedCaptionHeight(int width, const QString &text) const
{
    constexpr qsizetype MaxKept = 2000;
    static QHash<CaptionKey, int> kept;
    // Writing out a font's key costs more than comparing fonts: it is written again for another font only.
    const QFont current = font();
    if (m_fontKey.isNull() || current != m_keyedFont) {
        m_keyedFont = current;
        m_fontKey = current.key();
    }
    const CaptionKey key{m_fontKey, width, text};
    const auto found = kept.constFind(key);
    if (found != kept.constEnd())
        return *found;
    const int height =
        QFontMetrics(current)
            .boundingRect(QRect(0, 0, qMax(1, width - 4), 100000), Qt::AlignCenter | Qt::TextWordWrap, text)
            .height();
    if (kept.size() >= MaxKept)
        kept.clear();
    kept.insert(key, height);
    return height;
}

QSize GridHeader::sectionSizeFromContents(int logicalIndex) const
{
    const QFontMetrics fm(font());
    int height = fm.height() + CaptionPadding;
    int width = sectionSize(logicalIndex);
    if (m_kind == Kind::Header && model()) {
        const QImage picture =
            model()->headerData(logicalIndex, Qt::Horizontal, GridModel::PictureRole).value<QImage>();
        if (!picture.isNull()) {
            height = qMax(height, picture.height() + 4);
        } else {
            const int lines =
                qMax(1, model()->headerData(logicalIndex, Qt::Horizontal, GridModel::LineCountRole).toInt());
            height = qMax(height, fm.height() + (lines - 1) * fm.lineSpacing() + CaptionPadding);
            const QString text = model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
            height = qMax(height, wrappedCaptionHeight(width, text) + CaptionPadding);
        }
    }
    return QSize(width, height);
}

QSize GridHeader::sizeHint() const
{
    int height = QFontMetrics(font()).height() + CaptionPadding;
    const int n = count();
    for (int i = 0; i < n; ++i)
        if (!isSectionHidden(i))
            height = qMax(height, sectionSizeFromContents(i).height());
    return QSize(length(), height);
}

bool GridHeader::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (m_grid->cellTips() == DataGrid::NoCellTips)
            return true;
        const int col = logicalIndexAt(help->pos());
        QString tip;
        if (col >= 0) {
            const bool header = m_kind == Kind::Header;
            tip = m_grid->cellTip(header ? GridArea::Header : GridArea::Footer, col,
                                  header ? DataGrid::HeaderRow : DataGrid::FooterRow);
        }
        const QRect cell(sectionViewportPosition(col), 0, sectionSize(col), viewport()->height());
        showTip(tip, help->globalPos(), viewport(), cell, m_grid->cellTips());
        return true;
    }
    return QHeaderView::viewportEvent(event);
}

void GridHeader::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    QHeaderView::mouseReleaseEvent(event);
    if (m_kind == Kind::Header)
        m_grid->finishUserResize();
}

// --- GridView --------------------------------------------------------------------------------

GridView::GridView(DataGrid *grid)
    : QTableView(grid), m_grid(grid), m_header(new GridHeader(GridHeader::Kind::Header, grid, this))
{
    setHorizontalHeader(m_header);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    // Drags start only when the owner asks (dragCell); drops of any grid's drag are reported.
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setTabKeyNavigation(false);

    GridAccessible::install();
    // Scrolling brings other rows into view: for a screen reader the table's cells are others.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!QAccessible::isActive())
            return;
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    });
}

void GridView::tellScreenReader(QAccessible::Event kind, const QModelIndex &index)
{
    if (!QAccessible::isActive() || !index.isValid())
        return;
    auto *table = dynamic_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(this));
    const int child = table ? table->childIndex(index.row(), index.column()) : -1;
    if (child < 0)
        return;
    QAccessibleEvent event(this, kind);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The table view's own notice would number the cell among all rows.
    QAbstractItemView::currentChanged(current, previous);
    if (hasFocus())
        tellScreenReader(QAccessible::Focus, current);
}

void GridView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    tellScreenReader(QAccessible::SelectionAdd, selected.indexes().value(0));
    tellScreenReader(QAccessible::SelectionRemove, deselected.indexes().value(0));
}

bool GridView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (m_grid->cellTips() == DataGrid::NoCellTips)
            return true;
        const QModelIndex index = indexAt(help->pos());
        const QString tip = index.isValid() ? m_grid->cellTip(GridArea::Data, index.column(), index.row()) : QString();
        showTip(tip, help->globalPos(), viewport(), visualRect(index), m_grid->cellTips());
        return true;
    }
    return QTableView::viewportEvent(event);
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_pressPos = event->position().toPoint();
        m_pressIndex = indexAt(m_pressPos);
    }
}

void GridView::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && m_pressIndex.isValid() &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        const QPersistentModelIndex index = m_pressIndex;
        m_pressIndex = QPersistentModelIndex();
        emit m_grid->dragCell(0, index.row(), index.column());
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressIndex = QPersistentModelIndex();
    QTableView::mouseReleaseEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit m_grid->dblClick();
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    int code = platform::vbKeyCode(event);
    if (code != 0) {
        emit m_grid->keyDown(&code, platform::vbShift(event->modifiers()));
        // Enter belongs to the grid's owner: passed on, it would reach a default button.
        if (code == 0 || code == platform::vbKeyReturn) {
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void GridView::dragEnterEvent(QDragEnterEvent *event)
{
    if (DataGrid::isGridDrag(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void GridView::dragMoveEvent(QDragMoveEvent *event)
{
    if (DataGrid::isGridDrag(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void GridView::dropEvent(QDropEvent *event)
{
    if (!DataGrid::isGridDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const QPoint inGrid = viewport()->mapTo(m_grid, event->position().toPoint());
    m_grid->droppedOn(event->source(), inGrid);
}

} // namespace controls
