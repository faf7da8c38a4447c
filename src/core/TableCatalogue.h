#pragma once

#include <QString>

// The fixed keys of the 14 data tables, in catalogue index order. The main window's catalogue is
// filled from them; the material record addresses its per-table slots with them.
namespace catalogue {

constexpr int TableCount = 14;
extern const char *const TableKeys[TableCount];

// Index of a key, compared exactly (letter case included); any other text gives 0, the slot of "Ref".
int IndexOfKey(const QString &strTable);

} // namespace catalogue
