#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace bench {

// Every statement the program's database connections run while a recording is on: the file of the
// connection and the statement's text. Installed once, before the first connection opens.
void installStatementTrace();

struct Statement
{
    QString file;
    QString sql;
};

class Recording
{
public:
    Recording();  // starts recording (replacing any earlier recording)
    ~Recording(); // stops
    QList<Statement> statements() const;
};

// Runs the statements on fresh raw connections (read-only, immutable, with the engine's LIKE) and
// reads every column of every row: the floor of what the program did. Milliseconds; the connections
// are opened before the clock starts.
double replayMs(const QList<Statement> &statements);

// Median of the values (0 when empty).
double median(QList<double> values);

// Milliseconds one call of fn takes.
double timeMs(const std::function<void()> &fn);

} // namespace bench
