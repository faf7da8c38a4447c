#include "controls/GridAccessible.h"

#include "controls/GridView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>

namespace controls {

namespace {

// One cell of a grid's table, or a heading (row -1) of one of its columns.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCell(GridView *view, int row, int logicalColumn) : m_view(view), m_row(row), m_column(logicalColumn) {}

    bool isHeading() const { return m_row < 0; }
    int row() const { return m_row; }
    int logicalColumn() const { return m_column; }

    bool isValid() const override
    {
        return m_view && m_view->model() && m_column < m_view->model()->columnCount() &&
               m_row < m_view->model()->rowCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return isHeading() ? QAccessible::ColumnHeader : QAccessible::Cell; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        const QAbstractItemModel *model = m_view->model();
        if (isHeading()) {
            const QString name = model->headerData(m_column, Qt::Horizontal, Qt::AccessibleTextRole).toString();
            return name.isEmpty() ? model->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString() : name;
        }
        return model->index(m_row, m_column).data(Qt::DisplayRole).toString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        if (isHeading()) {
            const QHeaderView *header = m_view->horizontalHeader();
            const QRect r(header->sectionViewportPosition(m_column), 0, header->sectionSize(m_column),
                          header->height());
            return QRect(header->mapToGlobal(r.topLeft()), r.size());
        }
        const QRect r = m_view->visualRect(m_view->model()->index(m_row, m_column));
        return QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        const QRect shown = m_view->viewport()->rect();
        if (!isHeading()) {
            const QModelIndex index = m_view->model()->index(m_row, m_column);
            s.selectable = true;
            s.focusable = true;
            s.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(index);
            s.focused = m_view->hasFocus() && m_view->currentIndex() == index;
            s.offscreen = !shown.intersects(m_view->visualRect(index));
        }
        s.invisible = !m_view->isVisible();
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface && !isHeading()
                   ? static_cast<QAccessibleTableCellInterface *>(this)
                   : nullptr;
    }

    // QAccessibleTableCellInterface.
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        if (auto *t = tableInterface())
            if (QAccessibleInterface *heading = t->cellAt(-1, columnIndex()))
                return {heading};
        return {};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override
    {
        auto *t = tableInterface();
        return t ? int(t->shownColumns().indexOf(m_column)) : -1;
    }
    int rowIndex() const override { return m_row; }
    bool isSelected() const override { return state().selected; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    GridAccessible *tableInterface() const
    {
        return dynamic_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(m_view.data()));
    }

    QPointer<GridView> m_view;
    int m_row;
    int m_column;
};

QAccessibleInterface *gridFactory(const QString &, QObject *object)
{
    auto *view = qobject_cast<GridView *>(object);
    return view ? new GridAccessible(view) : nullptr;
}

} // namespace

GridAccessible::GridAccessible(GridView *view) : QAccessibleWidget(view, QAccessible::Table)
{
}

GridAccessible::~GridAccessible()
{
    dropCells(true);
}

void GridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

GridView *GridAccessible::view() const
{
    return static_cast<GridView *>(widget());
}

void *GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QList<int> GridAccessible::shownColumns() const
{
    QList<int> shown;
    const QHeaderView *header = view()->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            shown << logical;
    }
    return shown;
}

int GridAccessible::firstRowInView() const
{
    const int first = view()->rowAt(0);
    return first < 0 ? 0 : first;
}

int GridAccessible::rowsInView() const
{
    const int rows = view()->model() ? view()->model()->rowCount() : 0;
    if (rows == 0)
        return 0;
    const int first = firstRowInView();
    int last = view()->rowAt(view()->viewport()->height() - 1);
    if (last < 0)
        last = rows - 1;
    return last - first + 1;
}

int GridAccessible::childCount() const
{
    return (1 + rowsInView()) * int(shownColumns().size());
}

int GridAccessible::childIndex(int row, int logicalColumn) const
{
    const QList<int> columns = shownColumns();
    const int column = int(columns.indexOf(logicalColumn));
    if (column < 0)
        return -1;
    if (row < 0)
        return column;
    const int inView = row - firstRowInView();
    if (inView < 0 || inView >= rowsInView())
        return -1;
    return (1 + inView) * int(columns.size()) + column;
}

QAccessibleInterface *GridAccessible::cell(int row, int logicalColumn) const
{
    const QPair<int, int> key(row, logicalColumn);
    if (const QAccessible::Id id = m_cells.value(key))
        if (QAccessibleInterface *known = QAccessible::accessibleInterface(id))
            return known;
    QAccessibleInterface *made = new GridCell(view(), row, logicalColumn);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
    return made;
}

QAccessibleInterface *GridAccessible::child(int index) const
{
    const QList<int> columns = shownColumns();
    if (index < 0 || columns.isEmpty() || index >= childCount())
        return nullptr;
    const int row = index / int(columns.size());
    const int logical = columns.at(index % columns.size());
    return cell(row == 0 ? -1 : firstRowInView() + row - 1, logical);
}

int GridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *c = dynamic_cast<const GridCell *>(child);
    return c ? childIndex(c->row(), c->logicalColumn()) : -1;
}

QAccessibleInterface *GridAccessible::childAt(int x, int y) const
{
    const QHeaderView *header = view()->horizontalHeader();
    const QPoint inHeader = header->mapFromGlobal(QPoint(x, y));
    if (header->isVisible() && header->rect().contains(inHeader)) {
        const int logical = header->logicalIndexAt(inHeader);
        return logical < 0 ? nullptr : cell(-1, logical);
    }
    const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() && childIndex(index.row(), index.column()) >= 0 ? cell(index.row(), index.column())
                                                                           : nullptr;
}

QAccessibleInterface *GridAccessible::cellAt(int row, int column) const
{
    const QList<int> columns = shownColumns();
    if (column < 0 || column >= columns.size() || row >= rowCount())
        return nullptr;
    // Rows out of view are not handed out: the grid has not read them.
    if (childIndex(row, columns.at(column)) < 0)
        return nullptr;
    return cell(row < 0 ? -1 : row, columns.at(column));
}

int GridAccessible::columnCount() const
{
    return int(shownColumns().size());
}

int GridAccessible::rowCount() const
{
    return view()->model() ? view()->model()->rowCount() : 0;
}

QString GridAccessible::columnDescription(int column) const
{
    QAccessibleInterface *heading = cellAt(-1, column);
    return heading ? heading->text(QAccessible::Name) : QString();
}

QList<int> GridAccessible::selectedRows() const
{
    QList<int> rows;
    if (const QItemSelectionModel *selection = view()->selectionModel())
        for (const QModelIndex &index : selection->selectedRows())
            rows << index.row();
    return rows;
}

int GridAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

bool GridAccessible::isRowSelected(int row) const
{
    return selectedRows().contains(row);
}

QList<QAccessibleInterface *> GridAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    const QList<int> columns = shownColumns();
    for (int row : selectedRows())
        for (int column = 0; column < columns.size(); ++column)
            if (QAccessibleInterface *c = cellAt(row, column))
                cells << c;
    return cells;
}

int GridAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

bool GridAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    view()->selectRow(row);
    return true;
}

bool GridAccessible::unselectRow(int row)
{
    QItemSelectionModel *selection = view()->selectionModel();
    if (!selection || !isRowSelected(row))
        return false;
    selection->select(view()->model()->index(row, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    return true;
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    // Rows and columns may have come or gone: the cells are made anew when asked for.
    dropCells(true);
}

void GridAccessible::dropCells(bool all)
{
    // All of them also while the view is going away, when it can no longer be asked for its rows.
    const int first = all ? 0 : firstRowInView();
    const int last = all ? -1 : first + rowsInView() - 1;
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        const int row = it.key().first;
        if (all || (row >= 0 && (row < first || row > last))) {
            if (QAccessible::accessibleInterface(it.value()))
                QAccessible::deleteAccessibleInterface(it.value());
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace controls
