#include "material/DesignValues.h"

#include "platform/VbConv.h"
#include "platform/VbError.h"

#include <cmath>

namespace designvalues {

namespace {

[[noreturn]] void typeMismatch()
{
    throw platform::VbError(platform::vberr::TypeMismatch, QStringLiteral("Type mismatch"));
}

// Adds one to a string of decimal digits.
QString incremented(QString digits)
{
    for (int i = int(digits.size()) - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

} // namespace

double readNumber(const QString &text)
{
    const QString s = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    QString digits;
    bool separator = false;
    int decimals = 0;
    for (; i < s.size(); ++i) {
        const QChar ch = s[i];
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            digits += ch;
            if (separator)
                ++decimals;
        } else if ((ch == QLatin1Char(',') || ch == QLatin1Char('.')) && !separator) {
            separator = true;
        } else {
            typeMismatch();
        }
    }
    if (digits.isEmpty())
        typeMismatch();
    // Through the C notation, so that the reading is exactly the nearest double.
    QString c = digits;
    if (decimals > 0)
        c.insert(c.size() - decimals, QLatin1Char('.'));
    const double value = c.toDouble();
    return negative ? -value : value;
}

QString formatValue(double value)
{
    if (!std::isfinite(value))
        typeMismatch();
    const bool negative = value < 0;
    // 15 significant digits: d.dddddddddddddde+XX
    const QString e = QString::number(std::fabs(value), 'e', 14);
    const int ePos = int(e.indexOf(QLatin1Char('e')));
    QString mantissa = e.left(ePos);
    mantissa.remove(QLatin1Char('.'));
    const int exponent = e.mid(ePos + 1).toInt();

    // The value times 100 is mantissa * 10^(exponent - 12); round it to a whole number.
    QString hundredths;
    const int shift = exponent - 12;
    if (value == 0) {
        hundredths = QStringLiteral("0");
    } else if (shift >= 0) {
        hundredths = mantissa + QString(shift, QLatin1Char('0'));
    } else {
        const int keep = int(mantissa.size()) + shift;
        if (keep < 0) {
            hundredths = QStringLiteral("0");
        } else {
            hundredths = keep == 0 ? QStringLiteral("0") : mantissa.left(keep);
            if (mantissa.at(keep) >= QLatin1Char('5'))
                hundredths = incremented(hundredths);
        }
    }
    while (hundredths.size() > 1 && hundredths.startsWith(QLatin1Char('0')))
        hundredths.remove(0, 1);
    while (hundredths.size() < 3)
        hundredths.prepend(QLatin1Char('0'));
    hundredths.insert(hundredths.size() - 2, QLatin1Char(','));
    return negative ? QLatin1Char('-') + hundredths : hundredths;
}

bool isNumberChar(QChar ch)
{
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('.') || ch == QLatin1Char(',') ||
           ch == QLatin1Char('-');
}

std::pair<ValueParts, ValueParts> splitValuePair(const QString &low, const QString &high, bool english)
{
    auto split = [english](const QString &s) {
        int start = 0;
        while (start < s.size() && !isNumberChar(s.at(start)))
            ++start;
        int end = start;
        while (end < s.size() && isNumberChar(s.at(end)))
            ++end;
        QString number = s.mid(start, end - start);
        if (english)
            number.replace(QLatin1Char(','), QLatin1Char('.'));
        else
            number.replace(QLatin1Char('.'), QLatin1Char(','));
        return ValueParts{s.left(start), number, s.mid(end)};
    };
    std::pair<ValueParts, ValueParts> parts{split(low), split(high)};
    if (parts.first.prefix.isEmpty() && !parts.second.prefix.isEmpty())
        parts.first.prefix = parts.second.prefix;
    if (parts.first.suffix.isEmpty() && !parts.second.suffix.isEmpty())
        parts.first.suffix = parts.second.suffix;
    return parts;
}

QStringList valuesAt(const platform::XArray &table, const QString &typed, int lastColumn, bool english)
{
    using platform::cStr;
    using platform::nz;
    const float T = float(readNumber(typed));
    const int R = table.upperBound(1);
    auto temperature = [&](int row) { return float(readNumber(cStr(nz(table.value(row, 0))))); };
    auto cell = [&](int row, int c) { return cStr(nz(table.value(row, c))); };

    QStringList results;
    if (temperature(1) > T) {
        for (int c = 1; c <= lastColumn; ++c)
            results << QStringLiteral("-");
        return results;
    }
    if (temperature(R) < T) {
        for (int c = 1; c <= lastColumn; ++c)
            results << QStringLiteral("+");
        return results;
    }
    int i = R < 2 ? 2 : R;
    for (int row = 2; row <= R - 1; ++row) {
        if (temperature(row) > T) {
            i = row;
            break;
        }
    }
    for (int c = 1; c <= lastColumn; ++c) {
        const auto [lowParts, highParts] = splitValuePair(cell(i - 1, c), R < i ? cell(i - 1, c) : cell(i, c), english);
        const QString &lowNumber = lowParts.number;
        const QString &highNumber = highParts.number;
        QString result;
        if (temperature(i - 1) == T) {
            result = lowNumber.isEmpty() ? QStringLiteral("x") : lowParts.prefix + lowNumber + lowParts.suffix;
        } else if (R >= i && cell(i, 0) == typed) {
            result = highNumber.isEmpty() ? QStringLiteral("x") : lowParts.prefix + highNumber + lowParts.suffix;
        } else if (lowNumber.isEmpty() || highNumber.isEmpty()) {
            result = QStringLiteral("x");
        } else {
            const double low = readNumber(lowNumber);
            const double high = readNumber(highNumber);
            const double lowTemp = readNumber(cell(i - 1, 0));
            const double highTemp = readNumber(cell(R < i ? i - 1 : i, 0));
            const double value = low + (double(T) - lowTemp) * (high - low) / (highTemp - lowTemp);
            result = lowParts.prefix + formatValue(value) + lowParts.suffix;
        }
        results << result;
    }
    return results;
}

} // namespace designvalues
