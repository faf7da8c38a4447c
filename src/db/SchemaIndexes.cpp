#include "db/SchemaIndexes.h"

#include <sqlite3.h>

namespace db {

namespace {

struct IndexDef
{
    const char *table;
    const char *columns;
};

// Per-grade tables are read by matID; Chemical by the grade's standard, name and number.
constexpr IndexDef indexDefs[] = {
    {"materials", "matID"},
    {"materials", "standard"},
    // The search's order: its first rows come without sorting every grade.
    {"materials", "standard, name"},
    {"standard", "standard"},
    {"standard", "stID"},
    {"StandardProdForm", "standard"},
    {"StandProdForm", "stID"},
    {"ProdForm", "prodFID"},
    {"Chemical", "standard, name, numbr"},
    {"OtherElem", "mID"},
    {"MechMatTable", "matID"},
    {"MechPropData", "matID, colID"},
    {"CreepPropTable", "stID"},
    {"CreepProperties", "matID, colID"},
    {"Columns", "colID"},
    {"Units", "unitID"},
    {"ImpEnergy", "matID"},
    {"Rp02", "matID"},
    {"Rp10", "matID"},
    {"Rm", "matID"},
    {"ModElast", "matID"},
    {"ThermExp", "matID"},
    {"ThermCond", "matID"},
    {"SpecThermCap", "matID"},
    {"SpecElecRes", "matID"},
    {"MatNotes", "matID"},
    {"TableNotes", "notID"},
    {"GetInfo", "matID"},
    {"InfoTitle", "titleID"},
};

QString indexName(const IndexDef &def)
{
    QString name = QStringLiteral("ix_%1_%2").arg(QLatin1String(def.table), QLatin1String(def.columns));
    name.remove(QLatin1Char(' '));
    name.replace(QLatin1Char(','), QLatin1Char('_'));
    return name;
}

bool tableExists(sqlite3 *db, const char *table)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE", -1,
                           &statement, nullptr) != SQLITE_OK)
        return false;
    sqlite3_bind_text(statement, 1, table, -1, SQLITE_STATIC);
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return found;
}

} // namespace

const QStringList &schemaIndexStatements()
{
    static const QStringList statements = [] {
        QStringList list;
        for (const IndexDef &def : indexDefs)
            list << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                        .arg(indexName(def), QLatin1String(def.table), QLatin1String(def.columns));
        return list;
    }();
    return statements;
}

bool createSchemaIndexes(sqlite3 *db, QString *error)
{
    const QStringList &statements = schemaIndexStatements();
    for (qsizetype i = 0; i < statements.size(); ++i) {
        if (!tableExists(db, indexDefs[i].table))
            continue;
        char *message = nullptr;
        if (sqlite3_exec(db, statements.at(i).toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            if (error)
                *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
            sqlite3_free(message);
            return false;
        }
    }
    return true;
}

} // namespace db
