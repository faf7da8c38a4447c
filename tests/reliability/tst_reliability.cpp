// Every file the program reads and writes, against the bad files and folders a real desktop has:
// the program answers as it should (its message, its defaults, or silence with the earlier file
// kept), within a time bound, and the material database's bytes never change.

#include "FaultyFiles.h"
#include "ProgramDatabase.h"
#include "SchemaFixture.h"
#include "controls/RichTextBox.h"
#include "core/HTMLHelp.h"
#include "core/HelpViewer.h"
#include "core/frmAgreement.h"
#include "core/modDBase.h"
#include "core/modDocument.h"
#include "core/modFileHandler.h"
#include "db/Database.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/SafeFile.h"
#include "search/frmPmaIndex.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using platform::ScriptedResponder;
using platform::vbCrLf;
using testsupport::Fault;
using testsupport::FileFault;

Q_DECLARE_METATYPE(testsupport::Fault)

namespace {

// Far above what any of these steps takes; only a hang or a read without end comes near it.
constexpr qint64 TimeBoundMs = 10000;
const char DefaultTitle[] = "(default)";

// The program folder and the per-user folder below one temporary folder, the data folder
// prepared as the splash prepares it.
struct Sandbox
{
    Sandbox()
    {
        QDir(dir.path()).mkpath(QStringLiteral("prog"));
        QDir(dir.path()).mkpath(QStringLiteral("user/Brisvale/Velkor_PED"));
        platform::setProgramFolder(programFolder());
        qputenv("APPDATA", dir.filePath(QStringLiteral("user")).toLocal8Bit());
        modFileHandler::SetupFileEnvironment();
    }
    QString programFolder() const { return dir.filePath(QStringLiteral("prog")); }
    QString dataFolder() const { return dir.filePath(QStringLiteral("user/Brisvale/Velkor_PED/")); }
    QString database() const { return programFolder() + QStringLiteral("/Velkor_PED.mdb"); }

    QTemporaryDir dir;
};

QByteArray fileBytes(const QString &path)
{
    if (!platform::isRegularFile(path))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A small material database; with another password than the program's its opening fails with an
// error that is neither "missing" nor "wrong format".
QByteArray databaseBytes(const QString &password = QStringLiteral(VELKOR_DB_PASSWORD))
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.mdb"));
    testsupport::execSql(path,
                         {QStringLiteral("CREATE TABLE materials (matID INTEGER, name TEXT);"
                                         "INSERT INTO materials VALUES (1, 'P235GH');")},
                         nullptr, password);
    return fileBytes(path);
}

void placeDatabase(const Sandbox &box, const QByteArray &bytes)
{
    QFile file(box.database());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

void checkTimeBound(qint64 ms)
{
    QVERIFY2(ms < TimeBoundMs, "no answer within the time bound");
}

QByteArray shipped(const char *name)
{
    return fileBytes(QStringLiteral(VELKOR_BIN_DIR "/") + QLatin1String(name));
}

bool openDatabase()
{
    return modDBase::OpenDBase(nullptr, QStringLiteral("Velkor_PED.mdb"), QStringLiteral("PathSet.vlk"), true, true,
                               QStringLiteral(VELKOR_DB_PASSWORD), QStringLiteral("Missing."));
}

QStringList titlesOf(const ScriptedResponder &responder)
{
    QStringList titles = responder.messageTitles();
    for (QString &title : titles)
        if (title == platform::appTitle())
            title = QLatin1String(DefaultTitle);
    return titles;
}

// SQLite's own words, none of which may reach the user.
bool speaksSqlite(const QString &text)
{
    static const char *const words[] = {
        "no such",          "syntax error",   "near \"", "SQL logic", "unrecognized token",
        "incomplete input", "not authorized", "sqlite"};
    return std::any_of(std::begin(words), std::end(words),
                       [&](const char *w) { return text.contains(QLatin1String(w), Qt::CaseInsensitive); });
}

// What a step of the program did: what it read (in the words of the file's row), what became of
// the file, and the titles of the boxes it showed.
struct Outcome
{
    QString read;
    QString file;
    QStringList titles;
    QString skip; // why the fault cannot be made here
};

Outcome skipped(const FileFault &fault)
{
    Outcome outcome;
    outcome.skip = fault.skipReason();
    return outcome;
}

QString fileState(const FileFault &fault, const QString &path,
                  const std::function<QString(const QByteArray &)> &whatIsIt)
{
    if (fault.untouched())
        return QStringLiteral("untouched");
    if (!platform::isRegularFile(path))
        return QStringLiteral("gone or replaced by something else");
    return whatIsIt(fileBytes(path));
}

QString settingsGood()
{
    QStringList lines(27);
    lines[0] = QStringLiteral("Tile_Horizontal");
    return lines.join(vbCrLf) + vbCrLf;
}

Outcome settingsFile(Fault fault, ScriptedResponder &responder)
{
    Sandbox box;
    const QString path = box.dataFolder() + QStringLiteral("Settings.vlk");
    FileFault made(fault, path, settingsGood().toUtf8());
    if (!made.skipReason().isEmpty())
        return skipped(made);
    Outcome outcome;
    const qint64 ms = made.act([&] {
        mdiVelkor w;
        w.LoadSettings();
        outcome.read = w.iWindowArrange == 1 ? QStringLiteral("read") : QStringLiteral("defaults");
        w.SaveSettings();
    });
    checkTimeBound(ms);
    outcome.file = fileState(made, path, [](const QByteArray &bytes) {
        const QStringList lines = QString::fromUtf8(bytes).split(vbCrLf);
        return lines.size() == 28 && lines.first() == QLatin1String("Cascade") ? QStringLiteral("written")
                                                                               : QStringLiteral("short or damaged");
    });
    outcome.titles = titlesOf(responder);
    return outcome;
}

Outcome pathFile(Fault fault, ScriptedResponder &responder)
{
    Sandbox box;
    const QByteArray database = databaseBytes();
    placeDatabase(box, database);
    const QString path = box.dataFolder() + QStringLiteral("PathSet.vlk");
    // The good path file names a database that is gone, so that the user locates it and the
    // program writes the path file.
    FileFault made(fault, path, (box.dir.filePath(QStringLiteral("gone/Velkor_PED.mdb")) + vbCrLf).toUtf8());
    if (!made.skipReason().isEmpty())
        return skipped(made);
    if (testsupport::isWriteFault(fault)) {
        responder.answerMessage(platform::vbYes);
        responder.answerFile(box.database());
    }
    Outcome outcome;
    const qint64 ms =
        made.act([&] { outcome.read = openDatabase() ? QStringLiteral("opened") : QStringLiteral("not opened"); });
    testsupport::ProgramDatabase::close();
    checkTimeBound(ms);
    [&] { QCOMPARE(fileBytes(box.database()), database); }();
    outcome.file = fileState(made, path, [&](const QByteArray &bytes) {
        if (bytes.isEmpty())
            return QStringLiteral("created empty");
        return bytes == (box.database() + vbCrLf).toUtf8() ? QStringLiteral("written") : QStringLiteral("damaged");
    });
    outcome.titles = titlesOf(responder);
    return outcome;
}

Outcome errorLog(Fault fault, ScriptedResponder &responder)
{
    Sandbox box;
    const QByteArray database = databaseBytes(QStringLiteral("another password"));
    placeDatabase(box, database);
    const QString path = box.dataFolder() + QStringLiteral("ErrorLog.txt");
    FileFault made(fault, path, QByteArrayLiteral("an earlier log\r\n"));
    if (!made.skipReason().isEmpty())
        return skipped(made);
    Outcome outcome;
    const qint64 ms =
        made.act([&] { outcome.read = openDatabase() ? QStringLiteral("opened") : QStringLiteral("not opened"); });
    testsupport::ProgramDatabase::close();
    checkTimeBound(ms);
    [&] { QCOMPARE(fileBytes(box.database()), database); }();
    outcome.file = fileState(made, path, [](const QByteArray &bytes) {
        const QStringList lines = QString::fromUtf8(bytes).split(vbCrLf);
        return lines.size() == 7 && lines.at(1) == QLatin1String("Error No. - 3031") &&
                       lines.at(5) == QLatin1String("Not a valid password.")
                   ? QStringLiteral("written")
                   : QStringLiteral("damaged");
    });
    outcome.titles = titlesOf(responder);
    return outcome;
}

Outcome databaseFile(Fault fault, ScriptedResponder &responder)
{
    Sandbox box;
    FileFault made(fault, box.database(), databaseBytes());
    if (!made.skipReason().isEmpty())
        return skipped(made);
    for (int i = 0; i < 3; ++i)
        responder.answerMessage(platform::vbNo);
    Outcome outcome;
    const qint64 ms =
        made.act([&] { outcome.read = openDatabase() ? QStringLiteral("opened") : QStringLiteral("not opened"); });
    testsupport::ProgramDatabase::close();
    checkTimeBound(ms);
    outcome.file = fileState(made, box.database(), [](const QByteArray &) { return QStringLiteral("changed"); });
    outcome.titles = titlesOf(responder);
    return outcome;
}

Outcome pmaIndex(Fault fault, ScriptedResponder &responder)
{
    Sandbox box;
    const QString path = frmPmaIndex::IndexDatabasePath();
    FileFault made(fault, path, shipped("PMA_Index.mdb"));
    if (!made.skipReason().isEmpty())
        return skipped(made);
    Outcome outcome;
    const qint64 ms = made.act([&] {
        if (!modDocument::FileExists(path)) {
            outcome.read = QStringLiteral("not offered");
            return;
        }
        frmPmaIndex window;
        window.Form_Load();
        outcome.read = responder.count() == 0 ? QStringLiteral("shown") : QStringLiteral("refused");
    });
    checkTimeBound(ms);
    outcome.file = fileState(made, path, [](const QByteArray &) { return QStringLiteral("changed"); });
    outcome.titles = titlesOf(responder);
    for (const platform::MessageRequest &shown : responder.messages())
        [&] { QVERIFY2(!speaksSqlite(shown.text), qPrintable(shown.text)); }();
    return outcome;
}

Outcome helpFile(Fault fault, ScriptedResponder &responder)
{
    Sandbox box;
    const QString path = HTMLHelp::HelpFilePath(1);
    FileFault made(fault, path, shipped("Velkor_PED_HELP.chm"));
    if (!made.skipReason().isEmpty())
        return skipped(made);
    Outcome outcome;
    const qint64 ms = made.act([&] {
        HTMLHelp::ShowHelpContents(1);
        HelpViewer *viewer = HelpViewer::instance();
        outcome.read = viewer && viewer->fileOpened() ? QStringLiteral("opened") : QStringLiteral("reported");
        delete viewer;
    });
    checkTimeBound(ms);
    outcome.file = fileState(made, path, [](const QByteArray &) { return QStringLiteral("changed"); });
    outcome.titles = titlesOf(responder);
    return outcome;
}

Outcome agreementFile(Fault fault, ScriptedResponder &responder)
{
    Sandbox box;
    const QString path = frmAgreement::AgreementPath();
    FileFault made(fault, path, shipped("Velkor_PED_License.rtf"));
    if (!made.skipReason().isEmpty())
        return skipped(made);
    Outcome outcome;
    const qint64 ms = made.act([&] {
        frmAgreement viewer;
        viewer.Form_Load();
        const auto *text = viewer.findChild<controls::RichTextBox *>(QStringLiteral("rtfAgreement"));
        outcome.read = text->toPlainText().trimmed().isEmpty() ? QStringLiteral("empty") : QStringLiteral("text");
    });
    checkTimeBound(ms);
    outcome.file = fileState(made, path, [](const QByteArray &) { return QStringLiteral("changed"); });
    outcome.titles = titlesOf(responder);
    return outcome;
}

using Runner = Outcome (*)(Fault, ScriptedResponder &);

struct Expected
{
    Fault fault;
    const char *read;
    const char *file;
    QStringList titles;
};

struct Catalogue
{
    const char *file;
    Runner run;
    QList<Expected> rows;
};

QList<Catalogue> faultCatalogue()
{
    const QStringList none;
    const QStringList missing{QStringLiteral("Database Missing")};
    const QStringList wrongFormat{QStringLiteral("Wrong file format")};
    const QStringList unexpected{QStringLiteral("Error Occurred!!")};
    const QStringList located{QStringLiteral("Database Missing"), QStringLiteral("Error Occurred!!")};
    const QStringList refused{QLatin1String(DefaultTitle)};
    return {
        {"Settings.vlk",
         settingsFile,
         {{Fault::Missing, "defaults", "written", none},
          {Fault::Empty, "defaults", "written", none},
          {Fault::Folder, "defaults", "untouched", none},
          {Fault::Fifo, "defaults", "untouched", none},
          {Fault::DevZeroLink, "defaults", "untouched", none},
          {Fault::Garbage, "defaults", "written", none},
          {Fault::LongLine, "defaults", "written", none},
          {Fault::Unreadable, "defaults", "untouched", none},
          {Fault::ReadOnlyFolder, "read", "untouched", none},
          {Fault::FullDisk, "read", "untouched", none},
          {Fault::FailingDevice, "read", "untouched", none}}},
        {"PathSet.vlk",
         pathFile,
         {{Fault::Missing, "opened", "created empty", none},
          {Fault::Empty, "opened", "untouched", none},
          {Fault::Folder, "opened", "untouched", none},
          {Fault::Fifo, "opened", "untouched", none},
          {Fault::DevZeroLink, "opened", "untouched", none},
          // Its first line names a file that does not exist; the user cancels the locate dialog.
          {Fault::Garbage, "not opened", "untouched", missing},
          {Fault::LongLine, "opened", "untouched", none},
          {Fault::Unreadable, "opened", "untouched", none},
          {Fault::ReadOnlyFolder, "opened", "untouched", located},
          {Fault::FullDisk, "opened", "untouched", located},
          {Fault::FailingDevice, "opened", "untouched", located}}},
        {"ErrorLog.txt",
         errorLog,
         {{Fault::Missing, "not opened", "written", unexpected},
          {Fault::Empty, "not opened", "written", unexpected},
          {Fault::Folder, "not opened", "untouched", unexpected},
          {Fault::Fifo, "not opened", "untouched", unexpected},
          {Fault::DevZeroLink, "not opened", "untouched", unexpected},
          {Fault::Garbage, "not opened", "written", unexpected},
          {Fault::LongLine, "not opened", "written", unexpected},
          {Fault::Unreadable, "not opened", "untouched", unexpected},
          {Fault::ReadOnlyFolder, "not opened", "untouched", unexpected},
          {Fault::FullDisk, "not opened", "untouched", unexpected},
          {Fault::FailingDevice, "not opened", "untouched", unexpected}}},
        {"Velkor_PED.mdb",
         databaseFile,
         {{Fault::Missing, "not opened", "untouched", missing},
          {Fault::Empty, "not opened", "untouched", wrongFormat},
          {Fault::Folder, "not opened", "untouched", wrongFormat},
          {Fault::Fifo, "not opened", "untouched", wrongFormat},
          {Fault::DevZeroLink, "not opened", "untouched", wrongFormat},
          {Fault::Garbage, "not opened", "untouched", wrongFormat},
          {Fault::LongLine, "not opened", "untouched", wrongFormat},
          {Fault::Unreadable, "not opened", "untouched", unexpected},
          {Fault::ReadOnlyFolder, "opened", "untouched", none},
          {Fault::FullDisk, "opened", "untouched", none},
          {Fault::FailingDevice, "opened", "untouched", none}}},
        {"PMA_Index.mdb",
         pmaIndex,
         {{Fault::Missing, "not offered", "untouched", none},
          {Fault::Empty, "refused", "untouched", refused},
          {Fault::Folder, "not offered", "untouched", none},
          {Fault::Fifo, "not offered", "untouched", none},
          {Fault::DevZeroLink, "not offered", "untouched", none},
          {Fault::Garbage, "refused", "untouched", refused},
          {Fault::LongLine, "refused", "untouched", refused},
          {Fault::Unreadable, "refused", "untouched", refused},
          {Fault::ReadOnlyFolder, "shown", "untouched", none},
          {Fault::FullDisk, "shown", "untouched", none},
          {Fault::FailingDevice, "shown", "untouched", none}}},
        {"Velkor_PED_HELP.chm",
         helpFile,
         {{Fault::Missing, "reported", "untouched", none},
          {Fault::Empty, "reported", "untouched", none},
          {Fault::Folder, "reported", "untouched", none},
          {Fault::Fifo, "reported", "untouched", none},
          {Fault::DevZeroLink, "reported", "untouched", none},
          {Fault::Garbage, "reported", "untouched", none},
          {Fault::LongLine, "reported", "untouched", none},
          {Fault::Unreadable, "reported", "untouched", none},
          {Fault::ReadOnlyFolder, "opened", "untouched", none},
          {Fault::FullDisk, "opened", "untouched", none},
          {Fault::FailingDevice, "opened", "untouched", none}}},
        {"the agreement",
         agreementFile,
         {{Fault::Missing, "empty", "untouched", none},
          {Fault::Empty, "empty", "untouched", none},
          {Fault::Folder, "empty", "untouched", none},
          {Fault::Fifo, "empty", "untouched", none},
          {Fault::DevZeroLink, "empty", "untouched", none},
          // Not rich text: shown as the plain text it is.
          {Fault::Garbage, "text", "untouched", none},
          {Fault::LongLine, "empty", "untouched", none},
          {Fault::Unreadable, "empty", "untouched", none},
          {Fault::ReadOnlyFolder, "text", "untouched", none},
          {Fault::FullDisk, "text", "untouched", none},
          {Fault::FailingDevice, "text", "untouched", none}}},
    };
}

} // namespace

class tst_reliability : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void badFiles_data();
    void badFiles();

    void startupSchema_data();
    void startupSchema();

private:
    QByteArray m_appData;
    bool m_hadAppData = false;
};

void tst_reliability::initTestCase()
{
    m_hadAppData = qEnvironmentVariableIsSet("APPDATA");
    m_appData = qgetenv("APPDATA");
    QVERIFY(!shipped("PMA_Index.mdb").isEmpty());
}

void tst_reliability::cleanup()
{
    testsupport::ProgramDatabase::close();
    platform::setProgramFolder(QString());
    if (m_hadAppData)
        qputenv("APPDATA", m_appData);
    else
        qunsetenv("APPDATA");
}

void tst_reliability::badFiles_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("titles");

    const QList<Catalogue> entries = faultCatalogue();
    for (int i = 0; i < entries.size(); ++i)
        for (const Expected &row : entries.at(i).rows)
            QTest::addRow("%s, %s", entries.at(i).file, qPrintable(testsupport::faultName(row.fault)))
                << i << row.fault << QString::fromLatin1(row.read) << QString::fromLatin1(row.file) << row.titles;
}

void tst_reliability::badFiles()
{
    QFETCH(int, entry);
    QFETCH(Fault, fault);
    QFETCH(QString, read);
    QFETCH(QString, file);
    QFETCH(QStringList, titles);

    ScriptedResponder responder;
    const Outcome outcome = faultCatalogue().at(entry).run(fault, responder);
    if (!outcome.skip.isEmpty())
        QSKIP(qPrintable(outcome.skip));
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(outcome.read, read);
    QCOMPARE(outcome.file, file);
    QCOMPARE(outcome.titles, titles);
}

// clang-format off
void tst_reliability::startupSchema_data()
{
    QTest::addColumn<QStringList>("change");
    QTest::addColumn<QString>("typed"); // into the material number box after the start-up
    QTest::addColumn<QString>("message");

    QTest::newRow("no materials table")
        << QStringList{QStringLiteral("DROP TABLE materials")} << QString()
        << "The Microsoft Jet database engine cannot find the input table or query 'Materials'.  Make sure it exists "
           "and that its name is spelled correctly.";
    QTest::newRow("no material number field")
        << QStringList{QStringLiteral("ALTER TABLE materials RENAME COLUMN numbr TO numbr_gone")} << "1.0"
        << "Too few parameters. Expected 1.";
}
// clang-format on

// A database that lacks what the start-up and the first search read is reported in the engine's
// words, never in SQLite's.
void tst_reliability::startupSchema()
{
    QFETCH(QStringList, change);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    Sandbox box;
    QVERIFY(testsupport::buildSchemaDatabase(box.database(), change));
    const QByteArray before = testsupport::checksum(box.database());
    ScriptedResponder responder;
    {
        auto *w = new mdiVelkor;
        w->MDIForm_Load();
        if (!typed.isEmpty()) {
            QVERIFY(frmSearch::instance());
            frmSearch::instance()->txtSearch[2]->setText(typed);
        }
        delete w;
    }
    QVERIFY(responder.count() > 0);
    const QList<platform::MessageRequest> shown = responder.messages();
    for (const platform::MessageRequest &box : shown)
        QVERIFY2(!speaksSqlite(box.text), qPrintable(box.text));
    QCOMPARE(shown.last().text, message);
    QCOMPARE(testsupport::checksum(box.database()), before);
}

QTEST_MAIN(tst_reliability)
#include "tst_reliability.moc"
