#pragma once

#include "VbError.h"

#include <QList>
#include <QString>

namespace platform {

// A keyed collection in insertion order; items are numbered from 1. Keys compare without regard to
// letter case. A duplicate key raises VbError 457, a missing key 5, an index out of range 9.
template <typename T>
class Collection
{
public:
    void add(const T &item, const QString &key = {});
    // Inserts before the item at a 1-based index.
    void addBefore(const T &item, int before, const QString &key = {});

    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    bool contains(const QString &key) const { return indexOfKey(key) >= 0; }

    const T &item(int index) const;
    T &item(int index);
    const T &item(const QString &key) const;
    T &item(const QString &key);

    void remove(int index);
    void remove(const QString &key);
    void clear() { m_items.clear(); }

    // Key of the 1-based item (empty when it was added without one).
    QString keyAt(int index) const;

    auto begin() const { return ItemIterator{m_items.cbegin()}; }
    auto end() const { return ItemIterator{m_items.cend()}; }

private:
    struct Entry
    {
        T item;
        QString key;
    };
    struct ItemIterator
    {
        typename QList<Entry>::const_iterator it;
        const T &operator*() const { return it->item; }
        ItemIterator &operator++()
        {
            ++it;
            return *this;
        }
        bool operator!=(const ItemIterator &o) const { return it != o.it; }
        bool operator==(const ItemIterator &o) const { return it == o.it; }
    };

    int indexOfKey(const QString &key) const;
    void checkIndex(int index) const;

    QList<Entry> m_items;
};

template <typename T>
int Collection<T>::indexOfKey(const QString &key) const
{
    if (key.isEmpty())
        return -1;
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

template <typename T>
void Collection<T>::checkIndex(int index) const
{
    if (index < 1 || index > m_items.size())
        raiseSubscriptOutOfRange();
}

template <typename T>
void Collection<T>::add(const T &item, const QString &key)
{
    if (indexOfKey(key) >= 0)
        throw VbError(vberr::KeyAlreadyAssociated,
                      QStringLiteral("This key is already associated with an element of this collection"));
    m_items.append(Entry{item, key});
}

template <typename T>
void Collection<T>::addBefore(const T &item, int before, const QString &key)
{
    checkIndex(before);
    if (indexOfKey(key) >= 0)
        throw VbError(vberr::KeyAlreadyAssociated,
                      QStringLiteral("This key is already associated with an element of this collection"));
    m_items.insert(before - 1, Entry{item, key});
}

template <typename T>
const T &Collection<T>::item(int index) const
{
    checkIndex(index);
    return m_items[index - 1].item;
}

template <typename T>
T &Collection<T>::item(int index)
{
    checkIndex(index);
    return m_items[index - 1].item;
}

template <typename T>
const T &Collection<T>::item(const QString &key) const
{
    const int i = indexOfKey(key);
    if (i < 0)
        throw VbError(vberr::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    return m_items[i].item;
}

template <typename T>
T &Collection<T>::item(const QString &key)
{
    const int i = indexOfKey(key);
    if (i < 0)
        throw VbError(vberr::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    return m_items[i].item;
}

template <typename T>
void Collection<T>::remove(int index)
{
    checkIndex(index);
    m_items.removeAt(index - 1);
}

template <typename T>
void Collection<T>::remove(const QString &key)
{
    const int i = indexOfKey(key);
    if (i < 0)
        throw VbError(vberr::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    m_items.removeAt(i);
}

template <typename T>
QString Collection<T>::keyAt(int index) const
{
    checkIndex(index);
    return m_items[index - 1].key;
}

} // namespace platform
