// The copies of imported Jet files: which copy the cache hands out, what it keeps, how private its
// files are, and the import's child processes when the disk, the signals or the children fail.

#include "ErrorOf.h"
#include "FaultyFiles.h"
#include "JetFiles.h"
#include "PrivateCopy.h"
#include "Processes.h"
#include "db/Database.h"
#include "db/JetCache.h"
#include "db/JetChildren.h"
#include "platform/VbError.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using db::Database;
namespace dberr = db::dberr;
using namespace jetfiles;

namespace {

const QString kImportProgram = QStringLiteral(VELKOR_BIN_DIR "/velkor-jet-import");
// Where the fixture keeps the name "16Mo3" (UTF-16) of materials row 2: beyond the first 64 KiB.
constexpr qint64 kNameOf16Mo3 = 0x1ae80;
// A process id no process has (above the kernel's largest).
constexpr int kGonePid = 2147483000;

QString nameOfGrade2(Database &database)
{
    return column(database, QStringLiteral("select * from materials where matID = 2"), QStringLiteral("name"));
}

mode_t modeOf(const QString &path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The copies in the cache folder, without its import folders.
QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.sqlite")}, QDir::Files);
}

QStringList importFoldersIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral(".import-*")}, QDir::Dirs | QDir::Hidden);
}

// An import program standing in for the real one: a shell script that notes each start's part
// in `log`, does `body` (with $1 the part, $3 the target) and then runs the real program.
QString standIn(const QString &folder, const QString &body, const QString &log)
{
    const QString path = folder + QStringLiteral("/import-stand-in.sh");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\n%2\nexec '%3' \"$@\"\n")
                   .arg(log, body, kImportProgram)
                   .toLocal8Bit());
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

class tst_jet_cache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cacheUsedAndRebuilt();
    void staleCopyNoticed_data();
    void staleCopyNoticed();
    void damagedCacheIgnored_data();
    void damagedCacheIgnored();
    void importedInParts_data();
    void importedInParts();
    void cacheKeepsTheFilesUsedLast();
    void copiesPrivate_data();
    void copiesPrivate();
    void leftoversRemoved_data();
    void leftoversRemoved();

    void cacheUnwritable_data();
    void cacheUnwritable();
    void inheritedSignals_data();
    void inheritedSignals();
    void childrenThatFail_data();
    void childrenThatFail();
    void killedProgramLeavesNoImport();

private:
    QString copy(const QString &fixture, const QString &name);

    QTemporaryDir m_dir;
    QString m_cache;
    QString m_temp;
};

void tst_jet_cache::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_cache = m_dir.filePath(QStringLiteral("cache"));
    // Temporary files would go here; the import makes none outside the cache folder.
    m_temp = m_dir.filePath(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(m_temp));
    qputenv("TMPDIR", QFile::encodeName(m_temp));
}

void tst_jet_cache::init()
{
    QDir(m_cache).removeRecursively();
    db::setJetCacheFolder(m_cache);
}

void tst_jet_cache::cleanup()
{
    db::setJetCacheFolder(QString());
    db::jet::setSplitFromBytes(-1);
    db::jet::setImportProgram(QString());
    QCOMPARE(QDir(m_temp).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

QString tst_jet_cache::copy(const QString &fixture, const QString &name)
{
    return testsupport::privateCopy(kFixtures + fixture, m_dir.path(), name);
}

void tst_jet_cache::cacheUsedAndRebuilt()
{
    const QString path = copy(QStringLiteral("Velkor_PED.mdb"), QStringLiteral("cached.mdb"));
    Database::open(path, true, true);
    const QStringList made = copiesIn(m_cache);
    QCOMPARE(made.size(), 1);
    QVERIFY(made.first().startsWith(db::jet::cacheFileStem(QFileInfo(path).canonicalFilePath())));
    const QByteArray written = readAll(m_cache + u'/' + made.first());

    // Unchanged: the same copy, not written again.
    auto database = Database::open(path, true, true);
    QCOMPARE(copiesIn(m_cache), made);
    QCOMPARE(readAll(m_cache + u'/' + made.first()), written);
    QCOMPARE(nameOfGrade2(*database), QStringLiteral("16Mo3"));
    database.reset();

    // Changed (the header page, as a new password makes it): a new copy replaces the old one.
    writeAll(path, withPassword(readAll(path), QStringLiteral("neu")));
    QCOMPARE(errorOf([&] { Database::open(path, true, true); }), dberr::InvalidPassword);
    database = Database::open(path, true, true, QStringLiteral(";Pwd=neu"));
    const QStringList remade = copiesIn(m_cache);
    QCOMPARE(remade.size(), 1);
    QVERIFY(remade != made);

    // Only its modification time changed: made again as well.
    database.reset();
    const timespec times[2] = {{1262304000, 0}, {1262304000, 0}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    database = Database::open(path, true, true, QStringLiteral(";Pwd=neu"));
    QVERIFY(copiesIn(m_cache) != remade);
    QCOMPARE(copiesIn(m_cache).size(), 1);
}

// A file changed beyond its first pages and given back its size and modification time, as a copy
// that keeps the time makes it (cp -p, rsync -t, an archive unpacked): its new values are shown.
void tst_jet_cache::staleCopyNoticed_data()
{
    QTest::addColumn<bool>("replaced"); // by another file, else overwritten in place
    QTest::newRow("overwritten in place, its time kept") << false;
    QTest::newRow("replaced by another file of that time") << true;
}

void tst_jet_cache::staleCopyNoticed()
{
    QFETCH(bool, replaced);
    const QString path = copy(QStringLiteral("Velkor_PED.mdb"), QStringLiteral("stale.mdb"));
    QCOMPARE(nameOfGrade2(*Database::open(path, true, true)), QStringLiteral("16Mo3"));

    QByteArray bytes = readAll(path);
    QCOMPARE(bytes.mid(kNameOf16Mo3, 10), QByteArray("1\0"
                                                     "6\0M\0o\0"
                                                     "3\0",
                                                     10));
    bytes[kNameOf16Mo3 + 8] = '4';
    struct stat before
    {
    };
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
    const QString written = replaced ? path + QStringLiteral(".new") : path;
    writeAll(written, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(written).constData(), times, 0), 0);
    if (replaced)
        QCOMPARE(::rename(QFile::encodeName(written).constData(), QFile::encodeName(path).constData()), 0);

    QCOMPARE(nameOfGrade2(*Database::open(path, true, true)), QStringLiteral("16Mo4"));
    QCOMPARE(copiesIn(m_cache).size(), 1);
}

void tst_jet_cache::damagedCacheIgnored_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("cut short") << "cut";
    QTest::newRow("one byte changed") << "flip";
    QTest::newRow("emptied") << "empty";
    QTest::newRow("another file under its name") << "foreign";
    QTest::newRow("a part missing") << "part";
}

void tst_jet_cache::damagedCacheIgnored()
{
    QFETCH(QString, damage);
    const bool parts = damage == QLatin1String("part");
    if (parts)
        db::jet::setSplitFromBytes(0);
    const QString path = copy(QStringLiteral("PMA_Index.mdb"), QStringLiteral("PMA_Index.mdb"));
    Database::open(path, false, true);
    const QStringList made = copiesIn(m_cache);
    QCOMPARE(made.size() > 1, parts);
    const QString cacheFile = m_cache + u'/' + made.first();
    QByteArray bytes = readAll(cacheFile);
    if (damage == QLatin1String("cut"))
        bytes.chop(bytes.size() / 2);
    else if (damage == QLatin1String("flip"))
        bytes[bytes.size() - 100] = char(bytes.at(bytes.size() - 100) ^ 1);
    else if (damage == QLatin1String("empty"))
        bytes.clear();
    else if (parts)
        QVERIFY(QFile::remove(m_cache + u'/' + made.last()));
    else
        bytes = readAll(kFixtures + QStringLiteral("Velkor_PED.mdb"));
    writeAll(cacheFile, bytes);

    auto database = Database::open(path, false, true);
    QCOMPARE(column(*database, QStringLiteral("SELECT * FROM PMA_Index ORDER BY Specification"),
                    QStringLiteral("Specification")),
             QStringLiteral("VdTUV 390|VdTUV 401"));
    const QStringList remade = copiesIn(m_cache);
    QCOMPARE(remade.size(), made.size());
    if (!parts)
        QVERIFY(readAll(m_cache + u'/' + remade.first()) != bytes);
}

// A large file is imported by several processes, each taking some tables; the parts together are
// one database, from the cache as from memory.
void tst_jet_cache::importedInParts_data()
{
    QTest::addColumn<bool>("cached");
    QTest::newRow("in memory") << false;
    QTest::newRow("cached") << true;
}

void tst_jet_cache::importedInParts()
{
    QFETCH(bool, cached);
    db::jet::setSplitFromBytes(0);
    db::setJetCacheFolder(cached ? m_cache : QString());
    const auto material = [] { return Database::open(kFixtures + QStringLiteral("Velkor_PED.mdb"), false, true); };
    const QStringList tables = material()->tableNames();
    if (cached)
        QVERIFY(copiesIn(m_cache).size() > 1);
    for (int pass = 0; pass < (cached ? 2 : 1); ++pass) {
        auto database = material();
        QCOMPARE(database->tableNames(), tables);
        QCOMPARE(tables.size(), 26);
        QCOMPARE(column(*database,
                        QStringLiteral(
                            "select * from materials where standard in (select standard from standard where otherElem) "
                            "and matID in (select matID from Rp02) order by matID"),
                        QStringLiteral("matID")),
                 QStringLiteral("1|2"));
        QCOMPARE(database->fieldNames(QStringLiteral("chemical")).size(), 7);
    }
}

// The cache holds the copies of the four files used last, whatever files were opened before.
void tst_jet_cache::cacheKeepsTheFilesUsedLast()
{
    QStringList paths;
    for (int i = 0; i < 6; ++i)
        paths.append(copy(QStringLiteral("PMA_Index.mdb"), QStringLiteral("index%1.mdb").arg(i)));
    const auto keyOf = [&](int i) {
        return db::jet::cacheFileStem(QFileInfo(paths.at(i)).canonicalFilePath()).left(16);
    };
    const auto keysInCache = [&] {
        QSet<QString> keys;
        for (const QString &name : copiesIn(m_cache))
            keys.insert(name.left(16));
        return keys;
    };
    const auto use = [&](int i) {
        Database::open(paths.at(i), false, true);
        QTest::qWait(20); // times of use told apart on any file system
    };
    QVERIFY(QDir().mkpath(m_cache));
    writeAll(m_cache + QStringLiteral("/notes.txt"), "not a copy");

    for (int i = 0; i < 4; ++i)
        use(i);
    QCOMPARE(keysInCache(), (QSet<QString>{keyOf(0), keyOf(1), keyOf(2), keyOf(3)}));
    use(1);
    use(4);
    QCOMPARE(keysInCache(), (QSet<QString>{keyOf(1), keyOf(2), keyOf(3), keyOf(4)}));
    use(5);
    QCOMPARE(keysInCache(), (QSet<QString>{keyOf(1), keyOf(3), keyOf(4), keyOf(5)}));
    QVERIFY(QFile::exists(m_cache + QStringLiteral("/notes.txt")));
}

// The copies of a password-protected database are the user's alone, whatever the umask: the
// folders 0700, the files 0600, also while an import writes them.
void tst_jet_cache::copiesPrivate_data()
{
    QTest::addColumn<bool>("existing"); // the folder was made open to all by an earlier version
    QTest::addColumn<int>("splitFrom");
    QTest::newRow("new folders") << false << -1;
    QTest::newRow("new folders, in parts") << false << 0;
    QTest::newRow("folder left open by an earlier version") << true << -1;
}

void tst_jet_cache::copiesPrivate()
{
    QFETCH(bool, existing);
    QFETCH(int, splitFrom);
    const QString parent = m_dir.filePath(QStringLiteral("xdg-cache"));
    const QString folder = parent + QStringLiteral("/velkor-ped");
    QDir(parent).removeRecursively();
    if (existing) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
    }
    db::setJetCacheFolder(folder);
    db::jet::setSplitFromBytes(splitFrom);
    const QString log = m_dir.filePath(QStringLiteral("modes.log"));
    QFile::remove(log);
    // After the real program: the modes of the import's folder and of its file.
    const QString program = m_dir.filePath(QStringLiteral("modes.sh"));
    writeAll(program, QStringLiteral("#!/bin/sh\n'%1' \"$@\"\nstatus=$?\nstat -c '%a' \"$(dirname \"$3\")\" \"$3\" >> "
                                     "'%2'\nexit $status\n")
                          .arg(kImportProgram, log)
                          .toLocal8Bit());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    db::jet::setImportProgram(program);

    const mode_t mask = ::umask(022);
    const int error =
        errorOf([&] { Database::open(copy(QStringLiteral("Velkor_PED.mdb"), "private.mdb"), true, true); });
    ::umask(mask);
    QCOMPARE(error, 0);
    QCOMPARE(modeOf(folder), mode_t(0700));
    if (!existing)
        QCOMPARE(modeOf(parent), mode_t(0700));
    const QStringList copies = copiesIn(folder);
    QCOMPARE(copies.size(), splitFrom == 0 ? 6 : 1);
    for (const QString &name : copies)
        QCOMPARE(modeOf(folder + u'/' + name), mode_t(0600));
    const QStringList whileWritten = QString::fromLatin1(readAll(log)).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(whileWritten.size(), 2 * copies.size());
    for (int i = 0; i < whileWritten.size(); ++i)
        QCOMPARE(whileWritten.at(i), QLatin1String(i % 2 ? "600" : "700"));
    QCOMPARE(importFoldersIn(folder), QStringList());
}

// What imports of earlier runs left (their process killed) goes at the next start; what a running
// import uses, and what is not ours, stays.
void tst_jet_cache::leftoversRemoved_data()
{
    QTest::addColumn<QString>("leftover");
    QTest::addColumn<bool>("removed");
    QTest::newRow("import folder of a process that is gone") << "unlocked" << true;
    QTest::newRow("import folder of an import that runs") << "locked" << false;
    QTest::newRow("import folder just made, without its lock yet") << "new without lock" << false;
    QTest::newRow("import folder without a lock, an hour old") << "old without lock" << true;
    QTest::newRow("temporary file of an earlier version, its process gone") << "temporary" << true;
    QTest::newRow("temporary file of an earlier version, its process running") << "temporary, running" << false;
    QTest::newRow("another user's temporary file") << "temporary, another user's" << false;
}

void tst_jet_cache::leftoversRemoved()
{
    QFETCH(QString, leftover);
    QFETCH(bool, removed);
    QString made;
    int lock = -1;
    const auto unlock = qScopeGuard([&] {
        if (lock >= 0)
            ::close(lock);
        QFile::remove(made);
    });
    if (leftover.startsWith(QLatin1String("temporary"))) {
        const int pid = leftover.endsWith(QLatin1String("running")) ? int(::getpid()) : kGonePid;
        made = m_temp + QStringLiteral("/velkor-jet-0123456789abcdef.%1.0.tmp").arg(pid);
        writeAll(made, "a copy of an earlier version");
        if (leftover.endsWith(QLatin1String("user's"))) {
            if (::geteuid() != 0)
                QSKIP("files of another user need root");
            QCOMPARE(::chown(QFile::encodeName(made).constData(), 65534, 65534), 0);
        }
    } else {
        made = m_cache + QStringLiteral("/.import-aB3dE9");
        QVERIFY(QDir().mkpath(made));
        QVERIFY(QDir().mkpath(made + QStringLiteral("/0.sqlite-of-a-killed-import")));
        if (leftover.endsWith(QLatin1String("lock"))) {
            const QDateTime when = leftover.startsWith(QLatin1String("old"))
                                       ? QDateTime::currentDateTime().addSecs(-3600)
                                       : QDateTime::currentDateTime();
            const timespec times[2] = {{when.toSecsSinceEpoch(), 0}, {when.toSecsSinceEpoch(), 0}};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(made).constData(), times, 0), 0);
        } else {
            writeAll(made + QStringLiteral("/.lock"), "");
            if (leftover == QLatin1String("locked")) {
                lock = ::open(QFile::encodeName(made + QStringLiteral("/.lock")).constData(), O_RDWR | O_CLOEXEC);
                QCOMPARE(::flock(lock, LOCK_EX | LOCK_NB), 0);
            }
        }
    }
    QVERIFY(QFileInfo::exists(made));
    db::setJetCacheFolder(m_cache);
    QCOMPARE(errorOf([&] { Database::open(copy(QStringLiteral("PMA_Index.mdb"), "index.mdb"), false, true); }), 0);
    QCOMPARE(!QFileInfo::exists(made), removed);
    if (!removed) {
        if (made.startsWith(m_cache))
            QDir(made).removeRecursively();
        QFile::remove(made);
    }
}

// A cache that cannot take the copy (no room, no file left, read-only) never stops the open: the
// database opens from an import in memory, nothing calls it damaged, and nothing is left behind.
void tst_jet_cache::cacheUnwritable_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("tmpfs"); // mount options of a tmpfs over the cache folder
    QTest::newRow("full disk") << "full" << QByteArray();
    QTest::newRow("less room than a copy needs") << "" << QByteArray("size=8m");
    QTest::newRow("no file left for an import's folder") << "" << QByteArray("size=64m,nr_inodes=1");
    QTest::newRow("no file left for the import's copy") << "" << QByteArray("size=64m,nr_inodes=3");
    QTest::newRow("read-only folder") << "read-only" << QByteArray();
}

void tst_jet_cache::cacheUnwritable()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, tmpfs);
    const QString path = copy(QStringLiteral("Velkor_PED.mdb"), QStringLiteral("unwritable.mdb"));
    QVERIFY(QDir().mkpath(m_cache));
    std::unique_ptr<testsupport::TmpfsMount> mount;
    std::unique_ptr<testsupport::FileFault> made;
    if (!tmpfs.isEmpty()) {
        mount = std::make_unique<testsupport::TmpfsMount>(m_cache, tmpfs);
        if (!mount->skipReason().isEmpty())
            QSKIP(qPrintable(mount->skipReason()));
    } else {
        made = std::make_unique<testsupport::FileFault>(
            fault == QLatin1String("full") ? testsupport::Fault::FullDisk : testsupport::Fault::ReadOnlyFolder,
            m_cache + QStringLiteral("/notes.txt"), "the user's notes");
        if (!made->skipReason().isEmpty())
            QSKIP(qPrintable(made->skipReason()));
    }

    std::shared_ptr<Database> database;
    QCOMPARE(errorOf([&] { database = Database::open(path, true, true); }), 0);
    QCOMPARE(nameOfGrade2(*database), QStringLiteral("16Mo3"));
    QCOMPARE(database->tableNames().size(), 26);
    QCOMPARE(copiesIn(m_cache), QStringList());
    QCOMPARE(importFoldersIn(m_cache), QStringList());
}

// Started with SIGCHLD ignored (as some launchers and scripts hand it down), or with SA_NOCLDWAIT,
// the import still learns how its children ended.
void tst_jet_cache::inheritedSignals_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("SIGCHLD ignored") << "ignored";
    QTest::newRow("SA_NOCLDWAIT") << "nocldwait";
    QTest::newRow("started by a launcher that ignores SIGCHLD") << "launcher";
}

void tst_jet_cache::inheritedSignals()
{
    QFETCH(QString, how);
    const QString path = copy(QStringLiteral("Velkor_PED.mdb"), QStringLiteral("signals.mdb"));
    db::setJetCacheFolder(QString());
    if (how == QLatin1String("launcher")) {
        QProcess launcher;
        launcher.start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), QStringLiteral("trap '' CHLD; exec \"$0\" \"$1\" exclusive"),
                        QStringLiteral(DB_LOCK_HOLDER), path});
        QVERIFY(launcher.waitForStarted(10000) && launcher.waitForReadyRead(20000));
        QCOMPARE(QString::fromLocal8Bit(launcher.readLine()).trimmed(), QStringLiteral("open"));
        launcher.closeWriteChannel();
        QVERIFY(launcher.waitForFinished(10000));
        return;
    }
    struct sigaction changed
    {
    };
    changed.sa_handler = how == QLatin1String("ignored") ? SIG_IGN : SIG_DFL;
    changed.sa_flags = how == QLatin1String("nocldwait") ? SA_NOCLDWAIT : 0;
    ::sigaction(SIGCHLD, &changed, nullptr);
    const auto restore = qScopeGuard([] { ::signal(SIGCHLD, SIG_DFL); });
    std::shared_ptr<Database> database;
    QCOMPARE(errorOf([&] { database = Database::open(path, true, true); }), 0);
    QCOMPARE(nameOfGrade2(*database), QStringLiteral("16Mo3"));
}

// Children that die, refuse the file, cannot write, or disagree about the parts: a child that
// dies is started once more; a file is refused only for what its children found; parts that do
// not hold every table together are never shown.
// clang-format off
void tst_jet_cache::childrenThatFail_data()
{
    QTest::addColumn<QString>("body");  // what the stand-in does before it runs the real program
    QTest::addColumn<int>("splitFrom");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("part");      // whose starts are counted; -1: every part's
    QTest::addColumn<int>("starts");
    QTest::addColumn<bool>("cached");

    const QString killOnce = QStringLiteral("if [ ! -e \"$3.killed\" ]; then : > \"$3.killed\"; kill -KILL $$; fi");
    QTest::newRow("killed once") << killOnce << -1 << 0 << -1 << 2 << true;
    QTest::newRow("killed every time") << "kill -KILL $$" << -1 << dberr::UnrecognizedFormat << -1 << 2 << false;
    QTest::newRow("one part of six killed every time") << "[ \"$1\" = 3 ] && kill -KILL $$" << 0
                                                       << dberr::UnrecognizedFormat << 3 << 2 << false;
    QTest::newRow("finds the file damaged") << "exit 3" << -1 << dberr::UnrecognizedFormat << -1 << 1 << false;
    QTest::newRow("cannot write into the cache") << "[ \"$3\" != - ] && exit 4" << -1 << 0 << -1 << 2 << false;
    QTest::newRow("can write nowhere") << "exit 4" << -1 << dberr::ResourcesExceeded << -1 << 2 << false;
    QTest::newRow("two parts of six the same") << "[ \"$1\" = 1 ] && set -- 2 \"$2\" \"$3\"" << 0
                                               << dberr::UnrecognizedFormat << -1 << 6 << false;
    QTest::newRow("no import program") << "" << -1 << dberr::OtherEngineError << -1 << 0 << false;
}
// clang-format on

void tst_jet_cache::childrenThatFail()
{
    QFETCH(QString, body);
    QFETCH(int, splitFrom);
    QFETCH(int, error);
    QFETCH(int, part);
    QFETCH(int, starts);
    QFETCH(bool, cached);
    const QString path = copy(QStringLiteral("Velkor_PED.mdb"), QStringLiteral("children.mdb"));
    const QString log = m_dir.filePath(QStringLiteral("starts.log"));
    QFile::remove(log);
    const QString program =
        error == dberr::OtherEngineError ? m_dir.filePath(QStringLiteral("missing")) : standIn(m_dir.path(), body, log);
    db::jet::setImportProgram(program);
    db::jet::setSplitFromBytes(splitFrom);

    QString description;
    std::shared_ptr<Database> database;
    QCOMPARE(errorOf([&] { database = Database::open(path, true, true); }, &description), error);
    if (error == 0)
        QCOMPARE(nameOfGrade2(*database), QStringLiteral("16Mo3"));
    else if (error == dberr::UnrecognizedFormat)
        QCOMPARE(description, QStringLiteral("Unrecognized database format '%1'.").arg(path));
    else if (error == dberr::OtherEngineError)
        QCOMPARE(description, QStringLiteral("Could not start the import program '%1'.").arg(program));
    const QStringList started = QString::fromLocal8Bit(readAll(log)).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(part < 0 ? started.size() : started.count(QString::number(part)), starts);
    QCOMPARE(copiesIn(m_cache).isEmpty(), !cached);
    QCOMPARE(importFoldersIn(m_cache), QStringList());
}

// A program killed while it imports leaves no child behind (within two seconds), so that the
// file is free again for the next start.
void tst_jet_cache::killedProgramLeavesNoImport()
{
    const QString path = copy(QStringLiteral("Velkor_PED.mdb"), QStringLiteral("killed.mdb"));
    const QString pids = m_dir.filePath(QStringLiteral("pids"));
    QFile::remove(pids);
    const QString hanging = m_dir.filePath(QStringLiteral("hanging.sh"));
    writeAll(hanging, QStringLiteral("#!/bin/sh\necho $$ >> '%1'\nexec sleep 60\n").arg(pids).toLocal8Bit());
    QFile::setPermissions(hanging, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess program;
    program.start(QStringLiteral(DB_LOCK_HOLDER), {path, QStringLiteral("exclusive"), QString(), hanging});
    QVERIFY(program.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(!readAll(pids).isEmpty(), 10000);
    const pid_t child = pid_t(readAll(pids).trimmed().toInt());
    const auto cleanup = qScopeGuard([child] {
        if (testsupport::isRunning(child)) // left by a failure: not to outlive the test
            ::kill(child, SIGKILL);
    });
    QVERIFY(testsupport::isRunning(child));
    QCOMPARE(errorOf([&] { Database::open(path, true, true); }), dberr::FileInUse);

    ::kill(pid_t(program.processId()), SIGKILL);
    QVERIFY(program.waitForFinished(10000));
    QElapsedTimer timer;
    timer.start();
    QTRY_VERIFY_WITH_TIMEOUT(!testsupport::isRunning(child), 2000);
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(errorOf([&] { Database::open(path, true, true); }), 0);
}

QTEST_GUILESS_MAIN(tst_jet_cache)
#include "tst_jet_cache.moc"
