#include "core/mdiVelkor.h"

#include "core/ModalDialog.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Twips.h"
#include "reports/frmSelData.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

// The save (2) and print (3) dialogs for the current material's report.
void mdiVelkor::ShowReportDialog(qint16 Index)
{
    if (!mCurrent || !mCurrent->MyForm())
        return;
    mCurrent->MyForm()->iReportType = 0;

    frmSelData dialog(this);
    dialog.Form_Load();
    const bool save = Index == 2;
    if (save)
        dialog.setWindowTitle(QStringLiteral("Save ") + mCurrent->Name() + QStringLiteral(" As Text File - ") +
                              dialog.windowTitle());
    else
        dialog.setWindowTitle(QStringLiteral("Print ") + mCurrent->Name() + QStringLiteral(" - ") +
                              dialog.windowTitle());
    dialog.cmdSavePrint->setText(save ? QStringLiteral("Save...") : QStringLiteral("Print/Preview..."));
    ShowStatus(save ? 103 : 102);
    const int picture = save ? 4 : 5;
    if (picture <= ImageList1.size())
        dialog.setWindowIcon(ImageList1.at(picture - 1));
    platform::moveTwips(&dialog, platform::leftTwips(&dialog), 1500, platform::widthTwips(&dialog),
                        platform::heightTwips(&dialog));
    dialog.framSave->setVisible(save);
    modal::run(dialog);
}
