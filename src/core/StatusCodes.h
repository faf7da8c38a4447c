#pragma once

// The status bar's texts by number. ShowStatus(n) shows text n and remembers it; Remembered shows
// the text remembered last; Passing + n shows text n without remembering it (a dialog's hint that
// gives way to the remembered text when the dialog closes).
namespace status {
// The texts are numbered 0..20; those beyond the last named one stay empty.
constexpr int TextCount = 21;
enum : int {
    Search = 0,
    ChooseTable = 1,
    PrintTables = 2,
    SaveTables = 3,
    CheckingData = 4,
    PickFromList = 5,
    DesignValues = 6,
    About = 7,
    EnlargedChart = 8,
    SaveFormat = 9,
    PrintPreview = 10,
    Agreement = 11,
    ChooseFile = 12,
    ChooseTableOrShowOption = 13,
    ChooseTableOrShowButton = 14,
    Remembered = 100,
    Passing = 100,
};
} // namespace status
