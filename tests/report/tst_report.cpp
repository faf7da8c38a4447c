#include "FaultyFiles.h"
#include "LoggingReport.h"
#include "SchemaFixture.h"
#include "controls/Chart.h"
#include "controls/Report.h"
#include "controls/ReportExport.h"
#include "controls/ReportLayout.h"
#include "controls/ReportPaint.h"
#include "controls/ReportPreview.h"
#include "db/DataControl.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "platform/XArray.h"

#include <QLabel>

Q_DECLARE_METATYPE(testsupport::Fault)
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <numeric>

using namespace controls;
using Kind = ReportSection::Kind;

namespace {

bool makeDatabase(const QString &path)
{
    return testsupport::execSql(path,
                                {QStringLiteral("create table Rp02 (matID integer, temp integer, Rp02 real);"
                                                "insert into Rp02 values (7, 200, 180.5), (7, 20, 250), (8, 50, 1), "
                                                "(7, 100, 215);")});
}

class MissingFieldReport : public Report
{
public:
    MissingFieldReport() { addSection(Kind::Detail, QStringLiteral("Detail"), 283); }

protected:
    void dataInitialize() override { fields().add(QStringLiteral("Present")); }
    void fetchData(bool &eof) override
    {
        fields().setValue(QStringLiteral("Missing"), 1);
        eof = true;
    }
};

QStringList pageTexts(const Report &report, int page)
{
    QStringList texts;
    for (const PageItem &item : report.document().pages.at(page).items) {
        if (item.kind == PageItem::Kind::Text && !item.text.isEmpty())
            texts << item.text;
    }
    return texts;
}

const PageItem *findItem(const Report &report, const QString &text, int *page = nullptr)
{
    for (int p = 0; p < report.pageCount(); ++p) {
        for (const PageItem &item : report.document().pages.at(p).items) {
            if (item.text == text) {
                if (page)
                    *page = p;
                return &item;
            }
        }
    }
    return nullptr;
}

// A filler, then a section with a heading of 300 twips over a growing text 9000 twips wide.
void addHeadingOverText(Report &report, double filler, const QString &text)
{
    report.addSection(Kind::ReportHeader, QStringLiteral("rhFiller"), filler);
    ReportControls &section = report.addSection(Kind::GroupHeader, QStringLiteral("ghText"), 585)->controls();
    section.addLabel(QStringLiteral("lblHeading"), 0, 0, 3000, 300, QStringLiteral("Heading"));
    auto *field = section.addField(QStringLiteral("txtText"), 0, 300, 9000, 285);
    field->setCanGrow(true);
    field->setText(text);
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<failed: %1>").arg(QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class tst_report : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eventOrder_data();
    void eventOrder();
    void formatChangesStayForLaterRows();
    void controlsAddAtRunTime();
    void pagination_data();
    void pagination();
    void keepWithNext_data();
    void keepWithNext();
    void headingsRepeatOnContinuedPages_data();
    void headingsRepeatOnContinuedPages();
    void sectionKeptTogether_data();
    void sectionKeptTogether();
    void headingStaysWithGrowingText_data();
    void headingStaysWithGrowingText();
    void longTextContinuesOnNextPages_data();
    void longTextContinuesOnNextPages();
    void grownControlsPushLaterControlsDown();
    void groupFooterShowsLastValue_data();
    void groupFooterShowsLastValue();
    void runFailureKeepsNoPages();
    void exportFiles();
    void textExportColumns_data();
    void textExportColumns();
    void exportFailure_data();
    void exportFailure();
    void exportKeepsEarlierFile_data();
    void exportKeepsEarlierFile();
    void exportFromReportEnd();
    void preview();

private:
    QTemporaryDir m_dir;
    QString m_database;
};

void tst_report::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_database = m_dir.filePath(QStringLiteral("report.db"));
    QVERIFY(makeDatabase(m_database));
}

void tst_report::eventOrder_data()
{
    QTest::addColumn<bool>("boundParent");
    QTest::addColumn<QStringList>("expected");

    const QStringList subA{"A ReportStart",   "A Format ReportHeader", "A Format gh1",
                           "A Format gh2",    "A Format Detail",       "A Format Detail",
                           "A Format Detail", "A Format gf1",          "A ReportEnd"};
    const QStringList subB{"B ReportStart",   "B DataInitialize", "B FetchData",     "B Format ReportHeader",
                           "B Format gh1",    "B Format gh2",     "B Format Detail", "B FetchData",
                           "B Format Detail", "B FetchData",      "B Format gf1",    "B ReportEnd"};
    // Without data and fields the detail prints once, without fetches.
    const QStringList subC{"C ReportStart", "C DataInitialize", "C Format ReportHeader", "C Format gh1",
                           "C Format gh2",  "C Format Detail",  "C Format gf1",          "C ReportEnd"};
    QStringList unbound{"P ReportStart", "P DataInitialize", "P FetchData", "P Format ReportHeader", "P Format gh1"};
    unbound << subA << "P Format gh2" << subB << subC
            << QStringList{"P Format Detail", "P FetchData", "P Format gf1", "P ReportEnd"};
    QTest::newRow("unbound parent") << false << unbound;

    QStringList bound{"P ReportStart", "P Format ReportHeader", "P Format gh1"};
    bound << subA << "P Format gh2" << subB << subC
          << QStringList{"P Format Detail", "P Format Detail", "P Format Detail", "P Format gf1", "P ReportEnd"};
    QTest::newRow("bound parent") << true << bound;
}

void tst_report::eventOrder()
{
    QFETCH(bool, boundParent);
    QFETCH(QStringList, expected);

    QStringList log;
    LoggingReport parent(QStringLiteral("P"), &log);
    if (boundParent)
        parent.bind(m_database, QStringLiteral("select * from Rp02 where matID=7 order by temp"));
    else
        parent.feed({QStringLiteral("only row")});
    auto a = std::make_shared<LoggingReport>(QStringLiteral("A"), &log);
    a->bind(m_database, QStringLiteral("select * from Rp02 where matID=7 order by temp"));
    auto b = std::make_shared<LoggingReport>(QStringLiteral("B"), &log);
    b->feed({QStringLiteral("x"), QStringLiteral("y")});
    auto c = std::make_shared<LoggingReport>(QStringLiteral("C"), &log);
    // B and C are added before A, but A's section prints first; C follows B in its section.
    ReportControls &gh2 = parent.section(QStringLiteral("gh2"))->controls();
    gh2.addSubReport(QStringLiteral("subB"), 0, 0, 9921, 283)->setReport(b);
    gh2.addSubReport(QStringLiteral("subC"), 0, 283, 9921, 283)->setReport(c);
    parent.section(QStringLiteral("gh1"))
        ->controls()
        .addSubReport(QStringLiteral("subA"), 0, 0, 9921, 283)
        ->setReport(a);

    parent.run();
    QCOMPARE(log, expected);

    // The bound subreport prints its rows in the query's order.
    const QStringList ordered{platform::cStr(250.0), platform::cStr(215.0), platform::cStr(180.5)};
    QStringList values;
    for (const QString &text : pageTexts(parent, 0)) {
        if (ordered.contains(text))
            values << text;
    }
    QCOMPARE(values.mid(0, 3), ordered);
    QCOMPARE(values.size(), boundParent ? 6 : 3);
}

void tst_report::formatChangesStayForLaterRows()
{
    LoggingReport report(QStringLiteral("R"), nullptr);
    report.feed({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four")});
    QStringList seen;
    report.onDetailFormat = [&seen](LoggingReport &r, int row) {
        seen << r.valueBox->text(); // the row is bound before its format event
        if (row == 2) {
            r.valueBox->font().bold = true;
            r.detail->setHeight(600);
        } else if (row == 3) {
            r.detail->setCanShrink(true);
            r.valueBox->setHeight(100);
        }
    };
    report.run();
    QCOMPARE(seen, (QStringList{"one", "two", "three", "four"}));
    const PageItem *one = findItem(report, QStringLiteral("one"));
    const PageItem *two = findItem(report, QStringLiteral("two"));
    const PageItem *three = findItem(report, QStringLiteral("three"));
    const PageItem *four = findItem(report, QStringLiteral("four"));
    QVERIFY(one && two && three && four);
    QVERIFY(!one->font.bold);
    QVERIFY(two->font.bold);
    QVERIFY(four->font.bold);
    QCOMPARE(two->rect.top() - one->rect.top(), 283.0);
    QCOMPARE(three->rect.top() - two->rect.top(), 600.0);
    QCOMPARE(four->rect.top() - three->rect.top(), 100.0); // shrunk to its lowest box
}

void tst_report::controlsAddAtRunTime()
{
    LoggingReport report(QStringLiteral("R"), nullptr);
    report.feed({QStringLiteral("a"), QStringLiteral("b")});
    auto child = std::make_shared<LoggingReport>(QStringLiteral("C"), nullptr);
    child->feed({QStringLiteral("child row")});
    report.onStart = [child](LoggingReport &r) {
        ReportControls &controls = r.section(QStringLiteral("gh1"))->controls();
        auto *field = dynamic_cast<ReportField *>(controls.add(QStringLiteral("DDActiveReports2.Field")));
        QVERIFY(field);
        field->setName(QStringLiteral("txtAdded"));
        field->setGeometry(2000, 0, 1500, 283);
        field->setText(QStringLiteral("added heading"));
        auto *sub = dynamic_cast<ReportSubReport *>(controls.add(QStringLiteral("DDActiveReports.SubReport")));
        QVERIFY(sub);
        sub->setTop(300);
        sub->setReport(child);
        auto *pageBreak = r.section(QStringLiteral("gh2"))->controls().add(QStringLiteral("DDActiveReports.PageBreak"));
        QVERIFY(dynamic_cast<ReportPageBreak *>(pageBreak));
        auto *rowField = r.detail->controls().add(QStringLiteral("DDActiveReports2.Field"));
        rowField->setName(QStringLiteral("txtCopy"));
        static_cast<ReportField *>(rowField)->setDataField(QStringLiteral("Value"));
        rowField->setLeft(3000);
        QVERIFY_THROWS_EXCEPTION(platform::VbError, controls.add(QStringLiteral("DDActiveReports2.Chart")));
    };
    report.run();

    QCOMPARE(report.section(QStringLiteral("gh1"))->controls().item<ReportField>(QStringLiteral("txtAdded"))->text(),
             QStringLiteral("added heading"));
    int page = -1;
    QVERIFY(findItem(report, QStringLiteral("added heading"), &page));
    QCOMPARE(page, 0);
    QVERIFY(findItem(report, QStringLiteral("child row"), &page));
    QCOMPARE(page, 0);
    // The page break of gh2 moves the rows to the second page; the run-time detail box shows the row.
    QCOMPARE(report.pageCount(), 2);
    QCOMPARE(pageTexts(report, 1).count(QStringLiteral("b")), 2);
}

void tst_report::pagination_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("lines"); // lines of text in each row's box
    QTest::addColumn<bool>("canGrow");
    QTest::addColumn<bool>("breakInHeader");
    QTest::addColumn<int>("pages");

    // Body of an A4 page: 16838 - 2 x 850 - 285 (footer) = 14853 twips, 52 rows of 283.
    QTest::newRow("one page") << 52 << 1 << false << false << 1;
    QTest::newRow("one row more") << 53 << 1 << false << false << 2;
    QTest::newRow("page break") << 3 << 1 << false << true << 2;
    // 15 lines of 10 points are a third to a quarter of the body, whichever sans font stands in.
    QTest::newRow("tall texts clipped") << 5 << 15 << false << false << 1;
    QTest::newRow("tall texts grow") << 5 << 15 << true << false << 2;
}

void tst_report::pagination()
{
    QFETCH(int, rows);
    QFETCH(int, lines);
    QFETCH(bool, canGrow);
    QFETCH(bool, breakInHeader);
    QFETCH(int, pages);

    QStringList values;
    for (int r = 0; r < rows; ++r) {
        QStringList text;
        for (int l = 0; l < lines; ++l)
            text << QStringLiteral("row %1 line %2").arg(r).arg(l);
        values << text.join(QStringLiteral("\r\n"));
    }
    LoggingReport report(QStringLiteral("R"), nullptr);
    report.section(QStringLiteral("ReportHeader"))->setHeight(0);
    report.section(QStringLiteral("gh1"))->setHeight(0);
    report.section(QStringLiteral("gh2"))->setHeight(0);
    report.section(QStringLiteral("gf1"))->setHeight(0);
    report.feed(values);
    report.valueBox->setCanGrow(canGrow);
    if (breakInHeader) {
        report.section(QStringLiteral("gh2"))->setHeight(300);
        report.section(QStringLiteral("gh2"))->controls().addPageBreak(QStringLiteral("pb"), 150);
    }
    ReportControls &footer = report.section(QStringLiteral("PageFooter"))->controls();
    footer.addField(QStringLiteral("txtPage"), 4557, 0, 600, 285)->setPageValue(ReportField::PageValue::PageNumber);
    footer.addField(QStringLiteral("txtPageTotal"), 5400, 0, 600, 285)->setPageValue(ReportField::PageValue::PageCount);

    report.run();
    QCOMPARE(report.pageCount(), pages);
    for (int p = 0; p < pages; ++p) {
        const QStringList texts = pageTexts(report, p);
        QVERIFY(texts.contains(QString::number(p + 1)));
        QVERIFY(texts.contains(QString::number(pages)));
        // No row's box reaches into the footer unless it is taller than a page.
        for (const PageItem &item : report.document().pages.at(p).items) {
            if (item.text.startsWith(QLatin1String("row")))
                QVERIFY(item.rect.bottom() <= 16838 - 850 - 285 + 1);
        }
    }
    // Every row prints exactly once.
    int printed = 0;
    for (int p = 0; p < pages; ++p)
        printed += int(pageTexts(report, p).filter(QRegularExpression(QStringLiteral("^row \\d+ line 0"))).size());
    QCOMPARE(printed, rows);
}

// A filler, then a table: a heading label over a subreport (or, inline, a group header) whose title
// band comes before five rows of 283 twips. The body of a page is 16838 - 2 x 850 = 15138 twips.
// clang-format off
void tst_report::keepWithNext_data()
{
    QTest::addColumn<bool>("inSubReport");
    QTest::addColumn<bool>("stacked"); // the filler is a subreport in the table's own section
    QTest::addColumn<double>("filler");
    QTest::addColumn<bool>("firstRowKept"); // the first row keeps the second with it
    QTest::addColumn<int>("headingPage");   // also the page of the title
    QTest::addColumn<int>("firstRowPage");
    QTest::addColumn<int>("secondRowPage");

    const double body = 15138;
    // Heading 300 and title 600 fit, the first row does not: all three go to the next page.
    QTest::newRow("subreport title without room for a row") << true << false << body - 900 - 100 << false << 1 << 1 << 1;
    QTest::newRow("subreport title with its first row") << true << false << body - 900 - 283 - 100 << false << 0 << 0 << 1;
    // As the batch report stacks material reports: the subreport above is no heading of the table.
    QTest::newRow("below a subreport, no room for a row") << true << true << body - 900 - 100 << false << 1 << 1 << 1;
    QTest::newRow("below a subreport, with its first row") << true << true << body - 900 - 283 - 100 << false << 0 << 0 << 1;
    QTest::newRow("group header without room for a row") << false << false << body - 600 - 100 << false << 1 << 1 << 1;
    QTest::newRow("group header with its first row") << false << false << body - 600 - 283 - 100 << false << 0 << 0 << 1;
    QTest::newRow("row kept with the next one") << false << false << body - 600 - 283 - 100 << true << 0 << 1 << 1;
    QTest::newRow("nothing above the title") << false << false << 0.0 << false << 0 << 0 << 0;
}
// clang-format on

void tst_report::keepWithNext()
{
    QFETCH(bool, inSubReport);
    QFETCH(bool, stacked);
    QFETCH(double, filler);
    QFETCH(bool, firstRowKept);
    QFETCH(int, headingPage);
    QFETCH(int, firstRowPage);
    QFETCH(int, secondRowPage);

    // The table: group header gh1 with the title, then the rows; its report header is the filler
    // when the table prints by itself.
    auto table = std::make_shared<LoggingReport>(QStringLiteral("T"), nullptr);
    table->section(QStringLiteral("ReportHeader"))->setHeight(inSubReport ? 0 : filler);
    table->section(QStringLiteral("gh1"))->setHeight(600);
    table->section(QStringLiteral("gh1"))
        ->controls()
        .addLabel(QStringLiteral("lblTitle"), 0, 0, 3000, 600, QStringLiteral("Title"));
    table->section(QStringLiteral("gh2"))->setVisible(false);
    table->section(QStringLiteral("gf1"))->setVisible(false);
    table->section(QStringLiteral("PageFooter"))->setHeight(0);
    table->feed({QStringLiteral("row 0"), QStringLiteral("row 1"), QStringLiteral("row 2"), QStringLiteral("row 3"),
                 QStringLiteral("row 4")});
    table->onDetailFormat = [firstRowKept](LoggingReport &r, int row) {
        r.detail->setKeepWithNext(firstRowKept && row == 1);
    };

    // In a subreport, below a heading of the section that holds it; stacked, below another
    // subreport of that section that grows to the filler's height (the heading's top moves down by
    // its growth, 300 - 283 twips below it).
    Report parent;
    parent.addSection(Kind::ReportHeader, QStringLiteral("rhFiller"), stacked ? 0 : filler);
    ReportControls &section = parent.addSection(Kind::GroupHeader, QStringLiteral("ghTable"), 583)->controls();
    const double below = stacked ? 300 : 0;
    if (stacked) {
        auto above = std::make_shared<Report>();
        above->addSection(Kind::ReportHeader, QStringLiteral("rhFiller"), filler - (300 - 283))
            ->controls()
            .addLabel(QStringLiteral("lblAbove"), 0, 0, 3000, 283, QStringLiteral("Above"));
        section.addSubReport(QStringLiteral("subAbove"), 0, 0, 9000, 283)->setReport(above);
    }
    section.addLabel(QStringLiteral("lblHeading"), 0, below, 3000, 300, QStringLiteral("Heading"));
    section.addSubReport(QStringLiteral("subTable"), 0, below + 300, 9000, 283)->setReport(table);

    Report &report = inSubReport ? parent : *table;
    report.run();

    int page = -1;
    if (inSubReport) {
        QVERIFY(findItem(report, QStringLiteral("Heading"), &page));
        QCOMPARE(page, headingPage);
    }
    QVERIFY(findItem(report, QStringLiteral("Title"), &page));
    QCOMPARE(page, headingPage);
    QVERIFY(findItem(report, QStringLiteral("row 0"), &page));
    QCOMPARE(page, firstRowPage);
    QVERIFY(findItem(report, QStringLiteral("row 1"), &page));
    QCOMPARE(page, secondRowPage);
    QVERIFY(findItem(report, QStringLiteral("row 4")));
}

// A table whose title band (a title and a column heading, 600 twips) repeats over its rows of 283
// twips, with a footer "End" after the rows: by itself, in a subreport below the heading of the
// section that holds it, or in such a section that repeats as well. The page footer leaves a body of
// 14853 twips, 50 rows below the title band.
void tst_report::headingsRepeatOnContinuedPages_data()
{
    QTest::addColumn<int>("nesting"); // 0 by itself, 1 in a subreport, 2 in a repeating section
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");

    QTest::newRow("one page") << 0 << 40 << 1;
    QTest::newRow("three pages") << 0 << 120 << 3;
    QTest::newRow("only the footer continues") << 0 << 50 << 2;
    QTest::newRow("subreport, three pages") << 1 << 120 << 3;
    QTest::newRow("subreport, only the footer continues") << 1 << 49 << 2;
    QTest::newRow("repeating section, three pages") << 2 << 120 << 3;
}

void tst_report::headingsRepeatOnContinuedPages()
{
    QFETCH(int, nesting);
    QFETCH(int, rows);
    QFETCH(int, pages);

    auto table = std::make_shared<LoggingReport>(QStringLiteral("T"), nullptr);
    table->section(QStringLiteral("ReportHeader"))->setHeight(0);
    ReportSection *title = table->section(QStringLiteral("gh1"));
    title->setHeight(600);
    title->setRepeatsOnEachPage(true);
    title->controls().addLabel(QStringLiteral("lblTitle"), 0, 0, 3000, 300, QStringLiteral("Title"));
    title->controls().addField(QStringLiteral("lblCol"), 0, 300, 2000, 300, QStringLiteral("Col"));
    table->section(QStringLiteral("gh2"))->setVisible(false);
    table->section(QStringLiteral("gf1"))
        ->controls()
        .addLabel(QStringLiteral("lblEnd"), 0, 0, 2000, 300, QStringLiteral("End"));
    QStringList values;
    for (int r = 0; r < rows; ++r)
        values << QStringLiteral("row %1").arg(r);
    table->feed(values);

    Report parent;
    ReportSection *section = parent.addSection(Kind::GroupHeader, QStringLiteral("ghTable"), 583);
    section->setRepeatsOnEachPage(nesting == 2);
    section->controls().addLabel(QStringLiteral("lblHeading"), 0, 0, 3000, 300, QStringLiteral("Heading"));
    section->controls().addSubReport(QStringLiteral("subTable"), 0, 300, 9000, 283)->setReport(table);
    parent.addSection(Kind::PageFooter, QStringLiteral("PageFooter"), 285);

    Report &report = nesting == 0 ? *table : parent;
    report.run();
    QCOMPARE(report.pageCount(), pages);

    const auto topOf = [](const QVector<PageItem> &items, const QString &text) {
        double top = -1;
        for (const PageItem &item : items)
            if (item.text == text) {
                if (top >= 0)
                    return -2.0; // twice on one page
                top = item.rect.top();
            }
        return top;
    };
    int next = 0;
    for (int p = 0; p < pages; ++p) {
        const QVector<PageItem> &items = report.document().pages.at(p).items;
        const double firstRow = topOf(items, QStringLiteral("row %1").arg(next));
        const bool rowsHere = firstRow >= 0;
        // The title and the heading stand once above the first row of every page that has rows,
        // in the order and at the distances of the first page; on a page of the footer alone, not.
        const double titleTop = topOf(items, QStringLiteral("Title"));
        const double colTop = topOf(items, QStringLiteral("Col"));
        const double headingTop = topOf(items, QStringLiteral("Heading"));
        if (!rowsHere) {
            QCOMPARE(titleTop, -1.0);
            QCOMPARE(colTop, -1.0);
            QCOMPARE(headingTop, -1.0);
            continue;
        }
        QVERIFY2(titleTop >= 0 && colTop == titleTop + 300 && firstRow == colTop + 300,
                 qPrintable(QStringLiteral("page %1: %2 %3 %4").arg(p + 1).arg(titleTop).arg(colTop).arg(firstRow)));
        if (nesting > 0 && (p == 0 || nesting == 2))
            QCOMPARE(headingTop, titleTop - 300);
        else
            QCOMPARE(headingTop, -1.0);
        while (topOf(items, QStringLiteral("row %1").arg(next)) >= 0)
            ++next;
    }
    QCOMPARE(next, rows);
    int endPage = -1;
    QVERIFY(findItem(report, QStringLiteral("End"), &endPage));
    QCOMPARE(endPage, pages - 1);
}

// A filler, then a footer kept together: a label "Notes" of 283 twips over a box of 567 (a table's
// notes). The body of a page is 15138 twips.
void tst_report::sectionKeptTogether_data()
{
    QTest::addColumn<double>("filler");
    QTest::addColumn<double>("boxHeight");
    QTest::addColumn<int>("labelPage");
    QTest::addColumn<int>("boxPage");

    const double body = 15138;
    QTest::newRow("room for both") << body - 1000 << 567.0 << 0 << 0;
    QTest::newRow("room for the label only") << body - 400 << 567.0 << 1 << 1;
    QTest::newRow("taller than a page: a new page, then cut") << 1000.0 << body << 1 << 2;
}

void tst_report::sectionKeptTogether()
{
    QFETCH(double, filler);
    QFETCH(double, boxHeight);
    QFETCH(int, labelPage);
    QFETCH(int, boxPage);

    Report report;
    report.addSection(Kind::ReportHeader, QStringLiteral("rhFiller"), filler);
    ReportSection *notes = report.addSection(Kind::GroupFooter, QStringLiteral("gfNotes"), 283 + boxHeight);
    notes->setKeepTogether(true);
    notes->controls().addLabel(QStringLiteral("lblNotes"), 0, 0, 1559, 283, QStringLiteral("Notes"));
    notes->controls().addField(QStringLiteral("txtNotes"), 0, 283, 9000, boxHeight, QStringLiteral("text"));
    report.run();

    int page = -1;
    QVERIFY(findItem(report, QStringLiteral("Notes"), &page));
    QCOMPARE(page, labelPage);
    QVERIFY(findItem(report, QStringLiteral("text"), &page));
    QCOMPARE(page, boxPage);
}

// A filler, then a section with a heading of 300 twips over a text of 20 lines that grows below it;
// nothing else follows, so the text's page is the last.
void tst_report::headingStaysWithGrowingText_data()
{
    QTest::addColumn<double>("filler");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("headingPage");
    QTest::addColumn<int>("textPage");

    const double body = 15138;
    QTest::newRow("room for the heading only") << body - 600 << 20 << 1 << 1;
    QTest::newRow("room for both") << 1000.0 << 20 << 0 << 0;
    QTest::newRow("room for the heading and one line") << body - 900 << 20 << 1 << 1;
}

void tst_report::headingStaysWithGrowingText()
{
    QFETCH(double, filler);
    QFETCH(int, lines);
    QFETCH(int, headingPage);
    QFETCH(int, textPage);

    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("line %1").arg(i);
    Report report;
    addHeadingOverText(report, filler, text.join(QStringLiteral("\r\n")));
    report.run();

    int page = -1;
    QVERIFY(findItem(report, QStringLiteral("Heading"), &page));
    QCOMPARE(page, headingPage);
    bool found = false;
    for (int p = 0; p < report.pageCount(); ++p) {
        if (pageTexts(report, p).join(QLatin1Char('\n')).contains(QStringLiteral("line 0"))) {
            QCOMPARE(p, textPage);
            found = true;
            break;
        }
    }
    QVERIFY(found);
    QCOMPARE(report.pageCount(), textPage + 1);
}

// A heading over a growing text below a filler, with a page header and footer. Lines are numbered;
// wrapped lines each take two lines of the box, so that a page may end inside one of them.
void tst_report::longTextContinuesOnNextPages_data()
{
    QTest::addColumn<double>("filler");
    QTest::addColumn<double>("pagesOfText"); // the text's height in page bodies
    QTest::addColumn<bool>("wrapped");
    QTest::addColumn<int>("headingPage");
    QTest::addColumn<int>("pages");

    const double body = 16838 - 2 * 850 - 300 - 285;
    QTest::newRow("fits the page") << 0.0 << 0.5 << false << 0 << 1;
    QTest::newRow("just over a page") << 0.0 << 1.1 << false << 0 << 2;
    QTest::newRow("several pages") << 0.0 << 3.5 << false << 0 << 4;
    QTest::newRow("wrapped lines over several pages") << 0.0 << 2.5 << true << 0 << 3;
    // Half a page is left below the filler: the text begins there and continues.
    QTest::newRow("begins below other content") << 7000.0 << 1.2 << false << 0 << 2;
    // Room for the heading but not for a line: the heading goes to the next page with the text.
    QTest::newRow("no room for a line below the heading") << body - 400 << 1.2 << false << 1 << 3;
}

void tst_report::longTextContinuesOnNextPages()
{
    QFETCH(double, filler);
    QFETCH(double, pagesOfText);
    QFETCH(bool, wrapped);
    QFETCH(int, headingPage);
    QFETCH(int, pages);

    const double headerHeight = 300;
    const double footerHeight = 285;
    const double footerTop = 16838 - 850 - footerHeight;
    const double body = footerTop - 850 - headerHeight;
    const QString fill = wrapped ? QStringLiteral(" filler").repeated(25) : QString();
    const int fillWords = wrapped ? 25 : 0;
    const double lineHeight = QFontMetricsF(qtFont(ReportFont{})).lineSpacing() * (wrapped ? 2 : 1);
    const int lines = int(pagesOfText * body / lineHeight);
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("line %1").arg(i) + fill;

    Report report;
    report.addSection(Kind::PageHeader, QStringLiteral("PageHeader"), headerHeight)
        ->controls()
        .addLabel(QStringLiteral("lblHeader"), 0, 0, 3000, headerHeight, QStringLiteral("Page header"));
    addHeadingOverText(report, filler, text.join(QStringLiteral("\r\n")));
    report.addSection(Kind::PageFooter, QStringLiteral("PageFooter"), footerHeight)
        ->controls()
        .addLabel(QStringLiteral("lblFooter"), 0, 0, 3000, footerHeight, QStringLiteral("Page footer"));
    report.run();
    QCOMPARE(report.pageCount(), pages);

    // The numbers of the lines in the order a text holds them, and its filler words.
    const QRegularExpression number(QStringLiteral("\\bline (\\d+)\\b"));
    const auto numbers = [&number](const QString &in) {
        QList<int> found;
        for (auto it = number.globalMatch(in); it.hasNext();)
            found << it.next().captured(1).toInt();
        return found;
    };
    QList<int> expected(lines);
    std::iota(expected.begin(), expected.end(), 0);

    QList<int> printed;
    int fillPrinted = 0;
    for (int p = 0; p < pages; ++p) {
        const QStringList texts = pageTexts(report, p);
        QVERIFY(texts.contains(QStringLiteral("Page header")));
        QVERIFY(texts.contains(QStringLiteral("Page footer")));
        int onPage = 0;
        for (const PageItem &item : report.document().pages.at(p).items) {
            const QList<int> here = numbers(item.text);
            if (here.isEmpty() && !item.text.contains(QStringLiteral("filler")))
                continue;
            QVERIFY2(item.rect.bottom() <= footerTop + 1, qPrintable(QStringLiteral("page %1").arg(p)));
            // The page draws no more lines than its box has room for.
            QVERIFY(ReportLayout::textHeight(item.text, item.font, item.rect.width()) <= item.rect.height() + 1);
            printed += here;
            ++onPage;
            fillPrinted += int(item.text.count(QStringLiteral("filler")));
        }
        QVERIFY2(onPage > 0 || p < headingPage, qPrintable(QStringLiteral("page %1 has no line").arg(p)));
    }
    QCOMPARE(printed, expected);
    QCOMPARE(fillPrinted, lines * fillWords);
    int page = -1;
    QVERIFY(findItem(report, QStringLiteral("Heading"), &page));
    QCOMPARE(page, headingPage);

    QCOMPARE(numbers(TextExport::text(report.document())), expected);
    QCOMPARE(numbers(QString::fromLatin1(RtfExport::rtf(report.document()))), expected);
}

void tst_report::grownControlsPushLaterControlsDown()
{
    // A subreport of 60 rows in one section: it runs across pages, and the label below it follows it.
    LoggingReport report(QStringLiteral("R"), nullptr);
    auto child = std::make_shared<LoggingReport>(QStringLiteral("C"), nullptr);
    QStringList rows;
    for (int r = 0; r < 60; ++r)
        rows << QStringLiteral("child %1").arg(r);
    child->feed(rows);
    ReportControls &gh = report.section(QStringLiteral("gh1"))->controls();
    gh.addSubReport(QStringLiteral("sub"), 0, 100, 9921, 283)->setReport(child);
    gh.addLabel(QStringLiteral("lblBelow"), 0, 383, 3000, 283, QStringLiteral("below"));
    gh.addLabel(QStringLiteral("lblBeside"), 0, 0, 3000, 100, QStringLiteral("beside"));
    report.run();

    QCOMPARE(report.pageCount(), 2);
    int lastPage = -1;
    int belowPage = -1;
    const PageItem *last = findItem(report, QStringLiteral("child 59"), &lastPage);
    const PageItem *below = findItem(report, QStringLiteral("below"), &belowPage);
    QVERIFY(last && below);
    QCOMPARE(belowPage, 1);
    QCOMPARE(lastPage, 1);
    QVERIFY(below->rect.top() >= last->rect.bottom());
    int besidePage = -1;
    QVERIFY(findItem(report, QStringLiteral("beside"), &besidePage));
    QCOMPARE(besidePage, 0);
}

void tst_report::groupFooterShowsLastValue_data()
{
    QTest::addColumn<bool>("bound");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unbound") << false << QStringLiteral("third");
    QTest::newRow("bound") << true << QStringLiteral("200");
}

void tst_report::groupFooterShowsLastValue()
{
    QFETCH(bool, bound);
    QFETCH(QString, expected);
    LoggingReport report(QStringLiteral("R"), nullptr);
    QString field;
    if (bound) {
        report.bind(m_database, QStringLiteral("select * from Rp02 where matID=7 order by temp"));
        field = QStringLiteral("temp");
    } else {
        report.feed({QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")});
        field = QStringLiteral("Value");
    }
    report.detail->setVisible(false);
    ReportField *footerOnly =
        report.section(QStringLiteral("gf1"))->controls().addField(QStringLiteral("txtLast"), 0, 0, 2000, 283);
    footerOnly->setDataField(field);
    report.run();
    const PageItem *item = findItem(report, expected);
    QVERIFY(item);
    QCOMPARE(pageTexts(report, 0).count(expected), 1);
}

void tst_report::runFailureKeepsNoPages()
{
    LoggingReport report(QStringLiteral("R"), nullptr);
    report.bind(m_database, QStringLiteral("select * from NoSuchTable"));
    QVERIFY_THROWS_EXCEPTION(platform::VbError, report.run());
    QCOMPARE(report.pageCount(), 0);
    QVERIFY(!report.isRunning());

    // A fetch that writes a field the report never added is an error, not a silent gap.
    MissingFieldReport writer;
    QVERIFY_THROWS_EXCEPTION(platform::VbError, writer.run());
    QCOMPARE(writer.pageCount(), 0);
}

namespace {
// Two pages: a bold title with markup characters and non-ASCII text, a table row, a page break.
class SampleReport : public Report
{
public:
    SampleReport()
    {
        setDocumentName(QStringLiteral("Velkor_PED_P265GH_1.0425"));
        ReportSection *header = addSection(Kind::ReportHeader, QStringLiteral("ReportHeader"), 1200);
        ReportLabel *title = header->controls().addLabel(QStringLiteral("lblTitle"), 0, 0, 6803, 400,
                                                         QStringLiteral("Chemical Composition {C}"));
        title->font().bold = true;
        title->font().size = 14;
        ReportField *cell = header->controls().addField(QStringLiteral("txtCell"), 142, 500, 1500, 567,
                                                        QStringLiteral("Temperature\r\n\r\n[\u00B0C]"));
        cell->setAlignment(2);
        cell->setBackStyle(1);
        cell->setBackColor(0xE0E0E0);
        cell->border().setAll(1);
        header->controls().addField(QStringLiteral("txtValue"), 1642, 500, 1500, 567, QStringLiteral("Rp0,2 265"));
        header->controls().addPageBreak(QStringLiteral("pb"), 1100);
        addSection(Kind::Detail, QStringLiteral("Detail"), 0);
        ReportSection *footer = addSection(Kind::ReportFooter, QStringLiteral("ReportFooter"), 300);
        footer->controls().addLabel(QStringLiteral("lblEnd"), 0, 0, 4000, 283, QStringLiteral("Second page text"));
        chart = footer->controls().addChart(QStringLiteral("MSChart1"), 142, 400, 9638, 5952);
        platform::XArray data(1, 3, 1, 2);
        for (int r = 1; r <= 3; ++r) {
            data.setValue(r, 1, r * 100);
            data.setValue(r, 2, 300 - r * 20);
        }
        chart->chart()->setChartData(data);
        chart->chart()->setTitleText(QStringLiteral("Rp0,2 against temperature"));
        chart->chart()->setAxisTitle(Chart::AxisX, QStringLiteral("Temperature axis"));
    }
    ReportChart *chart = nullptr;
    std::function<void()> onEnd;

protected:
    void reportEnd() override
    {
        if (onEnd)
            onEnd();
    }
};
} // namespace

void tst_report::exportFiles()
{
    SampleReport report;
    report.run();
    QCOMPARE(report.pageCount(), 2);
    // The pages keep the chart as it printed.
    report.chart->chart()->setTitleText(QStringLiteral("Changed after the run"));

    PdfExport pdf;
    pdf.setFileName(m_dir.filePath(QStringLiteral("out.pdf")));
    report.exportReport(pdf);
    const QString pdfText =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf.fileName(), QStringLiteral("-")});
    QVERIFY2(pdfText.contains(QStringLiteral("Chemical Composition {C}")), qPrintable(pdfText));
    QVERIFY2(pdfText.contains(QStringLiteral("[\u00B0C]")), qPrintable(pdfText));
    QVERIFY(pdfText.contains(QStringLiteral("Rp0,2 265")));
    QCOMPARE(pdfText.count(QLatin1Char('\f')), 2); // pdftotext ends every page with a form feed
    QVERIFY(pdfText.section(QLatin1Char('\f'), 1).contains(QStringLiteral("Second page text")));
    // The chart prints as a drawing, its texts stay texts.
    QVERIFY(pdfText.section(QLatin1Char('\f'), 1).contains(QStringLiteral("Rp0,2 against temperature")));
    QVERIFY(pdfText.section(QLatin1Char('\f'), 1).contains(QStringLiteral("Temperature axis")));
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf.fileName()});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts"))),
             qPrintable(info));
    QVERIFY(info.contains(QStringLiteral("Velkor_PED_P265GH_1.0425")));

    RtfExport rtf;
    rtf.setFileName(m_dir.filePath(QStringLiteral("out.rtf")));
    report.exportReport(rtf);
    QFile rtfFile(rtf.fileName());
    QVERIFY(rtfFile.open(QIODevice::ReadOnly));
    const QByteArray rtfBytes = rtfFile.readAll();
    QVERIFY(rtfBytes.startsWith("{\\rtf1"));
    int depth = 0;
    for (int i = 0; i < rtfBytes.size(); ++i) {
        if (rtfBytes.at(i) == '\\') {
            ++i;
            continue;
        }
        depth += rtfBytes.at(i) == '{' ? 1 : rtfBytes.at(i) == '}' ? -1 : 0;
        QVERIFY(depth >= 0);
    }
    QCOMPARE(depth, 0);
    QVERIFY(rtfBytes.contains("{\\f0\\fs28\\b Chemical Composition \\{C\\}}"));
    QCOMPARE(rtfBytes.count("\\page"), 1);
    // The bordered box and the text beside it are one table row, its borders as drawn; the chart is a
    // picture. A second reader sees the same.
    QVERIFY(rtfBytes.contains("\\clbrdrt\\brdrs\\brdrw15\\clbrdrl\\brdrs\\brdrw15\\clbrdrb\\brdrs\\brdrw15"
                              "\\clbrdrr\\brdrs\\brdrw15\\cellx1642\\clvertalt\\cellx3142"));
    QVERIFY(rtfBytes.contains("\\pict\\pngblip"));
    const QString native =
        runTool(QStringLiteral("pandoc"), {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"),
                                           QStringLiteral("native"), rtf.fileName()});
    if (!native.startsWith(QLatin1String("<failed"))) {
        QVERIFY2(native.contains(QRegularExpression(
                     QStringLiteral("Table[\\s\\S]*Str \"Temperature\"[\\s\\S]*Str \"Rp0,2\"[\\s\\S]*TableFoot"))),
                 qPrintable(native));
        QVERIFY2(native.contains(QStringLiteral("Image")), qPrintable(native));
    }

    TextExport text;
    text.setFileName(m_dir.filePath(QStringLiteral("out.txt")));
    report.exportReport(text);
    QFile textFile(text.fileName());
    QVERIFY(textFile.open(QIODevice::ReadOnly));
    const QString plain = QString::fromUtf8(textFile.readAll());
    const QStringList pagesText = plain.split(QLatin1Char('\f'));
    QCOMPARE(pagesText.size(), 2);
    QVERIFY(pagesText.at(0).startsWith(QStringLiteral("Chemical Composition {C}\r\n")));
    QVERIFY(pagesText.at(0).contains(QRegularExpression(QStringLiteral("Temperature +Rp0,2 265\r\n"))));
    QVERIFY(pagesText.at(0).contains(QStringLiteral("[\u00B0C]")));
    QCOMPARE(pagesText.at(1), QStringLiteral("Second page text\r\n"));
}

namespace {

// The export filter of a format code: 0 PDF, 1 RTF, 2 text.
std::unique_ptr<ReportExportFilter> exportFilter(int format)
{
    if (format == 0)
        return std::make_unique<PdfExport>();
    if (format == 1)
        return std::make_unique<RtfExport>();
    return std::make_unique<TextExport>();
}

} // namespace

void tst_report::textExportColumns_data()
{
    QTest::addColumn<QString>("wide");
    QTest::addColumn<int>("nextColumn"); // where the second column starts in every row

    // The first box is 2000 twips wide: 17 columns of the text export.
    QTest::newRow("texts fit their columns") << "short" << 17;
    QTest::newRow("a text wider than its column") << "a much wider text than its column can hold" << 43;
    // The row grows past the page's foot; the footer still ends the page's text.
    QStringList tall;
    for (int i = 0; i < 120; ++i)
        tall << QStringLiteral("line %1").arg(i);
    QTest::newRow("a row taller than a page") << tall.join(QStringLiteral("\r\n")) << 17;
}

void tst_report::textExportColumns()
{
    QFETCH(QString, wide);
    QFETCH(int, nextColumn);
    LoggingReport report(QStringLiteral("R"), nullptr);
    for (const char *name : {"ReportHeader", "gh1", "gh2", "gf1"})
        report.section(QString::fromLatin1(name))->setVisible(false);
    report.feed({QStringLiteral("a"), wide, QStringLiteral("b")});
    report.valueBox->border().setAll(1);
    report.valueBox->setCanGrow(true);
    ReportField *next =
        report.detail->controls().addField(QStringLiteral("txtNext"), 2000, 0, 1000, 283, QStringLiteral("next"));
    next->border().setAll(1);
    report.section(QStringLiteral("PageFooter"))
        ->controls()
        .addLabel(QStringLiteral("lblFooter"), 0, 0, 3000, 285, QStringLiteral("Page footer"));
    report.run();

    const QStringList pages = TextExport::text(report.document()).split(QLatin1Char('\f'));
    QCOMPARE(pages.size(), report.pageCount());
    int rows = 0;
    for (const QString &page : pages) {
        const QStringList lines = page.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.last(), QStringLiteral("Page footer"));
        for (const QString &line : lines) {
            if (line.contains(QStringLiteral("next"))) {
                QCOMPARE(line.indexOf(QStringLiteral("next")), nextColumn);
                ++rows;
            }
        }
    }
    QCOMPARE(rows, 3);
}

void tst_report::exportFailure_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("target"); // relative to the test folder
    QTest::addColumn<int>("error");
    for (int format = 0; format < 3; ++format) {
        const QByteArray name = QByteArray("format ") + QByteArray::number(format);
        QTest::newRow(name + " missing folder") << format << QStringLiteral("nofolder/out.x") << 76;
        QTest::newRow(name + " folder is a file") << format << QStringLiteral("report.db/out.x") << 76;
        QTest::newRow(name + " target is a folder") << format << QStringLiteral("afolder") << 75;
        QTest::newRow(name + " empty name") << format << QString() << 5;
    }
}

void tst_report::exportFailure()
{
    QFETCH(int, format);
    QFETCH(QString, target);
    QFETCH(int, error);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("afolder")));
    std::unique_ptr<ReportExportFilter> filter = exportFilter(format);
    filter->setFileName(target.isEmpty() ? QString() : m_dir.filePath(target));

    SampleReport report;
    try {
        report.exportReport(*filter);
        QFAIL("the export reported success");
    } catch (const platform::VbError &e) {
        QCOMPARE(e.number(), error);
    }
    QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("afolder"))).isDir());
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("nofolder"))));
    QVERIFY(QDir(m_dir.filePath(QStringLiteral("afolder"))).isEmpty());
}

void tst_report::exportKeepsEarlierFile_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<testsupport::Fault>("fault");
    using testsupport::Fault;
    for (int format = 0; format < 3; ++format)
        for (Fault fault : {Fault::Fifo, Fault::DevZeroLink, Fault::Unreadable, Fault::ReadOnlyFolder, Fault::FullDisk,
                            Fault::FailingDevice})
            QTest::addRow("format %d, %s", format, qPrintable(testsupport::faultName(fault))) << format << fault;
}

// An export that cannot be written whole raises the error and leaves what stood at the path as
// it was: the earlier export, or the fifo or device, which it neither blocks on nor writes to.
void tst_report::exportKeepsEarlierFile()
{
    QFETCH(int, format);
    QFETCH(testsupport::Fault, fault);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/report.x");
    testsupport::FileFault made(fault, target, QByteArray("an earlier export\r\n"));
    if (!made.skipReason().isEmpty())
        QSKIP(qPrintable(made.skipReason()));
    std::unique_ptr<ReportExportFilter> filter = exportFilter(format);
    filter->setFileName(target);

    SampleReport report;
    int error = 0;
    made.act([&] {
        try {
            report.exportReport(*filter);
        } catch (const platform::VbError &e) {
            error = e.number();
        }
    });
    QCOMPARE(error, 75);
    QVERIFY(made.untouched());
}

void tst_report::exportFromReportEnd()
{
    // The material report writes its file from its own end event, with the pages already laid out.
    SampleReport report;
    TextExport text;
    text.setFileName(m_dir.filePath(QStringLiteral("end.txt")));
    int pagesAtEnd = -1;
    report.onEnd = [&] {
        pagesAtEnd = report.pageCount();
        report.exportReport(text);
    };
    report.run();
    QCOMPARE(pagesAtEnd, 2);
    QVERIFY(QFileInfo(text.fileName()).size() > 0);
}

namespace {
class RestoringReport : public SampleReport
{
public:
    int resizes = 0;
    void previewResize() override
    {
        ++resizes;
        if (windowState() == 1)
            setWindowState(0);
    }
};
} // namespace

void tst_report::preview()
{
    platform::ScriptedResponder responder;
    RestoringReport report;
    report.setCaption(QStringLiteral("Name : P265GH Number : 1.0425 Standard : EN 10028-2"));
    ReportPreview *preview = report.show(nullptr, false);
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->windowTitle(), report.caption());
    QCOMPARE(preview->pageCount(), 2);
    QCOMPARE(preview->pageIndex(), 0);
    const QSize full = preview->pageLabel()->pixmap().size();
    QCOMPARE(full, QSize(qRound(11906 / 15.0), qRound(16838 / 15.0)));

    preview->setPageIndex(5);
    QCOMPARE(preview->pageIndex(), 1);
    preview->setZoom(0.5);
    QCOMPARE(preview->pageLabel()->pixmap().width(), qRound(11906 / 30.0));

    report.setWindowState(2);
    QCOMPARE(report.windowState(), 2);
    report.setWindowState(1);
    QTRY_COMPARE(report.windowState(), 0);
    QVERIFY(report.resizes > 0);

    // The print button asks for a printer; a cancelled dialog prints nothing.
    preview->printButton()->click();
    QCOMPARE(responder.count(), 1);
    QCOMPARE(responder.interactions().at(0).kind, platform::ScriptedResponder::Interaction::Print);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(preview->printReport(&printer));
    QVERIFY(runTool(QStringLiteral("pdftotext"), {printer.outputFileName(), QStringLiteral("-")})
                .contains(QStringLiteral("Second page text")));

    QPointer<ReportPreview> guard(preview);
    preview->close();
    QTRY_VERIFY(guard.isNull());
    QVERIFY(!report.preview());
}

QTEST_MAIN(tst_report)
#include "tst_report.moc"
