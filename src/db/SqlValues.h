#pragma once

#include <QString>
#include <QVariant>
#include <optional>

struct sqlite3_stmt;

namespace db::detail {

// How a column's declared type makes its values read.
enum class ColumnKind { Plain, Boolean, Date, DateTime };
ColumnKind columnKind(sqlite3_stmt *stmt, int column);

// Column value of the current row of a statement, typed by the column's declared kind (looked up
// once for all the rows): DATE/DATETIME as QDate/QDateTime, BOOLEAN as bool, NULL as a default QVariant.
QVariant columnValue(sqlite3_stmt *stmt, int column, ColumnKind kind);

// The number a value stands for: numbers and booleans (true = -1) as they are, texts that read as a
// number with a point as decimal sign. Nothing for Null, dates and other texts.
std::optional<double> numberOf(const QVariant &v);

// Ordering of two values as the engine compares them: numbers (and numeric texts against numbers)
// numerically, dates as dates, texts without regard to letter case. Nothing when either is Null.
std::optional<int> compareValues(const QVariant &a, const QVariant &b);

// The text of a value as a pattern match and a column heading see it (16 -> "16").
QString textOf(const QVariant &v);

} // namespace db::detail
