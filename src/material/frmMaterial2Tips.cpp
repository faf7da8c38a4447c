#include "material/frmMaterial2.h"

#include "controls/BackColor.h"
#include "controls/DataGrid.h"
#include "core/ProgramWindow.h"
#include "core/modToolTips.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

void frmMaterial2::ApplyToolTips()
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    const bool on = mdi && mdi->blnToolTips;
    for (int i = 0; i < PrintSaveButtons; ++i)
        cmdPrintSave[i]->setToolTip(
            modToolTips::Tip(on, modToolTips::MaterialText(modToolTips::FirstPrintSaveTip + i)));
    txtDesignTemp->setToolTip(modToolTips::Tip(on, modToolTips::MaterialText(modToolTips::DesignTemperatureTip)));
    txtMainData[RevisionDateBox]->setToolTip(
        modToolTips::Tip(on, modToolTips::MaterialText(modToolTips::RevisionDateTip)));
    txtMainData[StandardRevisionDateBox]->setToolTip(
        modToolTips::Tip(on, modToolTips::MaterialText(modToolTips::StandardRevisionDateTip)));
    cmdShowNotes->setToolTip(modToolTips::Tip(on, NotesButtonPicture() == NotesOpen
                                                      ? QStringLiteral("Hide Table Notes")
                                                      : QStringLiteral("Show Table Notes")));
}

void frmMaterial2::ApplyColours(bool on)
{
    const platform::OleColor c = on ? platform::olecolor::InfoBackground : platform::olecolor::White;
    controls::setBoxBackColor(txtDesignTemp, c);
    controls::setBoxBackColor(txtNotes, c);
    for (QPlainTextEdit *box : txtMainData)
        controls::setBoxBackColor(box, c);
    controls::setFrameBackColor(framChart, c);
    controls::setBoxBackColor(txtNoData, c);
    for (controls::DataGrid *grid : {tdbBoundTable, tdbTable, tdbDesign})
        if (grid)
            grid->setAlternatingRows(on);
}
