#pragma once

// The tool-tip texts of the search window, the main window's toolbar and the material windows.
// Each window applies its own after the main window's flag blnToolTips; the shell switches them
// all together (shell/ShowToolTips.h).

#include <QString>

namespace modToolTips {

// Fills the three tables; the toolbar's is a copy of the tips its buttons carry now, so this
// runs once the main window and its toolbar exist (the search window's load calls it).
void InitToolTipTexts();

// The table entries (empty outside the tables): search window 0..13, toolbar by button number
// (from 1), material window 0..7.
QString SearchText(int index);
QString ToolbarText(int index);
QString MaterialText(int index);

// The entries by what they describe.
enum SearchTip : int {
    CriteriaTip = 2,
    ListAllTip = 3,
    SelectMaterialTip = 4,
    FirstNavigationTip = 5, // first, previous, next, last
    BinTip = 9,
    FolderTip = 10,
    FirstSelectionTip = 11, // show, clear, remove
};
enum MaterialTip : int {
    FirstPrintSaveTip = 0, // the five print and save buttons
    DesignTemperatureTip = 5,
    RevisionDateTip = 6,
    StandardRevisionDateTip = 7,
};

// The text while tool tips are on, else an empty tip.
QString Tip(bool on, const QString &text);

} // namespace modToolTips
