// Rows and values of Jet data pages as Access lays them out, built here byte by byte: the cases the
// sample files do not show (Jet 3 rows longer than 512 bytes, decimal numbers).

#include "db/JetRows.h"
#include "db/JetValues.h"

#include <QtEndian>
#include <QtTest>

using namespace db::jet;

namespace {

struct RowContent
{
    bool jet3 = false;
    int columns = 0;          // the columns the row keeps
    QByteArray fixed;         // its fixed part
    QList<QByteArray> values; // its variable values, in their order
    QList<int> set;           // the columns whose null-mask bit is set
    int claimed = -1;         // a column count written in place of the right one
};

void appendJet4Offset(QByteArray &row, int offset)
{
    row.append(char(offset & 0xff)).append(char(offset >> 8));
}

// Column count, fixed part, variable part, the variable part's table, the null mask.
QByteArray rowBytes(const RowContent &c)
{
    QByteArray row;
    const int written = c.claimed >= 0 ? c.claimed : c.columns;
    if (c.jet3)
        row.append(char(written));
    else
        appendJet4Offset(row, written);
    row += c.fixed;
    QList<int> offsets;
    for (const QByteArray &value : c.values) {
        offsets.append(int(row.size()));
        row += value;
    }
    offsets.append(int(row.size())); // where the variable part ends
    QByteArray mask((c.columns + 7) / 8, '\0');
    for (int number : c.set)
        mask[number / 8] = char(mask.at(number / 8) | (1 << (number % 8)));
    const int count = int(c.values.size());
    if (!c.jet3) {
        for (int i = count; i >= 0; --i)
            appendJet4Offset(row, offsets.at(i));
        appendJet4Offset(row, count);
        return row + mask;
    }
    // Jet 3: one byte an offset, and for each further 256 bytes of the row the first value beyond them.
    int jumps = 0;
    for (int guess = -1; guess != jumps;) {
        guess = jumps;
        jumps = (int(row.size()) + count + 1 + jumps + 1 + int(mask.size()) - 1) / 256;
    }
    for (int i = count; i >= 0; --i)
        row.append(char(offsets.at(i) & 0xff));
    for (int jump = jumps; jump >= 1; --jump) {
        int first = 0;
        while (first <= count && offsets.at(first) < 256 * jump)
            ++first;
        row.append(char(first <= count ? first : 0xff)); // past the values: a filler
    }
    row.append(char(count));
    return row + mask;
}

rows::ColumnPlace fixedColumn(int number, int offset, int size)
{
    rows::ColumnPlace c;
    c.number = number;
    c.fixed = true;
    c.fixedOffset = offset;
    c.fixedSize = size;
    return c;
}

rows::ColumnPlace variableColumn(int number, int index)
{
    rows::ColumnPlace c;
    c.number = number;
    c.varIndex = index;
    return c;
}

rows::ColumnPlace booleanColumn(int number)
{
    rows::ColumnPlace c;
    c.number = number;
    c.fixed = true;
    c.inNullMask = true;
    return c;
}

} // namespace

Q_DECLARE_METATYPE(RowContent)
Q_DECLARE_METATYPE(std::vector<rows::ColumnPlace>)

class tst_jet_rows : public QObject
{
    Q_OBJECT

private slots:
    void slot_data();
    void slot();
    void crackRow_data();
    void crackRow();
    void numericValue_data();
    void numericValue();
};

// A Jet 4 data page's row table: each entry the offset where its row begins, flagged deleted
// (0x8000) or moved (0x4000); a row ends where the one before it begins.
// clang-format off
void tst_jet_rows::slot_data()
{
    QTest::addColumn<QList<int>>("entries");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected"); // empty: damaged

    QTest::newRow("the first row runs to the page's end") << QList<int>{0x0f00} << 0 << "3840-4096";
    QTest::newRow("a later row ends where the one before begins") << QList<int>{0x0f00, 0x0e00} << 1 << "3584-3840";
    QTest::newRow("deleted") << QList<int>{0x0f00, 0x8e00} << 1 << "3584-3840 deleted";
    QTest::newRow("moved") << QList<int>{0x4ffc} << 0 << "4092-4096 moved";
    QTest::newRow("deleted, its end beyond the page") << QList<int>{0x1ff0, 0x8e00} << 1 << "no bytes deleted";
    QTest::newRow("deleted and moved, inside the row table") << QList<int>{0xc004} << 0 << "no bytes deleted moved";
    QTest::newRow("beginning beyond the page") << QList<int>{0x1ff0} << 0 << "";
    QTest::newRow("ending beyond the page") << QList<int>{0x1ff0, 0x0e00} << 1 << "";
    QTest::newRow("inside the row table") << QList<int>{0x0004} << 0 << "";
    QTest::newRow("no such row") << QList<int>{0x0f00} << 1 << "";
}
// clang-format on

void tst_jet_rows::slot()
{
    QFETCH(QList<int>, entries);
    QFETCH(int, row);
    QFETCH(QString, expected);
    const rows::PageFormat format = rows::jet4Format();
    QByteArray page(format.pageSize, '\0');
    qToLittleEndian(quint16(entries.size()), page.data() + format.rowCountOffset);
    for (int i = 0; i < entries.size(); ++i)
        qToLittleEndian(quint16(entries.at(i)), page.data() + format.rowCountOffset + 2 + 2 * i);

    const std::optional<rows::Slot> s = rows::slot(format, reinterpret_cast<const uchar *>(page.constData()), row);
    QString read;
    if (s) {
        read = s->start == s->end ? QStringLiteral("no bytes") : QStringLiteral("%1-%2").arg(s->start).arg(s->end);
        if (s->deleted)
            read += QStringLiteral(" deleted");
        if (s->overflow)
            read += QStringLiteral(" moved");
    }
    QCOMPARE(read, expected);
}

void tst_jet_rows::crackRow_data()
{
    QTest::addColumn<RowContent>("row");
    QTest::addColumn<std::vector<rows::ColumnPlace>>("columns");
    QTest::addColumn<QStringList>("expected"); // each column's bytes as text, "<null>", or "<true>"

    const QByteArray id("\x07\0\0\0", 4);
    const std::vector<rows::ColumnPlace> table = {fixedColumn(0, 0, 4), variableColumn(1, 0), variableColumn(2, 1),
                                                  booleanColumn(3)};
    QTest::newRow("as the table is") << RowContent{false, 4, id, {"name", ""}, {0, 1, 2, 3}} << table
                                     << QStringList{id, "name", "", "<true>"};
    QTest::newRow("a Null value and a False")
        << RowContent{false, 4, id, {"name", ""}, {0, 1}} << table << QStringList{id, "name", "<null>", "<null>"};

    // Columns 4 (fixed), 5 (variable) and 6 (Boolean) were added after the row was written.
    std::vector<rows::ColumnPlace> grown = table;
    grown.push_back(fixedColumn(4, 4, 8));
    grown.push_back(variableColumn(5, 2));
    grown.push_back(booleanColumn(6));
    QTest::newRow("columns added since") << RowContent{false, 4, id, {"name", "x"}, {0, 1, 2, 3}} << grown
                                         << QStringList{id, "name", "x", "<true>", "<null>", "<null>", "<null>"};

    // Columns 1 (fixed, 4 bytes) and 4 (variable, index 1) were deleted after the row was written.
    const std::vector<rows::ColumnPlace> shrunk = {fixedColumn(0, 0, 4), fixedColumn(2, 8, 4), variableColumn(3, 0),
                                                   variableColumn(5, 2)};
    const QByteArray twoIds("\x01\0\0\0\x63\0\0\0\x02\0\0\0", 12);
    QTest::newRow("columns deleted since") << RowContent{false, 6, twoIds, {"foo", "gone", "foo2"}, {0, 1, 2, 3, 4, 5}}
                                           << shrunk << QStringList{twoIds.left(4), twoIds.right(4), "foo", "foo2"};

    // Jet 3 keeps one-byte offsets: past each 256 bytes a jump table entry counts.
    const QByteArray wide(600, 'w');
    const std::vector<rows::ColumnPlace> wideTable = {fixedColumn(0, 0, 600), variableColumn(1, 0),
                                                      variableColumn(2, 1)};
    QTest::newRow("Jet 3, fixed part beyond two 256-byte marks")
        << RowContent{true, 3, wide, {"first", "second"}, {0, 1, 2}} << wideTable
        << QStringList{wide, "first", "second"};
    const QByteArray a(200, 'a'), b(250, 'b'), c(180, 'c');
    const std::vector<rows::ColumnPlace> texts = {variableColumn(0, 0), variableColumn(1, 1), variableColumn(2, 2)};
    QTest::newRow("Jet 3, values across 256-byte marks")
        << RowContent{true, 3, {}, {a, b, c}, {0, 1, 2}} << texts << QStringList{a, b, c};
    QTest::newRow("Jet 3, a short row with a filler jump")
        << RowContent{true, 3, {}, {QByteArray(249, 'a'), "b", ""}, {0, 1, 2}} << texts
        << QStringList{QByteArray(249, 'a'), "b", ""};

    // Damaged rows.
    QTest::newRow("more columns than the row has room for")
        << RowContent{false, 4, id, {"name", ""}, {0, 1, 2, 3}, 2000} << table << QStringList();
    const std::vector<rows::ColumnPlace> outside = {fixedColumn(0, 60, 4)};
    QTest::newRow("a fixed value beyond the row") << RowContent{false, 1, id, {}, {0}} << outside << QStringList();
}

void tst_jet_rows::crackRow()
{
    QFETCH(RowContent, row);
    QFETCH(std::vector<rows::ColumnPlace>, columns);
    QFETCH(QStringList, expected);
    const rows::PageFormat format = row.jet3 ? rows::jet3Format() : rows::jet4Format();
    const QByteArray bytes = rowBytes(row);
    QByteArray page(format.pageSize, '\0');
    const int start = format.pageSize - int(bytes.size());
    page.replace(start, bytes.size(), bytes);
    const auto *data = reinterpret_cast<const uchar *>(page.constData());

    std::vector<rows::Span> spans;
    const bool read = rows::crackRow(format, data, start, format.pageSize, columns, spans);
    QCOMPARE(read, !expected.isEmpty());
    if (!read)
        return;
    QStringList values;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (columns[i].inNullMask)
            values << (spans[i].null ? QStringLiteral("<null>") : QStringLiteral("<true>"));
        else
            values << (spans[i].null ? QStringLiteral("<null>")
                                     : QString::fromLatin1(page.mid(spans[i].start, spans[i].size)));
    }
    QCOMPARE(values, expected);
}

// A decimal: the sign byte, then the magnitude as four 32-bit little-endian words, the most
// significant first.
void tst_jet_rows::numericValue_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("expected");

    auto decimal = [](bool negative, quint64 high, quint64 low) {
        QByteArray bytes(17, '\0');
        bytes[0] = negative ? char(0x80) : char(0);
        const quint32 words[4] = {quint32(high >> 32), quint32(high), quint32(low >> 32), quint32(low)};
        for (int i = 0; i < 4; ++i)
            qToLittleEndian(words[i], bytes.data() + 1 + 4 * i);
        return bytes;
    };
    QTest::newRow("whole number") << decimal(false, 0, 1234) << 0 << 1234.0;
    QTest::newRow("two decimals") << decimal(false, 0, 1234) << 2 << 12.34;
    QTest::newRow("negative") << decimal(true, 0, 5) << 1 << -0.5;
    QTest::newRow("zero") << decimal(false, 0, 0) << 4 << 0.0;
    QTest::newRow("beyond 64 bits, 28 digits") << decimal(false, 0x204fce5e, 0x3e25026110000000ull) << 10 << 1e18;
    QTest::newRow("nearest double of a decimal") << decimal(false, 0, 1) << 28 << 1e-28;
}

void tst_jet_rows::numericValue()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, scale);
    QFETCH(double, expected);
    const std::optional<double> value =
        db::jet::numericValue(reinterpret_cast<const uchar *>(bytes.constData()), scale);
    QVERIFY(value);
    QCOMPARE(*value, expected);
}

QTEST_GUILESS_MAIN(tst_jet_rows)
#include "tst_jet_rows.moc"
