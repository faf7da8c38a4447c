#include "SchemaFixture.h"

#include "db/Database.h"

#include <QFile>
#include <QtGlobal>
#include <sqlite3.h>

namespace testsupport {

bool buildSchemaDatabase(const QString &path, const QStringList &statements)
{
    QFile schema(QStringLiteral(VELKOR_SOURCE_DIR "/data/velkor_ped/00_schema.sql"));
    if (!schema.open(QIODevice::ReadOnly)) {
        qWarning("fixture: cannot read %s", qPrintable(schema.fileName()));
        return false;
    }
    QFile::remove(path);
    sqlite3 *handle = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        qWarning("fixture: cannot create %s", qPrintable(path));
        sqlite3_close(handle);
        return false;
    }
    bool ok = true;
    for (const QString &sql : QStringList{QString::fromUtf8(schema.readAll())} + statements) {
        char *error = nullptr;
        if (sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            qWarning("fixture: %s in %s", error, qPrintable(sql.left(200)));
            sqlite3_free(error);
            ok = false;
        }
    }
    sqlite3_close(handle);
    return ok;
}

bool execSql(const QString &path, const QStringList &statements, QString *error, const QString &password)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return false;
    }
    bool ok = true;
    for (const QString &sql : statements) {
        char *message = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            if (error)
                *error = QString::fromUtf8(message) + QStringLiteral(" in ") + sql;
            sqlite3_free(message);
            ok = false;
            break;
        }
    }
    if (ok && !password.isEmpty())
        ok = db::writePasswordVerifier(db, password, error);
    sqlite3_close(db);
    return ok;
}

} // namespace testsupport
