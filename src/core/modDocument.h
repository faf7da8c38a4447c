#pragma once

// Opening documents with the program the desktop associates with them.

#include <QString>

class QWidget;

namespace modDocument {

// The shell's result codes for opening a document; above 32 is success.
namespace shellcode {
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int OutOfMemory = 8;
constexpr int BadFormat = 11;
constexpr int SharingViolation = 26;
constexpr int AssocIncomplete = 27;
constexpr int DdeTimeout = 28;
constexpr int DdeFail = 29;
constexpr int DdeBusy = 30;
constexpr int NoAssociation = 31;
constexpr int DllNotFound = 32;
constexpr int Success = 42;
} // namespace shellcode

// Opens the file with its associated program, or explains why not in a message box. Without an
// associated program the user picks one in an open-with chooser.
void OpenDocument(QWidget *hwnd, const QString &strPath);

// True when the path names an existing file that is not a folder.
bool FileExists(const QString &strPath);

// The shell's "open" of a file through xdg-open, as a result code (see shellcode).
int ShellOpen(const QString &strPath);

// The message for a result code of 32 or less; empty for NoAssociation, which has none.
QString ShellErrorText(int code);

// Lets the user choose a program and opens the file with it; false when nothing was started.
bool OpenWith(QWidget *hwnd, const QString &strPath);

} // namespace modDocument
