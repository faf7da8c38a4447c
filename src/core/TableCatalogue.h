#pragma once

#include "controls/HeadingPictures.h"
#include "core/StatusCodes.h"

#include <QList>
#include <QString>
#include <QStringList>

// The 14 data tables of a material, each described once: the catalogue, the material record, the
// material window, the main window's menus and toolbar, the print choices and the reports all read
// these rows. The material window's two further views, "Design" and "Elevated", are described the
// same way outside the catalogue.
namespace catalogue {

constexpr int TableCount = 14;
// "Ref", the material's header: the view every material window opens with. The data tables, which
// a material may leave empty, follow it.
constexpr int HeaderTable = 0;
inline constexpr char HeaderKey[] = "Ref";
constexpr int FirstDataTable = 1;
// How many tables of a kind there are: grids over an array, elevated-temperature tables (the
// material window's option buttons), physical tables (the report's physical sections). The
// compiler checks them against the rows.
constexpr int UnboundTableCount = 3;
constexpr int ElevatedTableCount = 3;
constexpr int PhysicalTableCount = 5;

// Where the main window offers a view: an item of the View menu or of one of its two submenus.
enum class Menu { None, View, Mechanical, Physical };

// How a table is shown: not a grid, a grid over an array built from rows and columns, or a grid
// bound to the database's rows by temperature.
enum class Binding { None, Unbound, Bound };

// The bound mechanical tables are the elevated-temperature group, chosen by option buttons.
enum class Group { General, Mechanical, Physical };

// The material report's section of a table. A table printed in a section of its own has the section
// "gh<key>" and in it the subreport "subRep<key>".
enum class ReportSection {
    None,     // none of its own: References fill the report's header
    Heading,  // its own headed section, hidden when the table is not printed
    Text,     // its own headed section with a text field instead of a subreport
    Group,    // the mechanical group's headed section, hidden when no table of the group is printed
    Appended, // its own section without a heading, built hidden and shown when printed
    Elevated, // the next of the elevated tables' sections
    Physical, // the next of the physical tables' sections, the first of which carries the heading
};

// Typeset column headings, for units that cannot be written as plain text.
using Heading = controls::UnitHeading;

// The toolbar's drop-down buttons of the two submenus, by key.
inline constexpr char MechanicalButton[] = "Mech";
inline constexpr char PhysicalButton[] = "Physical";

struct TableInfo
{
    const char *key;
    const char *title = "";        // shown to the user, by catalogue index
    const char *printCaption = ""; // the print and save choice
    // The caption of a value column: first part, an empty line, unit; without a unit the first part alone.
    const char *captionText = "";
    const char *captionUnit = "";
    Binding binding = Binding::None;
    Group group = Group::General;
    Menu menu = Menu::None;
    int menuItem = -1; // item index in `menu`
    const char *menuCaption = "";
    // The tool tip of its toolbar button (View menu) or the caption of its button-menu item (submenus).
    const char *buttonCaption = "";
    // Our own drawing, for a button of its own (View menu).
    const char *buttonPicture = "";
    // The status text shown when the view is chosen.
    int status = status::ChooseTable;
    // The toolbar button whose picture the material window shows beside the table, by key.
    const char *iconButton = PhysicalButton;
    // The drawn headings of value columns 1 and 2.
    Heading headings[2] = {Heading::None, Heading::None};
    // The table's block among the design values; -1: none.
    int designOrder = -1;
    // The design block is headed by the key rather than the caption.
    bool designTitledByKey = false;
    // Its values' unit, as the column headings, the chart's axis and the design values show it.
    const char16_t *valueUnit = u"";
    // The chart's axis title before the unit (elevated tables).
    const char *chartSymbol = "";
    // A second value field beside the one named by the key, and the symbols of the two value columns.
    const char *secondField = "";
    const char16_t *valueSymbols[2] = {u"", u""};
    // The caption of its option button (elevated tables).
    const char *optionCaption = "";
    ReportSection reportSection = ReportSection::None;
    // Its place among the subreports, which take their tables from the material's print queues in
    // this order; -1: none.
    int reportOrder = -1;
};

extern const TableInfo Tables[TableCount];

// The material window's views outside the catalogue.
constexpr int WindowViewCount = 2;
inline constexpr char DesignKey[] = "Design";
// The elevated-temperature group, shown as its first table.
inline constexpr char ElevatedGroupKey[] = "Elevated";
extern const TableInfo WindowViews[WindowViewCount];

// The keys, for the code that treats one table or view in a way of its own; the rows hold them.
namespace key {
inline constexpr QLatin1String Ref{HeaderKey, sizeof(HeaderKey) - 1};
inline constexpr QLatin1String ChemComp{"ChemComp"};
inline constexpr QLatin1String MechProp{"MechProp"};
inline constexpr QLatin1String ImpEnergy{"ImpEnergy"};
inline constexpr QLatin1String Rp02{"Rp02"};
inline constexpr QLatin1String Rp10{"Rp10"};
inline constexpr QLatin1String Rm{"Rm"};
inline constexpr QLatin1String ModElast{"ModElast"};
inline constexpr QLatin1String ThermExp{"ThermExp"};
inline constexpr QLatin1String ThermCond{"ThermCond"};
inline constexpr QLatin1String SpecThermCap{"SpecThermCap"};
inline constexpr QLatin1String SpecElecRes{"SpecElecRes"};
inline constexpr QLatin1String CreepProp{"CreepProp"};
inline constexpr QLatin1String AddInfo{"AddInfo"};
inline constexpr QLatin1String Design{DesignKey, sizeof(DesignKey) - 1};
inline constexpr QLatin1String Elevated{ElevatedGroupKey, sizeof(ElevatedGroupKey) - 1};
} // namespace key

// The View menu's items that open a submenu, and their toolbar buttons with a drop-down menu.
struct SubmenuInfo
{
    Menu menu;
    const char *name; // as the main window's UpdateMenusAndButtons names it
    int viewItem;
    const char *caption;
    const char *buttonKey;
    const char *buttonTip;
    const char *buttonPicture;
};
constexpr int SubmenuCount = 2;
extern const SubmenuInfo Submenus[SubmenuCount];

// Item counts of the View menu and its submenus, separators included.
int MenuItemCount(Menu menu);

// The table or window view at an item of a menu; nullptr for a separator or a submenu.
const TableInfo *AtMenuItem(Menu menu, int item);

// The key of the toolbar button of an item of the View menu: the item's table or window view, or
// the drop-down button of its submenu; empty for an item beyond the menu.
QString ViewButtonKey(int viewItem);

// The submenu at an item of the View menu; nullptr for any other item.
const SubmenuInfo *SubmenuAt(int viewItem);
const SubmenuInfo *SubmenuOf(Menu menu);

// The number of an item of a submenu in its toolbar button's menu, which has no separators:
// counted from 1.
int ButtonMenuNumber(Menu menu, int item);

// The row of a key, compared exactly (letter case included): the catalogue first, then the window
// views; nullptr for any other text.
const TableInfo *Find(const QString &key);

// Index of a key, compared exactly (letter case included); any other text gives 0, the slot of "Ref".
int IndexOfKey(const QString &strTable);

bool IsElevated(const QString &key);
bool IsUnbound(const QString &key);

// The rank of a key among the catalogue's tables that share its kind (elevated, unbound), in
// catalogue order: the elevated tables' option buttons and the unbound tables' caption lists are
// numbered so. -1 for a key of another kind.
int ElevatedRank(const QString &key);
int UnboundRank(const QString &key);

// The n-th elevated table, or its key; nullptr or empty outside the group.
const TableInfo *ElevatedTable(int rank);
QString ElevatedKey(int rank);

// The keys of the tables among the design values, in the order of their blocks.
QStringList DesignKeys();

// The tables printed as subreports, in their report order.
QList<const TableInfo *> ReportTables();

} // namespace catalogue
