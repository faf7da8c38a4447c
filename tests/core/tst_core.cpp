#include "tst_core.h"

#include "ProgramDatabase.h"
#include "SchemaFixture.h"
#include "core/modDBase.h"
#include "core/modFileHandler.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

using platform::ScriptedResponder;
using platform::vbCrLf;

Sandbox::Sandbox()
{
    QDir(dir.path()).mkpath(QStringLiteral("prog"));
    QDir(dir.path()).mkpath(QStringLiteral("user/Brisvale/Velkor_PED"));
    platform::setProgramFolder(programFolder());
    qputenv("APPDATA", path(QStringLiteral("user")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", path(QStringLiteral("cache")).toLocal8Bit());
    modFileHandler::SetupFileEnvironment();
}

void makeDatabase(const QString &file)
{
    const QString sql = QStringLiteral("CREATE TABLE materials (matID INTEGER, name TEXT COLLATE NOCASE);"
                                       "INSERT INTO materials VALUES (1, 'S235JR'), (2, NULL), (3, 'P265GH');");
    QString error;
    QVERIFY2(testsupport::execSql(file, {sql}, &error, QStringLiteral(VELKOR_DB_PASSWORD)), qPrintable(error));
}

void writeFile(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file));
    f.write(bytes);
}

QByteArray readFile(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

namespace {

QString missingText()
{
    return QStringLiteral("Missing.");
}

bool openDefault()
{
    return modDBase::OpenDBase(nullptr, QStringLiteral("Velkor_PED.mdb"), QStringLiteral("PathSet.vlk"), true, true,
                               QStringLiteral(VELKOR_DB_PASSWORD), missingText());
}

void restoreVariable(const char *name, bool had, const QByteArray &value)
{
    if (had)
        qputenv(name, value);
    else
        qunsetenv(name);
}

} // namespace

void tst_core::initTestCase()
{
    m_hadAppData = qEnvironmentVariableIsSet("APPDATA");
    m_hadXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_hadHome = qEnvironmentVariableIsSet("HOME");
    m_appData = qgetenv("APPDATA");
    m_xdg = qgetenv("XDG_CONFIG_HOME");
    m_home = qgetenv("HOME");
    m_hadCacheHome = qEnvironmentVariableIsSet("XDG_CACHE_HOME");
    m_cacheHome = qgetenv("XDG_CACHE_HOME");
}

void tst_core::cleanup()
{
    testsupport::ProgramDatabase::close();
    platform::setProgramFolder(QString());
    platform::setScreenWidthOverride(0);
    platform::setDriveShareLookup({});
    restoreVariable("APPDATA", m_hadAppData, m_appData);
    restoreVariable("XDG_CONFIG_HOME", m_hadXdg, m_xdg);
    restoreVariable("HOME", m_hadHome, m_home);
    restoreVariable("XDG_CACHE_HOME", m_hadCacheHome, m_cacheHome);
}

// ----- Data folder ---------------------------------------------------------------------------

// clang-format off
void tst_core::dataFolder_data()
{
    // Values are relative to a temporary folder; "-" leaves the variable unset.
    QTest::addColumn<QString>("appData");
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QString>("home");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<QString>("expectedFolder");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<bool>("expectError");

    const QStringList copied{QStringLiteral("PathSet.vlk"), QStringLiteral("Settings.vlk")};
    QTest::newRow("APPDATA set, first run") << "app" << "xdg" << "home" << false << "app/Brisvale/Velkor_PED/" << copied << false;
    QTest::newRow("APPDATA unset, XDG_CONFIG_HOME") << "-" << "xdg" << "home" << false << "xdg/Brisvale/Velkor_PED/" << copied << false;
    QTest::newRow("only HOME") << "-" << "-" << "home" << false << "home/.config/Brisvale/Velkor_PED/" << copied << false;
    QTest::newRow("nothing set") << "-" << "-" << "-" << false << "prog/" << QStringList() << false;
    QTest::newRow("empty APPDATA counts as unset") << "" << "xdg" << "-" << false << "xdg/Brisvale/Velkor_PED/" << copied << false;
    QTest::newRow("existing empty folder") << "app" << "-" << "-" << true << "app/Brisvale/Velkor_PED/" << QStringList() << false;
    QTest::newRow("unwritable") << "afile" << "-" << "-" << false << "prog/" << QStringList() << true;
}
// clang-format on

void tst_core::dataFolder()
{
    QFETCH(QString, appData);
    QFETCH(QString, xdg);
    QFETCH(QString, home);
    QFETCH(bool, folderExists);
    QFETCH(QString, expectedFolder);
    QFETCH(QStringList, expectedFiles);
    QFETCH(bool, expectError);

    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    QDir(root).mkpath(QStringLiteral("prog"));
    writeFile(root + QStringLiteral("prog/PathSet.vlk"), "");
    writeFile(root + QStringLiteral("prog/Settings.vlk"), "Cascade\r\n");
    writeFile(root + QStringLiteral("prog/Notes.txt"), "not a data file");
    writeFile(root + QStringLiteral("afile"), "a file where a folder should be");
    if (folderExists)
        QDir(root).mkpath(QStringLiteral("app/Brisvale/Velkor_PED"));
    platform::setProgramFolder(root + QStringLiteral("prog"));
    const auto setVariable = [&](const char *name, const QString &value) {
        if (value == QLatin1String("-"))
            qunsetenv(name);
        else
            qputenv(name, (value.isEmpty() ? QString() : root + value).toLocal8Bit());
    };
    setVariable("APPDATA", appData);
    setVariable("XDG_CONFIG_HOME", xdg);
    setVariable("HOME", home);

    ScriptedResponder responder;
    modFileHandler::SetupFileEnvironment();

    QCOMPARE(modFileHandler::GetDataFolder(), root + expectedFolder);
    QCOMPARE(modFileHandler::DataFilePath(QStringLiteral("Settings.vlk")), root + expectedFolder + "Settings.vlk");
    if (expectedFolder != QLatin1String("prog/")) {
        QVERIFY(QFileInfo(root + expectedFolder).isDir());
        QCOMPARE(QDir(root + expectedFolder).entryList(QDir::Files), expectedFiles);
        if (!expectedFiles.isEmpty())
            QCOMPARE(readFile(root + expectedFolder + "Settings.vlk"), QByteArray("Cascade\r\n"));
    }
    if (expectError) {
        QCOMPARE(responder.count(), 1);
        const platform::MessageRequest box = responder.messages().first();
        QCOMPARE(box.title, QStringLiteral("Error"));
        QCOMPARE(box.style, platform::vbCritical | platform::vbOKOnly);
        QVERIFY2(box.text.contains(QStringLiteral(": Error in SetupFileEnvironment(). Error Description: ")),
                 qPrintable(box.text));
    } else {
        QCOMPARE(responder.count(), 0);
    }
}

// The copies of imported Jet databases are kept in the desktop's cache folder.
// clang-format off
void tst_core::cacheFolder_data()
{
    // Values are relative to a temporary folder; "-" leaves the variable unset, "=" gives it as it stands.
    QTest::addColumn<QString>("cacheHome");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("expected"); // empty: none
    QTest::newRow("XDG_CACHE_HOME") << "xdg-cache" << "home" << "xdg-cache/velkor-ped";
    QTest::newRow("only HOME") << "-" << "home" << "home/.cache/velkor-ped";
    QTest::newRow("a relative XDG_CACHE_HOME counts as unset") << "=cache" << "home" << "home/.cache/velkor-ped";
    QTest::newRow("neither") << "-" << "-" << "";
}
// clang-format on

void tst_core::cacheFolder()
{
    QFETCH(QString, cacheHome);
    QFETCH(QString, home);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    const auto setVariable = [&](const char *name, const QString &value) {
        if (value == QLatin1String("-"))
            qunsetenv(name);
        else
            qputenv(name, (value.startsWith(u'=') ? value.mid(1) : root + value).toLocal8Bit());
    };
    setVariable("XDG_CACHE_HOME", cacheHome);
    setVariable("HOME", home);
    QCOMPARE(modFileHandler::CacheFolder(), expected.isEmpty() ? QString() : root + expected);
}

// Earlier versions kept the copies in the data folder; the first start with the new place removes
// them there, and nothing else.
void tst_core::oldCacheFolderRemoved_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("left");
    const QString copy = QStringLiteral("0123456789abcdef-fedcba9876543210-0of1-00112233aabbccdd.sqlite");
    const QString part = QStringLiteral("0123456789abcdef-fedcba9876543210-1of6-00112233aabbccdd.sqlite");
    QTest::newRow("copies only") << QStringList{copy, part} << QStringList();
    QTest::newRow("a file of the user's beside them")
        << QStringList{copy, QStringLiteral("notes.txt")} << QStringList{QStringLiteral("notes.txt")};
}

void tst_core::oldCacheFolderRemoved()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, left);
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("user/Brisvale/Velkor_PED/cache"));
    QVERIFY(QDir().mkpath(old));
    for (const QString &name : files)
        writeFile(old + QLatin1Char('/') + name, "SQLite format 3");
    platform::setProgramFolder(dir.filePath(QStringLiteral("prog")));
    qputenv("APPDATA", dir.filePath(QStringLiteral("user")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    modFileHandler::SetupFileEnvironment();
    QCOMPARE(QFileInfo::exists(old), !left.isEmpty());
    if (!left.isEmpty())
        QCOMPARE(QDir(old).entryList(QDir::Files), left);
}

// ----- Opening the database -------------------------------------------------------------------

void tst_core::openMissingThenWrongNameThenCancel()
{
    Sandbox box;
    const QString gone = box.path(QStringLiteral("elsewhere/Velkor_PED.mdb"));
    QDir(box.dir.path()).mkpath(QStringLiteral("elsewhere"));
    writeFile(box.dataFolder() + "PathSet.vlk", (gone + "\r\n").toUtf8());
    const QString wrongCase = box.programFolder() + "/velkor_ped.mdb";
    makeDatabase(wrongCase);

    ScriptedResponder responder;
    responder.answerMessage(platform::vbYes); // Database Missing: look for it
    responder.answerFile(wrongCase);
    responder.answerMessage(platform::vbYes); // Wrong Path...: try again
    responder.cancelFile();

    QVERIFY(!openDefault());
    QVERIFY(modDBase::gDbNotOpened);
    QVERIFY(!modDBase::gMaterialDb);

    const auto &steps = responder.interactions();
    QCOMPARE(steps.size(), 4);
    QCOMPARE(steps[0].kind, ScriptedResponder::Interaction::Message);
    QCOMPARE(steps[0].message.title, QStringLiteral("Database Missing"));
    QCOMPARE(steps[0].message.style, platform::vbCritical | platform::vbYesNo);
    QVERIFY2(steps[0].message.text.startsWith(QStringLiteral("Error <3024> ")), qPrintable(steps[0].message.text));
    QVERIFY(steps[0].message.text.endsWith(vbCrLf + vbCrLf + missingText()));
    for (int i : {1, 3}) {
        QCOMPARE(steps[i].kind, ScriptedResponder::Interaction::File);
        QCOMPARE(steps[i].file.kind, platform::FileDialogRequest::Open);
        QCOMPARE(steps[i].file.title, QStringLiteral("Locate Velkor_PED.mdb..."));
        QCOMPARE(steps[i].file.initialDir, box.programFolder() + "/");
        QCOMPARE(steps[i].file.fileName, QStringLiteral("Velkor_PED.mdb"));
        QCOMPARE(steps[i].file.filter, QStringLiteral("Access files (*.mdb)|*.mdb"));
    }
    QCOMPARE(steps[2].message.title, QStringLiteral("Wrong Path..."));
    QCOMPARE(steps[2].message.style, platform::vbInformation | platform::vbYesNo);
    QCOMPARE(steps[2].message.text, "You attempted to open wrong file." + vbCrLf + vbCrLf + "'" + wrongCase + "'" +
                                        vbCrLf + vbCrLf + "Do you wish to try again ?");
    // Nothing was opened, so the saved path stays.
    QCOMPARE(readFile(box.dataFolder() + "PathSet.vlk"), (gone + "\r\n").toUtf8());
}

void tst_core::openWrongFormatThenLocateAgain()
{
    Sandbox box;
    const QString broken = box.programFolder() + "/Velkor_PED.mdb";
    writeFile(broken, "This is a text file, not a database.\r\n");
    QDir(box.dir.path()).mkpath(QStringLiteral("good"));
    const QString good = box.path(QStringLiteral("good/Velkor_PED.mdb"));
    makeDatabase(good);

    ScriptedResponder responder;
    responder.answerMessage(platform::vbYes); // Wrong file format: try again
    responder.answerFile(broken);
    responder.answerMessage(platform::vbYes); // the same broken file once more
    responder.answerFile(good);

    QVERIFY(openDefault());
    QVERIFY(!modDBase::gDbNotOpened);
    QVERIFY(modDBase::gMaterialDb && modDBase::gMaterialDb->isOpen());
    QCOMPARE(modDBase::gMaterialDb->name(), good);

    const QStringList titles = responder.messageTitles();
    QCOMPARE(titles, QStringList({"Wrong file format", "Wrong file format"}));
    const platform::MessageRequest first = responder.messages().first();
    QCOMPARE(first.style, platform::vbCritical | platform::vbYesNo);
    QCOMPARE(first.text, "You attempted to open a non-database file." + vbCrLf + vbCrLf + broken + vbCrLf + vbCrLf +
                             "Velkor_PED.mdbis the necessary file" + vbCrLf + vbCrLf + "Do you wish to try again?");
    // The located path is remembered for the next start.
    QCOMPARE(readFile(box.dataFolder() + "PathSet.vlk"), (good + "\r\n").toUtf8());
}

void tst_core::openHeldByAnotherProcess()
{
    Sandbox box;
    const QString file = box.programFolder() + "/Velkor_PED.mdb";
    makeDatabase(file);
    QProcess holder;
    holder.start(QStringLiteral(CORE_LOCK_HOLDER), {file});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    ScriptedResponder responder;
    const bool opened = openDefault();
    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(10000));

    QVERIFY(!opened);
    QVERIFY(modDBase::gDbNotOpened);
    QCOMPARE(responder.count(), 1);
    const platform::MessageRequest shown = responder.messages().first();
    QCOMPARE(shown.title, QStringLiteral("Error Occurred!!"));
    QCOMPARE(shown.style, int(platform::vbOKOnly));

    const QByteArray log = readFile(box.dataFolder() + "ErrorLog.txt");
    QVERIFY(log.endsWith("\r\n"));
    const QStringList lines = QString::fromUtf8(log.chopped(2)).split(vbCrLf);
    QCOMPARE(lines.size(), 6);
    QVERIFY(!lines[0].isEmpty());
    QVERIFY2(lines[1].startsWith(QStringLiteral("Error No. - ")) && lines[1] != QLatin1String("Error No. - 3024") &&
                 lines[1] != QLatin1String("Error No. - 3343"),
             qPrintable(lines[1]));
    QCOMPARE(lines[2], "Application EXE - " + platform::exeName());
    QCOMPARE(lines[3], QStringLiteral("Sub/Function - modDBase.OpenDBase"));
    QCOMPARE(lines[4], QStringLiteral("Error Description - "));
    QVERIFY(!lines[5].isEmpty());
    QCOMPARE(shown.text, lines.mid(1).join(vbCrLf) + vbCrLf + vbCrLf +
                             "Error Log - 'ErrorLog.txt' has been created at..." + vbCrLf + box.dataFolder() + vbCrLf +
                             "Report Error To Supplier, sending a copy of the Error Log");
}

// The user's own Jet databases, as another program wrote them, in the program folder.
// clang-format off
void tst_core::openJetDatabase_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("headerBytesOnly"); // 0: the whole file
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("box"); // the message box shown, empty when it opens
    QTest::addColumn<bool>("readAhead"); // as the splash does, before the open

    for (const bool ahead : {false, true}) {
        const char *how = ahead ? ", read ahead" : "";
        QTest::addRow("with the database password%s", how) << "Velkor_PED_pw.mdb" << 0 << VELKOR_DB_PASSWORD << "" << ahead;
        QTest::addRow("without a password%s", how) << "Velkor_PED.mdb" << 0 << VELKOR_DB_PASSWORD << "" << ahead;
        QTest::addRow("another password%s", how) << "Velkor_PED_pw.mdb" << 0 << "quzmaI" << "Error Occurred!!" << ahead;
        QTest::addRow("damaged%s", how) << "Velkor_PED.mdb" << 4096 << VELKOR_DB_PASSWORD << "Wrong file format" << ahead;
    }
}
// clang-format on

void tst_core::openJetDatabase()
{
    QFETCH(QString, fixture);
    QFETCH(int, headerBytesOnly);
    QFETCH(QString, password);
    QFETCH(QString, box);
    QFETCH(bool, readAhead);
    Sandbox sandbox;
    QByteArray bytes = readFile(QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet/") + fixture);
    if (headerBytesOnly)
        bytes.truncate(headerBytesOnly);
    writeFile(sandbox.programFolder() + "/Velkor_PED.mdb", bytes);

    ScriptedResponder responder;
    if (readAhead)
        modDBase::ReadAheadDBase(modDBase::MaterialDbName(), modDBase::PathFileName(), password);
    responder.answerMessage(platform::vbNo);
    const bool opened = modDBase::OpenDBase(nullptr, QStringLiteral("Velkor_PED.mdb"), QStringLiteral("PathSet.vlk"),
                                            true, true, password, missingText());
    QCOMPARE(opened, box.isEmpty());
    QCOMPARE(responder.messageTitles(), box.isEmpty() ? QStringList() : QStringList{box});
    if (opened) {
        auto rs = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from Materials where matId = 2"));
        QCOMPARE(rs->field(QStringLiteral("name")).toString(), QStringLiteral("16Mo3"));
        QVERIFY(!QDir(sandbox.cacheFolder()).isEmpty());
    } else if (box == QLatin1String("Error Occurred!!")) {
        QVERIFY(readFile(sandbox.dataFolder() + "ErrorLog.txt").contains("\r\nError No. - 3031\r\n"));
    }
}

void tst_core::openCreatesEmptyPathFile()
{
    Sandbox box;
    makeDatabase(box.programFolder() + "/Velkor_PED.mdb");
    ScriptedResponder responder;

    QVERIFY(openDefault());
    QCOMPARE(responder.count(), 0);
    QCOMPARE(modDBase::gMaterialDb->name(), box.programFolder() + "/Velkor_PED.mdb");
    QVERIFY(QFile::exists(box.dataFolder() + "PathSet.vlk"));
    QCOMPARE(readFile(box.dataFolder() + "PathSet.vlk"), QByteArray());

    modDBase::CloseDBase();
    QVERIFY(!modDBase::gMaterialDb);
}

void tst_core::openOnMappedDriveSavesSharePath()
{
    Sandbox box;
    const QString share = box.path(QStringLiteral("Share"));
    QDir(box.dir.path()).mkpath(QStringLiteral("Share/velkor"));
    makeDatabase(share + "/velkor/velkor_ped.mdb");
    platform::setProgramFolder(QStringLiteral("Z:/Velkor"));
    platform::setDriveShareLookup(
        [share](const QString &drive) { return drive == QLatin1String("Z:") ? share : QString(); });
    ScriptedResponder responder;

    QVERIFY(openDefault());
    QCOMPARE(responder.count(), 0);
    QCOMPARE(modDBase::gMaterialDb->name(), share + "/velkor/velkor_ped.mdb");
    QCOMPARE(readFile(box.dataFolder() + "PathSet.vlk"), (share + "/velkor/velkor_ped.mdb\r\n").toUtf8());
}

void tst_core::openKeepsDatabaseWhenPathFileCannotBeWritten()
{
    Sandbox box;
    QDir(box.dir.path()).mkpath(QStringLiteral("good"));
    const QString good = box.path(QStringLiteral("good/Velkor_PED.mdb"));
    makeDatabase(good);
    // A folder in place of the path file: it can be neither read nor written.
    QDir().mkpath(box.dataFolder() + "PathSet.vlk");
    ScriptedResponder responder;
    responder.answerMessage(platform::vbYes);
    responder.answerFile(good);

    QVERIFY(openDefault());
    QVERIFY(!modDBase::gDbNotOpened);
    QVERIFY(modDBase::gMaterialDb && modDBase::gMaterialDb->isOpen());
    QCOMPARE(responder.messageTitles(), QStringList({"Database Missing", "Error Occurred!!"}));
}

// clang-format off
void tst_core::mapToUNC_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("changed");

    QTest::newRow("local path") << "/opt/velkor/Velkor_PED.mdb" << "/opt/velkor/Velkor_PED.mdb" << false;
    QTest::newRow("local drive") << "C:\\Velkor\\Velkor_PED.mdb" << "C:\\Velkor\\Velkor_PED.mdb" << false;
    QTest::newRow("mapped drive") << "Z:\\Programs\\Velkor_PED.mdb" << "\\\\Server\\Share\\programs\\velkor_ped.mdb" << true;
    QTest::newRow("share named as the drive") << "Y:\\Data\\Velkor_PED.mdb" << "Y:\\Data\\Velkor_PED.mdb" << false;
    QTest::newRow("drive that does not exist") << "Q:\\Velkor_PED.mdb" << "" << false;
}
// clang-format on

void tst_core::mapToUNC()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QFETCH(bool, changed);
    platform::setDriveShareLookup([](const QString &drive) -> QString {
        if (drive == QLatin1String("Z:"))
            return QStringLiteral("\\\\Server\\Share");
        if (drive == QLatin1String("Y:"))
            return QStringLiteral("y:");
        if (drive == QLatin1String("Q:"))
            throw platform::VbError(68, QStringLiteral("Device unavailable"));
        return {};
    });
    QCOMPARE(modDBase::MapToUNC(path), expected);
    QCOMPARE(modDBase::gDbPathChanged, changed);
}

void tst_core::checkName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("expected");
    QTest::newRow("same name") << "/a/b/Velkor_PED.mdb" << true;
    QTest::newRow("other letter case") << "/a/b/velkor_ped.MDB" << false;
    QTest::newRow("longer name") << "/a/b/Velkor_PED.mdb.bak" << false;
    QTest::newRow("shorter than the name") << "PED.mdb" << false;
}

void tst_core::checkName()
{
    QFETCH(QString, path);
    QFETCH(bool, expected);
    QCOMPARE(modDBase::CheckName(path, QStringLiteral("Velkor_PED.mdb")), expected);
}

// clang-format off
void tst_core::lookups_data()
{
    QTest::addColumn<bool>("byId");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedId");

    QTest::newRow("GetText hit") << true << 3 << "" << "P265GH" << 0;
    QTest::newRow("GetText miss") << true << 99 << "" << "" << 0;
    QTest::newRow("GetText Null text") << true << 2 << "" << "" << 0;
    QTest::newRow("GetID hit") << false << 0 << "P265GH" << "" << 3;
    QTest::newRow("GetID miss") << false << 0 << "X2CrNi18-9" << "" << 0;
}
// clang-format on

void tst_core::lookups()
{
    QFETCH(bool, byId);
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedId);

    Sandbox box;
    makeDatabase(box.path(QStringLiteral("m.mdb")));
    auto database =
        db::Database::open(box.path(QStringLiteral("m.mdb")), true, true, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD));
    auto rs = database->openRecordset(QStringLiteral("select * from materials order by matID"));
    rs->moveLast();

    if (byId)
        QCOMPARE(modDBase::GetText(*rs, qint16(id), QStringLiteral("matID"), QStringLiteral("name")), expectedText);
    else
        QCOMPARE(modDBase::GetID(*rs, text, QStringLiteral("name"), QStringLiteral("matID")), qint16(expectedId));
    // The caller's record does not move.
    QCOMPARE(rs->absolutePosition(), 2);

    const db::Recordset *none = nullptr;
    QCOMPARE(modDBase::GetText(none, 1, QStringLiteral("matID"), QStringLiteral("name")), QString());
    QCOMPARE(modDBase::GetID(none, QStringLiteral("S235JR"), QStringLiteral("name"), QStringLiteral("matID")),
             qint16(0));
}

void tst_core::lookupWithQuoteRaisesEngineError()
{
    Sandbox box;
    makeDatabase(box.path(QStringLiteral("m.mdb")));
    auto database =
        db::Database::open(box.path(QStringLiteral("m.mdb")), true, true, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD));
    auto rs = database->openRecordset(QStringLiteral("materials"));
    try {
        modDBase::GetID(*rs, QStringLiteral("O'Neil"), QStringLiteral("name"), QStringLiteral("matID"));
        QFAIL("no error raised");
    } catch (const platform::VbError &e) {
        QCOMPARE(e.source(), platform::exeName() + "modDBase.GetID");
        QVERIFY(e.number() != platform::vberr::ObjectNotSet && e.number() != platform::vberr::ArgumentNotOptional);
    }
}

QTEST_MAIN(tst_core)
