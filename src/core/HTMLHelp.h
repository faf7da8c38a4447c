#pragma once

// The program's help: opens the help file on its contents, index or search tab, or on one page.

#include <QString>

namespace HTMLHelp {

// The number of the program's help file; every other number names none (empty path).
constexpr int ProgramHelpFile = 1;
QString HelpFilePath(int iHelpFile);

// Each opens the help window on the help file of the number. A missing help file shows an error
// page in the help window; the program itself shows nothing. No result is used.
void ShowHelpContents(int iHelpFile);
void ShowHelpIndex(int iHelpFile);
void ShowHelpSearch(int iHelpFile);
void ShowHelpTopic(int iHelpFile, const QString &strTopic);

} // namespace HTMLHelp
