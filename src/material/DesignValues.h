#pragma once

// Number reading and writing of the design values. Both are independent of the locale: a design
// value must read the same on every engineer's machine.

#include <QString>

namespace designvalues {

// A number written with an optional leading "-" or "+", digits and at most one decimal sign, which
// may be "," or "."; blanks around it are ignored. Anything else raises VbError 13 (Type mismatch).
double readNumber(const QString &text);

// An interpolated value: rounded (half away from zero) from its 15 significant digits to exactly
// two decimals, at least one integer digit, no grouping, a decimal comma: 190 -> "190,00".
QString formatValue(double value);

} // namespace designvalues
