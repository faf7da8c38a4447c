#include "shell/ToolbarDesign.h"

#include "core/TableCatalogue.h"

namespace toolbar {

namespace {

Button separator(int number)
{
    return {QStringLiteral("Separator%1").arg(number), QString(), Style::Separator};
}

} // namespace

QList<Button> Design()
{
    using S = Style;
    QList<Button> buttons = {
        {Select, QStringLiteral("Select Material(s)..."), S::Default, false, "edit-find"},
        {Next, QStringLiteral("Show Next Material"), S::Default, false, "go-next"},
        {Close, QStringLiteral("Close Current Material"), S::Default, false, "window-close"},
        separator(1),
        {Save, QStringLiteral("Save Current Material To File..."), S::Default, false, "document-save"},
        {Print, QStringLiteral("Preview / Print Current Material..."), S::Default, false, "document-print"},
        separator(2),
    };
    // One button for each item of the View menu, in its order; the header's starts pressed.
    using catalogue::Menu;
    for (int i = 0; i < catalogue::MenuItemCount(Menu::View); ++i) {
        if (const catalogue::SubmenuInfo *submenu = catalogue::SubmenuAt(i)) {
            buttons.append({QString::fromLatin1(submenu->buttonKey), QString::fromLatin1(submenu->buttonTip),
                            S::DropDown, false, nullptr, submenu->buttonPicture});
        } else if (const catalogue::TableInfo *view = catalogue::AtMenuItem(Menu::View, i)) {
            const bool header = view == &catalogue::Tables[catalogue::HeaderTable];
            buttons.append({QString::fromLatin1(view->key), QString::fromLatin1(view->buttonCaption),
                            header ? S::Check : S::Held, header, nullptr, view->buttonPicture});
        }
    }
    buttons << separator(3) << separator(4);
    buttons.append({Cascade, QStringLiteral("Cascade"), S::Held, true, nullptr, "window-cascade"});
    buttons.append({Horizontal, QStringLiteral("Tile Horizontal"), S::Held, false, nullptr, "window-tile-horizontal"});
    buttons << separator(5) << separator(6);
    buttons.append({GenInfo, QStringLiteral("General Information..."), S::Default, false, "help-contents"});
    buttons << separator(7) << separator(8);
    buttons.append({Exit, QStringLiteral("Exit"), S::Default, false, "application-exit"});
    return buttons;
}

} // namespace toolbar
