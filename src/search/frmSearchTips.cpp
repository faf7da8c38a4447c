#include "search/frmSearch.h"

#include "controls/DataGrid.h"
#include "core/modToolTips.h"
#include "search/DropImage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

void frmSearch::ApplyToolTips(bool on)
{
    tdbMaterials->setCellTips(on ? controls::DataGrid::FloatingCellTips : controls::DataGrid::NoCellTips);
    for (QLineEdit *box : txtSearch)
        box->setToolTip(modToolTips::Tip(on, modToolTips::SearchText(modToolTips::CriteriaTip)));
    chkListAll->setToolTip(modToolTips::Tip(on, modToolTips::SearchText(modToolTips::ListAllTip)));
    cmdSelectMat->setToolTip(modToolTips::Tip(on, modToolTips::SearchText(modToolTips::SelectMaterialTip)));
    for (int i = 0; i < modDBase::NavigationButtons; ++i)
        cmdTabNav[i]->setToolTip(modToolTips::Tip(on, modToolTips::SearchText(modToolTips::FirstNavigationTip + i)));
    imgBin->setToolTip(modToolTips::Tip(on, modToolTips::SearchText(modToolTips::BinTip)));
    imgFolder->setToolTip(modToolTips::Tip(on, modToolTips::SearchText(modToolTips::FolderTip)));
    for (int i = 0; i < 3; ++i)
        cmdSelections[i]->setToolTip(modToolTips::Tip(on, modToolTips::SearchText(modToolTips::FirstSelectionTip + i)));

    for (int i = 0; i < SearchQuery::FieldBoxes; ++i) {
        QCheckBox *box = chkSearch[i];
        box->setToolTip(modToolTips::Tip(on, (box->isChecked() ? QStringLiteral("Hide") : QStringLiteral("Show")) +
                                                 QStringLiteral(" '") + box->text() + QStringLiteral("' Column")));
        cmdSelect[i]->setToolTip(modToolTips::Tip(on, PickButtonText(i)));
    }
    cmdSelect[SearchQuery::ProductFormBox]->setToolTip(
        modToolTips::Tip(on, PickButtonText(SearchQuery::ProductFormBox)));
}

void frmSearch::ApplyColours(bool on)
{
    for (int i = 0; i < int(txtSearch.size()); ++i)
        SetBoxColor(i, on ? platform::olecolor::InfoBackground : platform::olecolor::White);
    tdbSelected->setAlternatingRows(on);
    tdbMaterials->setAlternatingRows(on);
}
