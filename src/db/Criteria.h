#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace db::detail {

// A find criterion read once and tested against many rows: comparisons of fields with numbers and
// quoted texts, LIKE, IS NULL, AND, OR, NOT and brackets. A comparison with Null is neither true
// nor false, so such a row never matches.
class Criteria
{
public:
    // Raises platform::VbError 3075 for a text it cannot read and 3070 for an unknown field name.
    Criteria(const QString &text, const QStringList &fieldNames);
    ~Criteria();
    Criteria(Criteria &&) noexcept;

    bool matches(const QVector<QVariant> &row) const;

    struct Node;

private:
    std::unique_ptr<Node> m_root;
};

} // namespace db::detail
