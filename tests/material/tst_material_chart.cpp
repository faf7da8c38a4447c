// The charts of the material window, the chart control, the enlarged chart window and the print
// and save buttons.

#include "DrawnIcon.h"
#include "tst_material_charts.h"

#include "controls/Chart.h"
#include "controls/DataGrid.h"
#include "controls/ReportPreview.h"
#include "core/modDBase.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "material/frmChart.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "reports/frmSave.h"
#include "shell/mdiVelkor.h"

#include "SchemaFixture.h"
#include <QAction>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

// --- fixture ------------------------------------------------------------------------------------

ChartFixture::ChartFixture(const QStringList &statements)
{
    const QString path = m_dir.filePath(QStringLiteral("fixture.mdb"));
    if (testsupport::buildSchemaDatabase(path, statements))
        m_database.open(path);
}

MaterialPtr ChartFixture::material(int matID) const
{
    auto materials =
        modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where matID = %1").arg(matID));
    auto standard = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from standard where stID = 5"));
    auto material = std::make_shared<Material>();
    material->SetProperties(*materials, *standard);
    return material;
}

QStringList chartBaseRows()
{
    return {QStringLiteral("INSERT INTO standard VALUES (5, 'EN 1', 'Plates', '2007-12-01', 0)"),
            QStringLiteral(
                "INSERT INTO materials VALUES (1, 'G1', '1.0001', NULL, NULL, '2008-06-01', 'EN 1', NULL, NULL, NULL), "
                "(2, 'G2', '1.0002', NULL, NULL, '2008-06-01', 'EN 1', NULL, NULL, NULL), "
                "(3, 'G3', '1.0003', NULL, NULL, '2008-06-01', 'EN 1', NULL, NULL, NULL)")};
}

std::unique_ptr<frmMaterial2> openChartWindow(const MaterialPtr &material)
{
    auto window = std::make_unique<frmMaterial2>();
    window->SetMaterial(material);
    window->setWindowTitle(QStringLiteral("Name: ") + material->Name());
    return window;
}

namespace {

// Closes the report preview that the next modal dialog is; true once it has.
void closeNextPreview(platform::ScriptedResponder &responder, bool &closed)
{
    responder.answerDialog([&closed](QDialog &dialog) {
        if (auto *preview = qobject_cast<controls::ReportPreview *>(&dialog)) {
            closed = true;
            preview->close();
        }
    });
}

QStringList values(const platform::XArray &data, int row)
{
    QStringList out;
    for (int c = data.lowerBound(2); c <= data.upperBound(2); ++c)
        out << data.value(row, c).toString();
    return out;
}

QStringList creepRows()
{
    return {
        QStringLiteral("INSERT INTO Columns VALUES (1, 'Temperature', 1), (2, 'Rm 10000', 2), (3, 'Rm 100000', 2)"),
        QStringLiteral("INSERT INTO Units VALUES (1, '[°C]'), (2, '[MPa]')"),
        QStringLiteral("INSERT INTO CreepPropTable VALUES (5, 1, NULL, NULL, '900', 1), (5, 2, NULL, NULL, '900', 2), "
                       "(5, 3, NULL, NULL, '900', 3)"),
        QStringLiteral(
            "INSERT INTO CreepProperties VALUES (1, 1, 1, 1, '380'), (1, 1, 2, 2, '229'), (1, 1, 3, 3, '165'), "
            "(1, 2, 1, 1, '400'), (1, 2, 2, 2, '(210)'), (1, 2, 3, 3, '150'), "
            "(1, 3, 1, 1, '420'), (1, 3, 2, 2, '190'), (1, 3, 3, 3, NULL)")};
}

} // namespace

// --- test case ----------------------------------------------------------------------------------

void tst_material_charts::initTestCase()
{
    m_mdi = new mdiVelkor;
    m_mdi->InitTableNames();
    m_mdi->SetStatus();
}

void tst_material_charts::cleanupTestCase()
{
    delete m_mdi;
    m_mdi = nullptr;
}

void tst_material_charts::cleanup()
{
    m_mdi->blnEnglish = false;
    m_mdi->blnEnglishSystem = false;
    m_mdi->frmCurrentDesign = nullptr;
    m_mdi->mCurrent.reset();
    m_mdi->blnToolTips = false;
    QLocale::setDefault(QLocale::c());
}

// --- chart control ------------------------------------------------------------------------------

void tst_material_charts::chartControlPairsColumns()
{
    controls::Chart chart;
    platform::XArray data(1, 3, 0, 3);
    const QVariant cells[3][4] = {{20, "200", 20, "1,5"}, {100, "", 100, "2.5"}, {QVariant(), "180", 150, "abc"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            data.setValue(r + 1, c, cells[r][c]);
    chart.setColumnLabel(QStringLiteral("ignored without columns"));
    chart.setChartData(data);
    QCOMPARE(chart.columnCount(), 4);
    QCOMPARE(chart.seriesCount(), 2);
    chart.setColumn(3);
    chart.setColumnLabel(QStringLiteral("second"));
    chart.setColumn(9); // outside: the current column stays
    QCOMPARE(chart.column(), 3);
    QCOMPARE(chart.seriesLabel(2), QStringLiteral("second"));
    QCOMPARE(chart.seriesLabel(1), QString());

    const QList<QAbstractSeries *> series = chart.chart()->series();
    QCOMPARE(series.size(), 2);
    // Points without a number on either axis are left out; both decimal signs read.
    const QList<QPointF> first = static_cast<QLineSeries *>(series.at(0))->points();
    QCOMPARE(first, (QList<QPointF>{{20, 200}}));
    const QList<QPointF> second = static_cast<QLineSeries *>(series.at(1))->points();
    QCOMPARE(second, (QList<QPointF>{{20, 1.5}, {100, 2.5}}));
    QCOMPARE(series.at(1)->name(), QStringLiteral("second"));

    // Printing draws the chart into a painter's rectangle.
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        chart.renderTo(&painter, QRectF(0, 0, 400, 300));
    }
    int inked = 0;
    for (int y = 0; y < page.height(); y += 3)
        for (int x = 0; x < page.width(); x += 3)
            inked += page.pixel(x, y) != qRgb(255, 255, 255);
    QVERIFY(inked > 100);

    // Assigning new data clears the labels; a larger column count keeps the data.
    chart.setChartData(data);
    chart.setColumn(3);
    QCOMPARE(chart.columnLabel(), QString());
    chart.setColumnCount(6);
    QCOMPARE(chart.chartData().upperBound(2), 5);
    QCOMPARE(chart.chartData().value(1, 3).toString(), QStringLiteral("1,5"));
}

// --- per-temperature charts ---------------------------------------------------------------------

void tst_material_charts::unboundChart_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("legends");
    QTest::addColumn<QString>("yTitle");
    QTest::addColumn<QStringList>("firstRow");

    QTest::newRow("ModElast: one series, no legend")
        << "ModElast" << QStringList{"INSERT INTO ModElast VALUES (1, 20, '212', 1), (1, 100, '207', 2)"}
        << QStringList{} << "[kN/mm²]" << QStringList{"20", "212"};
    QTest::newRow("ThermExp: two series")
        << "ThermExp"
        << QStringList{"INSERT INTO ThermExp VALUES (1, 100, '12,1', '12,6', 1), (1, 200, '12,7', NULL, 2)"}
        << QStringList{"ThermExp", "ThermExpDiff"} << "[E-6/K]" << QStringList{"100", "12,1", "100", "12,6"};
    QTest::newRow("SpecThermCap: two series")
        << "SpecThermCap" << QStringList{"INSERT INTO SpecThermCap VALUES (1, 20, '460', '461', 1)"}
        << QStringList{"SpecThermCap", "SpecThermCapDiff"} << "[J/kgK]" << QStringList{"20", "460", "20", "461"};
    QTest::newRow("SpecElecRes: its own unit")
        << "SpecElecRes" << QStringList{"INSERT INTO SpecElecRes VALUES (1, 20, '0,22', 1)"} << QStringList{}
        << "[Ω × mm²/m]" << QStringList{"20", "0,22"};
    QTest::newRow("Rp02 not split")
        << "Rp02" << QStringList{"INSERT INTO Rp02 VALUES (1, 100, '214', -1, 1), (1, 150, '198', -1, 2)"}
        << QStringList{} << "Rp 0,2  [MPa]" << QStringList{"100", "214"};
    QTest::newRow("Rm not split") << "Rm" << QStringList{"INSERT INTO Rm VALUES (1, 100, '400', -1, 1)"}
                                  << QStringList{} << "Rm  [MPa]" << QStringList{"100", "400"};
    QTest::newRow("Rp02 split by thickness")
        << "Rp02"
        << QStringList{"INSERT INTO Rp02 VALUES (1, 50, '227', 16, 1), (1, 100, '214', 16, 2), (1, 50, '218', 40, 1), "
                       "(1, 100, '205', 40, 2), (1, 50, '208', 60, 1), (1, 100, '196', 60, 2)"}
        << QStringList{"(   ) - 16mm", "(16) - 40mm", "(40) - 60mm"} << ""
        << QStringList{"50", "227", "50", "218", "50", "208"};
}

void tst_material_charts::unboundChart()
{
    QFETCH(QString, key);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, legends);
    QFETCH(QString, yTitle);
    QFETCH(QStringList, firstRow);

    ChartFixture fixture(chartBaseRows() + rows);
    QVERIFY(fixture.isOpen());
    platform::ScriptedResponder responder;
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(key);
    QCOMPARE(responder.count(), 0);

    controls::Chart *chart = w->MSChart1;
    QVERIFY(!chart->isHidden());
    QCOMPARE(chart->chartType(), controls::Chart::XYChart);
    QCOMPARE(chart->titleText(), m_mdi->GetTableName(m_mdi->GetTableIndex(key)));
    QCOMPARE(chart->axisTitle(controls::Chart::AxisX), QStringLiteral("Temperature [°C]"));
    QCOMPARE(chart->axisTitle(controls::Chart::AxisY), yTitle);
    QVERIFY(!chart->uniformAxis());
    QCOMPARE(chart->showLegend(), !legends.isEmpty());
    const platform::XArray data = chart->chartData();
    QCOMPARE(data.lowerBound(1), 1);
    QCOMPARE(data.upperBound(2), int(firstRow.size()) - 1);
    QCOMPARE(values(data, 1), firstRow);
    for (int s = 1; s <= legends.size(); ++s) {
        chart->setColumn(2 * s - 1);
        QCOMPARE(chart->columnLabel(), legends.at(s - 1));
    }
    QCOMPARE(chart->chart()->series().size(), int(firstRow.size()) / 2);
}

void tst_material_charts::unboundChartValues_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QStringList>("chartRow");

    QTest::newRow("comma kept") << false << "(1, 20, '1,5', 1)" << QStringList{"20", "1,5"};
    QTest::newRow("comma as point when English") << true << "(1, 20, '1,5', 1)" << QStringList{"20", "1.5"};
    QTest::newRow("note mark before the number") << false << "(1, 20, 'a) 245', 1)" << QStringList{"20", "245"};
    QTest::newRow("text after the number cut") << false << "(1, 20, '245 (b)', 1)" << QStringList{"20", "245"};
    QTest::newRow("no value") << false << "(1, 20, NULL, 1)" << QStringList{"20", ""};
    QTest::newRow("row without temperature") << false << "(1, NULL, '245', 1)" << QStringList{"", "245"};
}

void tst_material_charts::unboundChartValues()
{
    QFETCH(bool, english);
    QFETCH(QString, rows);
    QFETCH(QStringList, chartRow);

    m_mdi->blnEnglish = english;
    ChartFixture fixture(chartBaseRows() << QStringLiteral("INSERT INTO ThermCond VALUES ") + rows);
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("ThermCond"));
    QCOMPARE(values(w->MSChart1->chartData(), 1), chartRow);
}

void tst_material_charts::chartButtonsFollowData()
{
    ChartFixture fixture(chartBaseRows() << QStringLiteral("INSERT INTO ModElast VALUES (1, 20, '212', 1)"));
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("ModElast"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(w->cmdPrintSave[i]->isEnabled());
    const platform::XArray drawn = w->MSChart1->chartData();

    w->ShowTable(QStringLiteral("ThermCond"));
    QVERIFY(w->MSChart1->isHidden());
    for (int i = 0; i < 3; ++i)
        QVERIFY(!w->cmdPrintSave[i]->isEnabled());
    QCOMPARE(w->MSChart1->chartData(), drawn); // the last chart stays behind the hidden control

    w->ShowTable(QStringLiteral("ModElast"));
    QVERIFY(!w->MSChart1->isHidden());
    QVERIFY(w->cmdPrintSave[2]->isEnabled());

    // The small buttons show pictures, not letters, and have names for screen readers.
    QStringList names;
    for (const QPushButton *button : w->cmdPrintSave) {
        QVERIFY(button->text().isEmpty());
        QVERIFY(testutil::drawsAt(button->icon(), button->iconSize().width(), 2.0));
        QVERIFY(button->iconSize().width() <= button->width() && button->iconSize().height() <= button->height());
        names << button->accessibleName();
    }
    QCOMPARE(names.removeDuplicates(), 0);
    QVERIFY(!names.contains(QString()));
    w->CommandShowGraph->click();
    QVERIFY(w->grab().save(QDir::temp().filePath(QStringLiteral("velkor_chart_buttons.png"))));
}

// --- creep chart --------------------------------------------------------------------------------

void tst_material_charts::creepChart_data()
{
    QTest::addColumn<int>("item"); // -1: as loaded
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("xs");
    QTest::addColumn<QStringList>("ys");
    QTest::addColumn<QString>("yTitle");

    const QString head = QStringLiteral("select * from CreepProperties where matID = 1 and  colID = 1");
    QTest::newRow("as loaded: first column against the second")
        << -1 << head + " or matID = 1 and  colID = 2 order by colID, rowNo" << QStringList{"380", "400", "420"}
        << QStringList{"229", "210", "190"} << "Rm 10000 [MPa]";
    QTest::newRow("third column, one empty value")
        << 1 << head + " or matID = 1 and  colID = 3 order by colID, rowNo" << QStringList{"380", "400", "420"}
        << QStringList{"165", "150", ""} << "Rm 100000 [MPa]";
}

void tst_material_charts::creepChart()
{
    QFETCH(int, item);
    QFETCH(QString, sql);
    QFETCH(QStringList, xs);
    QFETCH(QStringList, ys);
    QFETCH(QString, yTitle);

    ChartFixture fixture(chartBaseRows() + creepRows());
    platform::ScriptedResponder responder;
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("CreepProp"));
    if (item >= 0) {
        w->cboColumnList->setCurrentIndex(item);
        emit w->cboColumnList->activated(item);
    }
    QCOMPARE(responder.count(), 0);
    QCOMPARE(w->dtaTable->recordSource(), sql);
    const platform::XArray data = w->MSChart1->chartData();
    QCOMPARE(data.upperBound(1), 3);
    QStringList gotX, gotY;
    for (int r = 1; r <= 3; ++r) {
        gotX << data.value(r, 0).toString();
        gotY << data.value(r, 1).toString();
    }
    QCOMPARE(gotX, xs);
    QCOMPARE(gotY, ys);
    QCOMPARE(w->MSChart1->titleText(), QStringLiteral("Creep properties"));
    QCOMPARE(w->MSChart1->axisTitle(controls::Chart::AxisX), QStringLiteral("Temperature [°C]"));
    QCOMPARE(w->MSChart1->axisTitle(controls::Chart::AxisY), yTitle);
    QVERIFY(!w->MSChart1->showLegend());

    // The area switches between grid and chart.
    w->cmdUnBoundGraph->click();
    QVERIFY(!w->framChart->isHidden());
    QVERIFY(!w->framAxisCols->isHidden());
    QVERIFY(w->tdbTable->isHidden());
    w->cmdUnBoundTable->click();
    QVERIFY(w->framChart->isHidden());
    QVERIFY(w->framAxisCols->isHidden());
    QVERIFY(!w->tdbTable->isHidden());
}

void tst_material_charts::graphViewButtons()
{
    ChartFixture fixture(chartBaseRows() << QStringLiteral("INSERT INTO ModElast VALUES (1, 20, '212', 1)")
                                         << QStringLiteral("INSERT INTO ThermCond VALUES (1, 20, '57', 1)"));
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("ModElast"));
    QVERIFY(!w->CommandShowGraph->isHidden());
    QVERIFY(w->CommandShowTable->isHidden());
    QVERIFY(w->framChart->isHidden());

    w->CommandShowGraph->click();
    QVERIFY(!w->framChart->isHidden());
    QVERIFY(w->tdbBoundTable->isHidden());
    QVERIFY(!w->CommandShowTable->isHidden());
    QVERIFY(w->CommandShowGraph->isHidden());

    // The view is kept for the next per-temperature table.
    w->ShowTable(QStringLiteral("ThermCond"));
    QVERIFY(!w->framChart->isHidden());
    QVERIFY(w->tdbBoundTable->isHidden());

    w->CommandShowTable->click();
    QVERIFY(w->framChart->isHidden());
    QVERIFY(!w->tdbBoundTable->isHidden());
    QVERIFY(!w->CommandShowGraph->isHidden());
}

// --- chart window -------------------------------------------------------------------------------

void tst_material_charts::chartWindowCopiesChart_data()
{
    QTest::addColumn<bool>("toolTips");
    QTest::newRow("tool tips on") << true;
    QTest::newRow("tool tips off") << false;
}

void tst_material_charts::chartWindowCopiesChart()
{
    QFETCH(bool, toolTips);

    ChartFixture fixture(chartBaseRows() << QStringLiteral(
                             "INSERT INTO ThermExp VALUES (1, 100, '12,1', '12,6', 1), (1, 200, '12,7', '13,4', 2)"));
    const MaterialPtr m = fixture.material(1);
    auto w = openChartWindow(m);
    w->ShowTable(QStringLiteral("ThermExp"));
    m_mdi->mCurrent = m;
    m_mdi->blnToolTips = toolTips;

    platform::ScriptedResponder responder;
    frmChart *shown = nullptr;
    responder.answerDialog([&](QDialog &dialog) {
        shown = qobject_cast<frmChart *>(&dialog);
        QVERIFY(shown);
        const controls::Chart *copy = shown->MSChart1;
        const controls::Chart *source = w->MSChart1;
        QCOMPARE(copy->chartType(), source->chartType());
        QCOMPARE(copy->chartData(), source->chartData());
        QCOMPARE(copy->titleText(), source->titleText());
        QCOMPARE(copy->axisTitle(0), source->axisTitle(0));
        QCOMPARE(copy->axisTitle(1), source->axisTitle(1));
        QCOMPARE(copy->showLegend(), true);
        QCOMPARE(copy->columnCount(), 4);
        QCOMPARE(copy->seriesLabel(1), QStringLiteral("ThermExp"));
        QCOMPARE(copy->seriesLabel(2), QStringLiteral("ThermExpDiff"));
        QCOMPARE(shown->TableKey(), QStringLiteral("ThermExp"));
        QCOMPARE(shown->cmdGraph[2]->toolTip(), toolTips ? QStringLiteral("Return To Material") : QString());
        QCOMPARE(shown->cmdGraph[1]->toolTip(), toolTips ? QStringLiteral("Print Graph") : QString());
        // Pictures, not letters; a name for screen readers whether tool tips are on or off.
        for (const QPushButton *button : shown->cmdGraph) {
            QVERIFY(button->text().isEmpty());
            QVERIFY(testutil::drawsAt(button->icon(), button->iconSize().width()));
            QVERIFY(!button->accessibleName().isEmpty());
        }
        const QString enlarged = m_mdi->StatusText();
        QVERIFY(enlarged.startsWith(QStringLiteral("Enlarged Chart")));

        bool previewed = false;
        closeNextPreview(responder, previewed);
        shown->cmdGraph_Click(1);
        QVERIFY(previewed);
        QCOMPARE(w->iReportType, frmMaterial2::ReportType::Chart);
        QCOMPARE(m_mdi->StatusText(), enlarged);
        shown->cmdGraph_Click(2);
        QVERIFY(!m_mdi->StatusText().startsWith(QStringLiteral("Enlarged Chart")));
    });
    m_mdi->ShowStatus(1);
    w->cmdPrintSave[2]->click();
    QVERIFY(shown);
}

void tst_material_charts::printButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<int>("reportType");

    QTest::newRow("save chart") << 0 << "" << 1;
    QTest::newRow("print chart") << 1 << "" << 1;
    QTest::newRow("print design values without temperature") << 3 << "" << 0;
    QTest::newRow("print design values with '-'") << 3 << "-" << 0;
    QTest::newRow("print design values at 0") << 3 << "0" << 2;
    QTest::newRow("save design values without temperature") << 4 << "" << 0;
    QTest::newRow("save design values with '-'") << 4 << "-" << 0;
    QTest::newRow("save design values at 0") << 4 << "0" << 2;
}

void tst_material_charts::printButtons()
{
    QFETCH(int, button);
    QFETCH(QString, temperature);
    QFETCH(int, reportType);

    ChartFixture fixture(chartBaseRows() << QStringLiteral("INSERT INTO ModElast VALUES (1, 20, '212', 1)"));
    platform::ScriptedResponder responder;
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("Design"));
    w->txtDesignTemp->setText(temperature);
    w->ShowTable(QStringLiteral("ModElast")); // the chart buttons follow the table shown last
    QVERIFY(w->cmdPrintSave[button]->isEnabled());
    m_mdi->mCurrent = w->mMat;
    // A report runs only for a report type; a save asks for the file (cancelled), a print previews.
    const bool save = reportType > 0 && (button == 0 || button == 4);
    bool previewed = false;
    if (reportType > 0 && !save)
        closeNextPreview(responder, previewed);
    responder.answerEveryDialog([](QDialog &dialog) {
        if (auto *format = qobject_cast<frmSave *>(&dialog))
            format->cmdSave_Click(0);
    });
    w->cmdPrintSave[button]->click();
    m_mdi->mCurrent.reset();
    QCOMPARE(w->iReportType, frmMaterial2::ReportType(reportType));
    QCOMPARE(previewed, reportType > 0 && !save);
    QCOMPARE(responder.count(), save ? 1 : 0);
}

QTEST_MAIN(tst_material_charts)
