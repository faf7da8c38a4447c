#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A program folder, a per-user folder and a cache folder below one temporary folder; the data
// folder is prepared as the splash prepares it.
struct Sandbox
{
    Sandbox();
    QString path(const QString &relative) const { return dir.filePath(relative); }
    QString programFolder() const { return path(QStringLiteral("prog")); }
    QString dataFolder() const { return path(QStringLiteral("user/Brisvale/Velkor_PED/")); }
    QString cacheFolder() const { return path(QStringLiteral("cache/velkor-ped")); }

    QTemporaryDir dir;
};

// A small material database with the password the program opens it with.
void makeDatabase(const QString &file);
void writeFile(const QString &file, const QByteArray &bytes);
QByteArray readFile(const QString &file);

class tst_core : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    // Data folder
    void dataFolder_data();
    void dataFolder();
    void cacheFolder_data();
    void cacheFolder();
    void oldCacheFolderRemoved_data();
    void oldCacheFolderRemoved();

    // Opening the database
    void openMissingThenWrongNameThenCancel();
    void openWrongFormatThenLocateAgain();
    void openHeldByAnotherProcess();
    void openCreatesEmptyPathFile();
    void openJetDatabase_data();
    void openJetDatabase();
    void openOnMappedDriveSavesSharePath();
    void openKeepsDatabaseWhenPathFileCannotBeWritten();
    void mapToUNC_data();
    void mapToUNC();
    void checkName_data();
    void checkName();
    void lookups_data();
    void lookups();
    void lookupWithQuoteRaisesEngineError();

    // Main window
    void loadSettings_data();
    void loadSettings();
    void saveSettingsWritesTwentySevenLines();
    void saveSettingsIntoUnwritableFolder();
    void showStatus_data();
    void showStatus();
    void catalogueIndex_data();
    void catalogueIndex();
    void catalogueNames_data();
    void catalogueNames();
    void cataloguePlaces_data();
    void cataloguePlaces();
    void captions_data();
    void captions();
    void programAndToolbarPictures();
    void splashReadsDatabaseAhead();
    void screenWidth_data();
    void screenWidth();
    void unloadClosesDatabaseSavesSettingsClosesWindows();
    void windowSystemTitles();
    void toolbarForScreenReaders_data();
    void toolbarForScreenReaders();

private:
    QByteArray m_appData, m_xdg, m_home, m_cacheHome;
    bool m_hadAppData = false, m_hadXdg = false, m_hadHome = false, m_hadCacheHome = false;
};
