#pragma once

#include <QAccessible>
#include <QFont>
#include <QHeaderView>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QTableView>

class QKeyEvent;

namespace controls {

class DataGrid;

// The header above the columns, or the footer row under them: centred multi-line captions or a
// picture in place of the text; asks the grid for cell tips.
class GridHeader : public QHeaderView
{
    Q_OBJECT
public:
    enum class Kind { Header, Footer };
    GridHeader(Kind kind, DataGrid *grid, QWidget *parent);

    Kind kind() const { return m_kind; }
    bool isPressed() const { return m_pressed; }
    // Fits the tallest visible caption (three- and four-line captions, pictures); never cached.
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int wrappedCaptionHeight(int width, const QString &text) const;

    Kind m_kind;
    DataGrid *m_grid;
    bool m_pressed = false;
    mutable QFont m_keyedFont;
    mutable QString m_fontKey;
};

// The table inside a DataGrid: read-only rows, the footer row, drags of cells, drops, key codes.
class GridView : public QTableView
{
    Q_OBJECT
public:
    explicit GridView(DataGrid *grid);

    GridHeader *header() const { return m_header; }
    void relayout() { updateGeometries(); }

protected:
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // A screen reader is told of the current and the selected cell by their place among the rows in
    // view, as the grid's table counts its cells (see GridAccessible.h).
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void tellScreenReader(QAccessible::Event kind, const QModelIndex &index);

    DataGrid *m_grid;
    GridHeader *m_header;
    QPoint m_pressPos;
    QPersistentModelIndex m_pressIndex;
};

} // namespace controls
