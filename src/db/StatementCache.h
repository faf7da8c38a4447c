#pragma once

#include <QByteArray>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db::detail {

// The statements of one connection kept for their texts: windows ask for the same rows again (the
// lookup tables, a table shown a second time), and preparing a statement costs more than reading a
// few rows. A statement is taken out while it is in use, so that two recordsets of one text never
// share one, and comes back reset with its bindings cleared. The cache finalizes what it holds when
// it goes, which must be before its connection closes.
class StatementCache
{
public:
    // The statements kept; the one used longest ago goes first.
    static constexpr int Capacity = 48;

    struct Prepared
    {
        sqlite3_stmt *stmt = nullptr;
        qsizetype textLength = 0; // the bytes of the statement's own text, without what follows it
    };

    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    // A statement prepared before from exactly this text, ready to run, or a null stmt.
    Prepared take(const QByteArray &sql);
    // Takes back a statement prepared from the text: reset, its bindings cleared.
    void keep(const QByteArray &sql, Prepared prepared);
    int size() const { return int(m_kept.size()); }

private:
    struct Kept
    {
        QByteArray sql;
        Prepared prepared;
    };
    std::vector<Kept> m_kept; // the most recently kept last
};

// A statement in use. Released, it goes back to the cache it is for, or is finalized when it has
// none or the cache has gone with its connection.
class HeldStatement
{
public:
    HeldStatement() = default;
    HeldStatement(StatementCache::Prepared prepared, QByteArray sql, std::weak_ptr<StatementCache> cache);
    HeldStatement(HeldStatement &&other) noexcept;
    HeldStatement &operator=(HeldStatement &&other) noexcept;
    ~HeldStatement() { release(); }

    sqlite3_stmt *get() const { return m_prepared.stmt; }
    // The statement's own text, without what followed it.
    QByteArray text() const { return m_sql.left(m_prepared.textLength); }
    void release();

private:
    StatementCache::Prepared m_prepared;
    QByteArray m_sql;
    std::weak_ptr<StatementCache> m_cache;
};

} // namespace db::detail
