#pragma once

// Number reading and writing of the design values. Both are independent of the locale: a design
// value must read the same on every engineer's machine.

#include "platform/XArray.h"

#include <QString>
#include <QStringList>

namespace designvalues {

// A number written with an optional leading "-" or "+", digits and at most one decimal sign, which
// may be "," or "."; blanks around it are ignored. Anything else raises VbError 13 (Type mismatch).
double readNumber(const QString &text);

// An interpolated value: rounded (half away from zero) from its 15 significant digits to exactly
// two decimals, at least one integer digit, no grouping, a decimal comma: 190 -> "190,00".
QString formatValue(double value);

// True for a character of a written number: a digit, "." , "," or "-".
bool isNumberChar(QChar ch);

// A table cell's text split around its first run of number characters: what stands before it, the
// number (its decimal sign made "." in English, else ","), what stands after.
struct ValueParts
{
    QString prefix;
    QString number;
    QString suffix;
};
// The two cells around a design temperature; a side without prefix or suffix of the lower cell
// takes the upper cell's.
std::pair<ValueParts, ValueParts> splitValuePair(const QString &low, const QString &high, bool english);

// One table's design values at the temperature typed, for its columns 1..lastColumn. The table
// holds the temperatures in column 0 of rows 1..R and the values beside them. "-" below the
// first temperature, "+" above the last, the value of a row met exactly, "x" where a value needed
// is missing, else the value interpolated linearly between the rows around the temperature.
// Raises VbError 13 when a temperature or a value is no number.
QStringList valuesAt(const platform::XArray &table, const QString &typed, int lastColumn, bool english);

} // namespace designvalues
