#pragma once

#include "platform/OleColor.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QScrollBar;
class QMimeData;
class QModelIndex;

namespace db {
class DataControl;
class Recordset;
} // namespace db

namespace platform {
class XArray;
}

namespace controls {

class DataGrid;
class GridHeader;
class GridModel;
class GridView;

// Where a cell tip is asked for.
enum class GridArea { Header, Footer, Data };

// One column of a grid. Owned by its grid; a pointer stays valid until the column is removed.
// Widths are twips; captions keep their CR LF line breaks and show them as separate lines.
class GridColumn
{
public:
    int index() const; // 0-based position in the grid

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    double widthTwips() const { return m_widthTwips; }
    void setWidthTwips(double twips);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    // 0 (the default) takes the first split's alignment.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    void setCentered() { setAlignment(Qt::AlignHCenter); }

    // Bound mode: the recordset field the column shows (matched without regard to letter case);
    // an empty or unknown field shows empty cells.
    QString dataField() const { return m_dataField; }
    void setDataField(const QString &field);

    // A heading picture replaces the caption text in the header; clearing it shows the text again.
    QImage headingPicture() const { return m_picture; }
    bool showsHeadingPicture() const { return !m_picture.isNull(); }
    void setHeadingPicture(const QImage &picture);
    void clearHeadingPicture() { setHeadingPicture(QImage()); }

    // Text of the column's footer cell (shown while the grid's footers are on).
    QString footerText() const { return m_footerText; }
    void setFooterText(const QString &text);

    // Long cell texts wrap onto further lines of the row instead of being cut.
    bool wrapText() const { return m_wrapText; }
    void setWrapText(bool wrap);

private:
    friend class GridModel;
    explicit GridColumn(GridModel *model) : m_model(model) {}

    GridModel *m_model;
    QString m_caption;
    // The caption as the header shows it and its number of lines, asked for at every fitting of
    // the header.
    QString m_shownCaption;
    int m_captionLines = 1;
    double m_widthTwips = 780;
    bool m_visible = true;
    Qt::Alignment m_alignment;
    QString m_dataField;
    QImage m_picture;
    QString m_footerText;
    bool m_wrapText = false;
};

// A read-only table grid: bound to a data control (its rows are the recordset's, and the grid's
// current row and the recordset's current record follow each other), or unbound over a
// two-dimensional array (its row and column bounds; Null cells show empty). Columns are added
// at run time; column c of an unbound grid shows array column lowerBound(2) + c, grid row r
// array row lowerBound(1) + r.
class DataGrid : public QWidget
{
    Q_OBJECT
public:
    // Row indices that fetchCellTips() passes for the header and the footer cells.
    static constexpr int HeaderRow = -1;
    static constexpr int FooterRow = -6;
    // Cell tip styles: none, anchored to the cell, following the mouse.
    static constexpr int NoCellTips = 0;
    static constexpr int AnchoredCellTips = 1;
    static constexpr int FloatingCellTips = 2;
    // The mime type of a grid's drag; its text is the dragging grid's object name.
    static constexpr const char *DragMimeType = "application/x-velkor-grid-drag";

    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // --- data source -----------------------------------------------------------------------
    // Binds the grid to a data control (nullptr unbinds). The rows reload on every refresh
    // of the control; a failed refresh leaves the rows shown before.
    void setDataSource(db::DataControl *control);
    db::DataControl *dataSource() const;
    // Unbound: shows the array. The grid reads the array when it is set and on every
    // rebind() and refresh(), so the array must outlive the grid or be replaced first.
    void setArray(const platform::XArray *array);
    const platform::XArray *array() const;
    bool isBound() const;

    // Re-reads the data source and re-binds every column to its data field. A bound grid
    // without columns gets one column per recordset field (caption and data field the name).
    // A bound grid then stands on the recordset's current record; an unbound one keeps its
    // current row where the array still has it.
    void rebind();
    // Re-reads the data source with the columns as they are.
    void refresh();

    // --- columns ---------------------------------------------------------------------------
    int columnCount() const;
    // Raises platform::VbError 9 for an index outside 0..columnCount() - 1.
    GridColumn *column(int index) const;
    // Inserts a new visible column at index (-1 or columnCount() appends) and returns it.
    GridColumn *addColumn(int index = -1);
    // Appends count new visible columns in one step (the view lays itself out once).
    void addColumns(int count);
    // Raises platform::VbError 9 for an index outside the columns.
    void removeColumn(int index);
    // Removes the columns from first on in one step; none when first is at or beyond the last.
    void removeColumnsFrom(int first);
    void clearColumns();

    // --- rows ------------------------------------------------------------------------------
    int rowCount() const;
    // 0-based current row, -1 when there is none. Setting it moves a bound recordset too.
    int currentRow() const;
    void setCurrentRow(int row);
    int currentColumn() const;
    // The first row shown at the top; setting it scrolls.
    int firstRow() const;
    void setFirstRow(int row);
    // The leftmost column shown; setting it scrolls.
    int leftColumn() const;
    void setLeftColumn(int column);
    // Displayed text and value of a cell (Null is an invalid QVariant, shown as "").
    QString text(int row, int column) const;
    QVariant value(int row, int column) const;

    // --- appearance ------------------------------------------------------------------------
    // The caption bar above the columns, hidden while the text is empty.
    QString caption() const;
    void setCaption(const QString &caption);

    // The first split's row styles and alignment.
    platform::OleColor evenRowColor() const { return m_evenRowColor; }
    void setEvenRowColor(platform::OleColor color);
    platform::OleColor oddRowColor() const { return m_oddRowColor; }
    void setOddRowColor(platform::OleColor color);
    // On by default (both colours white until set).
    bool alternatingRows() const { return m_alternatingRows; }
    void setAlternatingRows(bool on);
    Qt::Alignment splitAlignment() const;
    void setSplitAlignment(Qt::Alignment alignment);

    // The footer row under the columns; clicks on it raise footClick().
    bool columnFooters() const;
    void setColumnFooters(bool on);

    // Each row as high as the text of its wrapping cells needs, line breaks included (one line
    // at least). Off: every row is one line high.
    bool rowsFitText() const { return m_rowsFitText; }
    void setRowsFitText(bool on);

    // 0 none, 1 anchored, 2 floating (see the constants above).
    int cellTips() const { return m_cellTips; }
    void setCellTips(int style);

    QFont headFont() const;
    void setHeadFont(const QFont &font);

    // The width (twips) a column needs to show each word of its heading whole and each of the texts
    // whole in its cells, in the grid's present fonts.
    double fittingWidthTwips(int index, const QStringList &cellTexts = {}) const;

    // --- drag and drop ---------------------------------------------------------------------
    // Starts a drag of the grid itself (call it from a dragCell() handler). Blocks until dropped.
    void beginDrag();
    // The mime data beginDrag() hands to the drag.
    QMimeData *createDragData() const;
    // For other drop targets: whether mime data come from a grid's drag, and its object name.
    static bool isGridDrag(const QMimeData *data);
    static QString dragSourceName(const QMimeData *data);

    // The cell tip for a cell: asks the owner through fetchCellTips(); empty without tips.
    QString cellTip(GridArea area, int column, int row) const;

    // The view inside (tests and geometry).
    GridView *view() const { return m_view; }
    GridModel *model() const { return m_model; }

signals:
    void headClick(int column);
    void footClick(int column);
    // A user resize of a column; its width is already the new one. Setting *cancel restores it.
    void colResize(int column, bool *cancel);
    // The owner writes the tip into *tip (empty: no tip). Row is HeaderRow, FooterRow or a data row.
    void fetchCellTips(controls::GridArea area, int column, int row, QString *tip) const;
    // The user began dragging a data cell.
    void dragCell(int splitIndex, int row, int column);
    // Something was dropped on the grid; source is the widget that started the drag (or nullptr),
    // x and y are twips inside the grid.
    void dragDrop(QObject *source, double xTwips, double yTwips);
    void dblClick();
    // A key pressed in the grid, as a VB key code (13 Enter, 27 Escape, 37-40 arrows, letters
    // upper case) and shift mask (1 Shift, 2 Ctrl, 4 Alt). Setting *keyCode to 0 swallows the key;
    // Enter is never passed on to the grid's parents.
    void keyDown(int *keyCode, int shift);
    // The current row changed (by the user, the program or the bound recordset).
    void rowColChange();

protected:
    void changeEvent(QEvent *event) override;

private:
    friend class GridView;
    friend class GridHeader;
    void applyColumnLayout();
    void applyColumnLayout(int column);
    bool layoutSection(int column); // false when there is no such column
    void finishColumnLayout();
    void fitRowsToText();
    void reload(bool createColumns);
    void syncFromRecordset();
    void syncToRecordset(int row);
    void onDataControlRefreshed();
    void connectRecordset(db::Recordset *recordset);
    void sectionResizedByUser(int column, int oldPixels, int newPixels);
    void finishUserResize();
    void droppedOn(QObject *source, const QPoint &posInGrid);
    void updateRowColors();
    void syncScrollBar();

    GridModel *m_model = nullptr;
    GridView *m_view = nullptr;
    GridHeader *m_footer = nullptr;
    QScrollBar *m_hScroll = nullptr;
    QWidget *m_footerRow = nullptr;
    QLabel *m_captionBar = nullptr;
    QPointer<db::DataControl> m_dataControl;
    QPointer<db::Recordset> m_recordset;
    const platform::XArray *m_array = nullptr;
    platform::OleColor m_evenRowColor = platform::olecolor::White;
    platform::OleColor m_oddRowColor = platform::olecolor::White;
    bool m_alternatingRows = true;
    bool m_footersOn = false;
    bool m_rowsFitText = false;
    // The heights fitRowsToText measured, by column width and text, for the font they were measured in.
    QHash<std::pair<int, QString>, int> m_textHeights;
    QFont m_measuredFont;
    int m_cellTips = NoCellTips;
    bool m_syncing = false;
    int m_layoutUpdates = 0;
    // While held (GridLayoutHold), the fitting of rows and the view's layout wait for the hold to end.
    friend class GridLayoutHold;
    bool holdsLayout();
    void flushHeldLayout();
    int m_layoutHolds = 0;
    bool m_layoutPending = false;
    int m_resizeColumn = -1;     // a user resize under way: the column
    double m_resizeOldTwips = 0; // and its width before
};

// Holds a grid's layout while its owner changes many columns at once: the rows are fitted and the
// view laid out when the last hold ends, or before the grid reloads its rows.
class GridLayoutHold
{
public:
    explicit GridLayoutHold(DataGrid *grid);
    ~GridLayoutHold();
    GridLayoutHold(const GridLayoutHold &) = delete;
    GridLayoutHold &operator=(const GridLayoutHold &) = delete;

private:
    QPointer<DataGrid> m_grid;
};

} // namespace controls
