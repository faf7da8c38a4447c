#pragma once

#include <QString>

// The fixed keys of the 14 data tables, in catalogue index order. The main window's catalogue is
// filled from them; the material record addresses its per-table slots with them.
namespace catalogue {

constexpr int TableCount = 14;
extern const char *const TableKeys[TableCount];

// The physical-property tables, in the order of the View menu's items and the "Physical" button's
// menu.
constexpr int PhysicalCount = 5;
extern const char *const PhysicalKeys[PhysicalCount];
// The mechanical-property tables by View menu item; item 2 is a separator.
constexpr int MechanicalItems = 4;
extern const char *const MechanicalKeys[MechanicalItems];

// Index of a key, compared exactly (letter case included); any other text gives 0, the slot of "Ref".
int IndexOfKey(const QString &strTable);

} // namespace catalogue
