#include "controls/DataGrid.h"

#include "controls/GridModel.h"
#include "controls/GridView.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/Twips.h"
#include "platform/VbError.h"
#include "platform/XArray.h"

#include <QDrag>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace controls {

DataGrid::DataGrid(QWidget *parent) : QWidget(parent), m_model(new GridModel(this))
{
    m_captionBar = new QLabel(this);
    m_captionBar->setAlignment(Qt::AlignCenter);
    m_captionBar->setFrameShape(QFrame::Panel);
    m_captionBar->setFrameShadow(QFrame::Raised);
    m_captionBar->setAutoFillBackground(true);
    m_captionBar->setBackgroundRole(QPalette::Button);
    m_captionBar->setForegroundRole(QPalette::ButtonText);
    m_captionBar->hide();

    m_view = new GridView(this);
    m_view->setModel(m_model);
    // The grid takes the focus as its table: a tab order, a label's mnemonic or a screen reader that
    // names the grid reaches the rows.
    setFocusPolicy(m_view->focusPolicy());
    setFocusProxy(m_view);
    // The view's own horizontal scroll bar would sit between the rows and the footer row; the
    // grid shows its own under the footer instead.
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_footerRow = new QWidget(this);
    auto *footerLayout = new QHBoxLayout(m_footerRow);
    footerLayout->setContentsMargins(m_view->frameWidth(), 0, 0, 0);
    footerLayout->setSpacing(0);
    m_footer = new GridHeader(GridHeader::Kind::Footer, this, m_footerRow);
    m_footer->setModel(m_model);
    footerLayout->addWidget(m_footer);
    m_footerRow->hide();

    m_hScroll = new QScrollBar(Qt::Horizontal, this);
    m_hScroll->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_captionBar);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footerRow);
    layout->addWidget(m_hScroll);

    QScrollBar *inner = m_view->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, this, [this](int, int) { syncScrollBar(); });
    connect(inner, &QScrollBar::valueChanged, this, [this](int value) {
        m_hScroll->setValue(value);
        m_footer->setOffset(m_view->horizontalHeader()->offset());
    });
    connect(m_hScroll, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);

    GridHeader *header = m_view->header();
    connect(header, &QHeaderView::sectionClicked, this, [this](int col) { emit headClick(col); });
    connect(m_footer, &QHeaderView::sectionClicked, this, [this](int col) { emit footClick(col); });
    connect(header, &QHeaderView::sectionResized, this, [this](int col, int oldSize, int newSize) {
        m_footer->resizeSection(col, newSize);
        if (m_layoutUpdates == 0)
            sectionResizedByUser(col, oldSize, newSize);
        syncScrollBar();
    });

    connect(m_model, &GridModel::columnLayoutChanged, this, [this](int col) { applyColumnLayout(col); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { applyColumnLayout(); });
    connect(m_model, &QAbstractItemModel::columnsInserted, this, [this](const QModelIndex &, int first, int last) {
        for (int c = first; c <= last; ++c)
            layoutSection(c);
        finishColumnLayout();
    });
    connect(m_model, &QAbstractItemModel::columnsRemoved, this, [this] {
        applyColumnLayout();
        // Without columns there is nothing above to lay the view out.
        if (columnCount() == 0)
            m_view->relayout();
    });
    connect(m_model, &QAbstractItemModel::headerDataChanged, this, [this] {
        if (!holdsLayout())
            m_view->relayout();
        m_view->header()->viewport()->update();
        m_footer->viewport()->update();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (current.row() == previous.row())
                    return;
                syncToRecordset(current.row());
                emit rowColChange();
            });
    updateRowColors();
    setFocusProxy(m_view);
}

DataGrid::~DataGrid()
{
    // The views go before their model, and none of them calls back into a half-destroyed grid.
    disconnect(m_model, nullptr, this, nullptr);
    disconnect(m_view->selectionModel(), nullptr, this, nullptr);
    if (m_dataControl)
        disconnect(m_dataControl, nullptr, this, nullptr);
    delete m_footerRow;
    delete m_view;
}

void DataGrid::changeEvent(QEvent *event)
{
    // Rows and header follow the font the owner gives the grid.
    if (event->type() == QEvent::FontChange) {
        m_view->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_view->font()).height() + 4);
        fitRowsToText();
        if (m_footersOn)
            m_footer->setFixedHeight(m_footer->sizeHint().height());
        m_view->relayout();
    }
    QWidget::changeEvent(event);
}

// --- data source -------------------------------------------------------------------------------

void DataGrid::setDataSource(db::DataControl *control)
{
    if (m_dataControl)
        disconnect(m_dataControl, nullptr, this, nullptr);
    connectRecordset(nullptr);
    m_array = nullptr;
    m_dataControl = control;
    if (control) {
        connect(control, &db::DataControl::refreshed, this, &DataGrid::onDataControlRefreshed);
        connect(control, &db::DataControl::repositioned, this, &DataGrid::syncFromRecordset);
        connect(control, &QObject::destroyed, this, [this] { m_model->clearData(); });
        if (control->recordset()) {
            reload(false);
            return;
        }
        m_model->setRows({});
        return;
    }
    m_model->clearData();
}

db::DataControl *DataGrid::dataSource() const
{
    return m_dataControl;
}

void DataGrid::setArray(const platform::XArray *array)
{
    if (m_dataControl)
        disconnect(m_dataControl, nullptr, this, nullptr);
    m_dataControl = nullptr;
    connectRecordset(nullptr);
    m_array = array;
    reload(false);
}

const platform::XArray *DataGrid::array() const
{
    return m_array;
}

bool DataGrid::isBound() const
{
    return m_model->source() == GridModel::Source::Bound;
}

void DataGrid::rebind()
{
    reload(true);
}

void DataGrid::refresh()
{
    reload(false);
}

void DataGrid::onDataControlRefreshed()
{
    // A refresh that left no recordset keeps the rows shown before.
    if (m_dataControl && m_dataControl->recordset())
        reload(false);
}

void DataGrid::reload(bool createColumns)
{
    const int oldRow = currentRow();
    const int oldFirst = firstRow();
    if (m_dataControl) {
        db::Recordset *rs = m_dataControl->recordset();
        if (!rs)
            return;
        connectRecordset(rs);
        m_model->setRows(rs->rowSet());
        if (createColumns && columnCount() == 0) {
            for (const QString &name : m_model->fieldNames()) {
                GridColumn *col = addColumn();
                col->setCaption(name);
                col->setDataField(name);
            }
        }
        m_model->rebindFields();
        flushHeldLayout();
        fitRowsToText();
        syncFromRecordset();
        return;
    }
    if (m_array) {
        m_model->setArray(*m_array);
        flushHeldLayout();
        fitRowsToText();
        if (rowCount() > 0) {
            setFirstRow(qMax(0, oldFirst));
            setCurrentRow(qBound(0, oldRow, rowCount() - 1));
        }
    } else if (m_model->source() == GridModel::Source::Unbound) {
        m_model->setArray(platform::XArray());
    }
}

void DataGrid::setRowsFitText(bool on)
{
    if (m_rowsFitText == on)
        return;
    m_rowsFitText = on;
    if (on) {
        fitRowsToText();
    } else {
        QHeaderView *rows = m_view->verticalHeader();
        for (int r = 0; r < rowCount(); ++r)
            rows->resizeSection(r, rows->defaultSectionSize());
    }
}

void DataGrid::fitRowsToText()
{
    if (!m_rowsFitText)
        return;
    QHeaderView *rows = m_view->verticalHeader();
    const QFontMetrics metrics(m_view->font());
    // The room the view's cells leave around their text.
    const int margin = m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1;
    const int line = rows->defaultSectionSize();
    // A grid is rebound with mostly the same texts (the design values after each keystroke): laying
    // a text out costs more than looking its height up.
    constexpr qsizetype KeptHeights = 4096;
    if (m_measuredFont != m_view->font() || m_textHeights.size() > KeptHeights) {
        m_textHeights.clear();
        m_measuredFont = m_view->font();
    }
    for (int r = 0; r < rowCount(); ++r) {
        int height = line;
        for (int c = 0; c < columnCount(); ++c) {
            const GridColumn *col = m_model->column(c);
            if (!col->isVisible() || !col->wrapText())
                continue;
            const QString shown = GridModel::displayCaption(m_model->cellText(r, c));
            const int width = qMax(1, m_view->columnWidth(c) - 2 * margin);
            auto known = m_textHeights.constFind({width, shown});
            if (known == m_textHeights.cend()) {
                int textHeight = 0; // one line
                if (shown.contains(QLatin1Char('\n')) || metrics.horizontalAdvance(shown) > width)
                    textHeight = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, shown).height();
                known = m_textHeights.insert({width, shown}, textHeight);
            }
            if (*known > 0)
                height = qMax(height, *known + line - metrics.height());
        }
        if (rows->sectionSize(r) != height)
            rows->resizeSection(r, height);
    }
}

void DataGrid::connectRecordset(db::Recordset *recordset)
{
    if (m_recordset == recordset)
        return;
    if (m_recordset)
        disconnect(m_recordset, nullptr, this, nullptr);
    m_recordset = recordset;
    if (recordset)
        connect(recordset, &db::Recordset::repositioned, this, &DataGrid::syncFromRecordset);
}

void DataGrid::syncFromRecordset()
{
    if (m_syncing || !m_recordset || m_recordset->isClosed())
        return;
    const int pos = m_recordset->absolutePosition();
    m_syncing = true;
    if (pos < 0 || pos >= rowCount()) {
        m_view->selectionModel()->clearCurrentIndex();
        m_view->selectionModel()->clearSelection();
    } else if (pos != m_view->currentIndex().row() && columnCount() > 0) {
        int col = qMax(0, m_view->currentIndex().column());
        const QModelIndex index = m_model->index(pos, col);
        m_view->selectionModel()->setCurrentIndex(index,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_view->scrollTo(index);
    }
    m_syncing = false;
}

void DataGrid::syncToRecordset(int row)
{
    if (m_syncing || !m_recordset || m_recordset->isClosed() || row < 0 || row >= m_recordset->recordCount())
        return;
    if (m_recordset->absolutePosition() == row)
        return;
    m_syncing = true;
    try {
        m_recordset->setAbsolutePosition(row);
    } catch (const platform::VbError &) {
        // The grid keeps the row the user chose; the recordset stays where it was.
    }
    m_syncing = false;
}

// --- columns -----------------------------------------------------------------------------------

int DataGrid::columnCount() const
{
    return m_model->gridColumnCount();
}

GridColumn *DataGrid::column(int index) const
{
    GridColumn *col = m_model->column(index);
    if (!col)
        platform::raiseSubscriptOutOfRange();
    return col;
}

GridColumn *DataGrid::addColumn(int index)
{
    if (index > columnCount())
        platform::raiseSubscriptOutOfRange();
    return m_model->insertColumn(index < 0 ? columnCount() : index);
}

void DataGrid::removeColumn(int index)
{
    if (index < 0 || index >= columnCount())
        platform::raiseSubscriptOutOfRange();
    m_model->removeColumn(index);
}

void DataGrid::addColumns(int count)
{
    m_model->appendColumns(count);
}

void DataGrid::removeColumnsFrom(int first)
{
    m_model->removeColumnsFrom(qMax(0, first));
}

void DataGrid::clearColumns()
{
    removeColumnsFrom(0);
}

void DataGrid::applyColumnLayout()
{
    // The view's geometry follows all the columns at once: laying it out after each one measures
    // every caption again for every column.
    bool any = false;
    for (int c = 0; c < columnCount(); ++c)
        any = layoutSection(c) || any;
    if (any)
        finishColumnLayout();
}

void DataGrid::applyColumnLayout(int column)
{
    if (layoutSection(column))
        finishColumnLayout();
}

bool DataGrid::layoutSection(int column)
{
    const GridColumn *col = m_model->column(column);
    if (!col)
        return false;
    ++m_layoutUpdates;
    const int pixels = platform::twipsToPixels(col->widthTwips());
    QHeaderView *header = m_view->horizontalHeader();
    if (column < header->count()) {
        header->resizeSection(column, pixels);
        header->setSectionHidden(column, !col->isVisible());
    }
    if (column < m_footer->count()) {
        m_footer->resizeSection(column, pixels);
        m_footer->setSectionHidden(column, !col->isVisible());
    }
    --m_layoutUpdates;
    return true;
}

void DataGrid::finishColumnLayout()
{
    if (holdsLayout())
        return;
    bool wrap = false;
    for (int c = 0; c < columnCount(); ++c)
        wrap = wrap || m_model->column(c)->wrapText();
    m_view->setWordWrap(wrap);
    fitRowsToText();
    m_view->relayout();
    syncScrollBar();
}

bool DataGrid::holdsLayout()
{
    if (m_layoutHolds == 0)
        return false;
    m_layoutPending = true;
    return true;
}

void DataGrid::flushHeldLayout()
{
    if (!m_layoutPending)
        return;
    m_layoutPending = false;
    const int holds = std::exchange(m_layoutHolds, 0);
    finishColumnLayout();
    m_layoutHolds = holds;
}

GridLayoutHold::GridLayoutHold(DataGrid *grid) : m_grid(grid)
{
    if (m_grid)
        ++m_grid->m_layoutHolds;
}

GridLayoutHold::~GridLayoutHold()
{
    if (m_grid && --m_grid->m_layoutHolds == 0)
        m_grid->flushHeldLayout();
}

void DataGrid::sectionResizedByUser(int column, int oldPixels, int newPixels)
{
    GridColumn *col = m_model->column(column);
    if (!col)
        return;
    if (m_resizeColumn != column) {
        finishUserResize();
        m_resizeColumn = column;
        m_resizeOldTwips = col->widthTwips();
    }
    Q_UNUSED(oldPixels);
    ++m_layoutUpdates;
    col->setWidthTwips(platform::pixelsToTwips(newPixels));
    --m_layoutUpdates;
    // A resize that is not a drag of the header (a double click on the edge, or the program
    // resizing a section) ends at once.
    if (!m_view->header()->isPressed())
        finishUserResize();
}

void DataGrid::finishUserResize()
{
    const int column = m_resizeColumn;
    m_resizeColumn = -1;
    GridColumn *col = m_model->column(column);
    if (!col)
        return;
    bool cancel = false;
    emit colResize(column, &cancel);
    if (cancel && m_model->column(column) == col)
        col->setWidthTwips(m_resizeOldTwips);
}

// --- rows --------------------------------------------------------------------------------------

int DataGrid::rowCount() const
{
    return m_model->rowCount();
}

int DataGrid::currentRow() const
{
    const QModelIndex index = m_view->currentIndex();
    if (index.isValid())
        return index.row();
    if (m_recordset && !m_recordset->isClosed() && isBound()) {
        const int pos = m_recordset->absolutePosition();
        return pos < rowCount() ? pos : -1;
    }
    return -1;
}

void DataGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        m_view->selectionModel()->clearCurrentIndex();
        m_view->selectionModel()->clearSelection();
        return;
    }
    if (columnCount() == 0) {
        syncToRecordset(row);
        return;
    }
    const int col = qMax(0, m_view->currentIndex().column());
    const QModelIndex index = m_model->index(row, col);
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

int DataGrid::currentColumn() const
{
    return m_view->currentIndex().isValid() ? m_view->currentIndex().column() : -1;
}

int DataGrid::firstRow() const
{
    return rowCount() > 0 ? m_view->verticalScrollBar()->value() : -1;
}

void DataGrid::setFirstRow(int row)
{
    m_view->verticalScrollBar()->setValue(qMax(0, row));
}

int DataGrid::leftColumn() const
{
    const int col = m_view->columnAt(0);
    return col;
}

void DataGrid::setLeftColumn(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    m_view->horizontalScrollBar()->setValue(m_view->horizontalHeader()->sectionPosition(column));
}

QString DataGrid::text(int row, int column) const
{
    return m_model->cellText(row, column);
}

QVariant DataGrid::value(int row, int column) const
{
    return m_model->cellValue(row, column);
}

// --- appearance --------------------------------------------------------------------------------

QString DataGrid::caption() const
{
    return m_captionBar->text();
}

void DataGrid::setCaption(const QString &caption)
{
    m_captionBar->setText(caption);
    m_captionBar->setVisible(!caption.isEmpty());
    // The caption above the table is its name for screen readers too.
    m_view->setAccessibleName(caption);
}

void DataGrid::setEvenRowColor(platform::OleColor color)
{
    m_evenRowColor = color;
    updateRowColors();
}

void DataGrid::setOddRowColor(platform::OleColor color)
{
    m_oddRowColor = color;
    updateRowColors();
}

void DataGrid::setAlternatingRows(bool on)
{
    m_alternatingRows = on;
    updateRowColors();
}

void DataGrid::updateRowColors()
{
    m_model->setRowColors(m_alternatingRows, platform::toQColor(m_evenRowColor), platform::toQColor(m_oddRowColor));
}

Qt::Alignment DataGrid::splitAlignment() const
{
    return m_model->splitAlignment();
}

void DataGrid::setSplitAlignment(Qt::Alignment alignment)
{
    m_model->setSplitAlignment(alignment);
}

bool DataGrid::columnFooters() const
{
    return m_footersOn;
}

void DataGrid::setColumnFooters(bool on)
{
    m_footersOn = on;
    m_footerRow->setVisible(on);
    if (on) {
        m_footer->setFixedHeight(m_footer->sizeHint().height());
        applyColumnLayout();
        m_footer->setOffset(m_view->horizontalHeader()->offset());
    }
}

void DataGrid::setCellTips(int style)
{
    m_cellTips = style == AnchoredCellTips || style == FloatingCellTips ? style : NoCellTips;
}

QFont DataGrid::headFont() const
{
    return m_view->header()->font();
}

double DataGrid::fittingWidthTwips(int index, const QStringList &cellTexts) const
{
    // The header draws inside two pixels each side; a cell leaves the focus frame's margin and a pixel
    // each side, and the grid line.
    constexpr int HeadingMargin = 2 * 2 + 2;
    const int cellMargin = 2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1) + 1;
    int pixels = 0;
    const QFontMetrics head(headFont());
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &word : column(index)->caption().split(blanks, Qt::SkipEmptyParts))
        pixels = std::max(pixels, head.horizontalAdvance(word) + HeadingMargin);
    const QFontMetrics cell(m_view->font());
    for (const QString &text : cellTexts)
        pixels = std::max(pixels, cell.horizontalAdvance(text) + cellMargin);
    return platform::pixelsToTwips(pixels);
}

void DataGrid::setHeadFont(const QFont &font)
{
    m_view->header()->setFont(font);
    m_footer->setFont(font);
    if (m_footersOn)
        m_footer->setFixedHeight(m_footer->sizeHint().height());
    m_view->relayout();
}

void DataGrid::syncScrollBar()
{
    const QScrollBar *inner = m_view->horizontalScrollBar();
    m_hScroll->setRange(inner->minimum(), inner->maximum());
    m_hScroll->setPageStep(inner->pageStep());
    m_hScroll->setSingleStep(inner->singleStep());
    m_hScroll->setValue(inner->value());
    m_hScroll->setVisible(inner->maximum() > inner->minimum());
}

// --- cell tips, drag and drop ------------------------------------------------------------------

QString DataGrid::cellTip(GridArea area, int column, int row) const
{
    if (m_cellTips == NoCellTips || column < 0 || column >= columnCount())
        return {};
    QString tip;
    emit fetchCellTips(area, column, row, &tip);
    return tip;
}

QMimeData *DataGrid::createDragData() const
{
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(DragMimeType), objectName().toUtf8());
    data->setText(objectName());
    return data;
}

void DataGrid::beginDrag()
{
    auto *drag = new QDrag(this);
    drag->setMimeData(createDragData());
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

bool DataGrid::isGridDrag(const QMimeData *data)
{
    return data && data->hasFormat(QString::fromLatin1(DragMimeType));
}

QString DataGrid::dragSourceName(const QMimeData *data)
{
    return isGridDrag(data) ? QString::fromUtf8(data->data(QString::fromLatin1(DragMimeType))) : QString();
}

void DataGrid::droppedOn(QObject *source, const QPoint &posInGrid)
{
    emit dragDrop(source, platform::pixelsToTwips(posInGrid.x()), platform::pixelsToTwips(posInGrid.y()));
}

} // namespace controls
