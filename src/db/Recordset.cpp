#include "db/Recordset.h"

#include "db/Criteria.h"
#include "db/Database.h"
#include "db/EngineErrors.h"
#include "db/Query.h"
#include "platform/VbError.h"

namespace db {

namespace {

[[noreturn]] void noCurrentRecord()
{
    throw platform::VbError(dberr::NoCurrentRecord, QStringLiteral("No current record."));
}

[[noreturn]] void itemNotFound()
{
    throw detail::itemNotFound();
}

} // namespace

int RowSet::size() const
{
    return pending ? pending->count() : int(rows.size());
}

const QVector<QVariant> &RowSet::row(int index) const
{
    return pending ? pending->row(index) : rows.at(index);
}

int RowSet::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fieldNames.size(); ++i)
        if (fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Recordset::Recordset(QSharedPointer<const RowSet> rows, QObject *parent)
    : QObject(parent), m_rows(rows ? std::move(rows) : QSharedPointer<const RowSet>::create())
{
    m_pos = 0; // on the first record; with no records that is both BOF and EOF
}

void Recordset::checkOpen() const
{
    if (m_closed)
        throw platform::VbError(dberr::ObjectClosed, QStringLiteral("Object invalid or no longer set."));
}

void Recordset::checkCurrent() const
{
    checkOpen();
    if (m_pos < 0 || m_pos >= m_rows->size())
        noCurrentRecord();
}

void Recordset::setPosition(int position)
{
    m_pos = position;
    emit repositioned();
}

bool Recordset::bof() const
{
    checkOpen();
    return m_rows->isEmpty() || m_pos < 0;
}

bool Recordset::eof() const
{
    checkOpen();
    return m_rows->isEmpty() || m_pos >= m_rows->size();
}

void Recordset::moveFirst()
{
    checkOpen();
    if (m_rows->isEmpty())
        noCurrentRecord();
    setPosition(0);
}

void Recordset::moveLast()
{
    checkOpen();
    if (m_rows->isEmpty())
        noCurrentRecord();
    setPosition(m_rows->size() - 1);
}

void Recordset::moveNext()
{
    checkOpen();
    if (eof())
        noCurrentRecord();
    setPosition(m_pos + 1);
}

void Recordset::movePrevious()
{
    checkOpen();
    if (bof())
        noCurrentRecord();
    setPosition(m_pos - 1);
}

void Recordset::move(int rows)
{
    checkCurrent();
    const qint64 target = qint64(m_pos) + rows;
    const int count = m_rows->size();
    setPosition(int(std::clamp<qint64>(target, -1, count)));
}

int Recordset::recordCount() const
{
    checkOpen();
    return m_rows->size();
}

int Recordset::absolutePosition() const
{
    checkOpen();
    return (m_pos >= 0 && m_pos < m_rows->size()) ? m_pos : -1;
}

void Recordset::setAbsolutePosition(int position)
{
    checkOpen();
    if (position < 0 || position >= m_rows->size())
        throw platform::VbError(dberr::InvalidArgument, QStringLiteral("Invalid argument."));
    setPosition(position);
}

bool Recordset::matches(int row, const QString &criteria) const
{
    return detail::Criteria(criteria, m_rows->fieldNames).matches(m_rows->row(row));
}

void Recordset::findFirst(const QString &criteria)
{
    find(criteria, 0, 1);
}

void Recordset::findLast(const QString &criteria)
{
    checkOpen();
    find(criteria, m_rows->size() - 1, -1);
}

void Recordset::findNext(const QString &criteria)
{
    checkOpen();
    // From before the first record the search starts at the first one.
    find(criteria, std::max(m_pos, -1) + 1, 1);
}

void Recordset::findPrevious(const QString &criteria)
{
    checkOpen();
    find(criteria, std::min<int>(m_pos, m_rows->size()) - 1, -1);
}

void Recordset::find(const QString &criteria, int from, int step)
{
    checkOpen();
    const detail::Criteria compiled(criteria, m_rows->fieldNames);
    const int count = m_rows->size();
    for (int row = from; row >= 0 && row < count; row += step) {
        if (compiled.matches(m_rows->row(row))) {
            m_noMatch = false;
            setPosition(row);
            return;
        }
    }
    m_noMatch = true;
}

std::unique_ptr<Recordset> Recordset::clone() const
{
    checkOpen();
    return std::make_unique<Recordset>(m_rows);
}

int Recordset::fieldCount() const
{
    checkOpen();
    return int(m_rows->fieldNames.size());
}

QString Recordset::fieldName(int index) const
{
    checkOpen();
    if (index < 0 || index >= m_rows->fieldNames.size())
        itemNotFound();
    return m_rows->fieldNames.at(index);
}

int Recordset::fieldIndex(const QString &name) const
{
    checkOpen();
    return m_rows->fieldIndex(name);
}

QVariant Recordset::field(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        itemNotFound();
    return field(index);
}

QVariant Recordset::field(int index) const
{
    checkOpen();
    if (index < 0 || index >= m_rows->fieldNames.size())
        itemNotFound();
    checkCurrent();
    return m_rows->row(m_pos).value(index);
}

QVariant Recordset::value(int row, int column) const
{
    checkOpen();
    if (column < 0 || column >= m_rows->fieldNames.size())
        itemNotFound();
    if (row < 0 || row >= m_rows->size())
        noCurrentRecord();
    return m_rows->row(row).value(column);
}

void Recordset::close()
{
    m_closed = true;
}

} // namespace db
