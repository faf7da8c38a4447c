#pragma once

// A grid's table as screen readers see it. The rows and columns of the table are all of the grid's
// rows and its shown columns, but only the header row and the rows in view are there as cells: a grid
// of 20,000 grades hands a screen reader the few rows it reads from the database, not every cell at
// once. A hidden column is no column of the table.

#include <QAccessibleWidget>
#include <QHash>
#include <QPair>

namespace controls {

class GridView;

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(GridView *view);
    ~GridAccessible() override;

    // Makes every grid view answer with this interface; called by the first view made.
    static void install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    // QAccessibleTableInterface: rows as the grid counts them, columns as it shows them.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    QList<QAccessibleInterface *> selectedCells() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

    // The child number of a cell (header: row -1) as the table counts its children; -1 out of view.
    int childIndex(int row, int logicalColumn) const;
    // The rows in view: first and count.
    int firstRowInView() const;
    int rowsInView() const;
    // The shown columns, in the order they show; a table column is an index into this.
    QList<int> shownColumns() const;
    // Lets go of the cells of rows that have left the view (or of all).
    void dropCells(bool all);

    GridView *view() const;

private:
    QAccessibleInterface *cell(int row, int logicalColumn) const;
    mutable QHash<QPair<int, int>, QAccessible::Id> m_cells; // (row or -1, logical column) -> id
};

} // namespace controls
