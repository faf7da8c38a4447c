#include "tst_db.h"

#include "FaultyFiles.h"
#include "SchemaFixture.h"
#include "db/JetLike.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using db::Database;
using db::Recordset;
namespace dberr = db::dberr;

namespace {

const char kFixtureSql[] = R"SQL(
CREATE TABLE materials (matID INTEGER, name TEXT COLLATE NOCASE, numbr TEXT COLLATE NOCASE,
  standard TEXT COLLATE NOCASE, revision_date DATE, asmegrade TEXT COLLATE NOCASE);
INSERT INTO materials VALUES
  (1, 'P235GH', '1.0345', 'EN 10028-2', '2009-07-01', 'Grade 60'),
  (2, 'P265GH', '1.0425', 'EN 10028-2', '2009-07-01', 'Grade 65'),
  (3, 'P355N', '1.0562', 'EN 10028-3', '2009-07-01', NULL),
  (4, 'X5CrNi18-10', '1.4301', 'EN 10028-7', '2007-11-01', NULL),
  (5, 'P265GH', '1.0425', 'EN 10216-2', '2013-11-01', 'Grade 70');
CREATE TABLE standard (stID INTEGER, standard TEXT COLLATE NOCASE, description TEXT COLLATE NOCASE,
  revision_date DATE, otherElem BOOLEAN);
INSERT INTO standard VALUES
  (10, 'EN 10028-3', 'Flat products, normalized', '2009-07-01', 0),
  (11, 'EN 10028-2', 'Flat products, elevated temperature', '2009-08-01', -1),
  (12, 'EN 10216-2', 'Seamless tubes', '2013-11-01', 0),
  (13, 'EN 10028-7', 'Flat products, stainless', '2007-11-01', 0);
CREATE TABLE StandardProdForm (standard TEXT COLLATE NOCASE, productForm TEXT COLLATE NOCASE);
INSERT INTO StandardProdForm VALUES ('EN 10028-2', 'Plate'), ('EN 10028-3', 'Plate'),
  ('EN 10028-7', 'Strip'), ('EN 10028-7', 'Plate'), ('EN 10216-2', 'Tube');
CREATE TABLE ProdForm (prodFID INTEGER, productForm TEXT COLLATE NOCASE);
INSERT INTO ProdForm VALUES (1, 'Strip'), (2, 'Plate'), (3, 'Tube');
CREATE TABLE Chemical (standard TEXT COLLATE NOCASE, name TEXT COLLATE NOCASE, numbr TEXT COLLATE NOCASE,
  elemID INTEGER, element TEXT COLLATE NOCASE, val TEXT COLLATE NOCASE, note TEXT COLLATE NOCASE);
INSERT INTO Chemical VALUES ('EN 10028-2', 'P265GH', '1.0425', 2, 'Si', '0,40', NULL),
  ('EN 10028-2', 'P265GH', '1.0425', 1, 'C', '0,20', 'a');
CREATE TABLE OtherElem (mID INTEGER, stID INTEGER, other TEXT COLLATE NOCASE);
INSERT INTO OtherElem VALUES (2, 11, 'Cr+Cu+Mo+Ni <= 0,70');
CREATE TABLE MechPropData (matID INTEGER, rowNo INTEGER, ordering INTEGER, colID INTEGER, val TEXT COLLATE NOCASE);
INSERT INTO MechPropData VALUES (2, 1, 1, 1, '16'), (2, 1, 2, 2, '265'), (2, 2, 1, 1, '40'), (2, 2, 2, 2, '255');
CREATE TABLE ModElast (matID INTEGER, temp INTEGER, ordering INTEGER, ModElast TEXT COLLATE NOCASE);
INSERT INTO ModElast VALUES (2, 100, 2, '207'), (2, 20, 1, '212');
CREATE TABLE Rp02 (matID INTEGER, temp INTEGER, ordering INTEGER, thickness INTEGER, Rp02 TEXT COLLATE NOCASE);
INSERT INTO Rp02 VALUES
  (17, 100, 1, 60, '214'), (17, 100, 1, 16, '241'), (17, 100, 1, 40, '223'),
  (17, 150, 2, 16, '223'), (17, 150, 2, 40, '95'), (17, 150, 2, 40, '207'), (17, 150, 2, 60, '199'),
  (17, 200, 3, 16, '205'), (17, 200, 3, 40, '190'),
  (18, 20, 2, 100, '255'), (18, 20, 2, 60, '265'), (18, 100, 1, 60, '241');
CREATE TABLE MatNotes (matID INTEGER, tableName TEXT COLLATE NOCASE, ordering INTEGER, notID INTEGER);
INSERT INTO MatNotes VALUES (2, 'Rp02', 2, 8), (2, 'Rp02', 1, 7), (2, 'Rm', 1, 9);
CREATE TABLE TableNotes (notID INTEGER, tableName TEXT COLLATE NOCASE, notTxt TEXT COLLATE NOCASE);
INSERT INTO TableNotes VALUES (7, 'Rp02', 'First note'), (8, 'Rp02', 'Second note'), (7, 'Rm', 'Other table');
CREATE TABLE GetInfo (matID INTEGER, titleID INTEGER, ordering INTEGER, infotext TEXT COLLATE NOCASE);
INSERT INTO GetInfo VALUES (2, 2, 1, 'b'), (2, 1, 2, 'a2'), (2, 1, 1, 'a1');
CREATE TABLE Kinds (i INTEGER, t TEXT COLLATE NOCASE, r REAL, d DATE, dt DATETIME, yes BOOLEAN, no BOOLEAN, n TEXT,
  dtime DATE);
INSERT INTO Kinds VALUES (3000000000, 'Text', 2.5, '2009-07-01', '2009-07-01 12:30:00', -1, 0, NULL, '2009-07-01 12:30:00');
)SQL";

QString join(const QStringList &parts)
{
    return parts.join(u'|');
}

QString cellText(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("<null>") : v.toString();
}

// The values of one field over all records, or all fields of every record (rows joined by ";").
QString columnOf(Recordset &rs, const QString &field)
{
    QStringList values;
    for (int row = 0; row < rs.recordCount(); ++row)
        values.append(cellText(rs.value(row, rs.fieldIndex(field))));
    return join(values);
}

QString allRows(Recordset &rs)
{
    QStringList rows;
    for (int row = 0; row < rs.recordCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < rs.fieldCount(); ++c)
            cells.append(cellText(rs.value(row, c)));
        rows.append(join(cells));
    }
    return rows.join(u';');
}

QStringList fieldNames(Recordset &rs)
{
    QStringList names;
    for (int c = 0; c < rs.fieldCount(); ++c)
        names.append(rs.fieldName(c));
    return names;
}

void createDatabase(const QString &path, const char *sql, const QString &password = {})
{
    QFile::remove(path);
    QString error;
    QVERIFY2(testsupport::execSql(path, {QString::fromUtf8(sql)}, &error, password), qPrintable(error));
}

using testsupport::checksum;

// Another process holding a database open; it lets go when its standard input closes.
class LockHolder
{
public:
    QString start(const QString &path, const QString &mode)
    {
        m_process.start(QStringLiteral(DB_LOCK_HOLDER), {path, mode});
        if (!m_process.waitForStarted(10000) || !m_process.waitForReadyRead(10000))
            return QStringLiteral("no answer");
        return QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    void stop()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }
    ~LockHolder()
    {
        if (m_process.state() != QProcess::NotRunning)
            stop();
    }

private:
    QProcess m_process;
};

} // namespace

void tst_db::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_fixturePath = m_dir.filePath(QStringLiteral("fixture.db"));
    m_passwordPath = m_dir.filePath(QStringLiteral("password.db"));
    createDatabase(m_fixturePath, kFixtureSql);
    createDatabase(m_passwordPath, "CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (1);", QStringLiteral("s3cret"));
    m_fixtureSum = checksum(m_fixturePath);
    m_passwordSum = checksum(m_passwordPath);
    QVERIFY(!m_fixtureSum.isEmpty());
}

std::shared_ptr<Database> tst_db::fixture()
{
    if (!m_db || !m_db->isOpen())
        m_db = Database::open(m_fixturePath, false, true);
    return m_db;
}

// clang-format off
void tst_db::queryShapes_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    QTest::newRow("all materials") << "select * from materials" << "name" << "P235GH|P265GH|P355N|X5CrNi18-10|P265GH";
    QTest::newRow("table name alone") << "Materials" << "matID" << "1|2|3|4|5";
    QTest::newRow("ids joined by or, ordered by two fields")
        << "select * from Materials where matId = 5 or matId = 1 or matId = 3 order by standard,name" << "matID"
        << "1|3|5";
    QTest::newRow("names in any letter case") << "SELECT NAME FROM MATERIALS WHERE MATID = 2" << "Name" << "P265GH";
    QTest::newRow("empty result") << "select * from materials where matId = 0" << "matID" << "";
    QTest::newRow("distinct with criteria")
        << "select distinct name from materials  where  name like '*GH*' order by name" << "name" << "P235GH|P265GH";
    QTest::newRow("standard ordered") << "select * from standard order by standard" << "stID" << "11|10|13|12";
    QTest::newRow("dates descending") << "select revision_date from standard order by revision_date desc"
                                      << "revision_date" << "2013-11-01|2009-08-01|2009-07-01|2007-11-01";
    QTest::newRow("standard like") << "select * from standard where standard like '*10028*' order by standard"
                                   << "standard" << "EN 10028-2|EN 10028-3|EN 10028-7";
    QTest::newRow("standard in materials")
        << "select * from standard where standard in (select standard from materials where  name like '*P265*')"
           " order by standard"
        << "standard" << "EN 10028-2|EN 10216-2";
    QTest::newRow("materials in product form")
        << "select * from materials where  name like '*P2*' and  materials.standard in (select standard from "
           "StandardProdForm where productForm like '*tube*') order by standard,name"
        << "matID" << "5";
    QTest::newRow("distinct product forms")
        << "select distinct productForm from StandardProdForm where standard in (select standard from materials  "
           "where  name like '*X5*') and productForm like '*p*' order by productForm"
        << "productForm" << "Plate|Strip";
    QTest::newRow("product forms of a standard") << "select * from StandardProdForm where standard = 'en 10028-7'"
                                                 << "productForm" << "Strip|Plate";
    QTest::newRow("product forms by id")
        << "select * from ProdForm where prodFID = 1 or prodFID = 2 order by productForm" << "productForm"
        << "Plate|Strip";
    QTest::newRow("chemical composition")
        << "select * from Chemical where standard = 'EN 10028-2' and name = 'P265GH' and numbr = '1.0425' order by elemID"
        << "element" << "C|Si";
    QTest::newRow("other elements") << "select other from OtherElem where mID = 2 and stID = 11" << "other"
                                    << "Cr+Cu+Mo+Ni <= 0,70";
    QTest::newRow("column table, two columns descending")
        << "select * from MechPropData where matID = 2 and  colID = 2 or matID = 2 and  colID = 1 order by colID DESC, rowNo"
        << "val" << "265|255|16|40";
    QTest::newRow("column table by row") << "select * from MechPropData where matID = 2 order by rowNo, ordering"
                                         << "val" << "16|265|40|255";
    QTest::newRow("per-temperature table") << "select * from ModElast where matID=2 order by temp" << "ModElast"
                                           << "212|207";
    QTest::newRow("strength table by thickness")
        << "select * from Rp02 where matID = 18 order by thickness, ordering" << "thickness" << "60|60|100";
    QTest::newRow("notes of a table")
        << "select * from MatNotes where matID = 2 and tableName = 'rp02' order by ordering" << "notID" << "7|8";
    QTest::newRow("information") << "select * from GetInfo where matID = 2 order by titleID, ordering" << "infotext"
                                 << "a1|a2|b";
}
// clang-format on

void tst_db::queryShapes()
{
    QFETCH(QString, sql);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    auto rs = fixture()->openRecordset(sql);
    QVERIFY(rs->fieldIndex(field) >= 0);
    QCOMPARE(columnOf(*rs, field), expected);
}

// clang-format off
void tst_db::likePatterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("star matches all") << "P265GH" << "*" << true;
    QTest::newRow("star matches empty") << "" << "*" << true;
    QTest::newRow("contains, other case") << "P265GH" << "*65g*" << true;
    QTest::newRow("contains, absent") << "P265GH" << "*NH*" << false;
    QTest::newRow("prefix") << "p265gh" << "P2*" << true;
    QTest::newRow("no wildcard is whole text") << "P265GH" << "P265" << false;
    QTest::newRow("question mark one character") << "P265GH" << "P?65GH" << true;
    QTest::newRow("question mark not zero characters") << "P65GH" << "P?65GH" << false;
    QTest::newRow("hash a digit") << "P265GH" << "P#65GH" << true;
    QTest::newRow("hash not a letter") << "PX65GH" << "P#65GH" << false;
    QTest::newRow("list") << "Q265" << "[PQ]265" << true;
    QTest::newRow("negated list") << "P265" << "[!P]265" << false;
    QTest::newRow("negated list, other letter") << "Q265" << "[!P]265" << true;
    QTest::newRow("range without letter case") << "Bx" << "[a-c]X" << true;
    QTest::newRow("bracketed star is literal") << "a*b" << "a[*]b" << true;
    QTest::newRow("bracketed star, other text") << "axb" << "a[*]b" << false;
    QTest::newRow("bracketed bracket") << "a[b" << "a[[]b" << true;
    QTest::newRow("percent is no wildcard") << "100" << "10%" << false;
    QTest::newRow("percent itself") << "10%" << "10%" << true;
    QTest::newRow("underscore is no wildcard") << "P2X5" << "P2_5" << false;
    QTest::newRow("accented letter case") << "ÉTAT" << "*état*" << true;
    QTest::newRow("star then literal backtracks") << "abcabd" << "*abd" << true;
    QTest::newRow("digits") << "EN 10028-2" << "EN #####-#" << true;
    QTest::newRow("hash against a letter among digits") << "1.O345" << "1.#345" << false;
    QTest::newRow("upper-case range, lower-case text") << "x5crni" << "[W-Y]5CRNI" << true;
    QTest::newRow("negated range") << "Q265" << "[!A-P]265" << true;
    QTest::newRow("negated range, letter inside in other case") << "p265" << "[!A-P]265" << false;
    QTest::newRow("list of ranges") << "b7" << "[a-c][0-9]" << true;
    QTest::newRow("question marks need the length") << "P2" << "P??" << false;
    QTest::newRow("star and wildcards backtrack") << "X5CrNi18-10" << "X#*##-1?" << true;
    QTest::newRow("star and wildcards, no way through") << "X5CrNi18-10" << "X#*[!a-z]##-1?" << false;
    QTest::newRow("wildcard characters bracketed") << "*?#" << "[*][?][#]" << true;
    QTest::newRow("at sign is no letter") << "@" << "`" << false;
    QTest::newRow("backquote is no letter") << "`" << "@" << false;
    QTest::newRow("text beyond ASCII, ASCII pattern") << "Ståhl" << "st?hl" << true;
    QTest::newRow("ASCII text, pattern beyond ASCII") << "STAHL" << "*å*" << false;
    QTest::newRow("Kelvin sign folds to k") << QString(QChar(0x212A)) + u'1' << "k#" << true;
}
// clang-format on

void tst_db::likePatterns()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    // The same pattern in a statement and in a find criterion.
    auto rs = fixture()->openRecordset(
        QStringLiteral("select '%1' as t, '%1' like '%2' as hit").arg(db::quoteText(text), db::quoteText(pattern)));
    QCOMPARE(rs->field(QStringLiteral("hit")).toInt() != 0, matches);
    rs->findFirst(QStringLiteral("t like '%1'").arg(db::quoteText(pattern)));
    QCOMPARE(rs->noMatch(), !matches);
    // A text of ASCII characters is matched as it is stored, without conversion.
    const auto compiled = db::detail::JetPattern::compile(pattern);
    QVERIFY(compiled);
    QCOMPARE(compiled->matches(text), matches);
    const QByteArray utf8 = text.toUtf8();
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return uchar(c) < 0x80; }))
        QCOMPARE(compiled->matchesAscii(std::string_view(utf8.constData(), size_t(utf8.size()))), matches);
}

void tst_db::likeLiteralMatchesItself()
{
    const QString awkward = QStringLiteral("O'Neil [x]*?#1");
    QCOMPARE(db::quoteText(QStringLiteral("O'Neil's")), QStringLiteral("O''Neil''s"));
    QCOMPARE(db::likeLiteral(QStringLiteral("a[b")), QStringLiteral("a[[]b"));
    const QString pattern = QStringLiteral("*") + db::likeLiteral(awkward) + QStringLiteral("*");
    auto rs =
        fixture()->openRecordset(QStringLiteral("select '-%1-' like '%2' as self, 'O''Neil [x]X?#1' like '%2' as other")
                                     .arg(db::quoteText(awkward), pattern));
    QCOMPARE(rs->field(QStringLiteral("self")).toInt(), 1);
    QCOMPARE(rs->field(QStringLiteral("other")).toInt(), 0);
}

void tst_db::shortDatesFollowTheLocale()
{
    struct RestoreLocale
    {
        QLocale saved;
        ~RestoreLocale() { QLocale::setDefault(saved); }
    } restore;
    const QString sql = QStringLiteral("select revision_date, name, asmegrade, shortdate(revision_date) as shown, "
                                       "shortdate(name) as shownName, shortdate(asmegrade) as grade from materials "
                                       "order by matID");
    // One connection: what it formatted in one locale is not shown in the next.
    for (const char *name : {"en_GB", "en_US", "de_DE", "en_GB"}) {
        const QLocale locale{QLatin1String(name)};
        QLocale::setDefault(locale);
        auto rs = fixture()->openRecordset(sql);
        QStringList shown, expected;
        for (; !rs->eof(); rs->moveNext()) {
            shown << rs->field(QStringLiteral("shown")).toString() + u' ' +
                         rs->field(QStringLiteral("shownName")).toString() + u' ' +
                         cellText(rs->field(QStringLiteral("grade")));
            const QDate date = rs->field(QStringLiteral("revision_date")).toDate();
            expected << locale.toString(date, QLocale::ShortFormat) + u' ' +
                            rs->field(QStringLiteral("name")).toString() + u' ' +
                            cellText(rs->field(QStringLiteral("asmegrade")));
        }
        QCOMPARE(shown, expected);
        QCOMPARE(fixture()->openRecordset(QStringLiteral("select shortdate(dtime) from Kinds"))->field(0).toString(),
                 locale.toString(QDate(2009, 7, 1), QLocale::ShortFormat));
    }
}

// clang-format off
void tst_db::crosstab_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("rows");

    const QString rows17 = QStringLiteral("100|1|241|223|214;150|2|223|207|199;200|3|205|190|<null>");
    QTest::newRow("as the material window writes it")
        << "transform max(Rp02.Rp02) select temp, ordering from Rp02 where matID = 17 group by temp, ordering "
           "order by ordering pivot Rp02.thickness"
        << "temp|ordering|16|40|60" << rows17;
    QTest::newRow("as the report writes it")
        << "transform MAX (Rp02.Rp02) select temp, ordering from Rp02 where matID = 17 group by temp, ordering "
           "order by temp, ordering pivot Rp02.thickness"
        << "temp|ordering|16|40|60" << rows17;
    QTest::newRow("keywords in upper case")
        << "TRANSFORM MAX(RP02.RP02) SELECT temp, ordering FROM Rp02 WHERE matID = 17 GROUP BY temp, ordering "
           "ORDER BY ordering PIVOT Rp02.thickness"
        << "temp|ordering|16|40|60" << rows17;
    QTest::newRow("rows in the order by ordering, 100 after 60")
        << "transform max(Rp02.Rp02) select temp, ordering from Rp02 where matID = 18 group by temp, ordering "
           "order by ordering pivot Rp02.thickness"
        << "temp|ordering|60|100" << "100|1|241|<null>;20|2|265|255";
    QTest::newRow("rows in the order by temp")
        << "transform MAX (Rp02.Rp02) select temp, ordering from Rp02 where matID = 18 group by temp, ordering "
           "order by temp, ordering pivot Rp02.thickness"
        << "temp|ordering|60|100" << "20|2|265|255;100|1|241|<null>";
    QTest::newRow("no rows")
        << "transform max(Rp02.Rp02) select temp, ordering from Rp02 where matID = 99 group by temp, ordering "
           "order by ordering pivot Rp02.thickness"
        << "temp|ordering" << "";
}
// clang-format on

void tst_db::crosstab()
{
    QFETCH(QString, sql);
    QFETCH(QString, fields);
    QFETCH(QString, rows);
    auto rs = fixture()->openRecordset(sql);
    QCOMPARE(join(fieldNames(*rs)), fields);
    QCOMPARE(allRows(*rs), rows);
}

void tst_db::crosstabRecordsetNavigates()
{
    auto rs = fixture()->openRecordset(QStringLiteral(
        "transform max(Rp02.Rp02) select temp, ordering from Rp02 where matID = 17 group by temp, ordering "
        "order by ordering pivot Rp02.thickness"));
    // A pivot column is read by the thickness as its name; the largest of two stored texts is by number.
    rs->moveNext();
    QCOMPARE(rs->field(QStringLiteral("40")), QVariant(QStringLiteral("207")));
    rs->moveLast();
    QVERIFY(rs->field(QStringLiteral("60")).isNull());
    auto copy = rs->clone();
    copy->findFirst(QStringLiteral("temp = 150"));
    QCOMPARE(copy->field(QStringLiteral("16")), QVariant(QStringLiteral("223")));
    QCOMPARE(errorOf([&] {
                 fixture()->openRecordset(
                     QStringLiteral("transform max(Rp02.Rp02) select temp, ordering from Rp02 group by temp"));
             }),
             dberr::SyntaxError);
}

void tst_db::openErrors_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");

    QTest::newRow("missing file") << "missing" << dberr::FileNotFound;
    QTest::newRow("missing folder") << "nofolder" << dberr::InvalidPath;
    QTest::newRow("empty file") << "empty" << dberr::UnrecognizedFormat;
    QTest::newRow("first bytes only") << "header" << dberr::UnrecognizedFormat;
    QTest::newRow("random bytes") << "random" << dberr::UnrecognizedFormat;
    QTest::newRow("text file") << "text" << dberr::UnrecognizedFormat;
    QTest::newRow("folder") << "folder" << dberr::UnrecognizedFormat;
    QTest::newRow("truncated to whole pages") << "truncated" << dberr::UnrecognizedFormat;
    QTest::newRow("truncated mid-page") << "midpage" << dberr::UnrecognizedFormat;
    QTest::newRow("garbled table page") << "garbled" << dberr::UnrecognizedFormat;
    QTest::newRow("wrong password") << "wrongpwd" << dberr::InvalidPassword;
    QTest::newRow("missing password") << "nopwd" << dberr::InvalidPassword;
}

void tst_db::openErrors()
{
    QFETCH(QString, kind);
    QFETCH(int, number);
    const QString path = m_dir.filePath(kind + QStringLiteral(".db"));
    QString connect;
    QString expected;
    auto write = [&](const QByteArray &bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    auto bigDatabase = [&]() -> QByteArray {
        createDatabase(path,
                       "CREATE TABLE big (b BLOB); INSERT INTO big VALUES (randomblob(20000));"
                       "INSERT INTO big VALUES (randomblob(20000)); CREATE TABLE t (x); INSERT INTO t VALUES (1);");
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    };
    QString openPath = path;
    if (kind == QLatin1String("missing")) {
        expected = QStringLiteral("Could not find file '%1'.").arg(path);
    } else if (kind == QLatin1String("nofolder")) {
        openPath = m_dir.filePath(QStringLiteral("no/such/folder/x.mdb"));
        expected = QStringLiteral("'%1' is not a valid path.").arg(m_dir.filePath(QStringLiteral("no/such/folder")));
    } else if (kind == QLatin1String("empty")) {
        write({});
    } else if (kind == QLatin1String("header")) {
        write(bigDatabase().left(100));
    } else if (kind == QLatin1String("random")) {
        QByteArray bytes(8192, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7919 + 13) % 251);
        write(bytes);
    } else if (kind == QLatin1String("text")) {
        write("This is not a database.\nJust a line of text.\n");
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir.path()).mkpath(kind + QStringLiteral(".db")));
    } else if (kind == QLatin1String("truncated") || kind == QLatin1String("midpage")) {
        const QByteArray full = bigDatabase();
        QVERIFY(full.size() >= 4 * 4096);
        write(full.left(kind == QLatin1String("truncated") ? 2 * 4096 : full.size() - 100));
    } else if (kind == QLatin1String("garbled")) {
        QByteArray full = bigDatabase();
        const int pageSize = (quint8(full.at(16)) << 8) | quint8(full.at(17));
        for (int i = pageSize; i < 2 * pageSize; ++i)
            full[i] = char(0xA5 ^ (i & 0xff));
        write(full);
    } else {
        openPath = m_passwordPath;
        connect = kind == QLatin1String("wrongpwd") ? QStringLiteral(";Pwd=S3CRET") : QStringLiteral("Access 2000;");
        expected = QStringLiteral("Not a valid password.");
    }
    if (expected.isEmpty())
        expected = QStringLiteral("Unrecognized database format '%1'.").arg(openPath);
    QString description;
    QCOMPARE(errorOf([&] { Database::open(openPath, true, true, connect); }, &description), number);
    QCOMPARE(description, expected);
}

void tst_db::passwords_data()
{
    QTest::addColumn<bool>("protectedFile");
    QTest::addColumn<QString>("connect");

    QTest::newRow("password") << true << ";Pwd=s3cret";
    QTest::newRow("key in other case, trailing separator") << true << ";PWD=s3cret;";
    QTest::newRow("after other settings") << true << "Access 2000;pwd=s3cret";
    QTest::newRow("unprotected, no password") << false << "";
    QTest::newRow("unprotected, any password") << false << ";Pwd=whatever";
}

void tst_db::passwords()
{
    QFETCH(bool, protectedFile);
    QFETCH(QString, connect);
    m_db.reset();
    auto database = Database::open(protectedFile ? m_passwordPath : m_fixturePath, true, true, connect);
    QVERIFY(database->isOpen());
    if (protectedFile) {
        QCOMPARE(database->tableNames(), QStringList{QStringLiteral("t")});
        QCOMPARE(errorOf([&] { database->openRecordset(QStringLiteral("velkor_access")); }), dberr::InputTableNotFound);
        QCOMPARE(errorOf([&] { database->openRecordset(QStringLiteral("select value from velkor_access")); }),
                 dberr::InputTableNotFound);
    }
}

void tst_db::verifierHoldsNoPassword()
{
    QFile file(m_passwordPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.contains("s3cret"));
    QString error;
    QVERIFY(!db::writePasswordVerifier(nullptr, QStringLiteral("x"), &error));
    QVERIFY(!error.isEmpty());
}

void tst_db::exclusiveAcrossProcesses_data()
{
    QTest::addColumn<QString>("otherMode");
    QTest::addColumn<bool>("exclusive");
    QTest::addColumn<int>("number");

    QTest::newRow("other exclusive, we shared") << "exclusive" << false << dberr::FileInUse;
    QTest::newRow("other exclusive, we exclusive") << "exclusive" << true << dberr::FileInUse;
    QTest::newRow("other shared, we exclusive") << "shared" << true << dberr::FileInUse;
    QTest::newRow("both shared") << "shared" << false << 0;
}

void tst_db::exclusiveAcrossProcesses()
{
    QFETCH(QString, otherMode);
    QFETCH(bool, exclusive);
    QFETCH(int, number);
    m_db.reset();
    LockHolder other;
    QCOMPARE(other.start(m_fixturePath, otherMode), QStringLiteral("open"));
    QString description;
    QCOMPARE(errorOf([&] { Database::open(m_fixturePath, exclusive, true); }, &description), number);
    if (number)
        QCOMPARE(description, QStringLiteral("Could not use '%1'; file already in use.").arg(m_fixturePath));
    // The lock goes with the other process.
    other.stop();
    QCOMPARE(errorOf([&] { Database::open(m_fixturePath, true, true); }), 0);

    // And the other way round: a second copy of the program cannot open what we hold exclusively.
    auto held = Database::open(m_fixturePath, true, true);
    LockHolder second;
    QCOMPARE(second.start(m_fixturePath, otherMode), QStringLiteral("error 3045"));
}

void tst_db::exclusiveInProcessAndFindOpen()
{
    m_db.reset();
    QVERIFY(!Database::findOpen(m_fixturePath));
    auto held = Database::open(m_fixturePath, true, true);
    QCOMPARE(held->name(), QFileInfo(m_fixturePath).absoluteFilePath());
    const QString otherSpelling = m_dir.path() + QStringLiteral("/./sub/../fixture.db");
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    QCOMPARE(Database::findOpen(otherSpelling), held);
    QCOMPARE(errorOf([&] { Database::open(m_fixturePath, false, true); }), dberr::FileInUse);
    held->close();
    QVERIFY(!held->isOpen());
    QVERIFY(!Database::findOpen(m_fixturePath));
    QCOMPARE(errorOf([&] { Database::open(m_fixturePath, true, true); }), 0);
}

void tst_db::pathWithUriCharacters()
{
    const QString folder = m_dir.filePath(QStringLiteral("odd %20 #?&= folder"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Velkor PED?mode=rw#1.mdb");
    QVERIFY(QFile::copy(m_fixturePath, path));
    const QByteArray before = checksum(path);
    {
        auto database = Database::open(path, true, true);
        QCOMPARE(database->name(), path);
        QCOMPARE(database->openRecordset(QStringLiteral("materials"))->recordCount(), 5);
        QCOMPARE(errorOf([&] { database->openRecordset(QStringLiteral("create table x (y)")); }), dberr::ReadOnly);
    }
    QCOMPARE(checksum(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
}

void tst_db::sqlErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    const auto table = [](const char *name) {
        return QStringLiteral("The Microsoft Jet database engine cannot find the input table or query '%1'.  "
                              "Make sure it exists and that its name is spelled correctly.")
            .arg(QLatin1String(name));
    };
    const auto syntax = [](const char *sql) {
        return QStringLiteral("Syntax error (missing operator) in query expression '%1'.").arg(QLatin1String(sql));
    };
    const QString readOnly = QStringLiteral("Cannot update. Database or object is read-only.");

    QTest::newRow("unknown table") << "select * from nosuch" << dberr::InputTableNotFound << table("nosuch");
    QTest::newRow("unknown table as source") << "NoSuch" << dberr::InputTableNotFound << table("NoSuch");
    QTest::newRow("empty source") << "  " << dberr::InputTableNotFound << table("");
    QTest::newRow("unknown bracketed table in a join")
        << "select * from materials m inner join [no such] n on m.matID = n.matID" << dberr::InputTableNotFound
        << table("no such");
    QTest::newRow("unknown table of a sub-select")
        << "select * from materials where matID in (select matID from Materialz)" << dberr::InputTableNotFound
        << table("Materialz");
    QTest::newRow("second table of a list")
        << "select * from materials, nosuch" << dberr::InputTableNotFound << table("nosuch");
    QTest::newRow("verifier table") << "select value from velkor_access" << dberr::InputTableNotFound
                                    << table("velkor_access");
    QTest::newRow("unknown table and a syntax error")
        << "select * from nosuch wher x" << dberr::SyntaxError << syntax("select * from nosuch wher x");
    QTest::newRow("unknown field") << "select nosuch from materials" << dberr::TooFewParameters
                                   << "Too few parameters. Expected 1.";
    QTest::newRow("unknown field in criteria")
        << "select * from materials where nosuch = 1" << dberr::TooFewParameters << "Too few parameters. Expected 1.";
    QTest::newRow("three unknown fields")
        << "select nme, materials.nosuch from materials where nosuch2 = 1 order by matID" << dberr::TooFewParameters
        << "Too few parameters. Expected 3.";
    QTest::newRow("unknown field and a syntax error")
        << "select nosuch from materials wher matID = 1" << dberr::SyntaxError
        << syntax("select nosuch from materials wher matID = 1");
    QTest::newRow("unknown function") << "select nosuch(name) from materials" << 3085
                                      << "Undefined function 'nosuch' in expression.";
    QTest::newRow("syntax") << "select * form materials" << dberr::SyntaxError << syntax("select * form materials");
    QTest::newRow("incomplete") << "select * from materials where" << dberr::SyntaxError
                                << syntax("select * from materials where");
    QTest::newRow("unbalanced quote") << "select * from materials where name = 'P2" << dberr::SyntaxError
                                      << syntax("select * from materials where name = 'P2");
    QTest::newRow("quote inside a text") << "select * from materials where name = 'O'Neil'" << dberr::SyntaxError
                                         << syntax("select * from materials where name = 'O'Neil'");
    QTest::newRow("unreadable pattern") << "select * from materials where name like '[abc'" << dberr::SyntaxError
                                        << "Invalid pattern string in query expression "
                                           "'select * from materials where name like '[abc''.";
    QTest::newRow("delete") << "delete from materials" << dberr::ReadOnly << readOnly;
    QTest::newRow("create") << "create table x (y)" << dberr::ReadOnly << readOnly;
    QTest::newRow("second statement") << "select * from materials; delete from materials" << dberr::CharactersAfterEnd
                                      << "Characters found after end of SQL statement.";
    QTest::newRow("attach")
        << "attach database 'other.db' as other" << 3129
        << "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.";
}

void tst_db::sqlErrors()
{
    QFETCH(QString, sql);
    QFETCH(int, number);
    QFETCH(QString, description);
    QString raised;
    QCOMPARE(errorOf([&] { fixture()->openRecordset(sql); }, &raised), number);
    QCOMPARE(raised, description);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("other.db"))));
    QCOMPARE(fixture()->openRecordset(QStringLiteral("materials"))->recordCount(), 5);
}

void tst_db::missingFieldOfTheFieldList()
{
    QString raised;
    QCOMPARE(errorOf([&] { fixture()->fieldNames(QStringLiteral("nosuch")); }, &raised), dberr::InputTableNotFound);
    QVERIFY(raised.startsWith(
        QStringLiteral("The Microsoft Jet database engine cannot find the input table or query 'nosuch'.")));
    auto rs = fixture()->openRecordset(QStringLiteral("select matID from materials"));
    QCOMPARE(errorOf([&] { rs->field(QStringLiteral("name")); }, &raised), dberr::ItemNotFound);
    QCOMPARE(raised, QStringLiteral("Item not found in this collection."));
}

void tst_db::fileBytesUnchanged()
{
    m_db.reset();
    QCOMPARE(checksum(m_fixturePath), m_fixtureSum);
    QCOMPARE(checksum(m_passwordPath), m_passwordSum);
    const QStringList beside =
        QDir(m_dir.path()).entryList({QStringLiteral("fixture.db*"), QStringLiteral("password.db*")}, QDir::Files);
    QCOMPARE(beside, (QStringList{QStringLiteral("fixture.db"), QStringLiteral("password.db")}));
}

QTEST_GUILESS_MAIN(tst_db)
