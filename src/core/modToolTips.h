#pragma once

// The tool-tip texts of the search window, the main window's toolbar and the material windows,
// switched on and off together after the main window's flag blnToolTips.

#include <QString>

class frmMaterial2;

namespace modToolTips {

// Fills the three tables; the toolbar's is a copy of the tips its buttons carry now, so this
// runs once the main window and its toolbar exist (the search window's load calls it).
void InitToolTipTexts();
// Applies every tip, or empties every one, on the search window, the toolbar and every
// material window.
void ShowToolTips(bool blnOn);
// Applies the tips of one material window (empty while tool tips are off).
void SetMaterialToolTips(frmMaterial2 *frm);

// The table entries (empty outside the tables): toolbar 1..24, material window 0..7.
QString ToolbarText(int index);
QString MaterialText(int index);

} // namespace modToolTips
