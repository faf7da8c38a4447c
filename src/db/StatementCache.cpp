#include "db/StatementCache.h"

#include <sqlite3.h>

#include <utility>

namespace db::detail {

StatementCache::~StatementCache()
{
    for (const Kept &kept : m_kept)
        sqlite3_finalize(kept.prepared.stmt);
}

StatementCache::Prepared StatementCache::take(const QByteArray &sql)
{
    for (auto it = m_kept.rbegin(); it != m_kept.rend(); ++it) {
        if (it->sql == sql) {
            const Prepared prepared = it->prepared;
            m_kept.erase(std::next(it).base());
            return prepared;
        }
    }
    return {};
}

void StatementCache::keep(const QByteArray &sql, Prepared prepared)
{
    if (!prepared.stmt)
        return;
    // The error of a failed run was raised already; reset repeats it.
    sqlite3_reset(prepared.stmt);
    sqlite3_clear_bindings(prepared.stmt);
    if (int(m_kept.size()) >= Capacity) {
        sqlite3_finalize(m_kept.front().prepared.stmt);
        m_kept.erase(m_kept.begin());
    }
    m_kept.push_back({sql, prepared});
}

HeldStatement::HeldStatement(StatementCache::Prepared prepared, QByteArray sql, std::weak_ptr<StatementCache> cache)
    : m_prepared(prepared), m_sql(std::move(sql)), m_cache(std::move(cache))
{
}

HeldStatement::HeldStatement(HeldStatement &&other) noexcept
    : m_prepared(std::exchange(other.m_prepared, {})), m_sql(std::move(other.m_sql)), m_cache(std::move(other.m_cache))
{
}

HeldStatement &HeldStatement::operator=(HeldStatement &&other) noexcept
{
    if (this != &other) {
        release();
        m_prepared = std::exchange(other.m_prepared, {});
        m_sql = std::move(other.m_sql);
        m_cache = std::move(other.m_cache);
    }
    return *this;
}

void HeldStatement::release()
{
    if (!m_prepared.stmt)
        return;
    if (const std::shared_ptr<StatementCache> cache = m_cache.lock())
        cache->keep(m_sql, m_prepared);
    else
        sqlite3_finalize(m_prepared.stmt);
    m_prepared = {};
}

} // namespace db::detail
