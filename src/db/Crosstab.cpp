#include "db/Database.h"
#include "db/Query.h"
#include "db/SqlValues.h"
#include "platform/VbError.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace db::detail {

namespace {

[[noreturn]] void crosstabError(const QString &sql)
{
    throw platform::VbError(dberr::SyntaxError, QStringLiteral("Syntax error in TRANSFORM statement '%1'.").arg(sql));
}

// Positions of a keyword (words separated by blanks) outside quotes, brackets and parentheses.
QVector<qsizetype> topLevel(const QString &s, const QStringList &words)
{
    QVector<qsizetype> hits;
    int depth = 0;
    QChar quote;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"' || c == u'[') {
            quote = c == u'[' ? QChar(u']') : c;
            continue;
        }
        if (c == u'(') {
            ++depth;
            continue;
        }
        if (c == u')') {
            --depth;
            continue;
        }
        if (depth != 0 || (i > 0 && (s.at(i - 1).isLetterOrNumber() || s.at(i - 1) == u'_')))
            continue;
        qsizetype k = i;
        bool ok = true;
        for (const QString &w : words) {
            if (k > i) {
                const qsizetype blanks = k;
                while (k < s.size() && s.at(k).isSpace())
                    ++k;
                if (k == blanks) {
                    ok = false;
                    break;
                }
            }
            if (s.mid(k, w.size()).compare(w, Qt::CaseInsensitive) != 0) {
                ok = false;
                break;
            }
            k += w.size();
        }
        if (ok && (k >= s.size() || !(s.at(k).isLetterOrNumber() || s.at(k) == u'_')))
            hits.append(i);
    }
    return hits;
}

qsizetype firstTopLevel(const QString &s, const QStringList &words)
{
    const auto hits = topLevel(s, words);
    return hits.isEmpty() ? -1 : hits.first();
}

struct Clauses
{
    QString aggregate;  // max, min, ...
    QString valueExpr;  // its argument
    QString select;     // the SELECT part as written
    QString selectList; // the row heading fields
    QString fromWhere;  // "from ... where ..."
    QString groupBy;    // the GROUP BY list
    QString pivot;      // the pivot expression
};

Clauses parse(const QString &sql)
{
    QString s = sql.trimmed();
    while (s.endsWith(u';'))
        s.chop(1);
    Clauses p;
    static const QRegularExpression head(QStringLiteral("^transform\\s+(\\w+)\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = head.match(s);
    if (!m.hasMatch())
        crosstabError(sql);
    p.aggregate = m.captured(1).toLower();
    // The aggregate's argument runs to its matching bracket.
    qsizetype i = m.capturedEnd(0);
    int depth = 1;
    const qsizetype argStart = i;
    for (; i < s.size() && depth > 0; ++i) {
        if (s.at(i) == u'(')
            ++depth;
        else if (s.at(i) == u')')
            --depth;
    }
    if (depth != 0)
        crosstabError(sql);
    p.valueExpr = s.mid(argStart, i - 1 - argStart).trimmed();
    const QString rest = s.mid(i);
    const qsizetype selectAt = firstTopLevel(rest, {QStringLiteral("select")});
    const auto pivots = topLevel(rest, {QStringLiteral("pivot")});
    if (selectAt < 0 || pivots.isEmpty() || !rest.left(selectAt).trimmed().isEmpty() || pivots.last() < selectAt)
        crosstabError(sql);
    p.select = rest.mid(selectAt, pivots.last() - selectAt).trimmed();
    p.pivot = rest.mid(pivots.last() + 5).trimmed();
    if (p.pivot.isEmpty() || p.valueExpr.isEmpty())
        crosstabError(sql);

    const qsizetype fromAt = firstTopLevel(p.select, {QStringLiteral("from")});
    const qsizetype groupAt = firstTopLevel(p.select, {QStringLiteral("group"), QStringLiteral("by")});
    if (fromAt < 0 || groupAt < fromAt)
        crosstabError(sql);
    qsizetype orderAt = firstTopLevel(p.select, {QStringLiteral("order"), QStringLiteral("by")});
    if (orderAt < groupAt)
        orderAt = p.select.size();
    p.selectList = p.select.mid(6, fromAt - 6).trimmed();
    p.fromWhere = p.select.mid(fromAt, groupAt - fromAt).trimmed();
    const QString group = p.select.mid(groupAt, orderAt - groupAt).trimmed();
    static const QRegularExpression groupBy(QStringLiteral("^group\\s+by\\s+"),
                                            QRegularExpression::CaseInsensitiveOption);
    p.groupBy = group;
    p.groupBy.remove(groupBy);
    if (p.selectList.isEmpty() || p.groupBy.isEmpty())
        crosstabError(sql);
    return p;
}

// Grouping key of a value: numbers by value, texts without regard to letter case.
QString keyOf(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return QStringLiteral("N");
    switch (v.typeId()) {
    case QMetaType::QString: return QStringLiteral("T") + v.toString().toCaseFolded();
    case QMetaType::QByteArray: return QStringLiteral("B") + QString::fromLatin1(v.toByteArray().toHex());
    default:
        if (const auto n = numberOf(v))
            return QStringLiteral("D") + QString::number(*n, 'g', 17);
        return QStringLiteral("T") + textOf(v).toCaseFolded();
    }
}

// Cell values are often numbers stored as text ("95", "207", "11,1"); the largest is by number then.
std::optional<int> compareCells(const QVariant &a, const QVariant &b)
{
    auto asNumber = [](const QVariant &v) -> std::optional<double> {
        if (v.typeId() == QMetaType::QString) {
            QString t = v.toString().trimmed();
            if (t.count(u',') == 1 && !t.contains(u'.'))
                t.replace(u',', u'.');
            return numberOf(t);
        }
        return numberOf(v);
    };
    const auto x = asNumber(a), y = asNumber(b);
    if (x && y)
        return *x < *y ? -1 : (*x > *y ? 1 : 0);
    return compareValues(a, b);
}

QString rowKey(const QVector<QVariant> &row, int count)
{
    QString key;
    for (int c = 0; c < count; ++c) {
        key += keyOf(row.at(c));
        key += QChar(0x1f);
    }
    return key;
}

} // namespace

bool isCrosstab(const QString &sql)
{
    static const QRegularExpression head(QStringLiteral("^\\s*transform\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    return head.match(sql).hasMatch();
}

RowSet runCrosstab(sqlite3 *db, const QString &sql, const std::shared_ptr<StatementCache> &cache)
{
    const Clauses p = parse(sql);
    RowSet heads = runSelect(db, p.select, cache);
    const int headCount = int(heads.fieldNames.size());

    const bool ownMax = p.aggregate == QLatin1String("max") || p.aggregate == QLatin1String("min");
    QString cellSql = QStringLiteral("SELECT %1, (%2), ").arg(p.selectList, p.pivot);
    if (ownMax)
        cellSql += QStringLiteral("(%1) %2").arg(p.valueExpr, p.fromWhere);
    else
        cellSql += QStringLiteral("%1(%2) %3 GROUP BY %4, (%5)")
                       .arg(p.aggregate, p.valueExpr, p.fromWhere, p.groupBy, p.pivot);
    const RowSet cells = runSelect(db, cellSql, cache);
    if (cells.fieldNames.size() != headCount + 2)
        crosstabError(sql);

    // Distinct pivot values, each with the first value met as its representative.
    QHash<QString, QVariant> pivotValues;
    QHash<QString, QHash<QString, QVariant>> grid; // row key -> pivot key -> cell
    const int sign = p.aggregate == QLatin1String("min") ? -1 : 1;
    for (const auto &row : cells.rows) {
        const QVariant pv = row.at(headCount);
        const QString pk = keyOf(pv);
        if (!pivotValues.contains(pk))
            pivotValues.insert(pk, pv);
        QVariant &cell = grid[rowKey(row, headCount)][pk];
        const QVariant v = row.at(headCount + 1);
        if (!ownMax) {
            cell = v;
        } else if (!v.isNull()) {
            const auto c = compareCells(v, cell);
            if (cell.isNull() || (c && *c * sign > 0))
                cell = v;
        }
    }

    QVector<QVariant> order = pivotValues.values().toVector();
    bool allNumbers = true;
    for (const QVariant &v : order)
        if (!v.isNull() && !numberOf(v))
            allNumbers = false;
    std::sort(order.begin(), order.end(), [allNumbers](const QVariant &a, const QVariant &b) {
        if (a.isNull() || b.isNull())
            return a.isNull() && !b.isNull(); // the Null column comes first
        if (allNumbers)
            return *numberOf(a) < *numberOf(b);
        return QString::compare(textOf(a), textOf(b), Qt::CaseInsensitive) < 0;
    });

    RowSet result;
    result.fieldNames = heads.fieldNames;
    QStringList pivotKeys;
    for (const QVariant &v : order) {
        result.fieldNames.append(v.isNull() ? QStringLiteral("<>") : textOf(v));
        pivotKeys.append(keyOf(v));
    }
    for (const auto &head : heads.rows) {
        QVector<QVariant> row = head;
        const auto &cellsOfRow = grid.value(rowKey(head, headCount));
        for (const QString &pk : pivotKeys)
            row.append(cellsOfRow.value(pk));
        result.rows.append(std::move(row));
    }
    return result;
}

} // namespace db::detail
