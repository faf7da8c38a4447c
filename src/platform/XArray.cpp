#include "platform/XArray.h"

#include "platform/VbError.h"

namespace platform {

namespace {
int span(int lower, int upper)
{
    return upper < lower ? 0 : upper - lower + 1;
}
} // namespace

void XArray::redim(int rowLower, int rowUpper, int colLower, int colUpper)
{
    if (rowUpper < rowLower)
        rowUpper = rowLower - 1;
    if (colUpper < colLower)
        colUpper = colLower - 1;
    m_allocated = true;
    m_rowLower = rowLower;
    m_rowUpper = rowUpper;
    m_colLower = colLower;
    m_colUpper = colUpper;
    m_cells = QVector<QVariant>(qsizetype(span(rowLower, rowUpper)) * span(colLower, colUpper));
}

void XArray::redimPreserve(int rowLower, int rowUpper, int colLower, int colUpper)
{
    if (!m_allocated) {
        redim(rowLower, rowUpper, colLower, colUpper);
        return;
    }
    XArray old = std::move(*this);
    redim(rowLower, rowUpper, colLower, colUpper);
    const int r0 = qMax(m_rowLower, old.m_rowLower), r1 = qMin(m_rowUpper, old.m_rowUpper);
    const int c0 = qMax(m_colLower, old.m_colLower), c1 = qMin(m_colUpper, old.m_colUpper);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            m_cells[offset(r, c)] = old.m_cells[old.offset(r, c)];
}

void XArray::clear()
{
    m_allocated = false;
    m_rowLower = 0;
    m_rowUpper = -1;
    m_colLower = 0;
    m_colUpper = -1;
    m_cells.clear();
}

int XArray::lowerBound(int dim) const
{
    if (!m_allocated || (dim != 1 && dim != 2))
        raiseSubscriptOutOfRange();
    return dim == 1 ? m_rowLower : m_colLower;
}

int XArray::upperBound(int dim) const
{
    if (!m_allocated || (dim != 1 && dim != 2))
        raiseSubscriptOutOfRange();
    return dim == 1 ? m_rowUpper : m_colUpper;
}

int XArray::count(int dim) const
{
    if (dim != 1 && dim != 2)
        raiseSubscriptOutOfRange();
    if (!m_allocated)
        return 0;
    return dim == 1 ? span(m_rowLower, m_rowUpper) : span(m_colLower, m_colUpper);
}

int XArray::offset(int row, int col) const
{
    if (!m_allocated || row < m_rowLower || row > m_rowUpper || col < m_colLower || col > m_colUpper)
        raiseSubscriptOutOfRange();
    return (row - m_rowLower) * span(m_colLower, m_colUpper) + (col - m_colLower);
}

QVariant XArray::value(int row, int col) const
{
    return m_cells.at(offset(row, col));
}

void XArray::setValue(int row, int col, const QVariant &value)
{
    m_cells[offset(row, col)] = value;
}

void XArray::insertRows(int dim, int index, int count)
{
    if (!m_allocated || (dim != 1 && dim != 2) || count < 0)
        raiseSubscriptOutOfRange();
    const int lower = dim == 1 ? m_rowLower : m_colLower;
    const int upper = dim == 1 ? m_rowUpper : m_colUpper;
    // Inserting just past the last row appends.
    if (index < lower || index > upper + 1)
        raiseSubscriptOutOfRange();
    if (count == 0)
        return;
    XArray old = *this;
    if (dim == 1)
        redim(m_rowLower, m_rowUpper + count, m_colLower, m_colUpper);
    else
        redim(m_rowLower, m_rowUpper, m_colLower, m_colUpper + count);
    for (int r = old.m_rowLower; r <= old.m_rowUpper; ++r) {
        for (int c = old.m_colLower; c <= old.m_colUpper; ++c) {
            int nr = r, nc = c;
            if (dim == 1 && r >= index)
                nr += count;
            if (dim == 2 && c >= index)
                nc += count;
            m_cells[offset(nr, nc)] = old.m_cells[old.offset(r, c)];
        }
    }
}

void XArray::deleteRows(int dim, int index, int count)
{
    if (!m_allocated || (dim != 1 && dim != 2) || count < 0)
        raiseSubscriptOutOfRange();
    const int lower = dim == 1 ? m_rowLower : m_colLower;
    const int upper = dim == 1 ? m_rowUpper : m_colUpper;
    if (count == 0)
        return;
    if (index < lower || index + count - 1 > upper)
        raiseSubscriptOutOfRange();
    XArray old = *this;
    if (dim == 1)
        redim(m_rowLower, m_rowUpper - count, m_colLower, m_colUpper);
    else
        redim(m_rowLower, m_rowUpper, m_colLower, m_colUpper - count);
    for (int r = old.m_rowLower; r <= old.m_rowUpper; ++r) {
        for (int c = old.m_colLower; c <= old.m_colUpper; ++c) {
            int nr = r, nc = c;
            if (dim == 1) {
                if (r >= index && r < index + count)
                    continue;
                if (r >= index + count)
                    nr -= count;
            } else {
                if (c >= index && c < index + count)
                    continue;
                if (c >= index + count)
                    nc -= count;
            }
            m_cells[offset(nr, nc)] = old.m_cells[old.offset(r, c)];
        }
    }
}

bool XArray::operator==(const XArray &other) const
{
    if (m_allocated != other.m_allocated)
        return false;
    if (!m_allocated)
        return true;
    if (m_rowLower != other.m_rowLower || m_rowUpper != other.m_rowUpper || m_colLower != other.m_colLower ||
        m_colUpper != other.m_colUpper)
        return false;
    for (qsizetype i = 0; i < m_cells.size(); ++i) {
        const QVariant &a = m_cells[i], &b = other.m_cells[i];
        if (a.isNull() != b.isNull() || (!a.isNull() && a != b))
            return false;
    }
    return true;
}

} // namespace platform
