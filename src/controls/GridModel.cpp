#include "controls/GridModel.h"

#include "controls/DataGrid.h"
#include "db/Recordset.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"

#include <QBrush>

namespace controls {

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent)
{
}

GridModel::~GridModel() = default;

int GridModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    switch (m_source) {
    case Source::Bound: return m_rows ? m_rows->size() : 0;
    case Source::Unbound: return m_array.isAllocated() ? m_array.count(1) : 0;
    case Source::None: break;
    }
    return 0;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : gridColumnCount();
}

QVariant GridModel::cellValue(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= gridColumnCount())
        return {};
    if (m_source == Source::Bound) {
        const int field = m_fieldIndex.value(column, -1);
        try {
            const auto &cells = m_rows->row(row);
            return field >= 0 && field < cells.size() ? cells.at(field) : QVariant();
        } catch (const platform::VbError &) {
            return {}; // a row that could not be read from the file shows empty
        }
    }
    // The grid may have more columns than the array: those show empty cells.
    const int arrayColumn = m_array.lowerBound(2) + column;
    if (arrayColumn > m_array.upperBound(2))
        return {};
    return m_array.value(m_array.lowerBound(1) + row, arrayColumn);
}

QString GridModel::cellText(int row, int column) const
{
    const QVariant value = cellValue(row, column);
    return platform::isNull(value) ? QString() : platform::cStr(value);
}

bool GridModel::isCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < gridColumnCount();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!isCell(index))
        return {};
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::EditRole: return cellValue(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(effectiveAlignment(index.column(), cellValue(index.row(), index.column())));
    case Qt::BackgroundRole:
        if (m_alternating)
            return QBrush(index.row() % 2 == 0 ? m_even : m_odd);
        return {};
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return section + 1;
        return {};
    }
    const GridColumn *col = column(section);
    if (!col)
        return {};
    switch (role) {
    case Qt::DisplayRole: return col->showsHeadingPicture() ? QString() : col->m_shownCaption;
    // The name a screen reader gives the heading: its lines in one, also where a picture shows them.
    case Qt::AccessibleTextRole:
        return col->m_shownCaption.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' ')).simplified();
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case PictureRole: return col->headingPicture();
    case FooterRole: return col->footerText();
    case LineCountRole: return col->m_captionLines;
    default: return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

GridColumn *GridModel::column(int index) const
{
    if (index < 0 || index >= gridColumnCount())
        return nullptr;
    return m_columns[size_t(index)].get();
}

int GridModel::indexOf(const GridColumn *column) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].get() == column)
            return int(i);
    return -1;
}

GridColumn *GridModel::insertColumn(int index)
{
    if (index < 0 || index > gridColumnCount())
        index = gridColumnCount();
    beginInsertColumns(QModelIndex(), index, index);
    auto col = std::unique_ptr<GridColumn>(new GridColumn(this));
    GridColumn *raw = col.get();
    m_columns.insert(m_columns.begin() + index, std::move(col));
    m_fieldIndex.insert(index, -1);
    endInsertColumns();
    return raw;
}

void GridModel::appendColumns(int count)
{
    if (count <= 0)
        return;
    const int first = gridColumnCount();
    beginInsertColumns(QModelIndex(), first, first + count - 1);
    for (int i = 0; i < count; ++i) {
        m_columns.push_back(std::unique_ptr<GridColumn>(new GridColumn(this)));
        m_fieldIndex.append(-1);
    }
    endInsertColumns();
}

void GridModel::removeColumnsFrom(int first)
{
    const int last = gridColumnCount() - 1;
    if (first < 0 || first > last)
        return;
    beginRemoveColumns(QModelIndex(), first, last);
    m_columns.erase(m_columns.begin() + first, m_columns.end());
    m_fieldIndex.resize(first);
    endRemoveColumns();
}

void GridModel::removeColumn(int index)
{
    if (index < 0 || index >= gridColumnCount())
        return;
    beginRemoveColumns(QModelIndex(), index, index);
    m_columns.erase(m_columns.begin() + index);
    m_fieldIndex.remove(index);
    endRemoveColumns();
}

void GridModel::setRows(QSharedPointer<const db::RowSet> rows)
{
    beginResetModel();
    m_source = Source::Bound;
    m_rows = rows ? rows : QSharedPointer<const db::RowSet>::create();
    m_array.clear();
    for (int c = 0; c < gridColumnCount(); ++c)
        m_fieldIndex[c] = fieldIndexOf(m_columns[size_t(c)]->dataField());
    endResetModel();
}

void GridModel::setArray(const platform::XArray &array)
{
    beginResetModel();
    m_source = Source::Unbound;
    m_rows.reset();
    m_array = array;
    m_fieldIndex.fill(-1);
    endResetModel();
}

void GridModel::clearData()
{
    beginResetModel();
    m_source = Source::None;
    m_rows.reset();
    m_array.clear();
    m_fieldIndex.fill(-1);
    endResetModel();
}

QStringList GridModel::fieldNames() const
{
    return m_rows ? m_rows->fieldNames : QStringList();
}

void GridModel::rebindFields()
{
    if (m_source != Source::Bound)
        return;
    for (int c = 0; c < gridColumnCount(); ++c)
        m_fieldIndex[c] = fieldIndexOf(m_columns[size_t(c)]->dataField());
    if (gridColumnCount() > 0 && rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, gridColumnCount() - 1));
}

int GridModel::fieldIndexOf(const QString &field) const
{
    if (!m_rows || field.isEmpty())
        return -1;
    return m_rows->fieldIndex(field);
}

void GridModel::setSplitAlignment(Qt::Alignment alignment)
{
    m_splitAlignment = alignment;
    if (gridColumnCount() > 0 && rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, gridColumnCount() - 1), {Qt::TextAlignmentRole});
}

Qt::Alignment GridModel::effectiveAlignment(int column, const QVariant &value) const
{
    Qt::Alignment horizontal;
    if (const GridColumn *col = this->column(column))
        horizontal = col->alignment() & Qt::AlignHorizontal_Mask;
    if (!horizontal)
        horizontal = m_splitAlignment & Qt::AlignHorizontal_Mask;
    if (!horizontal) // general: numbers to the right, texts to the left
        horizontal = platform::isNull(value) || value.typeId() == QMetaType::QString ? Qt::AlignLeft : Qt::AlignRight;
    return horizontal | Qt::AlignVCenter;
}

void GridModel::setRowColors(bool alternating, const QColor &even, const QColor &odd)
{
    m_alternating = alternating;
    m_even = even;
    m_odd = odd;
    if (gridColumnCount() > 0 && rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, gridColumnCount() - 1), {Qt::BackgroundRole});
}

QString GridModel::displayCaption(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void GridModel::columnHeaderChanged(const GridColumn *column)
{
    const int i = indexOf(column);
    if (i >= 0)
        emit headerDataChanged(Qt::Horizontal, i, i);
}

void GridModel::columnDataChanged(const GridColumn *column)
{
    const int i = indexOf(column);
    if (i < 0)
        return;
    if (m_source == Source::Bound)
        m_fieldIndex[i] = fieldIndexOf(column->dataField());
    if (rowCount() > 0)
        emit dataChanged(index(0, i), index(rowCount() - 1, i));
}

void GridModel::columnLayoutChangedBy(const GridColumn *column)
{
    const int i = indexOf(column);
    if (i >= 0)
        emit columnLayoutChanged(i);
}

// --- GridColumn ------------------------------------------------------------------------------

int GridColumn::index() const
{
    return m_model->indexOf(this);
}

void GridColumn::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    m_shownCaption = GridModel::displayCaption(caption);
    m_captionLines = int(m_shownCaption.count(QLatin1Char('\n'))) + 1;
    m_model->columnHeaderChanged(this);
}

void GridColumn::setWidthTwips(double twips)
{
    if (twips < 0)
        twips = 0;
    if (m_widthTwips == twips)
        return;
    m_widthTwips = twips;
    m_model->columnLayoutChangedBy(this);
}

void GridColumn::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    m_model->columnLayoutChangedBy(this);
}

void GridColumn::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    m_model->columnDataChanged(this);
}

void GridColumn::setDataField(const QString &field)
{
    m_dataField = field;
    m_model->columnDataChanged(this);
}

void GridColumn::setHeadingPicture(const QImage &picture)
{
    m_picture = picture;
    m_model->columnHeaderChanged(this);
}

void GridColumn::setFooterText(const QString &text)
{
    m_footerText = text;
    m_model->columnHeaderChanged(this);
}

void GridColumn::setWrapText(bool wrap)
{
    if (m_wrapText == wrap)
        return;
    m_wrapText = wrap;
    m_model->columnLayoutChangedBy(this);
}

} // namespace controls
