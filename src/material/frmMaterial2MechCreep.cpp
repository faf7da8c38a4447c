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
}

void frmMaterial2::AddGridColumn(controls::DataGrid *grid, const QString &strCaption, double sngWidth)
{
    controls::GridColumn *column = grid->addColumn();
    column->setVisible(true);
    column->setCaption(strCaption);
    column->setCentered();
    column->setWidthTwips(sngWidth == 0 ? DefaultColumnWidth : sngWidth);
    column->setWrapText(true);
}

void frmMaterial2::ClearGridColumns(controls::DataGrid *grid)
{
    while (grid->columnCount() >= 2)
        grid->removeColumn(grid->columnCount() - 1);
    controls::GridColumn *first = tdbTable->column(0);
    first->setCaption(QString());
    first->setWidthTwips(DefaultColumnWidth);
    xTableDB.clear();
    xTableDB.redim(0, 0, 0, 0);
    grid->refresh();
}

QString frmMaterial2::GetColumnText(qint32 colID)
{
    dtaColumns->refresh();
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
    dtaColumns->refresh();
    return modDBase::GetID(dtaColumns->recordset(), colTxt, QStringLiteral("colTxt"), QStringLiteral("unitID"));
}

void frmMaterial2::BuildMechCreepColumns(const QString &strTable)
{
    const bool creep = strTable == QLatin1String("CreepProp");
    const QString definitions = creep ? QStringLiteral("CreepPropTable") : QStringLiteral("MechMatTable");
    const QString keyField = creep ? QStringLiteral("stID") : QStringLiteral("matID");
    const qint32 id = creep ? mMat->StandardID() : mMat->ID();
    tdbTable->setCaption(mainlink::GetTableName(catalogue::IndexOfKey(strTable)));
    // Filling the column list is no choice of the user's; the chart follows once the table is loaded.
    const QSignalBlocker filling(cboColumnList);
    cboColumnList->clear();

    dtaOther->setRecordSource(QStringLiteral("select * from ") + definitions + QStringLiteral(" where ") + keyField +
                              QStringLiteral(" = ") + QString::number(id) + QStringLiteral(" order by ordering"));
    dtaOther->refresh();
    LoadTableNotes(strTable);

    qint16 iCols = 0;
    std::unique_ptr<db::Recordset> defs = dtaOther->recordset() ? dtaOther->recordset()->clone() : nullptr;
    if (defs && !defs->eof() && !defs->bof()) {
        defs->moveLast();
        defs->moveFirst();
        iCols = qint16(defs->recordCount());
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
            if (k == 0) {
                tdbTable->column(0)->setCaption(caption);
                tdbTable->column(0)->setWidthTwips(width + 250);
            } else {
                AddGridColumn(tdbTable, caption, width);
            }
            if (!mMat->TableHasData(strTable))
                mMat->AddColCaption(strTable, caption);
        }
    }

    tdbTable->rebind();
    VbArray<float> sizes;
    sizes.redim(0, tdbTable->columnCount() - 1);
    for (int c = 0; c < tdbTable->columnCount(); ++c)
        sizes[c] = float(tdbTable->column(c)->widthTwips());
    mMat->MechCreepColSize(strTable, sizes);

    FillMechCreepData(strTable, iCols);

    if (creep && mMat->TableHasData(QStringLiteral("CreepProp")) && m_columnIds.isAllocated()) {
        m_chartXCol = m_columnIds.at(0);
        m_chartYCol = m_columnIds.upperBound() >= 1 ? m_columnIds.at(1) : m_columnIds.at(0);
        if (cboColumnList->count() > 0) {
            cboColumnList->setCurrentIndex(0);
            cboColumnList_Click(); // selecting from code runs the click as a user's choice does
        }
    }
    ShowBoundGraph(strTable);
}

void frmMaterial2::FillMechCreepData(const QString &strTable, qint16 &iCols)
{
    const QString data =
        strTable == QLatin1String("CreepProp") ? QStringLiteral("CreepProperties") : QStringLiteral("MechPropData");
    dtaTable->setRecordSource(QStringLiteral("select * from ") + data + QStringLiteral(" where matID = ") +
                              QString::number(mMat->ID()) + QStringLiteral(" order by rowNo, ordering"));
    dtaTable->refresh();
    std::unique_ptr<db::Recordset> rs = dtaTable->recordset() ? dtaTable->recordset()->clone() : nullptr;

    int rows = 0;
    // Values without column definitions cannot be laid out: shown as a table without data.
    if (!rs || rs->eof() || rs->bof() || iCols == 0) {
        mMat->TableHasData(strTable, false);
        ShowNoDataNote(strTable);
    } else {
        rs->moveLast();
        rs->moveFirst();
        rows = int(roundHalfEven(double(rs->recordCount()) / iCols));
        m_xChartDB.redim(1, rows, 0, 1);
        mMat->TableHasData(strTable, true);
    }

    xTableDB.clear();
    xTableDB.redim(1, rows, 0, iCols - 1);
    int emptyCells = 0;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < iCols; ++c) {
            // A record count that is no multiple of the columns leaves the last cells empty.
            QVariant value;
            if (rs && !rs->eof()) {
                value = rs->field(QStringLiteral("val"));
                rs->moveNext();
            }
            xTableDB.setValue(r, c, nz(value));
            if (rows == 1 && (isNull(value) || cStr(value).isEmpty()))
                ++emptyCells;
        }
    }

    if (strTable == QLatin1String("CreepProp") && mMat->TableHasData(QStringLiteral("CreepProp"))) {
        DropEmptyCreepColumns();
        for (int c = 0; c <= xTableDB.upperBound(2) && c < tdbTable->columnCount(); ++c)
            if (m_emptyCreepCols.at(c))
                tdbTable->column(c)->setVisible(false);
    }

    tdbTable->setArray(&xTableDB);
    if (rows == 0)
        xTableDB.redim(1, 1, 0, iCols == 0 ? 0 : iCols - 1);
    mMat->SetUnboundArrayData(strTable, xTableDB);
    tdbTable->rebind();

    if (rows == 1 && emptyCells == iCols)
        mMat->TableHasData(strTable, false);
}

void frmMaterial2::DropEmptyCreepColumns()
{
    const int lastRow = xTableDB.upperBound(1);
    const int lastCol = xTableDB.upperBound(2);
    m_emptyCreepCols.redim(0, lastCol);
    m_creepCaptions.clear();
    m_creepText.clear();
    m_creepColIds.clear();

    int kept = 0;
    for (int c = 0; c <= lastCol; ++c) {
        int empty = 0;
        for (int r = 1; r <= lastRow; ++r) {
            const QString cell = cStr(nz(xTableDB.value(r, c)));
            if (cell.isEmpty() || cell == QLatin1String(" ") || cell == QLatin1String("-"))
                ++empty;
        }
        if (empty == lastRow) {
            m_emptyCreepCols[c] = true;
            continue;
        }
        m_creepCaptions.redimPreserve(kept);
        if (m_creepText.isAllocated())
            m_creepText.redimPreserve(1, lastRow, 0, kept);
        else
            m_creepText.redim(1, lastRow, 0, kept);
        m_creepColIds.redimPreserve(kept);
        if (kept == 0 && c == 0 && m_creepAxisCaptions.isAllocated())
            lblXAxis->setText(m_creepAxisCaptions.at(0));

        // The caption list may be shorter than the columns when the data outgrow the definitions.
        const VbArray<QString> captions = mMat->ColCaptions(QStringLiteral("CreepProp"));
        m_creepCaptions[kept] = captions.isAllocated() && c <= captions.upperBound() ? captions.at(c) : QString();
        for (int r = 1; r <= lastRow; ++r)
            m_creepText.setValue(r, kept, cStr(nz(xTableDB.value(r, c))));
        if (c > 0) {
            m_creepColIds[kept] = c <= m_columnIds.upperBound() ? m_columnIds.at(c) : 0;
            if (m_creepAxisCaptions.isAllocated() && c <= m_creepAxisCaptions.upperBound())
                cboColumnList->addItem(m_creepAxisCaptions.at(c));
        }
        ++kept;
    }

    // A creep table with no column holding data keeps the design grid as wide as the other tables need.
    if (kept > 0 && kept - 1 > mMat->MaxDesignCols())
        mMat->MaxDesignCols(qint16(kept - 1));
}

platform::VbArray<bool> frmMaterial2::EmptyCreepCols() const
{
    return m_emptyCreepCols;
}
