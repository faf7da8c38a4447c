#include "core/modToolTips.h"

#include "controls/DataGrid.h"
#include "core/mdiVelkor.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "search/DropImage.h"
#include "search/frmSearch.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <array>

namespace {

std::array<QString, 14> s_search;
std::array<QString, 25> s_toolbar; // index 0 unused
std::array<QString, 8> s_material;

void FillConstantTables()
{
    // Entries 0 and 1 belong to the table but no control shows them.
    s_search = {QString(),
                QString(),
                QStringLiteral("Type In Required Search Criteria"),
                QStringLiteral("Clear All Search Boxes ( Start New Search )"),
                QStringLiteral("Add Currently Chosen Material To The 'Selected' Grid"),
                QStringLiteral("Move To First Material In List"),
                QStringLiteral("Move To Previous Material In List"),
                QStringLiteral("Move To Next Material In List"),
                QStringLiteral("Move To Last Material In List"),
                QStringLiteral("'Drag and drop' Material Here To Remove From 'Selected' Grid"),
                QStringLiteral("'Drag and drop' Material Here To Add To 'Selected' Grid"),
                QStringLiteral("Show All Selected Materials..."),
                QStringLiteral("Clear All Materials From 'Selected' Grid"),
                QStringLiteral("Remove Currently Selected Material...")};
    s_material = {QStringLiteral("Save Graph As Portable Document Format File (*.pdf)..."),
                  QStringLiteral("Print (Preview) Graph..."),
                  QStringLiteral("Enlarge Graph View"),
                  QStringLiteral("Print (Preview) Design Values Table..."),
                  QStringLiteral("Save Design Values Table To File (*.pdf,*.rtf,*.txt)..."),
                  QStringLiteral("Enter Design Temperature Here"),
                  QStringLiteral("Date Velkor-PED last updated for this Material"),
                  QStringLiteral("Date Velkor-PED last updated for this Standard")};
}

// The material window's texts are constant: a window loading before the search window (a test,
// or a window shown on its own) still gets them.
struct ConstantTables
{
    ConstantTables() { FillConstantTables(); }
} s_constantTables;

QString tip(bool on, const QString &text)
{
    return on ? text : QString();
}

void ApplySearchTips(frmSearch &frm, bool on)
{
    frm.tdbMaterials->setCellTips(on ? controls::DataGrid::FloatingCellTips : controls::DataGrid::NoCellTips);
    for (QLineEdit *box : frm.txtSearch)
        box->setToolTip(tip(on, s_search[2]));
    frm.chkListAll->setToolTip(tip(on, s_search[3]));
    frm.cmdSelectMat->setToolTip(tip(on, s_search[4]));
    for (int i = 0; i < 4; ++i)
        frm.cmdTabNav[i]->setToolTip(tip(on, s_search[5 + i]));
    frm.imgBin->setToolTip(tip(on, s_search[9]));
    frm.imgFolder->setToolTip(tip(on, s_search[10]));
    for (int i = 0; i < 3; ++i)
        frm.cmdSelections[i]->setToolTip(tip(on, s_search[11 + i]));

    for (int i = 0; i < 6; ++i) {
        QCheckBox *box = frm.chkSearch[i];
        box->setToolTip(tip(on, (box->isChecked() ? QStringLiteral("Hide") : QStringLiteral("Show")) +
                                    QStringLiteral(" '") + box->text() + QStringLiteral("' Column")));
        frm.cmdSelect[i]->setToolTip(tip(on, frmSearch::PickButtonText(i)));
    }
    frm.cmdSelect[6]->setToolTip(tip(on, frmSearch::PickButtonText(6)));
}

void ApplyToolbarTips(mdiVelkor &mdi, bool on)
{
    const frmSearch *search = frmSearch::instance();
    const QWidget *searchFrame = search && search->subWindow() ? static_cast<const QWidget *>(search->subWindow())
                                                                : static_cast<const QWidget *>(search);
    const bool materialsShown = searchFrame && searchFrame->isHidden();
    const QString name = mdi.mCurrent ? mdi.mCurrent->Name() : QString();
    for (int i = 1; i <= mdi.ButtonCount() && i < int(s_toolbar.size()); ++i) {
        QAction *button = mdi.Buttons(i);
        if (!button || button->isSeparator())
            continue;
        QString text = s_toolbar[i];
        if (materialsShown) {
            const QString key = button->objectName();
            if (key == QLatin1String("Close"))
                text = QStringLiteral("Close '") + name + QStringLiteral("'");
            else if (key == QLatin1String("Save"))
                text = QStringLiteral("Save '") + name + QStringLiteral("'");
            else if (key == QLatin1String("Print"))
                text = QStringLiteral("Print '") + name + QStringLiteral("'");
        }
        button->setToolTip(tip(on, text));
    }
}

} // namespace

namespace modToolTips {

void InitToolTipTexts()
{
    FillConstantTables();
    s_toolbar.fill(QString());
    if (const mdiVelkor *mdi = mdiVelkor::instance())
        for (int i = 1; i <= mdi->ButtonCount() && i < int(s_toolbar.size()); ++i)
            if (const QAction *button = mdi->Buttons(i); button && !button->isSeparator())
                s_toolbar[i] = button->toolTip();
}

void ShowToolTips(bool blnOn)
{
    if (frmSearch *search = frmSearch::instance())
        ApplySearchTips(*search, blnOn);
    mdiVelkor *mdi = mdiVelkor::instance();
    if (!mdi)
        return;
    ApplyToolbarTips(*mdi, blnOn);
    for (QMdiSubWindow *sub : mdi->MaterialWindows())
        SetMaterialToolTips(static_cast<frmMaterial2 *>(sub->widget()));
}

void SetMaterialToolTips(frmMaterial2 *frm)
{
    if (!frm)
        return;
    const mdiVelkor *mdi = mdiVelkor::instance();
    const bool on = mdi && mdi->blnToolTips;
    for (int i = 0; i < 5; ++i)
        frm->cmdPrintSave[i]->setToolTip(tip(on, s_material[i]));
    frm->txtDesignTemp->setToolTip(tip(on, s_material[5]));
    frm->txtMainData[6]->setToolTip(tip(on, s_material[6]));
    frm->txtMainData[8]->setToolTip(tip(on, s_material[7]));
    frm->cmdShowNotes->setToolTip(
        tip(on, frm->NotesButtonPicture() == 1 ? QStringLiteral("Hide Table Notes") : QStringLiteral("Show Table Notes")));
}

QString ToolbarText(int index)
{
    return index >= 1 && index < int(s_toolbar.size()) ? s_toolbar[index] : QString();
}

QString MaterialText(int index)
{
    return index >= 0 && index < int(s_material.size()) ? s_material[index] : QString();
}

} // namespace modToolTips
