#include "material/frmMaterial2.h"

#include "controls/Chart.h"
#include "controls/DataGrid.h"
#include "core/TableCatalogue.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "material/MainWindowLink.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace platform;

namespace {

// The keys whose charts double as the design values' text matrices.
bool keepsTextMatrix(const QString &key)
{
    const catalogue::TableInfo *table = catalogue::Find(key);
    return table && table->binding == catalogue::Binding::Bound && table->designOrder >= 0;
}

struct SeriesTable
{
    QStringList fields;
    QStringList legends;
    QString yTitle;
};

// The series of a bound table's chart: one per thickness column of a split elevated table, else its
// value field or two.
SeriesTable seriesOf(const QString &strTable, bool multiThickness, const VbArray<qint16> &thickCols)
{
    SeriesTable table;
    if (catalogue::IsElevated(strTable) && multiThickness && thickCols.isAllocated()) {
        for (int k = thickCols.lowerBound(); k <= thickCols.upperBound(); ++k) {
            const QString t = QString::number(thickCols.at(k));
            table.fields << t;
            table.legends << (k == thickCols.lowerBound() ? QStringLiteral("(   ) - ") + t + QStringLiteral("mm")
                                                          : QStringLiteral("(") + QString::number(thickCols.at(k - 1)) +
                                                                QStringLiteral(") - ") + t + QStringLiteral("mm"));
        }
    } else if (const catalogue::TableInfo *info = catalogue::Find(strTable); info && *info->secondField) {
        table.fields = table.legends = {strTable, QString::fromLatin1(info->secondField)};
        table.yTitle = QString::fromUtf16(info->valueUnit);
    } else {
        table.fields = {strTable};
        table.legends = {QString()};
        if (info) {
            const QString unit = QString::fromUtf16(info->valueUnit);
            table.yTitle =
                *info->chartSymbol ? QString::fromLatin1(info->chartSymbol) + QStringLiteral("  ") + unit : unit;
        }
    }
    return table;
}

} // namespace

void frmMaterial2::ConnectChartControls()
{
    platform::connectGuarded(CommandShowGraph, &QPushButton::clicked, this, ErrorPolicy,
                             [this] { CommandShowGraph_Click(); });
    platform::connectGuarded(CommandShowTable, &QPushButton::clicked, this, ErrorPolicy,
                             [this] { CommandShowTable_Click(); });
    platform::connectGuarded(cmdUnBoundGraph, &QPushButton::clicked, this, ErrorPolicy,
                             [this] { cmdUnBoundGraph_Click(); });
    platform::connectGuarded(cmdUnBoundTable, &QPushButton::clicked, this, ErrorPolicy,
                             [this] { cmdUnBoundTable_Click(); });
    platform::connectGuarded(cboColumnList, &QComboBox::currentIndexChanged, this, ErrorPolicy,
                             [this] { cboColumnList_Click(); });
    for (int i = 0; i < int(cmdPrintSave.size()); ++i)
        platform::connectGuarded(cmdPrintSave[i], &QPushButton::clicked, this, ErrorPolicy,
                                 [this, i] { cmdPrintSave_Click(i); });
}

bool frmMaterial2::RecordTextMatrix(const QString &strTable, db::Recordset &rs, platform::XArray *chartData)
{
    const SeriesTable table = seriesOf(strTable, m_multiThickness, m_thickCols);
    const int n = int(table.fields.size());
    if (rs.eof() || rs.bof() || n == 0)
        return false;
    rs.moveLast();
    rs.moveFirst();
    const int R = rs.recordCount();
    if (chartData)
        *chartData = XArray(1, R, 0, 2 * n - 1);
    XArray text(1, R, 0, n);
    auto valueText = [](const QVariant &value) { return isNull(value) ? QString() : cStr(value); };
    for (int r = 1; r <= R; ++r) {
        const QVariant temp = rs.field(QStringLiteral("temp"));
        text.setValue(r, 0, valueText(temp));
        if (chartData && !isNull(temp))
            chartData->setValue(r, 0, temp);
        for (int s = 1; s <= n; ++s) {
            const QVariant value = rs.field(table.fields.at(s - 1));
            if (chartData) {
                chartData->setValue(r, 2 * s - 2, chartData->value(r, 0));
                chartData->setValue(r, 2 * s - 1, isNull(value) ? QString() : NormaliseNumber(cStr(value)));
            }
            text.setValue(r, s, valueText(value));
        }
        if (r < R)
            rs.moveNext();
    }
    if (keepsTextMatrix(strTable))
        m_textMatrices.insert(strTable, text);
    return true;
}

void frmMaterial2::ShowUnboundGraph(const QString &strTable, db::Recordset &rs)
{
    if (!mMat->TableHasData(strTable)) {
        MSChart1->hide();
        for (int i = 0; i < ChartButtons; ++i)
            cmdPrintSave[i]->setEnabled(false);
        return;
    }
    MSChart1->show();
    MSChart1->setAxisTitle(controls::Chart::AxisY, QString());
    for (int i = 0; i < ChartButtons; ++i)
        cmdPrintSave[i]->setEnabled(true);
    MSChart1->setTitleText(mainlink::GetTableName(mainlink::GetTableIndex(strTable)));

    const SeriesTable table = seriesOf(strTable, m_multiThickness, m_thickCols);
    const int n = int(table.fields.size());
    MSChart1->setAxisTitle(controls::Chart::AxisY, table.yTitle);
    MSChart1->setAxisTitle(controls::Chart::AxisX,
                           QStringLiteral("Temperature [") + QChar(0x00B0) + QStringLiteral("C]"));

    XArray chartData;
    if (!RecordTextMatrix(strTable, rs, &chartData))
        return;
    MSChart1->setChartData(chartData);
    MSChart1->setUniformAxis(false);
    if (n == 1 && table.legends.first().isEmpty()) {
        MSChart1->setShowLegend(false);
    } else {
        for (int s = 1; s <= n; ++s) {
            MSChart1->setColumn(2 * s - 1);
            MSChart1->setColumnLabel(table.legends.at(s - 1));
        }
        MSChart1->setShowLegend(true);
    }
}

void frmMaterial2::ShowBoundGraph(const QString &strTable)
{
    if (!mMat->TableHasData(strTable)) {
        MSChart1->hide();
        for (int i = 0; i < ChartButtons; ++i)
            cmdPrintSave[i]->setEnabled(false);
        return;
    }
    MSChart1->show();
    for (int i = 0; i < ChartButtons; ++i)
        cmdPrintSave[i]->setEnabled(true);
    MSChart1->setShowLegend(false);
    MSChart1->setChartType(controls::Chart::XYChart);

    const QString data =
        strTable == catalogue::key::CreepProp ? QStringLiteral("CreepProperties") : QStringLiteral("MechPropData");
    const QString id = QString::number(mMat->ID());
    const QString x = QString::number(m_chartXCol);
    const QString y = QString::number(m_chartYCol);
    QString sql = QStringLiteral("select * from ") + data + QStringLiteral(" where matID = ") + id +
                  QStringLiteral(" and ") + QStringLiteral(" colID = ") + x;
    if (m_chartXCol != m_chartYCol)
        sql += QStringLiteral(" or matID = ") + id + QStringLiteral(" and ") + QStringLiteral(" colID = ") + y;
    if (m_chartXCol == m_chartYCol)
        sql += QStringLiteral(" order by rowNo");
    else if (m_chartXCol > m_chartYCol)
        sql += QStringLiteral(" order by colID DESC, rowNo");
    else
        sql += QStringLiteral(" order by colID, rowNo");
    dtaTable->setRecordSource(sql);
    dtaTable->refresh();
    std::unique_ptr<db::Recordset> rs = dtaTable->recordset() ? dtaTable->recordset()->clone() : nullptr;

    const int rows = m_xChartDB.isAllocated() ? m_xChartDB.upperBound(1) : 0;
    if (!rs || rs->eof() || rs->bof()) {
        for (int i = 1; i <= rows; ++i) {
            m_xChartDB.setValue(i, 0, QString());
            m_xChartDB.setValue(i, 1, QString());
        }
    } else {
        // A column with fewer records than the table has rows leaves its remaining points empty.
        auto fillColumn = [&](int c) {
            for (int i = 1; i <= rows; ++i) {
                QString cell;
                if (!rs->eof()) {
                    const QVariant value = rs->field(QStringLiteral("val"));
                    cell = isNull(value) ? QString() : NormaliseNumber(cStr(value));
                    rs->moveNext();
                }
                m_xChartDB.setValue(i, c, cell);
            }
        };
        rs->moveFirst();
        fillColumn(0);
        if (m_chartXCol == m_chartYCol)
            rs->moveFirst();
        fillColumn(1);
    }

    MSChart1->setTitleText(mainlink::GetTableName(mainlink::GetTableIndex(strTable)));
    MSChart1->setAxisTitle(controls::Chart::AxisX, lblXAxis->text());
    MSChart1->setAxisTitle(controls::Chart::AxisY, cboColumnList->currentText());
    if (m_xChartDB.isAllocated())
        MSChart1->setChartData(m_xChartDB);
    MSChart1->refresh();
}

QString frmMaterial2::NormaliseNumber(const QString &s) const
{
    const bool english = mainlink::mdi() && mainlink::mdi()->blnEnglish;
    QString result;
    for (const QChar ch : s) {
        if (ch.isDigit() && ch.unicode() < 128) {
            result += ch;
        } else if (ch == QLatin1Char('-') || ch == QLatin1Char('.')) {
            result += ch;
        } else if (ch == QLatin1Char(',')) {
            result += english ? QLatin1Char('.') : ch;
        } else if (!result.isEmpty()) {
            break;
        }
    }
    return result;
}

void frmMaterial2::cboColumnList_Click()
{
    const int index = cboColumnList->currentIndex();
    if (index < 0)
        return;
    RunGuarded([&] {
        m_chartXCol = m_columnIds.at(0);
        m_chartYCol = m_creepColIds.at(index + 1);
        ShowBoundGraph(strCurrentTable);
    });
}

void frmMaterial2::ShowGraphView(bool blnGraph)
{
    if (blnGraph) {
        moveTwips(framBlank, leftTwips(framBlank), 2520, widthTwips(framBlank), 1935);
        framBlank->show();
        tdbBoundTable->hide();
        framNotes->hide();
        framChart->show();
    } else {
        moveTwips(framBlank, leftTwips(framBlank), topTwips(framOptions), widthTwips(framBlank),
                  heightTwips(framOptions));
        framBlank->hide();
        ImgPic[BlankFramePicture]->hide();
        tdbBoundTable->show();
        framNotes->show();
        framChart->hide();
        lblFullForm->show();
    }
}

void frmMaterial2::EnableGraphButtons(bool blnEnable)
{
    CommandShowTable->setVisible(!blnEnable);
    CommandShowGraph->setVisible(blnEnable);
}

void frmMaterial2::CommandShowGraph_Click()
{
    m_graphView = true;
    ShowGraphView(true);
    EnableGraphButtons(false);
}

void frmMaterial2::CommandShowTable_Click()
{
    m_graphView = false;
    ShowGraphView(false);
    EnableGraphButtons(true);
}

// Each switch shows the other view before it hides its own, so that the focus it held passes to the
// control that takes its place.
void frmMaterial2::cmdUnBoundGraph_Click()
{
    framBlank->show();
    framChart->show();
    framAxisCols->show();
    framNotes->hide();
    tdbTable->hide();
}

void frmMaterial2::cmdUnBoundTable_Click()
{
    framNotes->show();
    tdbTable->show();
    framBlank->hide();
    framChart->hide();
    framAxisCols->hide();
    ImgPic[BlankFramePicture]->hide();
}
