#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace platform {

// Values that may be Null (a database field, a grid cell): a default-constructed QVariant is Null.
inline QVariant Null()
{
    return QVariant();
}
inline bool isNull(const QVariant &v)
{
    return v.isNull() || !v.isValid();
}
// The value, or the replacement when it is Null.
QVariant nz(const QVariant &v, const QVariant &replacement = QString());

// Conversions as the runtime does them, in the locale the program runs in (QLocale()).
// Null raises VbError 94 "Invalid use of Null"; text that is no number raises 13 "Type mismatch";
// a result outside the type's range raises 6 "Overflow".
qint16 cInt(const QVariant &v); // rounds halves to even
qint32 cLng(const QVariant &v); // rounds halves to even
double cDbl(const QVariant &v);
float cSng(const QVariant &v);
bool cBool(const QVariant &v);
QString cStr(const QVariant &v); // numbers with the locale's decimal sign, booleans "True"/"False"
// A date as the regional settings write it short: the text the grids show and criteria match.
QString shortDate(const QDate &d);

// Half to even, as the integer conversions round.
double roundHalfEven(double value);

// Leading number of a text, always with a point as decimal sign; 0 when none ("12abc" -> 12).
double val(const QString &text);
// A text the locale reads as a number (what cDbl accepts).
bool isNumeric(const QVariant &v);
// A value held as one of the number types (not Boolean, not text).
bool isNumericType(const QVariant &v);

// Number formatting with a pattern of the forms "0", "0.0", "##0.00", "#,##0.00": the digits after the
// point fixed, grouping when the pattern has a comma, the locale's decimal and grouping signs.
QString formatNumber(double value, const QString &pattern);
// The same for a value as the runtime's Format takes it: Null gives an empty text, text that reads as a
// number is converted with cDbl first ("1,5" is 15 in an English locale), other text comes back as it is.
QString formatNumber(const QVariant &value, const QString &pattern);

} // namespace platform
