#pragma once

// Jet's stored values turned into what the database layer hands out: plain functions over the
// bytes of one value, whichever page they come from.

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <string>

namespace db::jet {

// A Jet date (days since 30 December 1899, the fraction the time of day) as the DATE text of our
// own files: "yyyy-MM-dd", with " HH:mm:ss" when it has a time; empty when it is no date.
QByteArray dateText(double days);

// A single as the shortest decimal that reads back as it, so that 0.1 stays 0.1.
double singleValue(float f);

// Currency, a whole number of ten-thousandths (8 bytes), as the double nearest to its decimal.
double moneyValue(const uchar *bytes);

// A decimal number (17 bytes: the sign, then a 128-bit magnitude as four little-endian words, the
// most significant first) with the column's scale, as the double nearest to it; nothing when the
// scale cannot be.
std::optional<double> numericValue(const uchar *bytes, int scale);

// A Replication ID (16 bytes) as Access writes it: {8E39276A-BCA8-4AC4-891E-49911D8438DD}.
std::string guidText(const uchar *bytes);

// A Jet 4 text as UTF-8: UTF-16LE, or, after the marker FF FE, single bytes (Latin-1) with a zero
// byte switching between single bytes and UTF-16 units.
void jet4Text(const uchar *bytes, int size, std::string &out);

// Texts of a Jet 3 file, kept in the code page its header names, as UTF-8. A byte the code page
// leaves undefined becomes U+FFFD.
class CodePageText
{
public:
    explicit CodePageText(int codePage);
    ~CodePageText();
    CodePageText(const CodePageText &) = delete;
    CodePageText &operator=(const CodePageText &) = delete;

    void decode(const uchar *bytes, int size, std::string &out);

private:
    void *m_converter;
};

} // namespace db::jet
