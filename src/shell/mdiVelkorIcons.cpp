#include "shell/mdiVelkor.h"

#include "controls/Pictograms.h"

#include <QAction>
#include <QMenu>

namespace {

// The toolbar's buttons with a picture, in their order. A standard meaning takes the desktop's
// icon of that name; the tables and arrangements have drawings of their own.
struct ButtonPictureDesign
{
    const char *key;
    const char *themeName; // nullptr: a drawing of our own
    const char *ownName;
};
constexpr ButtonPictureDesign ButtonPictures[] = {
    {"Select", "edit-find", nullptr},
    {"Next", "go-next", nullptr},
    {"Close", "window-close", nullptr},
    {"Save", "document-save", nullptr},
    {"Print", "document-print", nullptr},
    {"Ref", nullptr, "table-references"},
    {"ChemComp", nullptr, "table-chemical"},
    {"Mech", nullptr, "table-mechanical"},
    {"ImpEnergy", nullptr, "table-impact"},
    {"Physical", nullptr, "table-physical"},
    {"AddInfo", nullptr, "table-additional"},
    {"Design", nullptr, "table-design"},
    {"Cascade", nullptr, "window-cascade"},
    {"Horizontal", nullptr, "window-tile-horizontal"},
    {"GenInfo", "help-contents", nullptr},
    {"Exit", "application-exit", nullptr},
};

void setPicture(const QList<QAction *> &items, int index, const char *themeName)
{
    if (index < items.size())
        items.at(index)->setIcon(controls::themeIcon(QString::fromLatin1(themeName)));
}

} // namespace

QIcon mdiVelkor::ButtonPicture(const QString &key)
{
    for (const ButtonPictureDesign &design : ButtonPictures) {
        if (key != QLatin1String(design.key))
            continue;
        return design.themeName ? controls::themeIcon(QString::fromLatin1(design.themeName))
                                : controls::ownIcon(QString::fromLatin1(design.ownName));
    }
    return QIcon();
}

void mdiVelkor::CreateImageList()
{
    for (const ButtonPictureDesign &design : ButtonPictures)
        ImageList1.append(ButtonPicture(QString::fromLatin1(design.key)));
}

// The menu items with a standard meaning carry the desktop's pictures as well.
void mdiVelkor::AssignMenuPictures()
{
    setPicture(mnuFileElem, 2, "document-save");
    setPicture(mnuFileElem, 3, "document-print");
    setPicture(mnuFileElem, 5, "help-contents");
    setPicture(mnuFileElem, 7, "application-exit");
    setPicture(mnuHelpElem, 0, "help-contents");
    setPicture(mnuHelpElem, 2, "edit-find");
    setPicture(mnuHelpElem, 4, "help-about");
}
