#include "material/frmMaterial2.h"

#include "core/ProgramWindow.h"
#include "core/modToolTips.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

void frmMaterial2::ApplyToolTips()
{
    const ProgramWindow *mdi = ProgramWindow::instance();
    const bool on = mdi && mdi->blnToolTips;
    for (int i = 0; i < 5; ++i)
        cmdPrintSave[i]->setToolTip(modToolTips::Tip(on, modToolTips::MaterialText(i)));
    txtDesignTemp->setToolTip(modToolTips::Tip(on, modToolTips::MaterialText(5)));
    txtMainData[RevisionDateBox]->setToolTip(modToolTips::Tip(on, modToolTips::MaterialText(6)));
    txtMainData[StandardRevisionDateBox]->setToolTip(modToolTips::Tip(on, modToolTips::MaterialText(7)));
    cmdShowNotes->setToolTip(
        modToolTips::Tip(on, NotesButtonPicture() == 1 ? QStringLiteral("Hide Table Notes") : QStringLiteral("Show Table Notes")));
}
