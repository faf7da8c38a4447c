#pragma once

#include "platform/VbError.h"

#include <QVariant>
#include <QVector>

namespace platform {

// A two-dimensional array of values with arbitrary bounds per dimension, rows first; the grids'
// unbound data and the ReDim arrays. A default QVariant is a Null cell. An index outside the bounds,
// or any access to an unallocated array, raises VbError 9 (subscript out of range).
class XArray
{
public:
    XArray() = default;
    XArray(int rowLower, int rowUpper, int colLower, int colUpper) { redim(rowLower, rowUpper, colLower, colUpper); }

    // Allocates anew with all cells Null. An upper bound below the lower bound gives zero rows (columns).
    void redim(int rowLower, int rowUpper, int colLower, int colUpper);
    // Reallocates keeping every cell that lies inside both the old and the new bounds.
    void redimPreserve(int rowLower, int rowUpper, int colLower, int colUpper);
    void clear(); // back to unallocated

    bool isAllocated() const { return m_allocated; }
    int lowerBound(int dim) const; // dim 1 = rows, 2 = columns
    int upperBound(int dim) const;
    int count(int dim) const;

    QVariant value(int row, int col) const;
    void setValue(int row, int col, const QVariant &value);
    bool isNull(int row, int col) const { return value(row, col).isNull(); }

    // Inserts or deletes rows (dim 1) or columns (dim 2) at an index, moving the later ones.
    void insertRows(int dim, int index, int count);
    void deleteRows(int dim, int index, int count);

    bool operator==(const XArray &other) const;

private:
    int offset(int row, int col) const;

    bool m_allocated = false;
    int m_rowLower = 0, m_rowUpper = -1, m_colLower = 0, m_colUpper = -1;
    QVector<QVariant> m_cells;
};

// A one-dimensional array with a lower bound (ReDim / ReDim Preserve). Index checks raise VbError 9.
template <typename T>
class VbArray
{
public:
    VbArray() = default;

    void redim(int lower, int upper);
    void redimPreserve(int upper); // keeps the lower bound and the kept elements
    void clear()
    {
        m_allocated = false;
        m_items.clear();
        m_lower = 0;
    }

    bool isAllocated() const { return m_allocated; }
    int lowerBound() const;
    int upperBound() const;
    int count() const { return m_allocated ? int(m_items.size()) : 0; }

    const T &at(int index) const;
    T &operator[](int index);
    const T &operator[](int index) const { return at(index); }

    bool operator==(const VbArray &other) const = default;

private:
    void check(int index) const;

    bool m_allocated = false;
    int m_lower = 0;
    QVector<T> m_items;
};

template <typename T>
void VbArray<T>::redim(int lower, int upper)
{
    m_allocated = true;
    m_lower = lower;
    m_items = QVector<T>(qMax(0, upper - lower + 1));
}

template <typename T>
void VbArray<T>::redimPreserve(int upper)
{
    if (!m_allocated) {
        redim(0, upper);
        return;
    }
    m_items.resize(qMax(0, upper - m_lower + 1));
}

template <typename T>
int VbArray<T>::lowerBound() const
{
    if (!m_allocated)
        raiseSubscriptOutOfRange();
    return m_lower;
}

template <typename T>
int VbArray<T>::upperBound() const
{
    if (!m_allocated)
        raiseSubscriptOutOfRange();
    return m_lower + int(m_items.size()) - 1;
}

template <typename T>
void VbArray<T>::check(int index) const
{
    if (!m_allocated || index < m_lower || index >= m_lower + int(m_items.size()))
        raiseSubscriptOutOfRange();
}

template <typename T>
const T &VbArray<T>::at(int index) const
{
    check(index);
    return m_items[index - m_lower];
}

template <typename T>
T &VbArray<T>::operator[](int index)
{
    check(index);
    return m_items[index - m_lower];
}

} // namespace platform
