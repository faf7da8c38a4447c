#include "material/frmMaterial2.h"

#include "controls/DataGrid.h"
#include "controls/HeadingPictures.h"
#include "core/TableCatalogue.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "material/MainWindowLink.h"
#include "platform/MsgBox.h"
#include "platform/VbConv.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace platform;

namespace {

QString threeLines(const QString &first, const QString &last)
{
    return first + vbCrLf + vbCrLf + last;
}

void setColumn(controls::GridColumn *column, const QString &field, const QString &caption)
{
    column->setDataField(field);
    column->setCaption(caption);
}

} // namespace

QString frmMaterial2::BoundTableSource(const QString &strTable) const
{
    return QStringLiteral("select * from ") + strTable + QStringLiteral(" where matID = ") +
           QString::number(mMat->ID()) +
           (catalogue::IsElevated(strTable) ? QStringLiteral(" order by thickness, ordering")
                                            : QStringLiteral(" order by temp"));
}

QString frmMaterial2::ThicknessCrosstabSource(const QString &strTable) const
{
    const QString id = QString::number(mMat->ID());
    return QStringLiteral("transform max(") + strTable + QStringLiteral(".") + strTable + QStringLiteral(") ") +
           QStringLiteral("select temp, ordering from ") + strTable + QStringLiteral(" ") +
           QStringLiteral("where matID = ") + id + QStringLiteral(" ") + QStringLiteral("group by temp, ordering ") +
           QStringLiteral("order by ordering ") + QStringLiteral("pivot ") + strTable + QStringLiteral(".thickness");
}

void frmMaterial2::ShowBoundTable(const QString &strTable)
{
    const catalogue::TableInfo *table = catalogue::Find(strTable);
    const bool elevated = catalogue::IsElevated(strTable);
    dtaTable->setRecordSource(BoundTableSource(strTable));
    dtaTable->refresh();
    db::Recordset *rs = dtaTable->recordset();
    const bool hasData = rs && !rs->eof() && !rs->bof();
    mMat->TableHasData(strTable, hasData);
    if (!hasData)
        ShowNoDataNote(strTable);

    controls::GridColumn *col1 = tdbBoundTable->column(1);
    controls::GridColumn *col2 = tdbBoundTable->column(2);
    controls::GridColumn *col3 = tdbBoundTable->column(3);
    col1->setVisible(true);

    if (strTable == catalogue::key::ImpEnergy) {
        setColumn(col1, QStringLiteral("kv"), threeLines(QStringLiteral("KV"), QStringLiteral("[Joule]")));
        setColumn(col2, QStringLiteral("kvLong"), threeLines(QStringLiteral("KVL"), QStringLiteral("[Joule]")));
        col2->setVisible(true);
        setColumn(col3, QStringLiteral("kvTrans"), threeLines(QStringLiteral("KVT"), QStringLiteral("[Joule]")));
        col3->setVisible(true);
        if (const std::optional<std::array<bool, 3>> empty = RecordImpEnergyColumns(*rs->clone()))
            for (int i = 0; i < 3; ++i)
                tdbBoundTable->column(i + 1)->setVisible(!(*empty)[std::size_t(i)]);
    } else if (table && *table->secondField) {
        const QString unit = QString::fromUtf16(table->valueUnit);
        setColumn(col1, strTable, threeLines(QString::fromUtf16(table->valueSymbols[0]), unit));
        setColumn(col2, QString::fromLatin1(table->secondField),
                  threeLines(QString::fromUtf16(table->valueSymbols[1]), unit));
        col2->setVisible(true);
        col3->setVisible(false);
        RecordDesignColumns(*rs->clone());
    } else if (elevated) {
        m_multiThickness = hasData && RecordThicknessSplit(strTable, *rs);
        if (m_multiThickness) {
            col2->setVisible(false);
            LoadThicknessColumns(strTable);
        } else {
            setColumn(col1, strTable, mainlink::GetCaption(strTable));
            col2->setVisible(false);
            col3->setVisible(false);
        }
    } else {
        setColumn(col1, strTable, mainlink::GetCaption(strTable));
        col2->setVisible(false);
        col3->setVisible(false);
    }

    // The physical tables show their units as drawn headings.
    if (!table || table->headings[0] == catalogue::Heading::None) {
        col1->clearHeadingPicture();
        col2->clearHeadingPicture();
    } else {
        col1->setHeadingPicture(controls::headingPicture(table->headings[0]));
        if (table->headings[1] != catalogue::Heading::None)
            col2->setHeadingPicture(controls::headingPicture(table->headings[1]));
    }

    // The rows read above (or the thickness crosstab that replaced them) are still current: the
    // column set-up read them through clones only.
    if (strTable != catalogue::key::ImpEnergy && dtaTable->recordset()) {
        std::unique_ptr<db::Recordset> clone = dtaTable->recordset()->clone();
        ShowUnboundGraph(strTable, *clone);
    }
    tdbBoundTable->rebind();
    tdbBoundTable->setCaption(mainlink::GetTableName(mainlink::GetTableIndex(strTable)));

    if (elevated && !framOptions->isHidden()) {
        for (QRadioButton *option : optMechProp)
            if (option->isChecked()) {
                option->setFocus();
                break;
            }
    }
}

void frmMaterial2::RecordBoundTable(const QString &strTable)
{
    const catalogue::TableInfo *table = catalogue::Find(strTable);
    std::unique_ptr<db::Recordset> rs = dtaTable->openRecordset(BoundTableSource(strTable));
    const bool hasData = rs && !rs->eof() && !rs->bof();
    mMat->TableHasData(strTable, hasData);
    if (!hasData)
        m_graphView = false; // as the no-data note leaves it

    if (strTable == catalogue::key::ImpEnergy) {
        RecordImpEnergyColumns(*rs);
        return;
    }
    if (table && *table->secondField) {
        RecordDesignColumns(*rs->clone());
    } else if (catalogue::IsElevated(strTable)) {
        m_multiThickness = hasData && RecordThicknessSplit(strTable, *rs);
        if (m_multiThickness) {
            RecordThicknessColumns(strTable, *rs->clone());
            rs = dtaTable->openRecordset(ThicknessCrosstabSource(strTable));
        }
    }
    if (mMat->TableHasData(strTable))
        RecordTextMatrix(strTable, *rs, nullptr);
}

bool frmMaterial2::RecordThicknessSplit(const QString &strTable, const db::Recordset &rs)
{
    const QVariant thickness = rs.field(QStringLiteral("thickness"));
    const bool split = !isNull(thickness) && cInt(thickness) != -1;
    mMat->ElevatedMultiCol(strTable, split);
    return split;
}

std::optional<std::array<bool, 3>> frmMaterial2::RecordImpEnergyColumns(db::Recordset &rs)
{
    std::array<bool, 3> empty{};
    qint16 mask = 7;
    if (rs.eof() || rs.bof())
        return std::nullopt;
    rs.moveLast();
    rs.moveFirst();
    const int n = rs.recordCount();
    for (int record = 1; record <= n; ++record) {
        for (int position = 2; position <= 4; ++position) {
            const QVariant value = rs.field(position);
            const bool isEmpty = isNull(value) || cStr(value).isEmpty() || cStr(value) == QLatin1String("-");
            if (record == 1)
                empty[position - 2] = isEmpty;
            else if (!isEmpty)
                empty[position - 2] = false;
        }
        if (record < n)
            rs.moveNext();
    }
    if (empty[0])
        mask -= 1;
    if (empty[1])
        mask -= 2;
    if (empty[2])
        mask -= 4;
    mMat->ImpEnergyCols(mask);
    return empty;
}

void frmMaterial2::RecordDesignColumns(db::Recordset &rs)
{
    int n = 0;
    if (!rs.eof() && !rs.bof()) {
        rs.moveLast();
        n = rs.recordCount();
    }
    if (n > mMat->MaxDesignCols())
        mMat->MaxDesignCols(qint16(n));
}

void frmMaterial2::RecordThicknessColumns(const QString &strTable, db::Recordset &rs)
{
    QList<qint16> thicknesses;
    thicknesses.append(cInt(rs.field(QStringLiteral("thickness"))));
    for (rs.moveNext(); !rs.eof(); rs.moveNext()) {
        const QVariant value = rs.field(QStringLiteral("thickness"));
        if (isNull(value))
            continue; // a row without its range cannot head a column
        const qint16 t = cInt(value);
        if (t != thicknesses.last())
            thicknesses.append(t);
    }
    const int n = int(thicknesses.size());
    m_thickCols.redim(1, n);
    for (int i = 1; i <= n; ++i)
        m_thickCols[i] = thicknesses.at(i - 1);
    mMat->ElevatedColumns(strTable, m_thickCols);
    if (n > mMat->MaxDesignCols())
        mMat->MaxDesignCols(qint16(n));
}

void frmMaterial2::LoadThicknessColumns(const QString &strTable)
{
    RecordThicknessColumns(strTable, *dtaTable->recordset()->clone());
    const int n = m_thickCols.upperBound();
    tdbBoundTable->addColumns(n + 1 - tdbBoundTable->columnCount());
    for (int i = 1; i <= n; ++i) {
        controls::GridColumn *column = tdbBoundTable->column(i);
        column->setVisible(true);
        const QString from =
            i == 1 ? QStringLiteral("(   ) - ")
                   : QStringLiteral("(") + QString::number(m_thickCols.at(i - 1)) + QStringLiteral(") - ");
        column->setCaption(threeLines(from, QString::number(m_thickCols.at(i)) + QStringLiteral("mm")));
        column->setDataField(QString::number(m_thickCols.at(i)));
        column->setWidthTwips(900);
        column->setWrapText(true);
    }

    dtaTable->setRecordSource(ThicknessCrosstabSource(strTable));
    dtaTable->refresh();
    tdbBoundTable->rebind();
}
