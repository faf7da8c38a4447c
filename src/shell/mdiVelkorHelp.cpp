// The Help menu and the File menu's general information.

#include "shell/mdiVelkor.h"

#include "core/HTMLHelp.h"
#include "shell/frmAbout.h"

void mdiVelkor::ShowGeneralInformation()
{
    HTMLHelp::ShowHelpTopic(HTMLHelp::ProgramHelpFile, QStringLiteral("General_Information.htm"));
}

void mdiVelkor::mnuHelpElem_Click(qint16 Index)
{
    switch (Index) {
    case menuitem::HelpContents: HTMLHelp::ShowHelpContents(HTMLHelp::ProgramHelpFile); break;
    case menuitem::HelpIndex: HTMLHelp::ShowHelpIndex(HTMLHelp::ProgramHelpFile); break;
    case menuitem::HelpSearch: HTMLHelp::ShowHelpSearch(HTMLHelp::ProgramHelpFile); break;
    case menuitem::About:
        ShowStatus(status::Passing + status::About);
        frmAbout::ShowModal(this);
        ShowStatus(status::Remembered);
        break;
    default: break;
    }
}

void mdiVelkor::ShowAbout()
{
    mnuHelpElem_Click(menuitem::About);
}
