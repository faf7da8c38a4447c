#include "shell/mdiVelkor.h"

#include "controls/Pictograms.h"
#include "shell/ToolbarDesign.h"

#include <QAction>
#include <QMenu>

namespace {

void setPicture(const QList<QAction *> &items, int index, const char *themeName)
{
    if (index < items.size())
        items.at(index)->setIcon(controls::themeIcon(QString::fromLatin1(themeName)));
}

} // namespace

QIcon mdiVelkor::ButtonPicture(const QString &key)
{
    for (const toolbar::Button &button : toolbar::Design()) {
        if (key != button.key || button.style == toolbar::Style::Separator)
            continue;
        return button.themePicture ? controls::themeIcon(QString::fromLatin1(button.themePicture))
                                   : controls::ownIcon(QString::fromLatin1(button.ownPicture));
    }
    return QIcon();
}

void mdiVelkor::CreateImageList()
{
    for (const toolbar::Button &button : toolbar::Design())
        if (button.style != toolbar::Style::Separator)
            ImageList1.append(ButtonPicture(button.key));
}

// The menu items with a standard meaning carry the desktop's pictures as well.
void mdiVelkor::AssignMenuPictures()
{
    setPicture(mnuFileElem, menuitem::SaveReport, "document-save");
    setPicture(mnuFileElem, menuitem::PrintReport, "document-print");
    setPicture(mnuFileElem, menuitem::GeneralInformation, "help-contents");
    setPicture(mnuFileElem, menuitem::Exit, "application-exit");
    setPicture(mnuHelpElem, menuitem::HelpContents, "help-contents");
    setPicture(mnuHelpElem, menuitem::HelpSearch, "edit-find");
    setPicture(mnuHelpElem, menuitem::About, "help-about");
}
