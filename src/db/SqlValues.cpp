#include "db/SqlValues.h"

#include "platform/VbConv.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <sqlite3.h>

namespace db::detail {

namespace {

QString declaredType(sqlite3_stmt *stmt, int column)
{
    const char *decl = sqlite3_column_decltype(stmt, column);
    return decl ? QString::fromUtf8(decl).trimmed().toUpper() : QString();
}

bool isNumberType(const QVariant &v)
{
    return v.typeId() == QMetaType::Bool || platform::isNumericType(v);
}

bool isDateType(const QVariant &v)
{
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

QDateTime dateTimeOf(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString text = v.toString().trimmed();
    QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (d.isValid())
            dt = d.startOfDay();
    }
    return dt;
}

} // namespace

ColumnKind columnKind(sqlite3_stmt *stmt, int column)
{
    const QString decl = declaredType(stmt, column);
    if (decl == QLatin1String("BOOLEAN") || decl == QLatin1String("BOOL") || decl == QLatin1String("BIT") ||
        decl == QLatin1String("YESNO"))
        return ColumnKind::Boolean;
    if (decl == QLatin1String("DATE"))
        return ColumnKind::Date;
    if (decl == QLatin1String("DATETIME"))
        return ColumnKind::DateTime;
    return ColumnKind::Plain;
}

QVariant columnValue(sqlite3_stmt *stmt, int column, ColumnKind kind)
{
    const int storage = sqlite3_column_type(stmt, column);
    if (storage == SQLITE_NULL)
        return QVariant();
    if (kind == ColumnKind::Boolean) {
        if (storage == SQLITE_TEXT) {
            const QString t = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)));
            if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                return true;
            if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                return false;
        }
        return sqlite3_column_double(stmt, column) != 0.0;
    }
    if (storage == SQLITE_TEXT && (kind == ColumnKind::Date || kind == ColumnKind::DateTime)) {
        const QString t = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)));
        // A DATE text with a time of day (a Jet date/time) is handed out with its time.
        if (kind == ColumnKind::Date && t.size() <= 10) {
            const QDate d = QDate::fromString(t.left(10), Qt::ISODate);
            if (d.isValid())
                return d;
        } else {
            QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
            if (!dt.isValid())
                dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!dt.isValid()) {
                const QDate d = QDate::fromString(t, Qt::ISODate);
                if (d.isValid())
                    dt = d.startOfDay();
            }
            if (dt.isValid())
                return dt;
        }
        return t;
    }
    switch (storage) {
    case SQLITE_INTEGER: {
        const qint64 n = sqlite3_column_int64(stmt, column);
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            return int(n);
        return n;
    }
    case SQLITE_FLOAT: return sqlite3_column_double(stmt, column);
    case SQLITE_BLOB: {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QByteArray(data, sqlite3_column_bytes(stmt, column));
    }
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                 sqlite3_column_bytes(stmt, column));
    }
}

std::optional<double> numberOf(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    if (isNumberType(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (ok && std::isfinite(d))
            return d;
    }
    return std::nullopt;
}

std::optional<int> compareValues(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || !a.isValid() || b.isNull() || !b.isValid())
        return std::nullopt;
    const bool aNum = isNumberType(a), bNum = isNumberType(b);
    if (aNum || bNum) {
        const auto x = numberOf(a), y = numberOf(b);
        if (x && y)
            return *x < *y ? -1 : (*x > *y ? 1 : 0);
    }
    if (isDateType(a) || isDateType(b)) {
        const QDateTime x = dateTimeOf(a), y = dateTimeOf(b);
        if (x.isValid() && y.isValid())
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int c = QString::compare(textOf(a), textOf(b), Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

QString textOf(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate: return platform::shortDate(v.toDate());
    case QMetaType::QDateTime: return platform::cStr(v);
    default: return v.toString();
    }
}

} // namespace db::detail
