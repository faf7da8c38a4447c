#pragma once

// The record of one selected material: its identity and standard, and the state that its material
// window and the reports share (per-table flags, notes, column captions, unbound table copies,
// elevated-temperature thickness columns and the two print queues).

#include "core/TableCatalogue.h"
#include "platform/Collection.h"
#include "platform/XArray.h"

#include <QDate>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>

namespace db {
class Recordset;
}
class frmMaterial2;

class Material
{
public:
    // Print queues: table keys, first in first out (item 1 is the next).
    platform::Collection<QString> colTablePrintList;
    platform::Collection<QString> colUnBoundTablePrintList;

    // Identity, filled by SetProperties.
    QDate RevisionDate() const { return m_revisionDate; }
    qint32 ID() const { return m_id; }
    QString Name() const { return m_name; }
    QString Number() const { return m_number; }
    QString Description() const { return m_description; }
    QString Group() const { return m_group; }
    QString Standard() const { return m_standard; }
    qint32 StandardID() const { return m_standardId; }
    QDate StandardRevisionDate() const { return m_standardRevisionDate; }
    QString StandardDescription() const { return m_standardDescription; }
    bool OthersElement() const { return m_othersElement; }

    QString OthersText() const { return m_othersText; }
    void OthersText(const QString &strOthersText) { m_othersText = strOthersText; }

    // Plain store: callers raise it only when their count is larger.
    qint16 MaxDesignCols() const { return m_maxDesignCols; }
    void MaxDesignCols(qint16 iMax) { m_maxDesignCols = iMax; }

    // Product forms of the standard from index 0; assigning sets HasProductForms.
    platform::VbArray<QString> ProductForms() const { return m_productForms; }
    void ProductForms(const platform::VbArray<QString> &strProductForms);
    bool HasProductForms() const { return m_hasProductForms; }

    // Column widths in twips of "MechProp" or "CreepProp"; the getter answers the CreepProp sizes for
    // every key but "MechProp", the setter ignores other keys.
    platform::VbArray<float> MechCreepColSize(const QString &strTable) const;
    void MechCreepColSize(const QString &strTable, const platform::VbArray<float> &sColSize);

    // Fills the identity from the current rows of a material and its standard recordset.
    void SetProperties(db::Recordset &rsMaterials, db::Recordset &rsStandard);

    // Bit mask of impact-energy columns holding values: 1 KV, 2 KVL, 4 KVT.
    qint16 ImpEnergyCols() const { return m_impEnergyCols; }
    void ImpEnergyCols(qint16 iCols) { m_impEnergyCols = iCols; }

    // Attaching a window clears every TableChecked slot.
    frmMaterial2 *MyForm() const;
    void MyForm(frmMaterial2 *frm);

    // Addressed by table key; a key outside the catalogue ("Design", "Elevated") addresses slot 0.
    bool TableHasData(const QString &strTable) const;
    void TableHasData(const QString &strTable, bool blnTableHasData); // also sets TableChecked
    bool TableChecked(const QString &strTable) const;

    // Catalogue index 0..13 (VbError 9 outside).
    bool PrintTable(int Index) const;
    void PrintTable(int Index, bool blnTrueFalse);

    QString AddInfo() const { return m_addInfo; }
    void AddInfo(const QString &strAddInfo) { m_addInfo = strAddInfo; }

    // Catalogue index of a data table, 1..13 (VbError 9 outside).
    QString TableNotes(int Index) const;
    void TableNotes(int Index, const QString &strNotes);

    // Caption lists of "ChemComp" (first caption at index 1, index 0 empty), "MechProp" and
    // "CreepProp" (from index 0). Other keys are ignored; ColCaption raises VbError 9 for them.
    void AddColCaption(const QString &strTable, const QString &strCaption);
    QString ColCaption(const QString &strTable, int Index) const;
    // The whole caption list (unallocated for other keys or before the first caption).
    platform::VbArray<QString> ColCaptions(const QString &strTable) const;

    // Text copies of the unbound grids "ChemComp", "MechProp", "CreepProp": same bounds as the grid
    // array, Null cells as "", every cell a QString. Other keys store nothing and read unallocated.
    void SetUnboundArrayData(const QString &strTable, const platform::XArray &xDataDB);
    platform::XArray UnboundTableData(const QString &strTable) const;

    // Thickness columns of "Rp02", "Rp10", "Rm"; other keys are ignored (False / unallocated).
    bool ElevatedMultiCol(const QString &strTable) const;
    void ElevatedMultiCol(const QString &strTable, bool blnMulti);
    platform::VbArray<qint16> ElevatedColumns(const QString &strTable) const;
    void ElevatedColumns(const QString &strTable, const platform::VbArray<qint16> &iThickCols);

private:
    static int tableSlot(const QString &strTable);
    static int captionSlot(const QString &strTable);  // -1 for other keys
    static int elevatedSlot(const QString &strTable); // -1 for other keys

    qint32 m_id = 0; // ids are the database's 32-bit numbers
    QString m_name;
    QString m_number;
    QString m_description;
    QString m_group;
    QString m_standard;
    qint32 m_standardId = 0;
    QDate m_standardRevisionDate;
    bool m_othersElement = false;
    QString m_standardDescription;
    QDate m_revisionDate;
    platform::VbArray<QString> m_productForms;
    bool m_hasProductForms = false;
    QPointer<frmMaterial2> m_myForm;
    std::array<bool, catalogue::TableCount> m_tableHasData{};
    std::array<bool, catalogue::TableCount> m_tableChecked{};
    std::array<bool, catalogue::TableCount> m_printTable{};
    qint16 m_impEnergyCols = 0;
    // By UnboundRank: ChemComp, MechProp, CreepProp.
    std::array<platform::VbArray<QString>, catalogue::UnboundTableCount> m_captions;
    std::array<bool, catalogue::UnboundTableCount> m_captionStarted{};
    QString m_addInfo;
    std::array<QString, catalogue::TableCount> m_tableNotes; // the data tables' slots used
    QString m_othersText;
    std::array<platform::XArray, catalogue::UnboundTableCount> m_unbound; // by UnboundRank
    platform::VbArray<float> m_colSizeMech;
    platform::VbArray<float> m_colSizeCreep;
    // By ElevatedRank: Rp02, Rp10, Rm.
    std::array<bool, catalogue::ElevatedTableCount> m_elevatedMultiCol{};
    std::array<platform::VbArray<qint16>, catalogue::ElevatedTableCount> m_elevatedColumns;
    qint16 m_maxDesignCols = 0;
};

using MaterialPtr = std::shared_ptr<Material>;
