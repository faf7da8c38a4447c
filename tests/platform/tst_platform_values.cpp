#include "tst_platform.h"

#include "platform/Collection.h"
#include "platform/VbConv.h"

#include <QtTest>

using namespace platform;
using namespace testutil;

// ---- arrays ----

void tst_Platform::xarrayBounds()
{
    XArray a(1, 3, 0, 5);
    QVERIFY(a.isAllocated());
    QCOMPARE(a.lowerBound(1), 1);
    QCOMPARE(a.upperBound(1), 3);
    QCOMPARE(a.lowerBound(2), 0);
    QCOMPARE(a.upperBound(2), 5);
    QCOMPARE(a.count(1), 3);
    QCOMPARE(a.count(2), 6);
    QVERIFY(a.isNull(2, 4));
    a.setValue(3, 5, QStringLiteral("235"));
    a.setValue(1, 0, 0.0);
    QCOMPARE(a.value(3, 5), QVariant(QStringLiteral("235")));
    QVERIFY(!a.isNull(1, 0)); // zero is a value, not Null
    a.setValue(3, 5, Null());
    QVERIFY(a.isNull(3, 5));

    // An empty grid: no rows, but its columns.
    a.redim(1, 0, 0, 5);
    QCOMPARE(a.count(1), 0);
    QCOMPARE(a.upperBound(1), 0);
    QCOMPARE(a.count(2), 6);

    a.clear();
    QVERIFY(!a.isAllocated());
    QCOMPARE(a.count(1), 0);
}

void tst_Platform::xarrayBadAccess_data()
{
    QTest::addColumn<bool>("allocated");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("row below") << true << 0 << 0;
    QTest::newRow("row above") << true << 4 << 0;
    QTest::newRow("column below") << true << 1 << -1;
    QTest::newRow("column above") << true << 1 << 6;
    QTest::newRow("unallocated") << false << 0 << 0;
}

void tst_Platform::xarrayBadAccess()
{
    QFETCH(bool, allocated);
    QFETCH(int, row);
    QFETCH(int, col);
    XArray a;
    if (allocated)
        a.redim(1, 3, 0, 5);
    QCOMPARE(errorOf([&] { a.value(row, col); }), vberr::SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { a.setValue(row, col, 1); }), vberr::SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { a.upperBound(allocated ? 3 : 1); }), vberr::SubscriptOutOfRange);
    if (!allocated)
        QCOMPARE(errorOf([&] { a.lowerBound(2); }), vberr::SubscriptOutOfRange);
}

void tst_Platform::xarrayRedimPreserve_data()
{
    QTest::addColumn<QList<int>>("bounds");
    QTest::addColumn<QString>("cells");
    // Start: rows 1..2, columns 0..2 holding r*10+c.
    QTest::newRow("more columns") << QList<int>{1, 2, 0, 3} << "10 11 12 N|20 21 22 N";
    QTest::newRow("more rows") << QList<int>{1, 3, 0, 2} << "10 11 12|20 21 22|N N N";
    QTest::newRow("fewer of both") << QList<int>{1, 1, 0, 1} << "10 11";
    QTest::newRow("shifted bounds") << QList<int>{2, 3, 1, 3} << "21 22 N|N N N";
    QTest::newRow("no overlap") << QList<int>{5, 5, 0, 0} << "N";
}

void tst_Platform::xarrayRedimPreserve()
{
    QFETCH(QList<int>, bounds);
    QFETCH(QString, cells);
    XArray a = numbered(2, 3);
    a.redimPreserve(bounds[0], bounds[1], bounds[2], bounds[3]);
    QCOMPARE(dump(a), cells);

    XArray fresh;
    fresh.redimPreserve(1, 2, 0, 1);
    QCOMPARE(dump(fresh), QStringLiteral("N N|N N"));
}

void tst_Platform::xarrayInsertDelete_data()
{
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("dim");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("cells");
    // Start: rows 1..3, columns 0..1.
    QTest::newRow("insert row in the middle") << true << 1 << 2 << 1 << "10 11|N N|20 21|30 31";
    QTest::newRow("insert rows first") << true << 1 << 1 << 2 << "N N|N N|10 11|20 21|30 31";
    QTest::newRow("append row") << true << 1 << 4 << 1 << "10 11|20 21|30 31|N N";
    QTest::newRow("insert column") << true << 2 << 1 << 1 << "10 N 11|20 N 21|30 N 31";
    QTest::newRow("insert nothing") << true << 1 << 2 << 0 << "10 11|20 21|30 31";
    QTest::newRow("delete first row") << false << 1 << 1 << 1 << "20 21|30 31";
    QTest::newRow("delete last two rows") << false << 1 << 2 << 2 << "10 11";
    QTest::newRow("delete column") << false << 2 << 0 << 1 << "11|21|31";
}

void tst_Platform::xarrayInsertDelete()
{
    QFETCH(bool, insert);
    QFETCH(int, dim);
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(QString, cells);
    XArray a = numbered(3, 2);
    if (insert)
        a.insertRows(dim, index, count);
    else
        a.deleteRows(dim, index, count);
    QCOMPARE(dump(a), cells);
    QCOMPARE(a.lowerBound(1), 1);
    QCOMPARE(a.lowerBound(2), 0);
}

void tst_Platform::xarrayInsertDeleteErrors_data()
{
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("dim");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::newRow("insert before the first row") << true << 1 << 0 << 1;
    QTest::newRow("insert past the end") << true << 1 << 5 << 1;
    QTest::newRow("insert in dimension 3") << true << 3 << 1 << 1;
    QTest::newRow("delete past the end") << false << 1 << 3 << 2;
    QTest::newRow("delete missing column") << false << 2 << 2 << 1;
    QTest::newRow("delete negative count") << false << 1 << 1 << -1;
}

void tst_Platform::xarrayInsertDeleteErrors()
{
    QFETCH(bool, insert);
    QFETCH(int, dim);
    QFETCH(int, index);
    QFETCH(int, count);
    XArray a = numbered(3, 2);
    const XArray before = a;
    QCOMPARE(errorOf([&] { insert ? a.insertRows(dim, index, count) : a.deleteRows(dim, index, count); }),
             vberr::SubscriptOutOfRange);
    QVERIFY(a == before); // a refused change leaves the array alone
    XArray empty;
    QCOMPARE(errorOf([&] { empty.insertRows(1, 0, 1); }), vberr::SubscriptOutOfRange);
}

void tst_Platform::xarrayEquality()
{
    XArray a = numbered(2, 2), b = numbered(2, 2);
    QVERIFY(a == b);
    b.setValue(2, 1, Null());
    QVERIFY(!(a == b));
    XArray shifted(0, 1, 0, 1);
    QVERIFY(!(XArray(1, 2, 0, 1) == shifted)); // same size, other bounds
    QVERIFY(XArray() == XArray());
    QVERIFY(!(XArray() == XArray(1, 0, 0, 0)));
}

void tst_Platform::vbArray()
{
    VbArray<QString> a;
    QVERIFY(!a.isAllocated());
    QCOMPARE(a.count(), 0);
    QCOMPARE(errorOf([&] { a.lowerBound(); }), vberr::SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { a.at(0); }), vberr::SubscriptOutOfRange);

    a.redim(1, 3);
    a[1] = QStringLiteral("16");
    a[3] = QStringLiteral("40");
    QCOMPARE(a.lowerBound(), 1);
    QCOMPARE(a.upperBound(), 3);
    QCOMPARE(errorOf([&] { a.at(0); }), vberr::SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { a[4]; }), vberr::SubscriptOutOfRange);

    a.redimPreserve(4);
    QCOMPARE(a.lowerBound(), 1);
    QCOMPARE(a.count(), 4);
    QCOMPARE(a.at(1), QStringLiteral("16"));
    QCOMPARE(a.at(3), QStringLiteral("40"));
    QVERIFY(a.at(4).isEmpty());
    a.redimPreserve(1);
    QCOMPARE(a.upperBound(), 1);
    QCOMPARE(a.at(1), QStringLiteral("16"));

    a.redim(1, 2); // ReDim without Preserve empties
    QVERIFY(a.at(1).isEmpty());

    VbArray<int> fresh;
    fresh.redimPreserve(2);
    QCOMPARE(fresh.lowerBound(), 0);
    QCOMPARE(fresh.count(), 3);
    fresh.clear();
    QCOMPARE(errorOf([&] { fresh.upperBound(); }), vberr::SubscriptOutOfRange);
}

// ---- collection ----

void tst_Platform::collection()
{
    Collection<QString> c;
    QVERIFY(c.isEmpty());
    c.add(QStringLiteral("P235GH"), QStringLiteral("12"));
    c.add(QStringLiteral("16Mo3"), QStringLiteral("7"));
    c.add(QStringLiteral("Rp02")); // a queue entry without a key
    QCOMPARE(c.count(), 3);
    QCOMPARE(c.item(1), QStringLiteral("P235GH"));
    QCOMPARE(c.item(3), QStringLiteral("Rp02"));
    QCOMPARE(c.item(QStringLiteral("7")), QStringLiteral("16Mo3"));
    QCOMPARE(c.keyAt(3), QString());

    Collection<QString> keyed;
    keyed.add(QStringLiteral("x"), QStringLiteral("Rm"));
    QVERIFY(keyed.contains(QStringLiteral("RM")));
    QCOMPARE(keyed.item(QStringLiteral("rm")), QStringLiteral("x"));

    c.addBefore(QStringLiteral("X2CrNi18-9"), 1, QStringLiteral("3"));
    c.item(QStringLiteral("12")) = QStringLiteral("P265GH");
    QStringList order;
    for (const QString &s : c)
        order << s;
    QCOMPARE(order, QStringList({"X2CrNi18-9", "P265GH", "16Mo3", "Rp02"}));

    c.remove(QStringLiteral("12"));
    c.remove(1);
    QCOMPARE(c.count(), 2);
    QCOMPARE(c.item(1), QStringLiteral("16Mo3"));
    QVERIFY(!c.contains(QStringLiteral("12")));
    QVERIFY(!c.contains(QString()));
    c.clear();
    QCOMPARE(c.count(), 0);
}

void tst_Platform::collectionErrors_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("error");
    QTest::newRow("duplicate key, other case") << 0 << vberr::KeyAlreadyAssociated;
    QTest::newRow("duplicate key before") << 1 << vberr::KeyAlreadyAssociated;
    QTest::newRow("missing key") << 2 << vberr::InvalidProcedureCall;
    QTest::newRow("remove missing key") << 3 << vberr::InvalidProcedureCall;
    QTest::newRow("index 0") << 4 << vberr::SubscriptOutOfRange;
    QTest::newRow("index past the end") << 5 << vberr::SubscriptOutOfRange;
    QTest::newRow("remove past the end") << 6 << vberr::SubscriptOutOfRange;
    QTest::newRow("add before past the end") << 7 << vberr::SubscriptOutOfRange;
}

void tst_Platform::collectionErrors()
{
    QFETCH(int, action);
    QFETCH(int, error);
    Collection<int> c;
    c.add(1, QStringLiteral("Alpha"));
    c.add(2, QStringLiteral("Beta"));
    const std::function<void()> actions[] = {
        [&] { c.add(3, QStringLiteral("ALPHA")); },
        [&] { c.addBefore(3, 1, QStringLiteral("beta")); },
        [&] { c.item(QStringLiteral("Gamma")); },
        [&] { c.remove(QStringLiteral("Gamma")); },
        [&] { c.item(0); },
        [&] { c.item(3); },
        [&] { c.remove(3); },
        [&] { c.addBefore(3, 3); },
    };
    QCOMPARE(errorOf(actions[action]), error);
    QCOMPARE(c.count(), 2); // nothing added or removed
}

// ---- conversions ----

void tst_Platform::integerConversions_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("cint"); // the result when error is 0
    QTest::addColumn<int>("intError");
    QTest::addColumn<int>("lngError");
    QTest::newRow("0.5") << QVariant(0.5) << 0 << 0 << 0;
    QTest::newRow("1.5") << QVariant(1.5) << 2 << 0 << 0;
    QTest::newRow("2.5") << QVariant(2.5) << 2 << 0 << 0;
    QTest::newRow("-2.5") << QVariant(-2.5) << -2 << 0 << 0;
    QTest::newRow("-0.5") << QVariant(-0.5) << 0 << 0 << 0;
    QTest::newRow("2.51") << QVariant(2.51) << 3 << 0 << 0;
    QTest::newRow("32767.4") << QVariant(32767.4) << 32767 << 0 << 0;
    QTest::newRow("32767.5 overflows") << QVariant(32767.5) << 0 << vberr::Overflow << 0;
    QTest::newRow("-32768.5 rounds to even") << QVariant(-32768.5) << -32768 << 0 << 0;
    QTest::newRow("-32769") << QVariant(-32769) << 0 << vberr::Overflow << 0;
    QTest::newRow("too long") << QVariant(2147483647.5) << 0 << vberr::Overflow << vberr::Overflow;
    QTest::newRow("text") << QVariant(QStringLiteral(" 3.5 ")) << 4 << 0 << 0;
    QTest::newRow("true") << QVariant(true) << -1 << 0 << 0;
    QTest::newRow("qint64") << QVariant(qint64(1234)) << 1234 << 0 << 0;
    QTest::newRow("null") << QVariant() << 0 << vberr::InvalidUseOfNull << vberr::InvalidUseOfNull;
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0 << vberr::TypeMismatch << vberr::TypeMismatch;
    QTest::newRow("empty text") << QVariant(QString()) << 0 << vberr::TypeMismatch << vberr::TypeMismatch;
}

void tst_Platform::integerConversions()
{
    QFETCH(QVariant, value);
    QFETCH(int, cint);
    QFETCH(int, intError);
    QFETCH(int, lngError);
    QLocale::setDefault(localeNamed(QStringLiteral("en_US")));
    QCOMPARE(errorOf([&] { cInt(value); }), intError);
    QCOMPARE(errorOf([&] { cLng(value); }), lngError);
    if (intError == 0) {
        QCOMPARE(int(cInt(value)), cint);
        QCOMPARE(int(cLng(value)), cint);
    }
}

void tst_Platform::cDbl_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("error");
    QTest::newRow("en comma groups") << "en_US" << QVariant("1,5") << 15.0 << 0;
    QTest::newRow("de comma decimal") << "de_DE" << QVariant("1,5") << 1.5 << 0;
    QTest::newRow("en point decimal") << "en_US" << QVariant("1.5") << 1.5 << 0;
    QTest::newRow("de point groups") << "de_DE" << QVariant("1.5") << 15.0 << 0;
    QTest::newRow("en grouped") << "en_US" << QVariant("1,234.5") << 1234.5 << 0;
    QTest::newRow("de grouped") << "de_DE" << QVariant("1.234,5") << 1234.5 << 0;
    QTest::newRow("blanks and sign") << "en_US" << QVariant(" -2.5 ") << -2.5 << 0;
    QTest::newRow("exponent") << "de_DE" << QVariant("1,5E3") << 1500.0 << 0;
    QTest::newRow("parentheses") << "en_US" << QVariant("(5)") << -5.0 << 0;
    QTest::newRow("leading point") << "en_US" << QVariant(".25") << 0.25 << 0;
    QTest::newRow("true") << "en_US" << QVariant(true) << -1.0 << 0;
    QTest::newRow("integer") << "de_DE" << QVariant(42) << 42.0 << 0;
    QTest::newRow("double unaffected by locale") << "de_DE" << QVariant(2.75) << 2.75 << 0;
    QTest::newRow("two decimal signs") << "en_US" << QVariant("1.2.3") << 0.0 << vberr::TypeMismatch;
    QTest::newRow("letters") << "en_US" << QVariant("12abc") << 0.0 << vberr::TypeMismatch;
    QTest::newRow("dash") << "en_US" << QVariant("-") << 0.0 << vberr::TypeMismatch;
    QTest::newRow("empty") << "de_DE" << QVariant("") << 0.0 << vberr::TypeMismatch;
    QTest::newRow("null") << "en_US" << QVariant() << 0.0 << vberr::InvalidUseOfNull;
    QTest::newRow("too large") << "en_US" << QVariant("1E400") << 0.0 << vberr::Overflow;
}

void tst_Platform::cDbl()
{
    QFETCH(QString, locale);
    QFETCH(QVariant, value);
    QFETCH(double, expected);
    QFETCH(int, error);
    QLocale::setDefault(localeNamed(locale));
    QCOMPARE(errorOf([&] { platform::cDbl(value); }), error);
    if (error == 0) {
        QCOMPARE(platform::cDbl(value), expected);
        QCOMPARE(double(cSng(value)), double(float(expected)));
    }
}

void tst_Platform::cStr_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en 1.5") << "en_US" << QVariant(1.5) << "1.5";
    QTest::newRow("de 1.5") << "de_DE" << QVariant(1.5) << "1,5";
    QTest::newRow("whole") << "de_DE" << QVariant(100.0) << "100";
    QTest::newRow("shortest") << "en_US" << QVariant(0.1) << "0.1";
    QTest::newRow("negative") << "de_DE" << QVariant(-2.25) << "-2,25";
    QTest::newRow("small") << "en_US" << QVariant(0.0001) << "0.0001";
    QTest::newRow("smaller") << "de_DE" << QVariant(1.5e-5) << "1,5E-05";
    QTest::newRow("large") << "en_US" << QVariant(123456789012345.0) << "123456789012345";
    QTest::newRow("larger") << "en_US" << QVariant(1e20) << "1E+20";
    QTest::newRow("no grouping") << "en_US" << QVariant(1234567.0) << "1234567";
    QTest::newRow("single") << "de_DE" << QVariant(0.1f) << "0,1";
    QTest::newRow("single width") << "en_US" << QVariant(1234.5f) << "1234.5";
    QTest::newRow("true") << "de_DE" << QVariant(true) << "True";
    QTest::newRow("false") << "en_US" << QVariant(false) << "False";
    QTest::newRow("integer") << "de_DE" << QVariant(-42) << "-42";
    QTest::newRow("text") << "de_DE" << QVariant("1.5") << "1.5";
}

void tst_Platform::cStr()
{
    QFETCH(QString, locale);
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QLocale::setDefault(localeNamed(locale));
    QCOMPARE(platform::cStr(value), expected);
    if (value.typeId() == QMetaType::Double)
        QCOMPARE(platform::cDbl(platform::cStr(value)), value.toDouble()); // reads back exactly
}

void tst_Platform::cBoolAndNulls()
{
    QLocale::setDefault(localeNamed(QStringLiteral("en_US")));
    QCOMPARE(cBool(QVariant(-1)), true);
    QCOMPARE(cBool(QVariant(0.0)), false);
    QCOMPARE(cBool(QVariant("True")), true);
    QCOMPARE(cBool(QVariant("false")), false);
    QCOMPARE(cBool(QVariant("0.5")), true);
    QCOMPARE(errorOf([] { cBool(QVariant("yes")); }), vberr::TypeMismatch);
    QCOMPARE(errorOf([] { cBool(QVariant()); }), vberr::InvalidUseOfNull);
    QCOMPARE(errorOf([] { platform::cStr(QVariant()); }), vberr::InvalidUseOfNull);

    QVERIFY(platform::isNull(Null()));
    QVERIFY(!platform::isNull(QVariant(QString())));
    QCOMPARE(nz(Null()), QVariant(QString()));
    QCOMPARE(nz(Null(), 0), QVariant(0));
    QCOMPARE(nz(QVariant("P235GH"), 0), QVariant("P235GH"));
}

// clang-format off
void tst_Platform::formatNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en grouped") << "en_US" << 1234.5 << "#,##0.00" << "1,234.50";
    QTest::newRow("de grouped") << "de_DE" << 1234.5 << "#,##0.00" << "1.234,50";
    QTest::newRow("millions") << "en_US" << 1234567.891 << "#,##0.000" << "1,234,567.891";
    QTest::newRow("no grouping") << "de_DE" << 1234.5 << "##0.00" << "1234,50";
    QTest::newRow("small with leading zero") << "en_US" << 0.5 << "##0.00" << "0.50";
    QTest::newRow("half up as written") << "en_US" << 2.675 << "0.00" << "2.68";
    QTest::newRow("1.005") << "de_DE" << 1.005 << "0.00" << "1,01";
    QTest::newRow("half away from zero") << "en_US" << 2.5 << "0" << "3";
    QTest::newRow("negative half") << "en_US" << -2.5 << "0" << "-3";
    QTest::newRow("negative") << "de_DE" << -12.345 << "###0.00" << "-12,35";
    QTest::newRow("carry") << "en_US" << 999.995 << "0.00" << "1000.00";
    QTest::newRow("one decimal") << "en_US" << 0.125 << "0.0" << "0.1";
    QTest::newRow("four decimals") << "en_US" << 3.14159 << "0.0000" << "3.1416";
    QTest::newRow("whole") << "de_DE" << 245.0 << "0" << "245";
    QTest::newRow("zero") << "en_US" << 0.0 << "0.00" << "0.00";
    QTest::newRow("rounds to zero, no sign") << "en_US" << -0.001 << "0.00" << "0.00";
    QTest::newRow("tiny") << "en_US" << 1e-20 << "0.00" << "0.00";
    QTest::newRow("large") << "en_US" << 123456789.0 << "0.00" << "123456789.00";
    QTest::newRow("no integer digit") << "en_US" << 0.5 << "#.00" << ".50";
}
// clang-format on

void tst_Platform::formatNumber()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QLocale::setDefault(localeNamed(locale));
    QCOMPARE(platform::formatNumber(value, pattern), expected);
}

void tst_Platform::formatVariant_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en text with comma") << "en_US" << QVariant("1,5") << "15.00";
    QTest::newRow("de text with comma") << "de_DE" << QVariant("1,5") << "1,50";
    QTest::newRow("de text with point") << "de_DE" << QVariant("1.5") << "15,00";
    QTest::newRow("number") << "de_DE" << QVariant(1.5) << "1,50";
    QTest::newRow("integer") << "en_US" << QVariant(7) << "7.00";
    QTest::newRow("not a number") << "en_US" << QVariant("n/a") << "n/a";
    QTest::newRow("null") << "en_US" << QVariant() << "";
}

void tst_Platform::formatVariant()
{
    QFETCH(QString, locale);
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QLocale::setDefault(localeNamed(locale));
    QCOMPARE(platform::formatNumber(value, QStringLiteral("##0.00")), expected);
}

void tst_Platform::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("leading number") << "  12.5abc" << 12.5;
    QTest::newRow("comma ends it") << "1,5" << 1.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative exponent") << "-3.5e2x" << -350.0;
    QTest::newRow("blanks inside") << "1 2 3" << 123.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("temperature") << "100 C" << 100.0;
}

void tst_Platform::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    for (const QString &locale : {QStringLiteral("en_US"), QStringLiteral("de_DE")}) {
        QLocale::setDefault(localeNamed(locale));
        QCOMPARE(platform::val(text), expected);
    }
}

void tst_Platform::isNumeric_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("number") << "en_US" << QVariant(1.5) << true;
    QTest::newRow("boolean") << "en_US" << QVariant(false) << true;
    QTest::newRow("de text") << "de_DE" << QVariant("1,5") << true;
    QTest::newRow("grouped text") << "en_US" << QVariant("1,234.5") << true;
    QTest::newRow("letters") << "en_US" << QVariant("12a") << false;
    QTest::newRow("dash") << "de_DE" << QVariant("-") << false;
    QTest::newRow("empty") << "en_US" << QVariant("") << false;
    QTest::newRow("null") << "en_US" << QVariant() << false;
}

void tst_Platform::isNumeric()
{
    QFETCH(QString, locale);
    QFETCH(QVariant, value);
    QFETCH(bool, numeric);
    QLocale::setDefault(localeNamed(locale));
    QCOMPARE(platform::isNumeric(value), numeric);
}
