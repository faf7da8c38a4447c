#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

namespace db {

namespace detail {
class PendingRows;
}

// The rows of one query, shared by a recordset and its clones. Read through size() and row(): a
// set read on demand (Database::openRecordset with ReadRows::OnDemand) keeps its rows in `pending`,
// reads them from the statement as they are first asked for, and knows its size from a count.
struct RowSet
{
    QStringList fieldNames;
    QVector<QVector<QVariant>> rows; // every row of a set read at once; Null cells are default QVariants
    std::shared_ptr<detail::PendingRows> pending;

    int size() const;
    bool isEmpty() const { return size() == 0; }
    // The row at a 0-based index below size().
    const QVector<QVariant> &row(int index) const;
    // The index of a field named in any letter case; -1 when there is none.
    int fieldIndex(const QString &name) const;
};

// A cursor over the rows of a query (a snapshot taken when the query ran). Errors raise
// platform::VbError: moving past the first or last record, moveFirst/moveLast on an empty recordset, or
// reading a field without a current record 3021,
// an unknown field 3265, a criterion the engine cannot read 3075.
class Recordset : public QObject
{
    Q_OBJECT
public:
    explicit Recordset(QSharedPointer<const RowSet> rows, QObject *parent = nullptr);

    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    // Moves by a number of records from the current one (negative backwards).
    void move(int rows);

    int recordCount() const;
    // 0-based position of the current record, -1 when there is none.
    int absolutePosition() const;
    void setAbsolutePosition(int position);

    // Criteria: field = number, field = 'text', <>, <, >, <=, >=, LIKE 'pattern', AND, OR, NOT,
    // brackets; field names in any letter case, texts compared without regard to letter case.
    void findFirst(const QString &criteria);
    void findNext(const QString &criteria);
    void findPrevious(const QString &criteria);
    void findLast(const QString &criteria);
    bool noMatch() const { return m_noMatch; }

    // An independent cursor over the same rows, positioned on the first record.
    std::unique_ptr<Recordset> clone() const;

    int fieldCount() const;
    QString fieldName(int index) const;
    int fieldIndex(const QString &name) const; // -1 when unknown
    QVariant field(const QString &name) const; // value of the current record; Null stays Null
    QVariant field(int index) const;
    QVariant value(int row, int column) const; // direct cell access for the grids

    // Edits are never pending: the recordsets are read-only.
    static constexpr int dbEditNone = 0;
    int editMode() const { return dbEditNone; }

    void close();
    bool isClosed() const { return m_closed; }

    QSharedPointer<const RowSet> rowSet() const { return m_rows; }

signals:
    // The current record changed (every move, find that matched, and setAbsolutePosition).
    void repositioned();

private:
    void checkOpen() const;
    void checkCurrent() const;
    void setPosition(int position);
    bool matches(int row, const QString &criteria) const;
    // Tests the rows from one index on in one direction; the first match becomes current.
    void find(const QString &criteria, int from, int step);

    QSharedPointer<const RowSet> m_rows;
    int m_pos = -1; // -1 BOF, rows.size() EOF
    bool m_noMatch = false;
    bool m_closed = false;
};

} // namespace db
