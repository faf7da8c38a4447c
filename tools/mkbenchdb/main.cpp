// mkbenchdb: makes a database of a given number of grades from the demo database.
//
//   mkbenchdb <demo database> <output file> <grades>
//
// The demo's grades are copied over and over (copy k renames every grade "<name>-k", "<number>-k" and
// every standard "<standard> xk"), so that every per-grade and per-standard table grows in proportion
// and names and numbers stay unique. The first copy keeps the demo's ids; later grades are numbered on
// densely from FirstCopyId. The password verifier and the indexes come over with the file.

#include "db/SchemaIndexes.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int FirstCopyId = 1000;   // above every id of the demo
constexpr int StandardIdStep = 100; // per copy, above the demo's standard ids
constexpr int NoteIdStep = 1000;    // per copy, above the demo's note ids

void fail(const QString &text)
{
    std::fprintf(stderr, "mkbenchdb: %s\n", qPrintable(text));
}

bool exec(sqlite3 *db, const QString &sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    fail(QString::fromUtf8(message ? message : sqlite3_errmsg(db)) + QStringLiteral(" in: ") + sql.left(200));
    sqlite3_free(message);
    return false;
}

// Every statement that fills the copies, given the temporary maps:
//   gmap(k, old, new)        grades of copy k (k >= 1)
//   smap(k, oldId, newId, oldName, newName)  standards of copy k
const QStringList &copyStatements()
{
    static const QStringList statements = {
        // Standards and what hangs on them.
        "INSERT INTO standard SELECT s.newId, s.newName, t.description, t.revision_date, t.otherElem "
        "FROM standard t JOIN smap s ON t.stID = s.oldId",
        "INSERT INTO StandardProdForm SELECT s.newName, t.productForm FROM StandardProdForm t "
        "JOIN (SELECT DISTINCT k, oldName, newName FROM smap) s ON t.standard = s.oldName",
        "INSERT INTO StandProdForm SELECT s.newId, t.prodFID FROM StandProdForm t JOIN smap s ON t.stID = s.oldId",
        "INSERT INTO CreepPropTable SELECT s.newId, t.colID, t.note, t.minMax, t.colSize, t.ordering "
        "FROM CreepPropTable t JOIN smap s ON t.stID = s.oldId",
        "INSERT INTO TableNotes SELECT t.notID + c.k * " + QString::number(NoteIdStep) +
            ", t.tableName, t.notTxt "
            "FROM TableNotes t JOIN (SELECT DISTINCT k FROM smap) c",
        // Grades and their per-grade tables.
        "INSERT INTO materials SELECT g.new, m.name || '-' || g.k, m.numbr || '-' || g.k, m.description, m.groups, "
        "m.revision_date, s.newName, m.asmestandard, m.asmegrade, m.ss "
        "FROM materials m JOIN gmap g ON m.matID = g.old JOIN smap s ON s.k = g.k AND s.oldName = m.standard",
        "INSERT INTO Chemical SELECT s.newName, t.name || '-' || g.k, t.numbr || '-' || g.k, t.elemID, t.element, "
        "t.val, t.note FROM Chemical t JOIN materials m ON m.standard = t.standard AND m.name = t.name "
        "AND m.numbr = t.numbr JOIN gmap g ON g.old = m.matID JOIN smap s ON s.k = g.k AND s.oldName = t.standard",
        "INSERT INTO OtherElem SELECT g.new, s.newId, t.other FROM OtherElem t JOIN gmap g ON t.mID = g.old "
        "JOIN smap s ON s.k = g.k AND s.oldId = t.stID",
        "INSERT INTO MatNotes SELECT g.new, t.tableName, t.ordering, t.notID + g.k * " + QString::number(NoteIdStep) +
            " FROM MatNotes t JOIN gmap g ON t.matID = g.old",
    };
    return statements;
}

// Per-grade tables keyed by matID alone, copied column by column.
const char *const perGradeTables[] = {"MechMatTable", "MechPropData", "CreepProperties", "ImpEnergy", "Rp02",
                                      "Rp10",         "Rm",           "ModElast",        "ThermExp",  "ThermCond",
                                      "SpecThermCap", "SpecElecRes",  "GetInfo"};

QStringList columnsOf(sqlite3 *db, const QString &table)
{
    QStringList columns;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table).toUtf8().constData(), -1,
                           &statement, nullptr) != SQLITE_OK)
        return columns;
    while (sqlite3_step(statement) == SQLITE_ROW)
        columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
    sqlite3_finalize(statement);
    return columns;
}

int countOf(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    int n = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        n = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return n;
}

bool grow(sqlite3 *db, int grades)
{
    const int base = countOf(db, "SELECT count(*) FROM materials");
    if (base <= 0) {
        fail(QStringLiteral("the demo database holds no grades"));
        return false;
    }
    const int copies = (grades + base - 1) / base; // copy 0 is the demo itself
    QStringList sql = {
        "CREATE TEMP TABLE rank AS SELECT matID AS old, (SELECT count(*) FROM materials b WHERE b.matID < a.matID) AS "
        "r "
        "FROM materials a",
        QStringLiteral("CREATE TEMP TABLE copy AS WITH RECURSIVE c(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM c "
                       "WHERE k + 1 < %1) SELECT k FROM c WHERE %1 > 1")
            .arg(copies),
        QStringLiteral("CREATE TEMP TABLE gmap AS SELECT c.k AS k, r.old AS old, %1 + (c.k - 1) * %2 + r.r AS new "
                       "FROM copy c JOIN rank r WHERE c.k * %2 + r.r < %3")
            .arg(FirstCopyId)
            .arg(base)
            .arg(grades),
        QStringLiteral("CREATE TEMP TABLE smap AS SELECT c.k AS k, s.stID AS oldId, s.stID + c.k * %1 AS newId, "
                       "s.standard AS oldName, s.standard || ' x' || c.k AS newName FROM copy c JOIN standard s")
            .arg(StandardIdStep),
        "CREATE INDEX temp.ix_gmap ON gmap (old, k)",
        "CREATE INDEX temp.ix_smap ON smap (oldName, k)",
    };
    sql << copyStatements();
    for (const char *table : perGradeTables) {
        QStringList columns = columnsOf(db, QString::fromLatin1(table));
        if (columns.isEmpty())
            continue;
        for (QString &column : columns)
            column = column.compare(QLatin1String("matID"), Qt::CaseInsensitive) == 0 ? QStringLiteral("g.new")
                                                                                      : QStringLiteral("t.") + column;
        sql << QStringLiteral("INSERT INTO %1 SELECT %2 FROM %1 t JOIN gmap g ON t.matID = g.old")
                   .arg(QLatin1String(table), columns.join(QStringLiteral(", ")));
    }
    // Fewer grades than the demo: the demo's last ones go, with their rows.
    if (grades < base) {
        sql << QStringLiteral("DELETE FROM materials WHERE matID IN (SELECT old FROM rank WHERE r >= %1)").arg(grades);
        for (const char *table : perGradeTables)
            sql << QStringLiteral("DELETE FROM %1 WHERE matID NOT IN (SELECT matID FROM materials)")
                       .arg(QLatin1String(table));
    }
    for (const QString &statement : std::as_const(sql))
        if (!exec(db, statement))
            return false;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool ok = args.size() == 3;
    const int grades = ok ? args.at(2).toInt(&ok) : 0;
    if (!ok || grades < 1) {
        std::fprintf(stderr, "usage: mkbenchdb <demo database> <output file> <grades>\n");
        return 2;
    }
    const QString output = args.at(1);
    QFile::remove(output);
    if (!QFile::copy(args.at(0), output)) {
        fail(QStringLiteral("cannot copy %1 to %2").arg(args.at(0), output));
        return 1;
    }
    QFile::setPermissions(output, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    sqlite3 *db = nullptr;
    ok = sqlite3_open_v2(QFile::encodeName(output).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    ok = ok && exec(db, QStringLiteral("BEGIN")) && grow(db, grades);
    QString error;
    if (ok && !db::createSchemaIndexes(db, &error)) {
        fail(QStringLiteral("cannot create the indexes: %1").arg(error));
        ok = false;
    }
    ok = ok && exec(db, QStringLiteral("COMMIT")) && exec(db, QStringLiteral("VACUUM"));
    sqlite3_close(db);
    if (!ok) {
        QFile::remove(output);
        return 1;
    }
    return 0;
}
