#include "tst_reports_tables.h"

#include "material/frmMaterial2.h"
#include "platform/VbError.h"
#include "reports/ColumnBands.h"
#include "reports/actRepDesign.h"
#include "shell/mdiVelkor.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QtTest>

using controls::PageItem;
using controls::ReportField;

namespace {

// Blocks of heading, value and spacer rows: "Table k" with headings "Hk c" and values "vk c". A
// column listed in blanks holds a single blank in that block's heading row.
platform::XArray designArray(int blocks, int lastCol, const QList<QPair<int, int>> &blanks = {})
{
    platform::XArray x(1, 3 * blocks, 0, lastCol);
    for (int k = 1; k <= blocks; ++k) {
        const int r = 3 * (k - 1) + 1;
        x.setValue(r, 0, QStringLiteral("Table %1").arg(k));
        x.setValue(r + 1, 0, QString());
        for (int c = 0; c <= lastCol; ++c)
            x.setValue(r + 2, c, QString());
        for (int c = 1; c <= lastCol; ++c) {
            const bool blank = blanks.contains({k, c});
            x.setValue(r, c, blank ? QStringLiteral(" ") : QStringLiteral("H%1 %2").arg(k).arg(c));
            x.setValue(r + 1, c, blank ? QString() : QStringLiteral("v%1 %2").arg(k).arg(c));
        }
    }
    return x;
}

// A material window holding the array and the design temperature, made current.
struct DesignWindow
{
    DesignWindow(mdiVelkor *mdi, const Fixture &fixture, const platform::XArray &x, const QString &temperature)
    {
        material = fixture.material();
        window = std::make_unique<frmMaterial2>();
        material->MyForm(window.get());
        {
            auto *box = window->findChild<QLineEdit *>(QStringLiteral("txtDesignTemp"));
            const QSignalBlocker blocker(box);
            box->setText(temperature);
        }
        window->xDesignDB = x;
        mdi->mCurrent = material;
    }
    MaterialPtr material;
    std::unique_ptr<frmMaterial2> window;
};

// The single item with this text; an empty item (and a warning) when there is none or several.
PageItem only(const controls::Report &report, const QString &text)
{
    const QList<PageItem> found = itemsWithText(report, text);
    if (found.size() != 1) {
        qWarning("%lld items with text %s", qlonglong(found.size()), qPrintable(text));
        return {};
    }
    return found.first();
}

ReportField *box(actRepDesign &report, const QString &section, const QString &name)
{
    return report.section(section)->controls().item<ReportField>(name);
}

} // namespace

void tst_reports_tables::designRowFormats_data()
{
    QTest::addColumn<int>("blocks");
    QTest::newRow("two tables") << 2;
    QTest::newRow("seven tables") << 7;
}

void tst_reports_tables::designRowFormats()
{
    QFETCH(int, blocks);
    Fixture fixture;
    DesignWindow design(m_mdi, fixture, designArray(blocks, 7), "100");

    actRepDesign report;
    report.run();

    QVERIFY(!report.IsSplit());
    QVERIFY(!report.section("gfExtended")->isVisible());
    QVERIFY(itemsWithText(report, "Continued...").isEmpty());
    QCOMPARE(only(report, "100 \u00B0C").rect.left() - only(report, "Temperature").rect.left(), 3260.0 - 1701.0);
    QCOMPARE(itemsWithText(report, "KEY\r\n\r\n'-' = Below Temperature Range of this table\r\n"
                                   "'+' = Above Temperature Range of this table\r\n"
                                   "'x' = No value given for this temperature")
                 .size(),
             1);
    for (int c = 2; c <= 7; ++c)
        QCOMPARE(box(report, "Detail", "txtField" + QString::number(c))->left(), 2856.0 + 1155 * (c - 2));

    double previousValueTop = -1;
    for (int k = 1; k <= blocks; ++k) {
        const PageItem caption = only(report, QStringLiteral("Table %1").arg(k));
        const PageItem heading = only(report, QStringLiteral("H%1 2").arg(k));
        const PageItem value = only(report, QStringLiteral("v%1 7").arg(k));
        QCOMPARE(caption.rect.height(), 851.0);
        QVERIFY(caption.font.bold);
        QCOMPARE(heading.rect.height(), 851.0);
        QVERIFY(!heading.font.bold);
        QCOMPARE(heading.verticalAlignment, 0);
        QCOMPARE(value.rect.height(), 283.0);
        QVERIFY(value.font.bold);
        QCOMPARE(value.verticalAlignment, 1);
        QCOMPARE(value.font.size, 8.5);
        // Heading row 911 twips, value row 343, spacer row 60.
        QCOMPARE(value.rect.top() - heading.rect.top(), 911.0);
        if (previousValueTop >= 0)
            QCOMPARE(heading.rect.top() - previousValueTop, 403.0);
        previousValueTop = value.rect.top();
    }
}

void tst_reports_tables::designColumnBands_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<QList<double>>("widths");
    QTest::addColumn<double>("printWidth");
    QTest::addColumn<QList<int>>("starts");

    QTest::newRow("seven design columns fit")
        << 142.0 << QList<double>{1559, 1155, 1155, 1155, 1155, 1155, 1155, 1155} << 9921.0 << QList<int>{};
    QTest::newRow("a column ending at the edge fits") << 0.0 << QList<double>{1000, 500, 500} << 2000.0 << QList<int>{};
    QTest::newRow("one twip past the edge") << 0.0 << QList<double>{1000, 500, 501} << 2000.0 << QList<int>{2};
    QTest::newRow("several bands") << 0.0 << QList<double>{1000, 600, 600, 600, 600, 600} << 2300.0 << QList<int>{3, 5};
    QTest::newRow("a column wider than the paper keeps a band of its own")
        << 0.0 << QList<double>{1000, 3000, 500} << 2000.0 << QList<int>{2};
    QTest::newRow("labels only") << 0.0 << QList<double>{1000} << 500.0 << QList<int>{};
}

void tst_reports_tables::designColumnBands()
{
    QFETCH(double, left);
    QFETCH(QList<double>, widths);
    QFETCH(double, printWidth);
    QFETCH(QList<int>, starts);
    QCOMPARE(columnbands::bandStarts(left, widths, printWidth), starts);
}

void tst_reports_tables::splitColumn_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<QList<double>>("widths");
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<bool>>("skip");
    QTest::addColumn<bool>("roundEach");
    QTest::addColumn<int>("split"); // against a width of 2000

    QTest::newRow("all fit") << 0.0 << QList<double>{1000, 500, 500} << 0 << QList<bool>{} << false << -1;
    QTest::newRow("first past the edge") << 0.0 << QList<double>{1000, 500, 501} << 0 << QList<bool>{} << false << 2;
    QTest::newRow("start counted, column 0 not")
        << 1200.0 << QList<double>{5000, 500, 500} << 1 << QList<bool>{} << false << 2;
    QTest::newRow("skipped column takes no room")
        << 0.0 << QList<double>{1000, 1500, 900} << 0 << QList<bool>{false, true} << false << -1;
    QTest::newRow("rounded half to even") << 0.0 << QList<double>{1000, 1000.5} << 0 << QList<bool>{} << true << -1;
    QTest::newRow("not rounded") << 0.0 << QList<double>{1000, 1000.5} << 0 << QList<bool>{} << false << 1;
    QTest::newRow("no columns") << 2500.0 << QList<double>{} << 0 << QList<bool>{} << false << -1;
}

void tst_reports_tables::splitColumn()
{
    QFETCH(double, start);
    QFETCH(QList<double>, widths);
    QFETCH(int, first);
    QFETCH(QList<bool>, skip);
    QFETCH(bool, roundEach);
    QFETCH(int, split);
    QCOMPARE(columnbands::splitColumn(start, widths, first, 2000, skip, roundEach), split);
}

void tst_reports_tables::designSplitColumn_data()
{
    QTest::addColumn<int>("lastCol");
    QTest::addColumn<QList<float>>("creepSizes"); // empty: no creep data
    QTest::addColumn<bool>("split");
    QTest::addColumn<int>("splitCol");
    QTest::addColumn<double>("field1Width");
    QTest::addColumn<int>("labels");   // how often the row label prints
    QTest::addColumn<int>("blankCol"); // a column left blank in the block, 0 for none

    QTest::newRow("seven columns fit") << 7 << QList<float>{} << false << 0 << 1155.0 << 1 << 0;
    QTest::newRow("eighth column splits") << 8 << QList<float>{} << true << 8 << 1155.0 << 2 << 0;
    QTest::newRow("creep widths") << 8 << QList<float>{1500, 2000, 2000, 2000, 2000, 2000} << true << 5 << 2000.0 << 2
                                  << 0;
    // The creep rule finds no split, but the eighth column would pass the paper's edge.
    QTest::newRow("narrow creep columns, split at the edge")
        << 8 << QList<float>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000} << true << 8 << 1155.0 << 2 << 0;
    QTest::newRow("creep table narrower than the array")
        << 12 << QList<float>{1500, 1500, 1500} << true << 7 << 1500.0 << 2 << 0;
    QTest::newRow("creep split in the first column") << 8 << QList<float>{11000} << true << 2 << 1155.0 << 2 << 0;
    QTest::newRow("creep split beyond the array")
        << 3 << QList<float>{2000, 2000, 2000, 2000, 3000} << false << 0 << 2000.0 << 1 << 0;
    QTest::newRow("nothing beyond the split to continue") << 8 << QList<float>{} << true << 8 << 1155.0 << 1 << 8;
    // Columns 8 to 14 fill the continuation; 15 and 16 go on in a further band.
    QTest::newRow("continuation wider than the paper") << 16 << QList<float>{} << true << 8 << 1155.0 << 3 << 0;
}

void tst_reports_tables::designSplitColumn()
{
    QFETCH(int, lastCol);
    QFETCH(QList<float>, creepSizes);
    QFETCH(bool, split);
    QFETCH(int, splitCol);
    QFETCH(double, field1Width);
    QFETCH(int, labels);
    QFETCH(int, blankCol);

    Fixture fixture;
    QList<QPair<int, int>> blanks;
    if (blankCol > 0)
        blanks.append({1, blankCol});
    DesignWindow design(m_mdi, fixture, designArray(1, lastCol, blanks), "250");
    if (!creepSizes.isEmpty()) {
        platform::VbArray<float> sizes;
        sizes.redim(0, int(creepSizes.size()) - 1);
        for (int c = 0; c < creepSizes.size(); ++c)
            sizes[c] = creepSizes.at(c);
        design.material->MechCreepColSize("CreepProp", sizes);
        design.material->TableHasData("CreepProp", true);
    }

    actRepDesign report;
    report.run();

    QCOMPARE(report.IsSplit(), split);
    QCOMPARE(report.section("gfExtended")->isVisible(), split && blankCol == 0);
    QCOMPARE(itemsWithText(report, "Continued...").size(), split && blankCol == 0 ? 1 : 0);
    QCOMPARE(box(report, "Detail", "txtField1")->width(), field1Width);
    if (split)
        QCOMPARE(int(report.SplitColumn()), splitCol);
    // Every cell prints exactly once, in the detail rows or in the continuation block, and within the paper.
    const controls::ReportDocument &document = report.document();
    const double edge = document.leftMargin + document.printWidth;
    for (int c = 1; c <= lastCol; ++c) {
        if (c == blankCol)
            continue;
        for (const QString &text : {QStringLiteral("H1 %1").arg(c), QStringLiteral("v1 %1").arg(c)}) {
            const QList<PageItem> found = itemsWithText(report, text);
            QCOMPARE(found.size(), 1);
            QVERIFY2(found.first().rect.right() <= edge + 0.5, qPrintable(text));
        }
    }
    QCOMPARE(itemsWithText(report, "Table 1").size(), labels);
    // No text is drawn over another.
    for (const auto &page : document.pages) {
        for (int i = 0; i < page.items.size(); ++i) {
            for (int j = i + 1; j < page.items.size(); ++j) {
                if (page.items.at(i).text.isEmpty() || page.items.at(j).text.isEmpty())
                    continue;
                const QRectF overlap = page.items.at(i).rect.intersected(page.items.at(j).rect);
                QVERIFY2(overlap.width() < 1 || overlap.height() < 1,
                         qPrintable(page.items.at(i).text + QStringLiteral(" / ") + page.items.at(j).text));
            }
        }
    }
}

void tst_reports_tables::designContinuationBlock()
{
    // Blocks 1 and 3 reach column 8; block 2 has a blank there and text only in column 9.
    Fixture fixture;
    DesignWindow design(m_mdi, fixture, designArray(3, 9, {{2, 8}}), "300");

    actRepDesign report;
    report.run();

    QVERIFY(report.IsSplit());
    QCOMPARE(int(report.SplitColumn()), 8);
    QVERIFY(report.section("Detail")->controls().find("txtField8") == nullptr);
    QVERIFY(report.section("Detail")->controls().find("txtField7") != nullptr);

    struct Expected
    {
        const char *name;
        double left, top, width, height;
        bool visible;
        int leftBorder;
    };
    const Expected boxes[] = {
        {"txtFieldExt1_0", 142, 353, 1559, 851, true, 0},   {"txtFieldExt2_0", 142, 1204, 1559, 283, false, 0},
        {"txtFieldExt3_0", 142, 1487, 1559, 0, false, 0},   {"txtFieldExt7_0", 142, 1487, 1559, 851, true, 0},
        {"txtFieldExt1_8", 1701, 353, 1155, 851, true, 1},  {"txtFieldExt2_8", 1701, 1274, 1155, 283, true, 1},
        {"txtFieldExt3_8", 1701, 1627, 1155, 0, false, 1},  {"txtFieldExt7_8", 1701, 1697, 1155, 851, true, 1},
        {"txtFieldExt8_8", 1701, 2618, 1155, 283, true, 1}, {"txtFieldExt1_9", 2856, 353, 1155, 851, true, 0},
        {"txtFieldExt8_9", 2856, 2618, 1155, 283, true, 0},
    };
    for (const Expected &e : boxes) {
        ReportField *b = box(report, "gfExtended", e.name);
        QCOMPARE(QRectF(b->left(), b->top(), b->width(), b->height()), QRectF(e.left, e.top, e.width, e.height));
        QCOMPARE(b->isVisible(), e.visible);
        QCOMPARE(b->border().leftStyle, e.leftBorder);
        QCOMPARE(b->dataField(), QString::fromLatin1(e.name));
    }
    QCOMPARE(report.section("gfExtended")->height(), 353.0 + 2 * (851 + 283 + 0));
    QVERIFY(report.section("gfExtended")->controls().find("txtFieldExt4_9") == nullptr);

    // The continuation block prints below "Continued..."; block 2's last column is written nowhere.
    const QList<PageItem> continued = itemsWithText(report, "Continued...");
    QCOMPARE(continued.size(), 1);
    const QList<PageItem> h18 = itemsWithText(report, "H1 8");
    QCOMPARE(h18.size(), 1);
    QVERIFY(h18.first().rect.top() > continued.first().rect.top());
    QCOMPARE(h18.first().rect.left() - continued.first().rect.left(), 1701.0 - 142);
    QCOMPARE(itemsWithText(report, "v3 9").size(), 1);
    QVERIFY(itemsWithText(report, "v3 9").first().font.bold);
    // Every block of the continuation prints in the size of the detail rows.
    for (const char *text : {"H1 8", "v1 9", "H3 8", "v3 9"})
        QCOMPARE(itemsWithText(report, text).first().font.size, 8.5);
    QVERIFY(itemsWithText(report, "H2 9").isEmpty());
    QVERIFY(itemsWithText(report, "v2 9").isEmpty());
    QCOMPARE(itemsWithText(report, "Table 1").size(), 2);
    QCOMPARE(itemsWithText(report, "Table 2").size(), 1);
    QCOMPARE(itemsWithText(report, "Table 3").size(), 2);
    // The key follows the continuation block.
    QVERIFY(itemsWithText(report, "v3 9").first().rect.bottom() <=
            itemsWithText(report, "KEY\r\n\r\n'-' = Below Temperature Range of this table\r\n"
                                  "'+' = Above Temperature Range of this table\r\n"
                                  "'x' = No value given for this temperature")
                .first()
                .rect.top());
}

QTEST_MAIN(tst_reports_tables)
