#include "searchfixture.h"

#include "SchemaFixture.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace searchtest {

bool runSql(const QString &path, const QStringList &statements, QString *error)
{
    QFile::remove(path);
    return appendSql(path, statements, error);
}

bool appendSql(const QString &path, const QStringList &statements, QString *error)
{
    return testsupport::execSql(path, statements, error);
}

QString createMaterialDb(const QString &folder, bool withStandards)
{
    QStringList sql = {
        QStringLiteral("CREATE TABLE materials (matID INTEGER, standard TEXT COLLATE NOCASE, name TEXT COLLATE NOCASE, "
                       "numbr TEXT COLLATE NOCASE, description TEXT COLLATE NOCASE, groups TEXT COLLATE NOCASE, "
                       "revision_date DATE, asmestandard TEXT COLLATE NOCASE, asmegrade TEXT COLLATE NOCASE, "
                       "ss TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE standard (standard TEXT COLLATE NOCASE, stID INTEGER, description TEXT COLLATE "
                       "NOCASE, revision_date DATE, otherElem BOOLEAN)"),
        QStringLiteral("CREATE TABLE StandardProdForm (standard TEXT COLLATE NOCASE, productForm TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE StandProdForm (stID INTEGER, prodFID INTEGER)"),
        QStringLiteral("CREATE TABLE ProdForm (prodFID INTEGER, productForm TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE Units (unitID INTEGER, unitTxt TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE OtherElem (mID INTEGER, stID INTEGER, other TEXT COLLATE NOCASE)"),
        QStringLiteral("INSERT INTO StandardProdForm VALUES ('EN 10028-2','Plate'),('EN 10028-2','Strip'),"
                       "('EN 10028-3','Plate'),('EN 10216-2','Seamless tube')"),
        QStringLiteral("INSERT INTO ProdForm VALUES (1,'Plate'),(2,'Strip'),(3,'Seamless tube')"),
        QStringLiteral("INSERT INTO StandProdForm VALUES (1,1),(1,2),(2,1),(3,3)"),
        QStringLiteral(
            "INSERT INTO materials VALUES "
            "(1,'EN 10028-2','P235GH','1.0345','Non-alloy steel','1.1','2009-09-01','SA-516','Grade 60','1330'),"
            "(2,'EN 10028-2','P265GH','1.0425','Non-alloy steel','1.1','2009-09-01','SA-516','Grade 65','1430'),"
            "(3,'EN 10028-2','16Mo3','1.5415','Alloy steel','1.2','2009-09-01','SA-204','Grade A',NULL),"
            "(4,'EN 10028-3','P355N','1.0562','Fine grain steel','1.2','2017-06-01',NULL,NULL,'2106'),"
            "(5,'EN 10216-2','P265GH','1.0425','Seamless tube','1.1','2014-01-01','SA-106','Grade B',NULL),"
            "(6,'EN 10216-2','O''Neil 1','1.9999','Test grade','1.1','2014-01-01',NULL,NULL,NULL),"
            "(7,'EN 10216-2','A[1]','1.9998','Test grade','1.1','2014-01-01',NULL,NULL,NULL)"),
    };
    if (withStandards)
        sql << QStringLiteral("INSERT INTO standard VALUES "
                              "('EN 10028-2',1,'Flat products for pressure purposes - Part 2','2009-09-01',0),"
                              "('EN 10028-3',2,'Flat products for pressure purposes - Part 3','2017-06-01',0),"
                              "('EN 10216-2',3,'Seamless steel tubes for pressure purposes - Part 2','2014-01-01',-1),"
                              "('EN 10213',4,'Steel castings for pressure purposes',NULL,0)");
    for (int id = 8; id <= 40; ++id)
        sql << QStringLiteral("INSERT INTO materials VALUES (%1,'EN 10028-3','Filler%1','1.%2','Filler grade','9',"
                              "'2017-06-01',NULL,NULL,NULL)")
                   .arg(id)
                   .arg(8000 + id);
    const QString path = QDir(folder).filePath(QStringLiteral("Velkor_PED.mdb"));
    QString error;
    if (!runSql(path, sql, &error))
        qWarning("%s", qPrintable(error));
    return path;
}

QString createPmaDb(const QString &folder)
{
    const QStringList sql = {
        QStringLiteral(
            "CREATE TABLE PMA_Index (Specification TEXT COLLATE NOCASE, Designationname TEXT COLLATE NOCASE, "
            "Designationnumber TEXT COLLATE NOCASE, Product TEXT COLLATE NOCASE, Revision TEXT COLLATE "
            "NOCASE, Revisiondate TEXT COLLATE NOCASE, Document TEXT COLLATE NOCASE, Searchstring TEXT "
            "COLLATE NOCASE)"),
        QStringLiteral("INSERT INTO PMA_Index VALUES "
                       "('EN 10028-2','P265GH','1.0425','Plate','1','2011-05-12','docs/pma1.pdf','boiler drum'),"
                       "('EN 10216-2','X10CrMoVNb9-1','1.4903','Seamless tube','2','2014-03-18','pma2.pdf','creep'),"
                       "('EN 10213','GP240GH','1.0619','Casting','1','2012-06-25','missing.pdf','valve body')"),
    };
    const QString path = QDir(folder).filePath(QStringLiteral("PMA_Index.mdb"));
    QString error;
    if (!runSql(path, sql, &error))
        qWarning("%s", qPrintable(error));
    QDir(folder).mkpath(QStringLiteral("docs"));
    for (const char *name : {"docs/pma1.pdf", "pma2.pdf"}) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write("%PDF-1.4\n");
    }
    return path;
}

namespace {

void writeScript(const QString &path, const QString &logName)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QTextStream out(&file);
    out << "#!/bin/sh\n"
        << "echo \"$@\" >> \"$(dirname \"$0\")/" << logName << "\"\n"
        << "exit ${FAKE_XDG_EXIT:-0}\n";
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

FakeOpener::FakeOpener(const QString &folder) : m_folder(folder), m_oldPath(qgetenv("PATH"))
{
    writeScript(QDir(folder).filePath(QStringLiteral("xdg-open")), QStringLiteral("xdg-open.log"));
    writeScript(viewerPath(), QStringLiteral("viewer.log"));
    qputenv("PATH", folder.toLocal8Bit() + ':' + m_oldPath);
    setExitCode(0);
}

FakeOpener::~FakeOpener()
{
    qputenv("PATH", m_oldPath);
    qunsetenv("FAKE_XDG_EXIT");
}

void FakeOpener::setExitCode(int code)
{
    qputenv("FAKE_XDG_EXIT", QByteArray::number(code));
}

QString FakeOpener::log() const
{
    return readAll(QDir(m_folder).filePath(QStringLiteral("xdg-open.log")));
}

QString FakeOpener::viewerPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("fakeviewer"));
}

QString FakeOpener::viewerLog() const
{
    return readAll(QDir(m_folder).filePath(QStringLiteral("viewer.log")));
}

} // namespace searchtest

#include "core/modDBase.h"
#include "db/Database.h"
#include "platform/Environment.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

namespace searchtest {

mdiVelkor &mainWindow()
{
    static mdiVelkor *window = nullptr;
    if (!mdiVelkor::instance()) {
        window = new mdiVelkor;
        window->show();
    }
    return *mdiVelkor::instance();
}

SearchEnv::SearchEnv() : m_dir(std::make_unique<QTemporaryDir>())
{
    if (!m_dir->isValid())
        return;
    platform::setProgramFolder(m_dir->path());
    useDatabase(createMaterialDb(m_dir->path()));
    m_valid = m_database.isOpen();
    mainWindow();
    resetMainWindow();
}

SearchEnv::~SearchEnv()
{
    closeWindows();
    testsupport::ProgramDatabase::close();
    platform::setProgramFolder(QString());
}

QString SearchEnv::folder() const
{
    return m_dir->path();
}

void SearchEnv::useDatabase(const QString &path, const QString &connect)
{
    closeWindows();
    m_database.open(path, connect, true);
}

void SearchEnv::resetMainWindow()
{
    mdiVelkor &mdi = mainWindow();
    mdi.colMaterials.clear();
    mdi.mCurrent.reset();
    mdi.iMaterialsOpen = 0;
    mdi.iWindowArrange = 0;
    mdi.blnLowResolution = false;
    mdi.blnBatchPrint = false;
    mdi.blnToolTips = true;
    for (int i = 0; i < 6; ++i) {
        mdi.ColumnSize(i, 0);
        mdi.ColumnVisible(i, true);
    }
    for (int i = 0; i < 8; ++i)
        mdi.SavedSearch(i, QString());
}

void SearchEnv::closeWindows()
{
    if (!mdiVelkor::instance())
        return;
    for (QMdiSubWindow *sub : mainWindow().mdiArea()->subWindowList())
        delete sub;
    delete frmSearch::instance();
}

frmSearch *SearchEnv::loadSearch()
{
    if (frmSearch *old = frmSearch::instance()) {
        if (old->subWindow())
            delete old->subWindow();
        else
            delete old;
    }
    frmSearch *frm = frmSearch::Load(&mainWindow());
    if (frm && frm->subWindow())
        frm->subWindow()->show();
    return frm;
}

} // namespace searchtest
