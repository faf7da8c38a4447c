#pragma once

// The places of the main window's menu items in their arrays (mnuFileElem and the like), counted
// from 0 with the separators, as the menu handlers receive them.
namespace menuitem {

enum File : int {
    SelectMaterials = 0, // "Show Selected Material(s)" while the search window is up
    SaveReport = 2,
    PrintReport = 3,
    GeneralInformation = 5,
    Exit = 7,
};

enum Settings : int {
    Toolbar = 0, // the submenu
    StatusBar = 1,
    Colour = 2,
    ToolTips = 3,
    BackColour = 4,
};

enum SettingsToolbar : int {
    ShowToolbar = 0,
    HideToolbar = 1,
    AlignTop = 2,
    AlignBottom = 3,
};

enum Window : int {
    Cascade = 0,
    TileHorizontal = 1,
};

enum Help : int {
    HelpContents = 0,
    HelpIndex = 1,
    HelpSearch = 2,
    About = 4,
};

} // namespace menuitem
