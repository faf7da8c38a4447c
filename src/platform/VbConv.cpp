#include "platform/VbConv.h"

#include "platform/VbError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <cfloat>
#include <cmath>

namespace platform {

namespace {

[[noreturn]] void raiseNull()
{
    throw VbError(vberr::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
}

[[noreturn]] void raiseTypeMismatch()
{
    throw VbError(vberr::TypeMismatch, QStringLiteral("Type mismatch"));
}

[[noreturn]] void raiseOverflow()
{
    throw VbError(vberr::Overflow, QStringLiteral("Overflow"));
}

bool isSpaceLike(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool isMinus(QChar c, const QString &localeMinus)
{
    return c == QLatin1Char('-') || (localeMinus.size() == 1 && c == localeMinus.at(0)) || c == QChar(0x2212);
}

// Text as the runtime reads a number: the locale's decimal sign, its grouping sign ignored
// wherever it stands, a sign in front, behind or as parentheses, an exponent, &H/&O prefixes.
bool parseLocaleNumber(const QString &input, double *out)
{
    const QLocale locale;
    QString t = input.trimmed();
    if (t.isEmpty())
        return false;
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        *out = -1.0;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        *out = 0.0;
        return true;
    }
    if (t.size() > 2 && t.at(0) == QLatin1Char('&')) {
        const QChar kind = t.at(1).toUpper();
        bool ok = false;
        qulonglong n = 0;
        if (kind == QLatin1Char('H'))
            n = t.mid(2).toULongLong(&ok, 16);
        else if (kind == QLatin1Char('O'))
            n = t.mid(2).toULongLong(&ok, 8);
        if (!ok)
            return false;
        *out = double(n);
        return true;
    }

    const QString currency = locale.currencySymbol();
    if (!currency.isEmpty()) {
        if (t.startsWith(currency))
            t = t.mid(currency.size()).trimmed();
        else if (t.endsWith(currency))
            t = t.left(t.size() - currency.size()).trimmed();
    }

    bool negative = false;
    if (t.size() >= 2 && t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    const QString localeMinus = locale.negativeSign();
    if (!t.isEmpty() && (t.at(0) == QLatin1Char('+') || isMinus(t.at(0), localeMinus))) {
        if (negative && isMinus(t.at(0), localeMinus))
            return false;
        negative = isMinus(t.at(0), localeMinus);
        t = t.mid(1).trimmed();
    } else if (!negative && !t.isEmpty() && (isMinus(t.back(), localeMinus) || t.back() == QLatin1Char('+'))) {
        negative = isMinus(t.back(), localeMinus);
        t.chop(1);
        t = t.trimmed();
    }

    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const bool groupIsSpace = group.size() == 1 && isSpaceLike(group.at(0));
    QString normal;
    normal.reserve(t.size());
    for (qsizetype i = 0; i < t.size();) {
        if (!decimal.isEmpty() && QStringView(t).mid(i).startsWith(decimal)) {
            normal += QLatin1Char('.');
            i += decimal.size();
        } else if (!group.isEmpty() && QStringView(t).mid(i).startsWith(group)) {
            i += group.size();
        } else if (groupIsSpace && isSpaceLike(t.at(i))) {
            ++i;
        } else if (t.at(i) == QLatin1Char('.')) {
            return false; // a point that is neither the decimal nor the grouping sign
        } else {
            const QChar c = t.at(i);
            normal += (c == QLatin1Char('d') || c == QLatin1Char('D')) ? QLatin1Char('e') : c;
            ++i;
        }
    }
    static const QRegularExpression shape(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!shape.match(normal).hasMatch())
        return false;
    bool ok = false;
    double d = QLocale::c().toDouble(normal, &ok);
    if (!ok) {
        // Beyond the range of a double.
        if (std::isinf(std::strtod(normal.toLatin1().constData(), nullptr)))
            raiseOverflow();
        return false;
    }
    *out = negative ? -d : d;
    return true;
}

bool isTextType(const QVariant &v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QChar;
}

// Days since 30 December 1899, the runtime's date serial.
double dateSerial(const QDateTime &dt)
{
    const QDate epoch(1899, 12, 30);
    const qint64 days = epoch.daysTo(dt.date());
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + fraction : days - fraction;
}

double toDouble(const QVariant &v)
{
    if (isNull(v))
        raiseNull();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    if (isNumericType(v))
        return v.toDouble();
    if (isTextType(v)) {
        double d = 0;
        if (!parseLocaleNumber(v.toString(), &d))
            raiseTypeMismatch();
        return d;
    }
    if (v.typeId() == QMetaType::QDate)
        return dateSerial(QDateTime(v.toDate(), QTime(0, 0)));
    if (v.typeId() == QMetaType::QDateTime)
        return dateSerial(v.toDateTime());
    raiseTypeMismatch();
}

// The shortest digits that read back as the value, in the runtime's layout: fixed notation
// from 1E-4 up to 15 integer digits, otherwise "1.5E+20".
// A single-precision value gets the shortest digits that read back as the same single (0.1, not
// 0.100000001490116).
QString shortestDouble(double d, bool single = false)
{
    if (std::isnan(d) || std::isinf(d))
        return QLocale::c().toString(d);
    if (d == 0.0)
        return QStringLiteral("0");
    QString sci = QString::number(std::fabs(d), 'e', QLocale::FloatingPointShortest);
    if (single) {
        for (int precision = 0; precision <= 8; ++precision) {
            const QString candidate = QString::number(std::fabs(d), 'e', precision);
            if (float(candidate.toDouble()) == float(std::fabs(d))) {
                sci = candidate;
                break;
            }
        }
        const qsizetype e = sci.indexOf(QLatin1Char('e'));
        QString mantissa = sci.left(e);
        if (mantissa.contains(QLatin1Char('.'))) {
            while (mantissa.endsWith(QLatin1Char('0')))
                mantissa.chop(1);
            if (mantissa.endsWith(QLatin1Char('.')))
                mantissa.chop(1);
        }
        sci = mantissa + sci.mid(e);
    }
    const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
    QString digits = sci.left(ePos);
    digits.remove(QLatin1Char('.'));
    const int exponent = sci.mid(ePos + 1).toInt();
    const QString decimal = QLocale().decimalPoint();
    QString body;
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            body = QStringLiteral("0") + decimal + QString(-exponent - 1, QLatin1Char('0')) + digits;
        } else if (digits.size() <= exponent + 1) {
            body = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
        } else {
            body = digits.left(exponent + 1) + decimal + digits.mid(exponent + 1);
        }
    } else {
        body = digits.left(1);
        if (digits.size() > 1)
            body += decimal + digits.mid(1);
        body += QStringLiteral("E%1%2")
                    .arg(exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                    .arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    }
    return d < 0 ? QStringLiteral("-") + body : body;
}

} // namespace

bool isNumericType(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: return true;
    default: return false;
    }
}

QVariant nz(const QVariant &v, const QVariant &replacement)
{
    return isNull(v) ? replacement : v;
}

double roundHalfEven(double value)
{
    if (std::isnan(value) || std::isinf(value))
        return value;
    const double f = std::floor(value);
    const double diff = value - f;
    if (diff > 0.5)
        return f + 1.0;
    if (diff < 0.5)
        return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

qint16 cInt(const QVariant &v)
{
    const double r = roundHalfEven(toDouble(v));
    if (!(r >= -32768.0 && r <= 32767.0))
        raiseOverflow();
    return qint16(r);
}

qint32 cLng(const QVariant &v)
{
    const double r = roundHalfEven(toDouble(v));
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        raiseOverflow();
    return qint32(r);
}

double cDbl(const QVariant &v)
{
    return toDouble(v);
}

float cSng(const QVariant &v)
{
    const double d = toDouble(v);
    if (std::isnan(d) || std::fabs(d) > double(FLT_MAX))
        raiseOverflow();
    return float(d);
}

bool cBool(const QVariant &v)
{
    if (isNull(v))
        raiseNull();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    return toDouble(v) != 0.0;
}

QString shortDate(const QDate &d)
{
    return QLocale().toString(d, QLocale::ShortFormat);
}

QString cStr(const QVariant &v)
{
    if (isNull(v))
        raiseNull();
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double: return shortestDouble(v.toDouble());
    case QMetaType::Float: return shortestDouble(double(v.toFloat()), true);
    case QMetaType::QDate: return shortDate(v.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return shortDate(dt.date());
        return QLocale().toString(dt, QLocale::ShortFormat);
    }
    default: break;
    }
    if (isNumericType(v))
        return v.toString();
    if (v.canConvert<QString>())
        return v.toString();
    raiseTypeMismatch();
}

double val(const QString &text)
{
    QString t;
    t.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            t += c;
    if (t.size() > 1 && t.at(0) == QLatin1Char('&')) {
        const QChar kind = t.at(1).toUpper();
        const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (base == 0)
            return 0.0;
        qsizetype end = 2;
        while (end < t.size() && QStringLiteral("0123456789ABCDEFabcdef").left(base == 16 ? 22 : 8).contains(t.at(end)))
            ++end;
        bool ok = false;
        const qulonglong n = t.mid(2, end - 2).toULongLong(&ok, base);
        return ok ? double(n) : 0.0;
    }
    static const QRegularExpression leading(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?"));
    const QRegularExpressionMatch m = leading.match(t);
    if (!m.hasMatch())
        return 0.0;
    QString number = m.captured(0);
    number.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    const double d = std::strtod(number.toLatin1().constData(), nullptr);
    if (std::isinf(d))
        raiseOverflow();
    return d;
}

bool isNumeric(const QVariant &v)
{
    if (isNull(v))
        return false;
    if (v.typeId() == QMetaType::Bool || isNumericType(v))
        return true;
    if (!isTextType(v))
        return false;
    double d = 0;
    try {
        return parseLocaleNumber(v.toString(), &d);
    } catch (const VbError &) {
        return true; // a number, only too large
    }
}

QString formatNumber(double value, const QString &pattern)
{
    if (std::isnan(value) || std::isinf(value))
        return QLocale::c().toString(value);
    // The pattern: literal text, then the digit placeholders, then literal text.
    static const QRegularExpression body(QStringLiteral("[0#,.]+"));
    const QRegularExpressionMatch m = body.match(pattern);
    if (!m.hasMatch())
        return pattern.isEmpty() ? shortestDouble(value) : pattern;
    const QString prefix = pattern.left(m.capturedStart());
    const QString suffix = pattern.mid(m.capturedEnd());
    const QString numeric = m.captured(0);
    const qsizetype point = numeric.indexOf(QLatin1Char('.'));
    const QString intPattern = point < 0 ? numeric : numeric.left(point);
    const QString fracPattern = point < 0 ? QString() : numeric.mid(point + 1).remove(QLatin1Char(','));
    const bool grouping = intPattern.contains(QLatin1Char(','));
    const int minInt = int(intPattern.count(QLatin1Char('0')));
    const int decimals = int(fracPattern.size());
    const int requiredDecimals = int(fracPattern.lastIndexOf(QLatin1Char('0')) + 1);

    // Round the value as written with 15 significant digits, so that 2.675 gives 2.68 as it reads.
    const QString sci = QString::number(std::fabs(value), 'e', 14);
    const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
    QString digits = sci.left(ePos);
    digits.remove(QLatin1Char('.'));
    int exponent = sci.mid(ePos + 1).toInt();
    if (value == 0.0) {
        digits = QStringLiteral("0");
        exponent = 0;
    }
    // Digits of the result as an integer scaled by 10^decimals.
    QString scaled;
    const int keep = exponent + 1 + decimals;
    if (keep < 0) {
        scaled = QStringLiteral("0");
    } else {
        QString kept = digits.left(keep);
        if (kept.size() < keep)
            kept += QString(keep - kept.size(), QLatin1Char('0'));
        const bool roundUp = keep < digits.size() && digits.at(keep) >= QLatin1Char('5');
        if (roundUp) {
            int i = int(kept.size()) - 1;
            while (i >= 0 && kept.at(i) == QLatin1Char('9')) {
                kept[i] = QLatin1Char('0');
                --i;
            }
            if (i < 0)
                kept.prepend(QLatin1Char('1'));
            else
                kept[i] = QChar(kept.at(i).unicode() + 1);
        }
        scaled = kept.isEmpty() ? QStringLiteral("0") : kept;
    }
    if (scaled.size() < decimals + 1)
        scaled.prepend(QString(decimals + 1 - scaled.size(), QLatin1Char('0')));
    QString intDigits = scaled.left(scaled.size() - decimals);
    QString fracDigits = scaled.right(decimals);
    const bool isZero = !scaled.contains(QRegularExpression(QStringLiteral("[1-9]")));

    while (intDigits.size() > 1 && intDigits.at(0) == QLatin1Char('0'))
        intDigits.remove(0, 1);
    if (intDigits == QLatin1String("0") && minInt == 0)
        intDigits.clear();
    if (intDigits.size() < minInt)
        intDigits.prepend(QString(minInt - intDigits.size(), QLatin1Char('0')));
    while (fracDigits.size() > requiredDecimals && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);

    const QLocale locale;
    if (grouping && intDigits.size() > 3) {
        const QString group = locale.groupSeparator();
        QString grouped;
        const qsizetype n = intDigits.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                grouped += group;
            grouped += intDigits.at(i);
        }
        intDigits = grouped;
    }
    QString out = intDigits;
    if (point >= 0)
        out += locale.decimalPoint() + fracDigits;
    // A value that rounds to zero shows no sign.
    if (value < 0 && !isZero)
        out.prepend(QLatin1Char('-'));
    return prefix + out + suffix;
}

QString formatNumber(const QVariant &value, const QString &pattern)
{
    if (isNull(value))
        return QString();
    if (isTextType(value) && !isNumeric(value))
        return value.toString();
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return cStr(value);
    return formatNumber(cDbl(value), pattern);
}

} // namespace platform
