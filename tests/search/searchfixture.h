#pragma once

#include "ProgramDatabase.h"

#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryDir;
class mdiVelkor;

namespace searchtest {

// A small material database: three standards, their product forms, seven named grades
// (one with an apostrophe, one with square brackets) and fillers up to 40 grades.
// Returns the file's path inside the folder.
QString createMaterialDb(const QString &folder, bool withStandards = true);
// An index of three appraisals; the documents named in it are created for rows 1 and 2.
QString createPmaDb(const QString &folder);
// Runs SQL on an existing SQLite file.
bool appendSql(const QString &path, const QStringList &statements, QString *error = nullptr);
// Runs SQL on a new SQLite file (declared types as the program's databases use them).
bool runSql(const QString &path, const QStringList &statements, QString *error = nullptr);

// A fake desktop opener on PATH: it logs its arguments and exits with $FAKE_XDG_EXIT.
class FakeOpener
{
public:
    explicit FakeOpener(const QString &folder);
    ~FakeOpener();
    void setExitCode(int code);
    QString log() const;        // the arguments of every call, one call per line
    QString viewerPath() const; // a program that logs like the opener, for the open-with chooser
    QString viewerLog() const;

private:
    QString m_folder;
    QByteArray m_oldPath;
};

} // namespace searchtest

class frmSearch;

namespace searchtest {

// The program-wide state the search window works on, reset for each test: a main window, the
// fixture database open as the material database, the program folder in a temporary folder.
class SearchEnv
{
public:
    SearchEnv();
    ~SearchEnv();
    bool isValid() const { return m_valid; }
    QString folder() const;
    // The main window back at its start-up state: empty selection, no saved layout or criteria.
    void resetMainWindow();
    // A freshly loaded search window (any earlier one is destroyed first).
    frmSearch *loadSearch();
    // Material windows and the search window destroyed.
    void closeWindows();
    // Opens another fixture as the material database.
    void useDatabase(const QString &path, const QString &connect = QString());

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    testsupport::ProgramDatabase m_database;
    bool m_valid = false;
};

mdiVelkor &mainWindow();

} // namespace searchtest
