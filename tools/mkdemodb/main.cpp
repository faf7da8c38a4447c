// mkdemodb: builds a database file from SQL text files.
//
//   mkdemodb <output file> [--password <password>] <file.sql>...
//
// Any old output file is deleted first. All statements run in one transaction, in the order of the
// files given; the first failing statement stops the build, names its file and line, and leaves no
// output file behind, so a broken source never yields a half-filled database.

#include "db/Database.h"
#include "db/SchemaIndexes.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include <cstdio>

namespace {

void fail(const QString &text)
{
    std::fprintf(stderr, "mkdemodb: %s\n", qPrintable(text));
}

bool exec(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    fail(QString::fromUtf8(message ? message : sqlite3_errmsg(db)));
    sqlite3_free(message);
    return false;
}

// Line of the first character of the statement that starts at offset (blanks before it skipped).
int lineAt(const QByteArray &text, qsizetype offset)
{
    while (offset < text.size() && QChar::isSpace(uchar(text.at(offset))))
        ++offset;
    return int(text.left(offset).count('\n')) + 1;
}

// Runs every statement of one file; reports the file and line of a failing statement.
bool runFile(sqlite3 *db, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray text = file.readAll();
    const char *begin = text.constData();
    const char *rest = begin;
    while (*rest) {
        sqlite3_stmt *statement = nullptr;
        const char *tail = nullptr;
        const int prepared = sqlite3_prepare_v2(db, rest, -1, &statement, &tail);
        if (prepared != SQLITE_OK) {
            fail(QStringLiteral("%1:%2: %3")
                     .arg(path)
                     .arg(lineAt(text, rest - begin))
                     .arg(QString::fromUtf8(sqlite3_errmsg(db))));
            return false;
        }
        if (!statement) { // only blanks or comments were left
            rest = tail;
            continue;
        }
        int step = sqlite3_step(statement);
        while (step == SQLITE_ROW)
            step = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (step != SQLITE_DONE) {
            fail(QStringLiteral("%1:%2: %3")
                     .arg(path)
                     .arg(lineAt(text, rest - begin))
                     .arg(QString::fromUtf8(sqlite3_errmsg(db))));
            return false;
        }
        rest = tail;
    }
    return true;
}

bool build(const QString &output, const QString &password, const QStringList &sources)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(output).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        fail(QStringLiteral("cannot create %1: %2")
                 .arg(output, QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory")));
        sqlite3_close(db);
        return false;
    }
    bool ok = exec(db, "PRAGMA foreign_keys = OFF") && exec(db, "BEGIN");
    for (const QString &source : sources) {
        if (!ok)
            break;
        ok = runFile(db, source);
    }
    if (ok && !password.isEmpty()) {
        QString error;
        ok = db::writePasswordVerifier(db, password, &error);
        if (!ok)
            fail(QStringLiteral("cannot set the password: %1").arg(error));
    }
    if (ok) {
        QString error;
        ok = db::createSchemaIndexes(db, &error);
        if (!ok)
            fail(QStringLiteral("cannot create the indexes: %1").arg(error));
    }
    if (ok)
        ok = exec(db, "COMMIT");
    else
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (ok)
        ok = exec(db, "VACUUM");
    if (sqlite3_close(db) != SQLITE_OK) {
        fail(QStringLiteral("cannot close %1").arg(output));
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString password;
    const qsizetype at = args.indexOf(QStringLiteral("--password"));
    if (at >= 0) {
        if (at + 1 >= args.size()) {
            fail(QStringLiteral("--password needs a value"));
            return 2;
        }
        password = args.at(at + 1);
        args.remove(at, 2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: mkdemodb <output file> [--password <password>] <file.sql>...\n");
        return 2;
    }
    const QString output = args.takeFirst();
    if (QFile::exists(output) && !QFile::remove(output)) {
        fail(QStringLiteral("cannot delete the old %1").arg(output));
        return 1;
    }
    if (!build(output, password, args)) {
        QFile::remove(output);
        return 1;
    }
    return 0;
}
