#pragma once

// The main window's toolbar, each button described once: the toolbar, its tool tips and the image
// list (a picture for every button that is not a separator, numbered from 1 in the buttons' order)
// are built from these rows. The view buttons come from the table catalogue.

#include <QList>
#include <QString>

namespace toolbar {

// Keys of the buttons outside the View menu's.
inline constexpr char Select[] = "Select";
inline constexpr char Next[] = "Next";
inline constexpr char Close[] = "Close";
inline constexpr char Save[] = "Save";
inline constexpr char Print[] = "Print";
inline constexpr char Cascade[] = "Cascade";
inline constexpr char Horizontal[] = "Horizontal";
inline constexpr char GenInfo[] = "GenInfo";
inline constexpr char Exit[] = "Exit";

// Held: a plain button that the commands hold down while its table or arrangement is shown.
enum class Style { Default, Held, Check, Separator, DropDown };

struct Button
{
    QString key;
    QString tip; // the tool tip the toolbar starts with
    Style style = Style::Default;
    bool pressed = false;
    // A standard meaning takes the desktop's icon of that name, anything else a drawing of our own.
    const char *themePicture = nullptr;
    const char *ownPicture = nullptr;
};

// The buttons in their order, separators included.
QList<Button> Design();

} // namespace toolbar
