#include "tst_reports_tables.h"

#include "controls/ReportExport.h"
#include "core/modDBase.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"
#include "reports/actRepBound.h"
#include "shell/mdiVelkor.h"

#include "SchemaFixture.h"
#include <QFile>
#include <QProcess>
#include <QtTest>

using controls::PageItem;
using controls::ReportField;
using controls::ReportImage;
using controls::ReportLabel;

namespace {

QString crlf(QString text)
{
    return text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

ReportField *headBox(actRepBound &r, int c)
{
    return r.section(QStringLiteral("ghTitle"))
        ->controls()
        .item<ReportField>(QStringLiteral("lblCol") + QString::number(c));
}

ReportField *detailBox(actRepBound &r, int c)
{
    return r.section(QStringLiteral("Detail"))
        ->controls()
        .item<ReportField>(QStringLiteral("txtField") + QString::number(c));
}

ReportImage *image(actRepBound &r, const QString &name)
{
    return r.section(QStringLiteral("ghTitle"))->controls().item<ReportImage>(name);
}

} // namespace

Fixture::Fixture(const QStringList &rows)
{
    const QString file = m_dir.filePath(QStringLiteral("fixture.mdb"));
    const QStringList base = {
        QStringLiteral("INSERT INTO standard VALUES (5, 'EN 1', 'Plates for pressure purposes', '2007-12-01', 0)"),
        QStringLiteral("INSERT INTO materials VALUES (1, 'G1', '1.0001', 'Carbon steel', '1.1', '2008-06-01', 'EN 1', "
                       "NULL, NULL, NULL)")};
    if (testsupport::buildSchemaDatabase(file, base + rows))
        m_database.open(file);
}

MaterialPtr Fixture::material() const
{
    auto materials = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where matID = 1"));
    auto standard = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from standard where stID = 5"));
    auto m = std::make_shared<Material>();
    m->SetProperties(*materials, *standard);
    return m;
}

QList<PageItem> itemsWithText(const controls::Report &report, const QString &text)
{
    QList<PageItem> found;
    for (const controls::ReportPage &page : report.document().pages) {
        for (const PageItem &item : page.items) {
            if (item.kind == PageItem::Kind::Text && item.text == text)
                found << item;
        }
    }
    return found;
}

QStringList lineOf(const controls::Report &report, const QString &text)
{
    const QList<PageItem> anchor = itemsWithText(report, text);
    if (anchor.isEmpty())
        return {};
    QList<PageItem> line;
    for (const PageItem &item : report.document().pages.at(0).items) {
        if (item.kind == PageItem::Kind::Text && !item.text.isEmpty() &&
            qFuzzyCompare(item.rect.top() + 1, anchor.first().rect.top() + 1))
            line << item;
    }
    std::sort(line.begin(), line.end(),
              [](const PageItem &a, const PageItem &b) { return a.rect.left() < b.rect.left(); });
    QStringList texts;
    for (const PageItem &item : line)
        texts << item.text;
    return texts;
}

void tst_reports_tables::initTestCase()
{
    m_responder = std::make_unique<platform::ScriptedResponder>();
    m_mdi = new mdiVelkor;
    m_mdi->InitTableNames();
}

void tst_reports_tables::cleanupTestCase()
{
    delete m_mdi;
    m_mdi = nullptr;
    m_responder.reset();
}

void tst_reports_tables::cleanup()
{
    m_mdi->mCurrent.reset();
    m_mdi->blnBatchPrint = false;
}

// --- bound table subreport ----------------------------------------------------------------------

void tst_reports_tables::physicalTables_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("pictureA"); // -1: text heading
    QTest::addColumn<int>("pictureB"); // -1: no second column
    QTest::addColumn<QString>("field3");
    QTest::addColumn<QStringList>("firstRow");
    // The heading lines of the text export, blanks simplified; empty: not checked.
    QTest::addColumn<QStringList>("textHeading");

    QTest::newRow("ModElast") << "ModElast"
                              << QStringList{"INSERT INTO ModElast VALUES (1, 100, '207', 2)",
                                             "INSERT INTO ModElast VALUES (1, 20, '212', 1)"}
                              << 0 << -1 << QString() << QStringList{"20", "212"}
                              << QStringList{"Temperature [kN/mm²]", "[°C]"};
    QTest::newRow("ThermExp") << "ThermExp"
                              << QStringList{"INSERT INTO ThermExp VALUES (1, 20, '11,9', '12,1', 1)",
                                             "INSERT INTO ThermExp VALUES (1, 100, '12,5', '12,6', 2)"}
                              << 1 << 6 << "ThermExpDiff" << QStringList{"20", "11,9", "12,1"}
                              << QStringList{"Temperature β20, t βdiff, t", "[°C] [E-6/K] [E-6/K]"};
    QTest::newRow("ThermCond") << "ThermCond" << QStringList{"INSERT INTO ThermCond VALUES (1, 20, '51', 1)"} << 2 << -1
                               << QString() << QStringList{"20", "51"}
                               << QStringList{"Temperature [W/(m × K)]", "[°C]"};
    QTest::newRow("SpecThermCap") << "SpecThermCap"
                                  << QStringList{"INSERT INTO SpecThermCap VALUES (1, 20, '460', '470', 1)"} << 3 << 5
                                  << "SpecThermCapDiff" << QStringList{"20", "460", "470"}
                                  << QStringList{"Temperature Cp20, t Cp diff, t", "[°C] [J/kgK] [J/kgK]"};
    QTest::newRow("SpecElecRes") << "SpecElecRes" << QStringList{"INSERT INTO SpecElecRes VALUES (1, 20, '0,18', 1)"}
                                 << 4 << -1 << QString() << QStringList{"20", "0,18"}
                                 << QStringList{"Temperature [Ω × mm²/m]", "[°C]"};
    QTest::newRow("Rm not split") << "Rm" << QStringList{"INSERT INTO Rm VALUES (1, 20, '410', -1, 1)"} << -1 << -1
                                  << QString() << QStringList{"20", "410"} << QStringList{};
}

void tst_reports_tables::physicalTables()
{
    QFETCH(QString, key);
    QFETCH(QStringList, rows);
    QFETCH(int, pictureA);
    QFETCH(int, pictureB);
    QFETCH(QString, field3);
    QFETCH(QStringList, firstRow);

    Fixture fixture(rows);
    QVERIFY(fixture.isOpen());
    MaterialPtr m = fixture.material();
    m->colTablePrintList.add(key);
    m_mdi->mCurrent = m;

    actRepBound report;
    report.run();

    QCOMPARE(report.TableKey(), key);
    QCOMPARE(report.dataControl()->recordSource(), "select * from " + key + " where matID=1 order by temp");
    QCOMPARE(report.dataControl()->databaseName(), modDBase::gMaterialDb->name());
    QCOMPARE(headBox(report, 1)->text(), crlf(QStringLiteral("Temperature\n\n[\u00B0C]")));
    QCOMPARE(detailBox(report, 1)->dataField(), QStringLiteral("temp"));
    QCOMPARE(detailBox(report, 2)->dataField(), key);
    QCOMPARE(report.section("ghTitle")->controls().item<ReportLabel>("lblTitle")->caption(),
             m_mdi->GetTableName(m_mdi->GetTableIndex(key)));

    ReportImage *imgA = image(report, "imgPhysA");
    ReportImage *imgB = image(report, "imgPhysB");
    QCOMPARE(imgA->isVisible(), pictureA >= 0);
    QCOMPARE(headBox(report, 2)->isVisible(), pictureA < 0);
    QCOMPARE(QRectF(imgA->left(), imgA->top(), imgA->width(), imgA->height()), QRectF(1410, 567, 850, 709));
    QCOMPARE(QRectF(imgB->left(), imgB->top(), imgB->width(), imgB->height()), QRectF(2260, 567, 850, 709));
    if (pictureA >= 0)
        QCOMPARE(imgA->picture(), actRepBound::HeadingPicture(pictureA));
    else
        QCOMPARE(headBox(report, 2)->text(), m_mdi->GetCaption(key));
    QCOMPARE(imgB->isVisible(), pictureB >= 0);
    if (pictureB >= 0)
        QCOMPARE(imgB->picture(), actRepBound::HeadingPicture(pictureB));
    QCOMPARE(headBox(report, 3)->isVisible(), !field3.isEmpty());
    QCOMPARE(detailBox(report, 3)->isVisible(), !field3.isEmpty());
    if (!field3.isEmpty())
        QCOMPARE(detailBox(report, 3)->dataField(), field3);
    QVERIFY(!headBox(report, 4)->isVisible());
    QVERIFY(!detailBox(report, 4)->isVisible());

    // Rows print in temperature order, one line each.
    QCOMPARE(lineOf(report, firstRow.at(1)), firstRow);
    QCOMPARE(itemsWithText(report, "Temperature\r\n\r\n[\u00B0C]").size(), 1);
    QVERIFY(m->colTablePrintList.isEmpty());

    // The exports that write text give the pictured headings as text: title, then the heading lines.
    QFETCH(QStringList, textHeading);
    if (textHeading.isEmpty())
        return;
    const QStringList lines = controls::TextExport::text(report.document()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), m_mdi->GetTableName(m_mdi->GetTableIndex(key)));
    QCOMPARE((QStringList{lines.value(1).simplified(), lines.value(2).simplified()}), textHeading);
    const QByteArray rtf = controls::RtfExport::rtf(report.document());
    QProcess pandoc;
    pandoc.start(QStringLiteral("pandoc"),
                 {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"), QStringLiteral("plain")});
    if (!pandoc.waitForStarted())
        QSKIP("pandoc is not installed");
    pandoc.write(rtf);
    pandoc.closeWriteChannel();
    QVERIFY(pandoc.waitForFinished(30000));
    const QString read = QString::fromUtf8(pandoc.readAllStandardOutput()).simplified();
    for (const QString &heading : textHeading)
        for (const QString &word : heading.split(QLatin1Char(' ')))
            QVERIFY2(read.contains(word), qPrintable(word + QStringLiteral(" in ") + read));
}

void tst_reports_tables::impEnergyColumns_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<QStringList>("headings"); // of columns 2 to 4; empty: hidden
    QTest::addColumn<QStringList>("fieldsBound");
    QTest::addColumn<QStringList>("printed");

    const QString kv = crlf("KV\n\n[Joule]"), kvl = crlf("KVL\n\n[Joule]"), kvt = crlf("KVT\n\n[Joule]");
    QTest::newRow("KVL only") << 2 << QStringList{kvl, "", ""} << QStringList{"kvLong"} << QStringList{"-20", "30"};
    QTest::newRow("KV and KVT") << 5 << QStringList{kv, kvt, ""} << QStringList{"kv", "kvTrans"}
                                << QStringList{"-20", "40", "20"};
    QTest::newRow("KVL and KVT") << 6 << QStringList{kvl, kvt, ""} << QStringList{"kvLong", "kvTrans"}
                                 << QStringList{"-20", "30", "20"};
    QTest::newRow("all") << 7 << QStringList{kv, kvl, kvt} << QStringList{"kv", "kvLong", "kvTrans"}
                         << QStringList{"-20", "40", "30", "20"};
}

void tst_reports_tables::impEnergyColumns()
{
    QFETCH(int, mask);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, fieldsBound);
    QFETCH(QStringList, printed);

    Fixture fixture({"INSERT INTO ImpEnergy VALUES (1, 20, '45', '35', '25', 2)",
                     "INSERT INTO ImpEnergy VALUES (1, -20, '40', '30', '20', 1)"});
    MaterialPtr m = fixture.material();
    m->ImpEnergyCols(qint16(mask));
    m->colTablePrintList.add("ImpEnergy");
    m_mdi->mCurrent = m;

    actRepBound report;
    report.run();

    QVERIFY(!report.section("ghTitle")->controls().item("lblTitle")->isVisible());
    QCOMPARE(report.dataControl()->recordSource(),
             QStringLiteral("select * from ImpEnergy where matID=1 order by temp"));
    const double lefts[] = {1410, 2561, 3712};
    for (int c = 2; c <= 4; ++c) {
        const bool shown = !headings.at(c - 2).isEmpty();
        QCOMPARE(headBox(report, c)->isVisible(), shown);
        QCOMPARE(detailBox(report, c)->isVisible(), shown);
        QCOMPARE(headBox(report, c)->width(), 1151.0);
        QCOMPARE(detailBox(report, c)->width(), 1151.0);
        QCOMPARE(headBox(report, c)->left(), lefts[c - 2]);
        QCOMPARE(detailBox(report, c)->left(), lefts[c - 2]);
        if (shown) {
            QCOMPARE(headBox(report, c)->text(), headings.at(c - 2));
            QCOMPARE(detailBox(report, c)->dataField(), fieldsBound.at(c - 2));
        }
    }
    QCOMPARE(lineOf(report, "-20"), printed);
}

void tst_reports_tables::impEnergyMaskZeroHidesControl()
{
    Fixture fixture({"INSERT INTO ImpEnergy VALUES (1, 20, NULL, NULL, NULL, 1)"});
    MaterialPtr m = fixture.material();
    m->ImpEnergyCols(0);
    m->colTablePrintList.add("ImpEnergy");
    m_mdi->mCurrent = m;

    controls::Report parent;
    auto *header = parent.addSection(controls::ReportSection::Kind::GroupHeader, "ghImpEnergy", 600);
    header->controls().addLabel("lblImpEnergy", 0, 0, 2000, 283, "Impact energy");
    auto *holder = header->controls().addSubReport("subRepImpEnergy", 0, 300, 9000, 300);
    auto bound = std::make_shared<actRepBound>();
    bound->ParentReport = &parent;
    holder->setReport(bound);
    parent.run();

    QVERIFY(!holder->isVisible());
    QCOMPARE(itemsWithText(parent, "Impact energy").size(), 1);
    QVERIFY(itemsWithText(parent, "Temperature\r\n\r\n[\u00B0C]").isEmpty());
    QVERIFY(itemsWithText(parent, "20").isEmpty());
    QVERIFY(m->colTablePrintList.isEmpty());
}

void tst_reports_tables::thicknessColumns_data()
{
    QTest::addColumn<QList<int>>("thicknesses");
    QTest::addColumn<QStringList>("headings"); // of columns 2, 3, ...

    QTest::newRow("one") << QList<int>{16} << QStringList{crlf("(   ) - \n\n16mm")};
    QTest::newRow("three") << QList<int>{16, 40, 60}
                           << QStringList{crlf("(   ) - \n\n16mm"), crlf("(16) - \n\n40mm"), crlf("(40) - \n\n60mm")};
    QTest::newRow("five") << QList<int>{16, 40, 60, 100, 150}
                          << QStringList{crlf("(   ) - \n\n16mm"), crlf("(16) - \n\n40mm"), crlf("(40) - \n\n60mm"),
                                         crlf("(60) -\n\n100mm"), crlf("(100) -\n\n150mm")};
}

void tst_reports_tables::thicknessColumns()
{
    QFETCH(QList<int>, thicknesses);
    QFETCH(QStringList, headings);

    QStringList rows;
    platform::VbArray<qint16> t;
    t.redim(1, int(thicknesses.size()));
    QStringList printed{"100"};
    for (int j = 0; j < thicknesses.size(); ++j) {
        t[j + 1] = qint16(thicknesses.at(j));
        rows << QStringLiteral("INSERT INTO Rp02 VALUES (1, 100, '%1', %2, 1)").arg(300 - j).arg(thicknesses.at(j))
             << QStringLiteral("INSERT INTO Rp02 VALUES (1, 20, '%1', %2, 0)").arg(350 - j).arg(thicknesses.at(j));
        printed << QString::number(300 - j);
    }
    Fixture fixture(rows);
    MaterialPtr m = fixture.material();
    m->ElevatedMultiCol("Rp02", true);
    m->ElevatedColumns("Rp02", t);
    m->colTablePrintList.add("Rp02");
    m_mdi->mCurrent = m;

    actRepBound report;
    report.run();

    QCOMPARE(report.dataControl()->recordSource(),
             QStringLiteral("transform MAX (Rp02.Rp02) select temp, ordering from Rp02 where matID = 1 group by temp, "
                            "ordering order by temp, ordering pivot Rp02.thickness"));
    const int n = int(thicknesses.size());
    for (int c = 2; c <= qMax(4, n + 1); ++c) {
        ReportField *head = headBox(report, c);
        ReportField *box = detailBox(report, c);
        const bool shown = c <= n + 1;
        QCOMPARE(head->isVisible(), shown);
        QCOMPARE(box->isVisible(), shown);
        if (!shown)
            continue;
        QCOMPARE(head->text(), headings.at(c - 2));
        QCOMPARE(box->dataField(), QString::number(thicknesses.at(c - 2)));
        QCOMPARE(head->left(), 1410.0 + 850 * (c - 2));
        QCOMPARE(box->left(), head->left());
        QCOMPARE(head->width(), 850.0);
        QCOMPARE(box->width(), 850.0);
        QCOMPARE(head->top(), 567.0);
        QCOMPARE(head->height(), 709.0);
        QCOMPARE(box->top(), 0.0);
        QCOMPARE(box->height(), 283.0);
        QCOMPARE(head->font().size, 8.5);
        QCOMPARE(box->font().size, 8.5);
        QCOMPARE(box->alignment(), detailBox(report, 2)->alignment());
        QCOMPARE(head->border().leftStyle, 0);
        QCOMPARE(head->border().topStyle + head->border().rightStyle + head->border().bottomStyle, 3);
        QCOMPARE(box->border().leftStyle, 0);
        QCOMPARE(box->border().topStyle + box->border().rightStyle + box->border().bottomStyle, 3);
    }
    // The 100 °C row carries every thickness's value in its own column; the 20 °C row prints first.
    QCOMPARE(lineOf(report, "100"), printed);
    QVERIFY(itemsWithText(report, "20").first().rect.top() < itemsWithText(report, "100").first().rect.top());
}

void tst_reports_tables::notesFooter_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<bool>("printed");

    QTest::newRow("empty") << QString() << false;
    QTest::newRow("dash") << "-" << false;
    QTest::newRow("text") << "Valid for plates up to 60 mm." << true;
}

void tst_reports_tables::notesFooter()
{
    QFETCH(QString, notes);
    QFETCH(bool, printed);

    Fixture fixture({"INSERT INTO ThermCond VALUES (1, 20, '54', 1)"});
    MaterialPtr m = fixture.material();
    m->TableNotes(m_mdi->GetTableIndex("ThermCond"), notes);
    m->colTablePrintList.add("ThermCond");
    m_mdi->mCurrent = m;

    actRepBound report;
    report.run();

    QCOMPARE(report.section("gfNotes")->isVisible(), printed);
    QCOMPARE(report.section("gfNotes")->controls().item<ReportField>("txtNotes")->text(), notes);
    QCOMPARE(itemsWithText(report, "Notes").size(), printed ? 1 : 0);
    if (printed)
        QCOMPARE(itemsWithText(report, notes).size(), 1);
}

void tst_reports_tables::batchTitle()
{
    Fixture fixture({"INSERT INTO ModElast VALUES (1, 20, '212', 1)"});
    MaterialPtr m = fixture.material();
    m->colTablePrintList.add("ModElast");
    m_mdi->mCurrent = m;
    m_mdi->blnBatchPrint = true;

    actRepBound report;
    report.run();

    auto *title = report.section("ghTitle")->controls().item<ReportLabel>("lblTitle");
    QCOMPARE(title->caption(), QStringLiteral("Modulus of elasticity     G1_1.0001"));
    QCOMPARE(title->width(), 9071.0);
}

void tst_reports_tables::queueFirstInFirstOut()
{
    Fixture fixture({"INSERT INTO ModElast VALUES (1, 20, '212', 1)", "INSERT INTO Rm VALUES (1, 20, '410', -1, 1)"});
    MaterialPtr m = fixture.material();
    m->colTablePrintList.add("ModElast");
    m->colTablePrintList.add("Rm");
    m_mdi->mCurrent = m;

    actRepBound first, second, third;
    first.run();
    QCOMPARE(first.TableKey(), QStringLiteral("ModElast"));
    QCOMPARE(m->colTablePrintList.count(), 1);
    QCOMPARE(m->colTablePrintList.item(1), QStringLiteral("Rm"));
    second.run();
    QCOMPARE(second.TableKey(), QStringLiteral("Rm"));
    QVERIFY(m->colTablePrintList.isEmpty());

    // With nothing queued the run fails to its caller and prints nothing.
    QVERIFY_THROWS_EXCEPTION(platform::VbError, third.run());
    QCOMPARE(third.pageCount(), 0);
}

void tst_reports_tables::exportedPdfText()
{
    Fixture fixture({"INSERT INTO Rp02 VALUES (1, 100, '265', 16, 1)", "INSERT INTO Rp02 VALUES (1, 100, '255', 40, 1)",
                     "INSERT INTO Rp02 VALUES (1, 200, '235', 16, 2)",
                     "INSERT INTO Rp02 VALUES (1, 200, '225', 40, 2)"});
    MaterialPtr m = fixture.material();
    platform::VbArray<qint16> t;
    t.redim(1, 2);
    t[1] = 16;
    t[2] = 40;
    m->ElevatedMultiCol("Rp02", true);
    m->ElevatedColumns("Rp02", t);
    m->TableNotes(m_mdi->GetTableIndex("Rp02"), "For plates.");
    m->colTablePrintList.add("Rp02");
    m_mdi->mCurrent = m;

    actRepBound report;
    report.run();
    controls::PdfExport pdf;
    pdf.setFileName(fixture.path() + "/bound.pdf");
    report.exportReport(pdf);

    QProcess tool;
    tool.start("pdftotext", {"-layout", pdf.fileName(), "-"});
    QVERIFY(tool.waitForFinished(30000));
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    QVERIFY2(text.contains("Minimum values for Rp0,2 [MPa] at elevated temperature"), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("100 +265 +255")), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("200 +235 +225")), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("16mm +40mm")), qPrintable(text));
    QVERIFY2(text.contains("For plates."), qPrintable(text));
}
