#pragma once

#include "platform/XArray.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QSharedPointer>
#include <QVector>
#include <memory>
#include <vector>

namespace db {
struct RowSet;
}

namespace controls {

class GridColumn;

// The rows and columns of a DataGrid: the grid's columns over either a snapshot of a recordset's
// rows (bound) or a copy of a two-dimensional array (unbound). Read-only.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Header roles beside the standard ones.
    static constexpr int FooterRole = Qt::UserRole + 1;    // footer text of a column
    static constexpr int PictureRole = Qt::UserRole + 2;   // heading picture (QImage) of a column
    static constexpr int LineCountRole = Qt::UserRole + 3; // number of caption lines

    explicit GridModel(QObject *parent = nullptr);
    ~GridModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Columns.
    int gridColumnCount() const { return int(m_columns.size()); }
    GridColumn *column(int index) const; // nullptr outside the columns
    int indexOf(const GridColumn *column) const;
    GridColumn *insertColumn(int index);
    // Appends count new columns at once.
    void appendColumns(int count);
    void removeColumn(int index);
    // Removes the columns from first to the last at once.
    void removeColumnsFrom(int first);

    // Data.
    enum class Source { None, Bound, Unbound };
    Source source() const { return m_source; }
    void setRows(QSharedPointer<const db::RowSet> rows);
    void setArray(const platform::XArray &array);
    void clearData();
    QSharedPointer<const db::RowSet> rows() const { return m_rows; }
    QStringList fieldNames() const;
    // Re-matches every column's data field with the bound fields.
    void rebindFields();

    QVariant cellValue(int row, int column) const;
    QString cellText(int row, int column) const;

    Qt::Alignment splitAlignment() const { return m_splitAlignment; }
    void setSplitAlignment(Qt::Alignment alignment);
    Qt::Alignment effectiveAlignment(int column, const QVariant &value) const;

    void setRowColors(bool alternating, const QColor &even, const QColor &odd);

    // Text of a caption as shown: CR LF (and a lone CR or LF) become line breaks.
    static QString displayCaption(const QString &caption);

signals:
    // Width or visibility of a column changed.
    void columnLayoutChanged(int column);

private:
    friend class GridColumn;
    void columnHeaderChanged(const GridColumn *column);
    void columnDataChanged(const GridColumn *column);
    void columnLayoutChangedBy(const GridColumn *column);
    int fieldIndexOf(const QString &field) const;
    bool isCell(const QModelIndex &index) const;

    std::vector<std::unique_ptr<GridColumn>> m_columns;
    QVector<int> m_fieldIndex; // per column: recordset field, -1 none
    Source m_source = Source::None;
    QSharedPointer<const db::RowSet> m_rows;
    platform::XArray m_array;
    Qt::Alignment m_splitAlignment;
    bool m_alternating = false;
    QColor m_even = Qt::white;
    QColor m_odd = Qt::white;
};

} // namespace controls
