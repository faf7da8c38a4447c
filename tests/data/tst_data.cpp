// The demo databases and documents of the program folder: schema, password, value conventions,
// the consistency the readers rely on, and the cases the material window branches on.

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/VbError.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using Rows = QVector<QVector<QVariant>>;

class tst_data : public QObject
{
    Q_OBJECT

private:
    static QString binPath(const QString &name) { return QDir(QStringLiteral(VELKOR_BIN_DIR)).filePath(name); }
    db::Database &material();
    Rows rows(const QString &sql) { return material().openRecordset(sql)->rowSet()->rows; }
    QSet<int> idsWithRows(const QString &table, const QString &where = {});
    // Other tests may hold the program folder's database open exclusively; this one reads a copy.
    QTemporaryDir m_dir;
    QString m_copy;
    std::shared_ptr<db::Database> m_db;

private slots:
    void initTestCase();
    void password_data();
    void password();
    void schema_data();
    void schema();
    void valueConventions_data();
    void valueConventions();
    void extent();
    void referencesResolve();
    void chemicalPairs();
    void columnTablesFill();
    void strengthTables();
    void tableCoverage_data();
    void tableCoverage();
    void impactEnergyColumns_data();
    void impactEnergyColumns();
    void branchCases_data();
    void branchCases();
    void pmaIndex();
    void programFolder();
    void cleanupTestCase();
};

void tst_data::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_copy = m_dir.filePath(QStringLiteral("Velkor_PED.mdb"));
    QVERIFY(QFile::copy(binPath(QStringLiteral("Velkor_PED.mdb")), m_copy));
}

db::Database &tst_data::material()
{
    if (!m_db)
        m_db = db::Database::open(m_copy, true, true, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD));
    return *m_db;
}

QSet<int> tst_data::idsWithRows(const QString &table, const QString &where)
{
    QSet<int> ids;
    for (const auto &row : rows(QStringLiteral("select matID from %1 %2").arg(table, where)))
        ids.insert(row.at(0).toInt());
    return ids;
}

void tst_data::password_data()
{
    QTest::addColumn<QString>("connect");
    QTest::addColumn<int>("error"); // 0: opens
    QTest::newRow("right") << ";Pwd=" VELKOR_DB_PASSWORD << 0;
    QTest::newRow("wrong") << ";Pwd=quzma" << int(db::dberr::InvalidPassword);
    QTest::newRow("none") << "" << int(db::dberr::InvalidPassword);
    QTest::newRow("other case") << ";Pwd=QUZMAL" << int(db::dberr::InvalidPassword);
}

void tst_data::password()
{
    QFETCH(QString, connect);
    QFETCH(int, error);
    QVERIFY(!m_db); // the exclusive open of the other tests starts after this one
    try {
        auto db = db::Database::open(m_copy, true, true, connect);
        QCOMPARE(0, error);
        db->close();
    } catch (const platform::VbError &e) {
        QCOMPARE(e.number(), error);
    }
}

// clang-format off
void tst_data::schema_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("fields"); // in the order of "select *" where the readers rely on it
    QTest::newRow("materials") << "materials" << "matID name numbr description groups revision_date standard asmestandard asmegrade ss";
    QTest::newRow("standard") << "standard" << "stID standard description revision_date otherElem";
    QTest::newRow("StandardProdForm") << "StandardProdForm" << "standard productForm";
    QTest::newRow("StandProdForm") << "StandProdForm" << "stID prodFID";
    QTest::newRow("ProdForm") << "ProdForm" << "prodFID productForm";
    QTest::newRow("Chemical") << "Chemical" << "standard name numbr elemID element val note";
    QTest::newRow("OtherElem") << "OtherElem" << "mID stID other";
    QTest::newRow("MechMatTable") << "MechMatTable" << "matID colID note minMax colSize ordering";
    QTest::newRow("CreepPropTable") << "CreepPropTable" << "stID colID note minMax colSize ordering";
    QTest::newRow("MechPropData") << "MechPropData" << "matID rowNo ordering colID val";
    QTest::newRow("CreepProperties") << "CreepProperties" << "matID rowNo ordering colID val";
    QTest::newRow("Columns") << "Columns" << "colID colTxt unitID";
    QTest::newRow("Units") << "Units" << "unitID unitTxt";
    QTest::newRow("ImpEnergy") << "ImpEnergy" << "matID temp kv kvLong kvTrans ordering";
    QTest::newRow("Rp02") << "Rp02" << "matID temp Rp02 thickness ordering";
    QTest::newRow("Rp10") << "Rp10" << "matID temp Rp10 thickness ordering";
    QTest::newRow("Rm") << "Rm" << "matID temp Rm thickness ordering";
    QTest::newRow("ModElast") << "ModElast" << "matID temp ModElast ordering";
    QTest::newRow("ThermExp") << "ThermExp" << "matID temp ThermExp ThermExpDiff ordering";
    QTest::newRow("ThermCond") << "ThermCond" << "matID temp ThermCond ordering";
    QTest::newRow("SpecThermCap") << "SpecThermCap" << "matID temp SpecThermCap SpecThermCapDiff ordering";
    QTest::newRow("SpecElecRes") << "SpecElecRes" << "matID temp SpecElecRes ordering";
    QTest::newRow("MatNotes") << "MatNotes" << "matID tableName ordering notID";
    QTest::newRow("TableNotes") << "TableNotes" << "notID tableName notTxt";
    QTest::newRow("GetInfo") << "GetInfo" << "matID titleID ordering infotext";
    QTest::newRow("InfoTitle") << "InfoTitle" << "titleID titleText";
}
// clang-format on

void tst_data::schema()
{
    QFETCH(QString, table);
    QFETCH(QString, fields);
    QVERIFY2(material().tableNames().contains(table, Qt::CaseInsensitive), qPrintable(table));
    const QStringList expected = fields.split(u' ');
    QCOMPARE(material().fieldNames(table), expected);
    auto rs = material().openRecordset(QStringLiteral("select * from ") + table);
    QCOMPARE(rs->fieldCount(), expected.size());
    QVERIFY2(rs->recordCount() > 0, "every table holds demo rows");
}

void tst_data::valueConventions_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("decimal comma text") << "select ThermExp from ThermExp where matID = 102 and temp = 20"
                                        << int(QMetaType::QString) << QVariant(QStringLiteral("11,1"));
    QTest::newRow("strength value text") << "select Rp02 from Rp02 where matID = 102 and temp = 100 and thickness = 40"
                                         << int(QMetaType::QString) << QVariant(QStringLiteral("232"));
    QTest::newRow("dash") << "select kv from ImpEnergy where matID = 102 and temp = 20" << int(QMetaType::QString)
                          << QVariant(QStringLiteral("-"));
    QTest::newRow("temperature integer") << "select temp from ModElast where matID = 301 and ordering = 1"
                                         << int(QMetaType::Int) << QVariant(20);
    QTest::newRow("thickness integer") << "select thickness from Rm where matID = 301 and temp = 100"
                                       << int(QMetaType::Int) << QVariant(-1);
    QTest::newRow("column size text") << "select colSize from MechMatTable where matID = 102 and ordering = 1"
                                      << int(QMetaType::QString) << QVariant(QStringLiteral("1200"));
    QTest::newRow("material date") << "select revision_date from materials where matID = 102" << int(QMetaType::QDate)
                                   << QVariant(QDate(2010, 3, 15));
    QTest::newRow("flag true") << "select otherElem from standard where standard = 'EN 10028-2'" << int(QMetaType::Bool)
                               << QVariant(true);
    QTest::newRow("flag false") << "select otherElem from standard where standard = 'EN 10028-7'"
                                << int(QMetaType::Bool) << QVariant(false);
}

void tst_data::valueConventions()
{
    QFETCH(QString, sql);
    QFETCH(int, type);
    QFETCH(QVariant, value);
    const Rows r = rows(sql);
    QCOMPARE(r.size(), 1);
    QCOMPARE(r.at(0).at(0).typeId(), type);
    QCOMPARE(r.at(0).at(0), value);
}

void tst_data::extent()
{
    const Rows materials = rows(QStringLiteral("select matID, standard from materials"));
    QSet<int> ids;
    QSet<QString> standards;
    for (const auto &m : materials) {
        QVERIFY2(!ids.contains(m.at(0).toInt()), "material ids are unique");
        ids.insert(m.at(0).toInt());
        standards.insert(m.at(1).toString());
    }
    QVERIFY(ids.size() >= 30);
    QVERIFY(standards.size() >= 6);
    QCOMPARE(material().tableNames().size(), 26); // the tables of schema() and nothing else
    for (const auto &s : rows(QStringLiteral("select description from standard")))
        QVERIFY2(s.at(0).toString().contains(QLatin1String("not for design")), qPrintable(s.at(0).toString()));
}

// Every id a reader joins on finds its partner row.
void tst_data::referencesResolve()
{
    QSet<QString> standards;
    QHash<QString, bool> otherElem;
    QHash<QString, int> stIDs;
    for (const auto &s : rows(QStringLiteral("select standard, otherElem, stID from standard"))) {
        QVERIFY2(!standards.contains(s.at(0).toString()), "standard names are unique");
        standards.insert(s.at(0).toString());
        otherElem.insert(s.at(0).toString(), s.at(1).toBool());
        stIDs.insert(s.at(0).toString(), s.at(2).toInt());
    }
    QSet<QPair<int, int>> others;
    for (const auto &o : rows(QStringLiteral("select mID, stID from OtherElem")))
        others.insert({o.at(0).toInt(), o.at(1).toInt()});
    for (const auto &m : rows(QStringLiteral("select matID, standard from materials"))) {
        const QString standard = m.at(1).toString();
        QVERIFY2(standards.contains(standard), qPrintable(standard));
        QVERIFY2(!rows(QStringLiteral("select * from StandardProdForm where standard = '%1'").arg(standard)).isEmpty(),
                 qPrintable(standard));
        // A standard with other elements has one OtherElem row per material.
        if (otherElem.value(standard))
            QVERIFY2(others.contains({m.at(0).toInt(), stIDs.value(standard)}), qPrintable(m.at(0).toString()));
    }
    QSet<int> prodForms;
    for (const auto &p : rows(QStringLiteral("select prodFID from ProdForm")))
        prodForms.insert(p.at(0).toInt());
    for (const auto &sp : rows(QStringLiteral("select prodFID from StandProdForm")))
        QVERIFY(prodForms.contains(sp.at(0).toInt()));

    QSet<int> units, columns, titles;
    for (const auto &u : rows(QStringLiteral("select unitID from Units")))
        units.insert(u.at(0).toInt());
    QSet<QString> captions;
    for (const auto &c : rows(QStringLiteral("select colID, unitID, colTxt from Columns"))) {
        QVERIFY(units.contains(c.at(1).toInt()));
        // The unit is looked up by the caption text, so a caption must name one column only.
        QVERIFY2(!captions.contains(c.at(2).toString()), qPrintable(c.at(2).toString()));
        captions.insert(c.at(2).toString());
        columns.insert(c.at(0).toInt());
    }
    for (const QString &table : {QStringLiteral("MechMatTable"), QStringLiteral("CreepPropTable"),
                                 QStringLiteral("MechPropData"), QStringLiteral("CreepProperties")})
        for (const auto &c : rows(QStringLiteral("select colID from ") + table))
            QVERIFY2(columns.contains(c.at(0).toInt()), qPrintable(table));

    for (const auto &n : rows(QStringLiteral("select notID, tableName from MatNotes")))
        QVERIFY2(!rows(QStringLiteral("select * from TableNotes where notID = %1 and tableName = '%2'")
                           .arg(n.at(0).toInt())
                           .arg(n.at(1).toString()))
                      .isEmpty(),
                 qPrintable(n.at(1).toString()));
    for (const auto &t : rows(QStringLiteral("select titleID from InfoTitle")))
        titles.insert(t.at(0).toInt());
    for (const auto &i : rows(QStringLiteral("select titleID from GetInfo")))
        QVERIFY(titles.contains(i.at(0).toInt()));
}

// Two records per element, minimum then maximum, naming the same element.
void tst_data::chemicalPairs()
{
    for (const auto &m : rows(QStringLiteral("select standard, name, numbr from materials"))) {
        const Rows chem =
            rows(QStringLiteral("select element, elemID from Chemical where standard = '%1' and name = '%2' "
                                "and numbr = '%3' order by elemID")
                     .arg(m.at(0).toString(), m.at(1).toString(), m.at(2).toString()));
        QVERIFY2(chem.size() % 2 == 0, qPrintable(m.at(1).toString()));
        for (int i = 0; i + 1 < chem.size(); i += 2)
            QCOMPARE(chem.at(i).at(0), chem.at(i + 1).at(0));
    }
}

// Mechanical and creep data fill whole rows of their column definitions, in column order.
void tst_data::columnTablesFill()
{
    struct Kind
    {
        QString defs, data, key;
    }; // definitions per material (matID) or per standard (stID)
    const Kind kinds[] = {
        {QStringLiteral("MechMatTable"), QStringLiteral("MechPropData"), QStringLiteral("matID")},
        {QStringLiteral("CreepPropTable"), QStringLiteral("CreepProperties"), QStringLiteral("stID")},
    };
    for (const Kind &k : kinds) {
        for (const auto &m : rows(
                 QStringLiteral("select m.matID, s.stID from materials m, standard s where m.standard = s.standard"))) {
            const int owner = k.key == QLatin1String("matID") ? m.at(0).toInt() : m.at(1).toInt();
            const Rows defs = rows(
                QStringLiteral("select colID from %1 where %2 = %3 order by ordering").arg(k.defs, k.key).arg(owner));
            const Rows data = rows(QStringLiteral("select colID from %1 where matID = %2 order by rowNo, ordering")
                                       .arg(k.data)
                                       .arg(m.at(0).toInt()));
            if (data.isEmpty())
                continue;
            QVERIFY2(!defs.isEmpty(), qPrintable(k.data + QLatin1Char(' ') + m.at(0).toString()));
            QCOMPARE(data.size() % defs.size(), 0);
            for (int i = 0; i < data.size(); ++i)
                QCOMPARE(data.at(i).at(0).toInt(), defs.at(i % defs.size()).at(0).toInt());
        }
    }
}

// The crosstab groups by temperature and ordering, so one temperature keeps one ordering
// across the thicknesses; a table is either split (thicknesses > 0) or not (-1 only).
void tst_data::strengthTables()
{
    for (const QString &key : {QStringLiteral("Rp02"), QStringLiteral("Rp10"), QStringLiteral("Rm")}) {
        QHash<int, QHash<int, int>> orderingOf; // matID -> temp -> ordering
        QHash<int, QSet<int>> thicknesses;
        for (const auto &r : rows(QStringLiteral("select matID, temp, ordering, thickness from ") + key)) {
            const int mat = r.at(0).toInt(), temp = r.at(1).toInt();
            auto &temps = orderingOf[mat];
            if (temps.contains(temp))
                QCOMPARE(temps.value(temp), r.at(2).toInt());
            temps.insert(temp, r.at(2).toInt());
            thicknesses[mat].insert(r.at(3).toInt());
        }
        for (auto it = thicknesses.cbegin(); it != thicknesses.cend(); ++it)
            QVERIFY2(it.value() == QSet<int>{-1} || !it.value().contains(-1), qPrintable(key));
        // The crosstab lists rows by ordering, and interpolation needs them in rising temperature.
        for (auto it = orderingOf.cbegin(); it != orderingOf.cend(); ++it) {
            QMap<int, int> tempOf; // ordering -> temp
            for (auto t = it.value().cbegin(); t != it.value().cend(); ++t)
                tempOf.insert(t.value(), t.key());
            QVERIFY2(tempOf.size() == it.value().size(), qPrintable(key));
            QList<int> temps = tempOf.values();
            QVERIFY2(std::is_sorted(temps.cbegin(), temps.cend()), qPrintable(key + QString::number(it.key())));
        }
    }
    // Creep rows likewise rise in temperature (column 0) by row number.
    QHash<int, double> lastTemp;
    for (const auto &r :
         rows(QStringLiteral("select matID, val from CreepProperties where ordering = 1 order by matID, rowNo"))) {
        const double temp = r.at(1).toString().toDouble();
        QVERIFY(!lastTemp.contains(r.at(0).toInt()) || lastTemp.value(r.at(0).toInt()) < temp);
        lastTemp.insert(r.at(0).toInt(), temp);
    }
}

// Every table of the material window has data for several grades and none for some.
void tst_data::tableCoverage_data()
{
    QTest::addColumn<QString>("table");
    for (const char *table : {"ImpEnergy", "Rp02", "Rp10", "Rm", "ModElast", "ThermExp", "ThermCond", "SpecThermCap",
                              "SpecElecRes", "MechPropData", "CreepProperties", "GetInfo", "MatNotes"})
        QTest::newRow(table) << table;
    QTest::newRow("Chemical") << "Chemical";
}

void tst_data::tableCoverage()
{
    QFETCH(QString, table);
    const Rows materials = rows(QStringLiteral("select matID, standard, name, numbr from materials"));
    int withData = 0;
    if (table == QLatin1String("Chemical")) {
        for (const auto &m : materials)
            if (!rows(QStringLiteral("select * from Chemical where standard = '%1' and name = '%2' and numbr = '%3'")
                          .arg(m.at(1).toString(), m.at(2).toString(), m.at(3).toString()))
                     .isEmpty())
                ++withData;
    } else {
        withData = idsWithRows(table).size();
    }
    QVERIFY2(withData >= 2, qPrintable(QString::number(withData)));
    QVERIFY2(withData < materials.size(), qPrintable(QString::number(withData)));
}

void tst_data::impactEnergyColumns_data()
{
    QTest::addColumn<int>("mask"); // 1 KV, 2 KVL, 4 KVT: the columns with a value in some row
    QTest::newRow("KV only") << 1;
    QTest::newRow("KVL and KVT") << 6;
    QTest::newRow("KVT only") << 4;
}

void tst_data::impactEnergyColumns()
{
    QFETCH(int, mask);
    QHash<int, int> masks;
    for (const auto &r : rows(QStringLiteral("select * from ImpEnergy"))) {
        int &m = masks[r.at(0).toInt()];
        for (int bit = 0; bit < 3; ++bit) {
            const QVariant v = r.at(2 + bit);
            if (!v.isNull() && !v.toString().isEmpty() && v.toString() != QLatin1String("-"))
                m |= 1 << bit;
        }
    }
    QVERIFY(std::count(masks.cbegin(), masks.cend(), mask) >= 2);
}

void tst_data::branchCases_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("minRows");
    QTest::newRow("Rp02 split into several thicknesses")
        << "select distinct thickness from Rp02 where matID = 102" << 6;
    QTest::newRow("Rp02 split into two thicknesses") << "select distinct thickness from Rp02 where matID = 501" << 2;
    QTest::newRow("Rp02 not split") << "select * from Rp02 where matID = 301 and thickness = -1" << 10;
    QTest::newRow("Rp10 and Rm not split") << "select * from Rm where matID = 301 and thickness = -1" << 10;
    QTest::newRow("crosstab of a split table")
        << "transform max(Rp02.Rp02) select temp, ordering from Rp02 where matID = 102 group by temp, ordering "
           "order by ordering pivot Rp02.thickness"
        << 8;
    QTest::newRow("ThermExp with both columns")
        << "select * from ThermExp where ThermExpDiff is not null and ThermExp is not null" << 5;
    QTest::newRow("ThermExp with 12 temperatures") << "select * from ThermExp where matID = 102" << 12;
    QTest::newRow("SpecThermCap with both columns")
        << "select * from SpecThermCap where SpecThermCapDiff is not null and SpecThermCap is not null" << 5;
    QTest::newRow("column without unit")
        << "select * from Columns c, Units u where c.unitID = u.unitID and u.unitTxt = '[NoUnit]'" << 1;
    QTest::newRow("mechanical columns with note and marker")
        << "select * from MechMatTable where note is not null and minMax is not null" << 1;
    QTest::newRow("creep columns with note and marker")
        << "select * from CreepPropTable where note is not null and minMax is not null" << 1;
    QTest::newRow("creep column empty for a grade")
        << "select * from CreepProperties where matID = 401 and colID = 25 and val <> '-'" << 0;
    QTest::newRow("creep column empty for a grade has rows")
        << "select * from CreepProperties where matID = 401 and colID = 25" << 5;
    QTest::newRow("composition with 12 or more elements")
        << "select * from Chemical where name = 'P265GH' and standard = 'EN 10028-2'" << 24;
    QTest::newRow("composition with element notes") << "select * from Chemical where note is not null" << 2;
    QTest::newRow("other elements text") << "select * from OtherElem where other <> '-'" << 2;
    QTest::newRow("other elements dash") << "select * from OtherElem where other = '-'" << 1;
    QTest::newRow("table notes for several tables") << "select distinct tableName from MatNotes" << 6;
    QTest::newRow("one note id under several tables") << "select * from TableNotes where notID = 1" << 2;
    QTest::newRow("information with titles")
        << "select * from GetInfo g, InfoTitle t where g.titleID = t.titleID and t.titleText <> '[NoTitle]'" << 3;
    QTest::newRow("information without title")
        << "select * from GetInfo g, InfoTitle t where g.titleID = t.titleID and t.titleText = '[NoTitle]'" << 2;
    QTest::newRow("one mechanical row, every cell empty")
        << "select * from MechPropData where matID = 603 and val <> ''" << 0;
    QTest::newRow("one mechanical row, every cell empty, has cells")
        << "select * from MechPropData where matID = 603 and rowNo = 1" << 5;
    QTest::newRow("material without group") << "select * from materials where groups is null" << 1;
    QTest::newRow("material without description") << "select * from materials where description is null" << 1;
    QTest::newRow("mechanical columns without data")
        << "select * from MechMatTable where matID not in (select matID from MechPropData)" << 1;
    QTest::newRow("ASME designations") << "select distinct asmestandard from materials where asmestandard is not null"
                                       << 4;
    QTest::newRow("SS designations") << "select * from materials where ss like 'SS*'" << 5;
    QTest::newRow("product form search")
        << "select * from materials where materials.standard in (select standard from StandardProdForm "
           "where productForm like '*tube*')"
        << 5;
}

void tst_data::branchCases()
{
    QFETCH(QString, sql);
    QFETCH(int, minRows);
    const int found = rows(sql).size();
    if (minRows == 0)
        QCOMPARE(found, 0);
    else
        QVERIFY2(found >= minRows, qPrintable(QString::number(found)));
}

void tst_data::pmaIndex()
{
    const QString copy = m_dir.filePath(QStringLiteral("PMA_Index.mdb"));
    QVERIFY(QFile::copy(binPath(QStringLiteral("PMA_Index.mdb")), copy));
    auto pma = db::Database::open(copy, false, true);
    const QStringList fields = pma->fieldNames(QStringLiteral("PMA_Index"));
    QCOMPARE(fields, QStringList({"Specification", "Designationname", "Designationnumber", "Product", "Revision",
                                  "Revisiondate", "Document", "Searchstring"}));
    auto rs = pma->openRecordset(QStringLiteral("SELECT * FROM PMA_Index"));
    QVERIFY(rs->recordCount() >= 8);
    // Every row's document is in the program folder, a PDF the build made.
    for (const auto &row : rs->rowSet()->rows) {
        const QString document = row.at(6).toString();
        QVERIFY2(QFileInfo(document).isRelative(), qPrintable(document));
        QFile pdf(binPath(document));
        QVERIFY2(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", qPrintable(document));
    }
    QCOMPARE(pma->openRecordset(QStringLiteral("SELECT * FROM PMA_Index WHERE Specification LIKE '*10216*' "
                                               "OR Searchstring LIKE '*10216*'"))
                 ->recordCount(),
             2);
}

void tst_data::programFolder()
{
    for (const QString &name : {QStringLiteral("PathSet.vlk"), QStringLiteral("Settings.vlk")})
        QVERIFY2(QFile::exists(binPath(name)), qPrintable(name));
    QStringList pdfs = QDir(QStringLiteral(VELKOR_BIN_DIR)).entryList({QStringLiteral("*.pdf")});
    QVERIFY(pdfs.contains(QStringLiteral("morepmainfo.pdf")));
    QVERIFY(pdfs.size() >= 9);
    for (const QString &name : pdfs) {
        QFile pdf(binPath(name));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY2(pdf.read(5) == "%PDF-", qPrintable(name));
    }
}

void tst_data::cleanupTestCase()
{
    if (m_db)
        m_db->close();
}

QTEST_GUILESS_MAIN(tst_data)
#include "tst_data.moc"
