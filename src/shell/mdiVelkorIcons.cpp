#include "shell/mdiVelkor.h"

#include "controls/Pictograms.h"
#include "core/TableCatalogue.h"

#include <QAction>
#include <QMenu>
#include <iterator>

namespace {

// The toolbar's buttons with a picture, before and after the View menu's buttons. A standard
// meaning takes the desktop's icon of that name; the arrangements have drawings of their own, as
// the tables have (named in the catalogue).
struct ButtonPictureDesign
{
    const char *key;
    const char *themeName; // nullptr: a drawing of our own
    const char *ownName;
};
constexpr ButtonPictureDesign PicturesBefore[] = {
    {"Select", "edit-find", nullptr},   {"Next", "go-next", nullptr},         {"Close", "window-close", nullptr},
    {"Save", "document-save", nullptr}, {"Print", "document-print", nullptr},
};
constexpr ButtonPictureDesign PicturesAfter[] = {
    {"Cascade", nullptr, "window-cascade"},
    {"Horizontal", nullptr, "window-tile-horizontal"},
    {"GenInfo", "help-contents", nullptr},
    {"Exit", "application-exit", nullptr},
};

// The keys of the View menu's buttons with their drawings, in the menu's order.
QList<ButtonPictureDesign> viewPictures()
{
    using catalogue::Menu;
    QList<ButtonPictureDesign> pictures;
    for (int i = 0; i < catalogue::MenuItemCount(Menu::View); ++i) {
        if (const catalogue::SubmenuInfo *submenu = catalogue::SubmenuAt(i))
            pictures.append({submenu->buttonKey, nullptr, submenu->buttonPicture});
        else if (const catalogue::TableInfo *view = catalogue::AtMenuItem(Menu::View, i))
            pictures.append({view->key, nullptr, view->buttonPicture});
    }
    return pictures;
}

QList<ButtonPictureDesign> buttonPictures()
{
    QList<ButtonPictureDesign> pictures(std::begin(PicturesBefore), std::end(PicturesBefore));
    pictures.append(viewPictures());
    pictures.append(QList<ButtonPictureDesign>(std::begin(PicturesAfter), std::end(PicturesAfter)));
    return pictures;
}

void setPicture(const QList<QAction *> &items, int index, const char *themeName)
{
    if (index < items.size())
        items.at(index)->setIcon(controls::themeIcon(QString::fromLatin1(themeName)));
}

} // namespace

QIcon mdiVelkor::ButtonPicture(const QString &key)
{
    for (const ButtonPictureDesign &design : buttonPictures()) {
        if (key != QLatin1String(design.key))
            continue;
        return design.themeName ? controls::themeIcon(QString::fromLatin1(design.themeName))
                                : controls::ownIcon(QString::fromLatin1(design.ownName));
    }
    return QIcon();
}

void mdiVelkor::CreateImageList()
{
    for (const ButtonPictureDesign &design : buttonPictures())
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
