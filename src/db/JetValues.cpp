#include "db/JetValues.h"

#include <QDate>
#include <QtEndian>

#include <charconv>
#include <cmath>
#include <cstring>
#include <iconv.h>

namespace db::jet {

namespace {

// Jet counts days from 30 December 1899; a day's fraction is its time.
constexpr qint64 kSecondsPerDay = 86400;
// Currency is kept with four decimals.
constexpr int kCurrencyDecimals = 4;
// The largest scale a decimal column has.
constexpr int kMaxNumericScale = 28;
constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The decimal digits of a magnitude with a decimal point placed scale digits from the right.
std::string scaledDecimal(bool negative, unsigned __int128 magnitude, int scale)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (int(digits.size()) <= scale)
        digits.insert(0, size_t(scale) + 1 - digits.size(), '0');
    if (scale > 0)
        digits.insert(digits.size() - size_t(scale), 1, '.');
    return negative ? '-' + digits : digits;
}

double nearestDouble(const std::string &decimal)
{
    double value = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
    return value;
}

} // namespace

QByteArray dateText(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    double whole = std::trunc(days);
    qint64 seconds = std::llround(std::fabs(days - whole) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        whole += days < 0 ? -1 : 1;
    }
    const QDate day = QDate(1899, 12, 30).addDays(qint64(whole));
    QByteArray text = day.toString(Qt::ISODate).toLatin1();
    if (seconds != 0)
        text += ' ' + QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("HH:mm:ss")).toLatin1();
    return text;
}

double singleValue(float f)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, f);
    double d = f;
    std::from_chars(text, result.ptr, d);
    return d;
}

double moneyValue(const uchar *bytes)
{
    // Through the decimal: a double divided by 10,000 is not always the nearest to it.
    const qint64 units = qFromLittleEndian<qint64>(bytes);
    const unsigned __int128 magnitude = units < 0 ? (unsigned __int128)(-(__int128)units) : (unsigned __int128)units;
    return nearestDouble(scaledDecimal(units < 0, magnitude, kCurrencyDecimals));
}

std::optional<double> numericValue(const uchar *bytes, int scale)
{
    if (scale < 0 || scale > kMaxNumericScale)
        return std::nullopt;
    unsigned __int128 magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = (magnitude << 32) | qFromLittleEndian<quint32>(bytes + 1 + 4 * word);
    return nearestDouble(scaledDecimal(bytes[0] != 0, magnitude, scale));
}

std::string guidText(const uchar *bytes)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  qFromLittleEndian<quint32>(bytes), qFromLittleEndian<quint16>(bytes + 4),
                  qFromLittleEndian<quint16>(bytes + 6), bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13],
                  bytes[14], bytes[15]);
    return text;
}

void jet4Text(const uchar *bytes, int size, std::string &out)
{
    out.clear();
    auto unit = [&](int i) { return char32_t(bytes[i] | (bytes[i + 1] << 8)); };
    // UTF-16LE units; a surrogate pair is one character, a lone surrogate or a byte left over none.
    auto appendUnits = [&](int from, int to) {
        for (int i = from; i < to; i += 2) {
            if (i + 1 >= to) {
                appendUtf8(out, kReplacement);
                break;
            }
            char32_t c = unit(i);
            if (c >= 0xD800 && c < 0xDC00 && i + 3 < to && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
                i += 2;
            } else if (c >= 0xD800 && c < 0xE000) {
                c = kReplacement;
            }
            appendUtf8(out, c);
        }
    };
    if (size < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) {
        appendUnits(0, size);
        return;
    }
    // Compressed: every zero byte switches between single bytes and UTF-16 units.
    bool single = true;
    int segment = 2;
    for (int i = 2; i <= size; ++i) {
        if (i < size && bytes[i] != 0)
            continue;
        if (single)
            for (int k = segment; k < i; ++k)
                appendUtf8(out, bytes[k]);
        else
            appendUnits(segment, i);
        single = !single;
        segment = i + 1;
    }
}

CodePageText::CodePageText(int codePage)
{
    const std::string name = "CP" + std::to_string(codePage > 0 ? codePage : 1252);
    iconv_t converter = iconv_open("UTF-8", name.c_str());
    if (converter == iconv_t(-1))
        converter = iconv_open("UTF-8", "CP1252");
    m_converter = converter == iconv_t(-1) ? nullptr : converter;
}

CodePageText::~CodePageText()
{
    if (m_converter)
        iconv_close(iconv_t(m_converter));
}

void CodePageText::decode(const uchar *bytes, int size, std::string &out)
{
    out.clear();
    if (!m_converter) {
        for (int i = 0; i < size; ++i)
            appendUtf8(out, bytes[i]);
        return;
    }
    iconv(iconv_t(m_converter), nullptr, nullptr, nullptr, nullptr);
    char buffer[1024];
    auto *in = const_cast<char *>(reinterpret_cast<const char *>(bytes));
    size_t inLeft = size_t(size);
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(iconv_t(m_converter), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, size_t(outPtr - buffer));
        if (done == size_t(-1) && errno != E2BIG) {
            // A byte the code page does not define (or a double-byte character cut short).
            appendUtf8(out, kReplacement);
            ++in;
            --inLeft;
            iconv(iconv_t(m_converter), nullptr, nullptr, nullptr, nullptr);
        }
    }
}

} // namespace db::jet
