// The Help menu and the File menu's general information.

#include "shell/mdiVelkor.h"

#include "core/HTMLHelp.h"
#include "shell/frmAbout.h"

void mdiVelkor::ShowGeneralInformation()
{
    HTMLHelp::ShowHelpTopic(1, QStringLiteral("General_Information.htm"));
}

void mdiVelkor::mnuHelpElem_Click(qint16 Index)
{
    switch (Index) {
    case 0: HTMLHelp::ShowHelpContents(1); break;
    case 1: HTMLHelp::ShowHelpIndex(1); break;
    case 2: HTMLHelp::ShowHelpSearch(1); break;
    case 4:
        ShowStatus(status::Passing + status::About);
        frmAbout::ShowModal(this);
        ShowStatus(status::Remembered);
        break;
    default: break;
    }
}

void mdiVelkor::ShowAbout()
{
    mnuHelpElem_Click(4);
}
