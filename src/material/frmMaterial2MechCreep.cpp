#include "material/frmMaterial2.h"

#include "controls/DataGrid.h"
#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "material/MainWindowLink.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

using namespace platform;

namespace {
constexpr double DefaultColumnWidth = 780;
// The first column is a little wider than its definition.
constexpr double FirstColumnExtra = 250;

double FirstColumnWidth(double definedWidth)
{
    return definedWidth + FirstColumnExtra;
}
} // namespace

void frmMaterial2::AddGridColumns(controls::DataGrid *grid, const QList<GridColumnLayout> &columns)
{
    const int first = grid->columnCount();
    grid->addColumns(int(columns.size()));
    for (int k = 0; k < columns.size(); ++k) {
        controls::GridColumn *column = grid->column(first + k);
        column->setVisible(true);
        column->setCaption(columns.at(k).caption);
        column->setCentered();
        column->setWidthTwips(columns.at(k).definedWidth == 0 ? DefaultColumnWidth : columns.at(k).definedWidth);
        column->setWrapText(true);
    }
}

void frmMaterial2::ClearGridColumns(controls::DataGrid *grid)
{
    grid->removeColumnsFrom(1);
    controls::GridColumn *first = tdbTable->column(0);
    first->setCaption(QString());
    first->setWidthTwips(DefaultColumnWidth);
    xTableDB.clear();
    xTableDB.redim(0, 0, 0, 0);
    grid->refresh();
}

QString frmMaterial2::GetColumnText(qint32 colID)
{
    ReadColumnTexts();
    return modDBase::GetText(dtaColumns->recordset(), colID, QStringLiteral("colID"), QStringLiteral("colTxt"));
}

QString frmMaterial2::GetUnitText(qint32 unitID)
{
    QString text =
        modDBase::GetText(dtaUnits->recordset(), unitID, QStringLiteral("unitID"), QStringLiteral("unitTxt"));
    if (text.isEmpty())
        text = modDBase::GetText(dtaUnits->recordset(), unitID, QStringLiteral("unitID"), QStringLiteral("unitTxt"));
    return text;
}

qint32 frmMaterial2::GetColumnUnitID(const QString &colTxt)
{
    ReadColumnTexts();
    return modDBase::GetID(dtaColumns->recordset(), colTxt, QStringLiteral("colTxt"), QStringLiteral("unitID"));
}

void frmMaterial2::ReadColumnTexts()
{
    // The read-only database never changes under the window: its column texts are read once per database.
    if (m_columnTextsRead && dtaColumns->recordset())
        return;
    dtaColumns->refresh();
    m_columnTextsRead = true;
}

QList<frmMaterial2::GridColumnLayout> frmMaterial2::RecordMechCreepColumns(const QString &strTable)
{
    const bool creep = strTable == catalogue::key::CreepProp;
    const QString definitions = creep ? QStringLiteral("CreepPropTable") : QStringLiteral("MechMatTable");
    const QString keyField = creep ? QStringLiteral("stID") : QStringLiteral("matID");
    const qint32 id = creep ? mMat->StandardID() : mMat->ID();
    dtaOther->setRecordSource(QStringLiteral("select * from ") + definitions + QStringLiteral(" where ") + keyField +
                              QStringLiteral(" = ") + QString::number(id) + QStringLiteral(" order by ordering"));
    dtaOther->refresh();

    QList<GridColumnLayout> columns;
    std::unique_ptr<db::Recordset> defs = dtaOther->recordset() ? dtaOther->recordset()->clone() : nullptr;
    if (defs && !defs->eof() && !defs->bof()) {
        defs->moveLast();
        defs->moveFirst();
        const int iCols = defs->recordCount();
        m_columnIds.redim(0, iCols);
        if (creep)
            m_creepAxisCaptions.redim(0, iCols);
        for (int k = 0; !defs->eof(); ++k, defs->moveNext()) {
            const qint32 colID = cLng(defs->field(QStringLiteral("colID")));
            m_columnIds[k] = colID;
            const QString captionText = GetColumnText(colID);
            const QVariant noteValue = defs->field(QStringLiteral("note"));
            const QString note = m_notesPresent && !isNull(noteValue) ? cStr(noteValue) : QString();
            QString unit = GetUnitText(GetColumnUnitID(captionText));
            if (unit == QLatin1String("[NoUnit]"))
                unit.clear();
            if (creep)
                m_creepAxisCaptions[k] = captionText + QStringLiteral(" ") + unit;
            const QString minMax = cStr(nz(defs->field(QStringLiteral("minMax"))));
            const QVariant sizeValue = defs->field(QStringLiteral("colSize"));
            const double width = isNull(sizeValue) ? 0.0 : cSng(sizeValue);
            const QString caption = captionText + vbCrLf + note + vbCrLf + unit + vbCrLf + minMax;
            columns.append({caption, width});
            if (!mMat->TableHasData(strTable))
                mMat->AddColCaption(strTable, caption);
        }
    }

    return columns;
}

void frmMaterial2::RecordMechCreepColSizes(const QString &strTable, const QList<GridColumnLayout> &columns)
{
    // The widths the grid gives the columns; without definitions it keeps its one cleared column.
    VbArray<float> sizes;
    sizes.redim(0, columns.isEmpty() ? 0 : int(columns.size()) - 1);
    sizes[0] = float(DefaultColumnWidth);
    for (int c = 0; c < columns.size(); ++c) {
        const double defined = columns.at(c).definedWidth;
        const double width = c == 0 ? FirstColumnWidth(defined) : defined == 0 ? DefaultColumnWidth : defined;
        sizes[c] = float(std::max(0.0, width));
    }
    mMat->MechCreepColSize(strTable, sizes);
}

void frmMaterial2::BuildMechCreepColumns(const QString &strTable)
{
    const bool creep = strTable == catalogue::key::CreepProp;
    tdbTable->setCaption(mainlink::GetTableName(catalogue::IndexOfKey(strTable)));
    // Filling the column list is no choice of the user's; the chart follows once the table is loaded.
    const QSignalBlocker filling(cboColumnList);
    cboColumnList->clear();

    LoadTableNotes(strTable);
    const QList<GridColumnLayout> columns = RecordMechCreepColumns(strTable);
    if (!columns.isEmpty()) {
        tdbTable->column(0)->setCaption(columns.first().caption);
        tdbTable->column(0)->setWidthTwips(FirstColumnWidth(columns.first().definedWidth));
        AddGridColumns(tdbTable, columns.mid(1));
    }
    tdbTable->rebind();
    VbArray<float> sizes;
    sizes.redim(0, tdbTable->columnCount() - 1);
    for (int c = 0; c < tdbTable->columnCount(); ++c)
        sizes[c] = float(tdbTable->column(c)->widthTwips());
    mMat->MechCreepColSize(strTable, sizes);

    const MechCreepData data = RecordMechCreepData(strTable, qint16(columns.size()), xTableDB, true);
    if (data.noRows)
        ShowNoDataNote(strTable);
    // The retained creep columns name the chart's axes: the first one X, the others the choices for Y.
    for (const int c : data.kept) {
        if (c == 0 && m_creepAxisCaptions.isAllocated())
            lblXAxis->setText(m_creepAxisCaptions.at(0));
        else if (c > 0 && m_creepAxisCaptions.isAllocated() && c <= m_creepAxisCaptions.upperBound())
            cboColumnList->addItem(m_creepAxisCaptions.at(c));
    }
    if (data.creepColumnsDropped) {
        for (int c = 0; c <= xTableDB.upperBound(2) && c < tdbTable->columnCount(); ++c)
            if (m_emptyCreepCols.at(c))
                tdbTable->column(c)->setVisible(false);
    }
    tdbTable->setArray(&xTableDB);
    tdbTable->rebind();

    if (creep && mMat->TableHasData(catalogue::key::CreepProp) && m_columnIds.isAllocated()) {
        m_chartXCol = m_columnIds.at(0);
        m_chartYCol = m_columnIds.upperBound() >= 1 ? m_columnIds.at(1) : m_columnIds.at(0);
        if (cboColumnList->count() > 0) {
            cboColumnList->setCurrentIndex(0);
            cboColumnList_Click(); // selecting from code runs the click as a user's choice does
        }
    }
    ShowBoundGraph(strTable);
}

frmMaterial2::MechCreepData frmMaterial2::RecordMechCreepData(const QString &strTable, qint16 iCols,
                                                              platform::XArray &cells, bool shown)
{
    const QString data =
        strTable == catalogue::key::CreepProp ? QStringLiteral("CreepProperties") : QStringLiteral("MechPropData");
    std::unique_ptr<db::Recordset> rs =
        TableRows(QStringLiteral("select * from ") + data + QStringLiteral(" where matID = ") +
                      QString::number(mMat->ID()) + QStringLiteral(" order by rowNo, ordering"),
                  shown);

    MechCreepData result;
    int rows = 0;
    // Values without column definitions cannot be laid out: shown as a table without data.
    if (!rs || rs->eof() || rs->bof() || iCols == 0) {
        mMat->TableHasData(strTable, false);
        result.noRows = true;
    } else {
        rs->moveLast();
        rs->moveFirst();
        rows = int(roundHalfEven(double(rs->recordCount()) / iCols));
        m_xChartDB.redim(1, rows, 0, 1);
        mMat->TableHasData(strTable, true);
    }

    cells.clear();
    cells.redim(1, rows, 0, iCols - 1);
    int emptyCells = 0;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < iCols; ++c) {
            // A record count that is no multiple of the columns leaves the last cells empty.
            QVariant value;
            if (rs && !rs->eof()) {
                value = rs->field(QStringLiteral("val"));
                rs->moveNext();
            }
            cells.setValue(r, c, nz(value));
            if (rows == 1 && (isNull(value) || cStr(value).isEmpty()))
                ++emptyCells;
        }
    }

    if (strTable == catalogue::key::CreepProp && mMat->TableHasData(catalogue::key::CreepProp)) {
        result.kept = DropEmptyCreepColumns(cells);
        result.creepColumnsDropped = true;
    }

    if (rows == 0)
        cells.redim(1, 1, 0, iCols == 0 ? 0 : iCols - 1);
    mMat->SetUnboundArrayData(strTable, cells);

    if (rows == 1 && emptyCells == iCols)
        mMat->TableHasData(strTable, false);
    return result;
}

QList<int> frmMaterial2::DropEmptyCreepColumns(const platform::XArray &cells)
{
    const int lastRow = cells.upperBound(1);
    const int lastCol = cells.upperBound(2);
    m_emptyCreepCols.redim(0, lastCol);
    m_creepCaptions.clear();
    m_creepText.clear();
    m_creepColIds.clear();

    QList<int> kept;
    for (int c = 0; c <= lastCol; ++c) {
        int empty = 0;
        for (int r = 1; r <= lastRow; ++r) {
            const QString cell = cStr(nz(cells.value(r, c)));
            if (cell.isEmpty() || cell == QLatin1String(" ") || cell == QLatin1String("-"))
                ++empty;
        }
        if (empty == lastRow) {
            m_emptyCreepCols[c] = true;
            continue;
        }
        const int k = int(kept.size());
        m_creepCaptions.redimPreserve(k);
        if (m_creepText.isAllocated())
            m_creepText.redimPreserve(1, lastRow, 0, k);
        else
            m_creepText.redim(1, lastRow, 0, k);
        m_creepColIds.redimPreserve(k);

        // The caption list may be shorter than the columns when the data outgrow the definitions.
        const VbArray<QString> captions = mMat->ColCaptions(catalogue::key::CreepProp);
        m_creepCaptions[k] = captions.isAllocated() && c <= captions.upperBound() ? captions.at(c) : QString();
        for (int r = 1; r <= lastRow; ++r)
            m_creepText.setValue(r, k, cStr(nz(cells.value(r, c))));
        if (c > 0)
            m_creepColIds[k] = c <= m_columnIds.upperBound() ? m_columnIds.at(c) : 0;
        kept << c;
    }

    // A creep table with no column holding data keeps the design grid as wide as the other tables need.
    const int n = int(kept.size());
    if (n > 0 && n - 1 > mMat->MaxDesignCols())
        mMat->MaxDesignCols(qint16(n - 1));
    return kept;
}

platform::VbArray<bool> frmMaterial2::EmptyCreepCols() const
{
    return m_emptyCreepCols;
}
