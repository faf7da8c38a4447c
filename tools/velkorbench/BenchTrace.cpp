#include "BenchTrace.h"

#include "db/JetLike.h"

#include <QElapsedTimer>
#include <QHash>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace bench {

namespace {

bool g_recording = false;
QList<Statement> g_statements;

int onTrace(unsigned type, void *, void *p, void *x)
{
    if (!g_recording || type != SQLITE_TRACE_STMT)
        return 0;
    auto *statement = static_cast<sqlite3_stmt *>(p);
    const char *text = static_cast<const char *>(x);
    if (text && text[0] == '-' && text[1] == '-') // a trigger's comment, not a statement of ours
        return 0;
    sqlite3 *db = sqlite3_db_handle(statement);
    const char *file = sqlite3_db_filename(db, "main");
    g_statements.append({QString::fromUtf8(file ? file : ""), QString::fromUtf8(sqlite3_sql(statement))});
    return 0;
}

int onConnection(sqlite3 *db, char **, const void *)
{
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, onTrace, nullptr);
    return SQLITE_OK;
}

} // namespace

void installStatementTrace()
{
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(&onConnection));
}

Recording::Recording()
{
    g_statements.clear();
    g_recording = true;
}

Recording::~Recording()
{
    g_recording = false;
}

QList<Statement> Recording::statements() const
{
    return g_statements;
}

double replayMs(const QList<Statement> &statements)
{
    const bool was = g_recording;
    g_recording = false;
    QHash<QString, sqlite3 *> connections;
    for (const Statement &s : statements) {
        if (connections.contains(s.file))
            continue;
        sqlite3 *db = nullptr;
        const QByteArray uri = "file:" + QUrl::toPercentEncoding(s.file, "/") + "?mode=ro&immutable=1";
        sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
        db::detail::registerJetLike(db);
        db::detail::registerShortDate(db);
        connections.insert(s.file, db);
    }
    QList<QByteArray> texts;
    for (const Statement &s : statements)
        texts.append(s.sql.toUtf8());

    // VELKORBENCH_SLOW_MS=<ms> names every statement slower than that on the error output.
    bool reportSlow = false;
    const double slowMs = qEnvironmentVariableIntValue("VELKORBENCH_SLOW_MS", &reportSlow);
    QElapsedTimer clock, one;
    clock.start();
    for (qsizetype i = 0; i < statements.size(); ++i) {
        one.start();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(connections.value(statements.at(i).file), texts.at(i).constData(), -1, &stmt, nullptr) !=
            SQLITE_OK) {
            sqlite3_finalize(stmt);
            continue;
        }
        const int columns = sqlite3_column_count(stmt);
        qint64 bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < columns; ++c)
                bytes += sqlite3_column_type(stmt, c) == SQLITE_TEXT ? sqlite3_column_bytes(stmt, c)
                                                                     : sqlite3_column_int64(stmt, c) & 1;
        sqlite3_finalize(stmt);
        Q_UNUSED(bytes);
        if (reportSlow && double(one.nsecsElapsed()) / 1e6 >= slowMs)
            std::fprintf(stderr, "slow statement %.1f ms: %s\n", double(one.nsecsElapsed()) / 1e6,
                         texts.at(i).constData());
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    for (sqlite3 *db : std::as_const(connections))
        sqlite3_close(db);
    g_recording = was;
    return ms;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

double timeMs(const std::function<void()> &fn)
{
    QElapsedTimer clock;
    clock.start();
    fn();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace bench
