#include "material/Material.h"

#include "core/TableCatalogue.h"
#include "db/Recordset.h"
#include "material/frmMaterial2.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"

int Material::tableSlot(const QString &strTable)
{
    return catalogue::IndexOfKey(strTable);
}

int Material::captionSlot(const QString &strTable)
{
    return catalogue::UnboundRank(strTable);
}

int Material::elevatedSlot(const QString &strTable)
{
    return catalogue::ElevatedRank(strTable);
}

void Material::ProductForms(const platform::VbArray<QString> &strProductForms)
{
    m_productForms = strProductForms;
    m_hasProductForms = true;
}

platform::VbArray<float> Material::MechCreepColSize(const QString &strTable) const
{
    return strTable == catalogue::key::MechProp ? m_colSizeMech : m_colSizeCreep;
}

void Material::MechCreepColSize(const QString &strTable, const platform::VbArray<float> &sColSize)
{
    if (strTable == catalogue::key::MechProp)
        m_colSizeMech = sColSize;
    else if (strTable == catalogue::key::CreepProp)
        m_colSizeCreep = sColSize;
}

void Material::SetProperties(db::Recordset &rsMaterials, db::Recordset &rsStandard)
{
    using namespace platform;
    m_id = cLng(rsMaterials.field(QStringLiteral("matID")));
    m_name = cStr(rsMaterials.field(QStringLiteral("name")));
    m_number = cStr(rsMaterials.field(QStringLiteral("numbr")));
    const QVariant description = rsMaterials.field(QStringLiteral("description"));
    m_description = isNull(description) ? QString() : cStr(description);
    const QVariant groups = rsMaterials.field(QStringLiteral("groups"));
    if (!isNull(groups))
        m_group = cStr(groups);
    m_revisionDate = rsMaterials.field(QStringLiteral("revision_date")).toDate();

    m_standard = cStr(rsStandard.field(QStringLiteral("standard")));
    m_standardId = cLng(rsStandard.field(QStringLiteral("stID")));
    m_standardRevisionDate = rsStandard.field(QStringLiteral("revision_date")).toDate();
    m_othersElement = cBool(rsStandard.field(QStringLiteral("otherElem")));
    const QVariant standardDescription = rsStandard.field(QStringLiteral("description"));
    m_standardDescription = isNull(standardDescription) ? QString() : cStr(standardDescription);
}

void Material::MyForm(frmMaterial2 *frm)
{
    m_myForm = frm;
    m_tableChecked.fill(false);
}

bool Material::TableHasData(const QString &strTable) const
{
    return m_tableHasData[tableSlot(strTable)];
}

void Material::TableHasData(const QString &strTable, bool blnTableHasData)
{
    const int slot = tableSlot(strTable);
    m_tableHasData[slot] = blnTableHasData;
    m_tableChecked[slot] = true;
}

bool Material::TableChecked(const QString &strTable) const
{
    return m_tableChecked[tableSlot(strTable)];
}

bool Material::PrintTable(int Index) const
{
    if (Index < 0 || Index >= catalogue::TableCount)
        platform::raiseSubscriptOutOfRange();
    return m_printTable[Index];
}

void Material::PrintTable(int Index, bool blnTrueFalse)
{
    if (Index < 0 || Index >= catalogue::TableCount)
        platform::raiseSubscriptOutOfRange();
    m_printTable[Index] = blnTrueFalse;
}

QString Material::TableNotes(int Index) const
{
    if (Index < catalogue::FirstDataTable || Index >= catalogue::TableCount)
        platform::raiseSubscriptOutOfRange();
    return m_tableNotes[Index];
}

void Material::TableNotes(int Index, const QString &strNotes)
{
    if (Index < catalogue::FirstDataTable || Index >= catalogue::TableCount)
        platform::raiseSubscriptOutOfRange();
    m_tableNotes[Index] = strNotes;
}

void Material::AddColCaption(const QString &strTable, const QString &strCaption)
{
    const int slot = captionSlot(strTable);
    if (slot < 0)
        return;
    platform::VbArray<QString> &list = m_captions[slot];
    if (!m_captionStarted[slot]) {
        list.redim(0, slot == 0 ? 1 : 0);
        m_captionStarted[slot] = true;
    } else {
        list.redimPreserve(list.upperBound() + 1);
    }
    list[list.upperBound()] = strCaption;
}

QString Material::ColCaption(const QString &strTable, int Index) const
{
    const int slot = captionSlot(strTable);
    if (slot < 0)
        platform::raiseSubscriptOutOfRange();
    return m_captions[slot].at(Index);
}

platform::VbArray<QString> Material::ColCaptions(const QString &strTable) const
{
    const int slot = captionSlot(strTable);
    return slot < 0 ? platform::VbArray<QString>() : m_captions[slot];
}

void Material::SetUnboundArrayData(const QString &strTable, const platform::XArray &xDataDB)
{
    const int slot = captionSlot(strTable);
    if (slot < 0 || !xDataDB.isAllocated())
        return;
    const int r0 = xDataDB.lowerBound(1), r1 = xDataDB.upperBound(1);
    const int c0 = xDataDB.lowerBound(2), c1 = xDataDB.upperBound(2);
    platform::XArray copy(r0, r1, c0, c1);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const QVariant v = xDataDB.value(r, c);
            copy.setValue(r, c, platform::isNull(v) ? QString() : platform::cStr(v));
        }
    m_unbound[slot] = copy;
}

platform::XArray Material::UnboundTableData(const QString &strTable) const
{
    const int slot = captionSlot(strTable);
    return slot < 0 ? platform::XArray() : m_unbound[slot];
}

bool Material::ElevatedMultiCol(const QString &strTable) const
{
    const int slot = elevatedSlot(strTable);
    return slot >= 0 && m_elevatedMultiCol[slot];
}

void Material::ElevatedMultiCol(const QString &strTable, bool blnMulti)
{
    const int slot = elevatedSlot(strTable);
    if (slot >= 0)
        m_elevatedMultiCol[slot] = blnMulti;
}

platform::VbArray<qint16> Material::ElevatedColumns(const QString &strTable) const
{
    const int slot = elevatedSlot(strTable);
    return slot < 0 ? platform::VbArray<qint16>() : m_elevatedColumns[slot];
}

void Material::ElevatedColumns(const QString &strTable, const platform::VbArray<qint16> &iThickCols)
{
    const int slot = elevatedSlot(strTable);
    if (slot >= 0)
        m_elevatedColumns[slot] = iThickCols;
}

frmMaterial2 *Material::MyForm() const
{
    return m_myForm.data();
}
