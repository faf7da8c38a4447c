// velkorbench: times the program's main paths on one material database, on the window system it is
// given (offscreen when none is set).
//
//   velkorbench --db <file> --grades <N> --bin <program folder> [--jet <folder>] [--runs <R>]
//               [--results <file>] [--only <operation>,...]
//
// Prints one line per operation (see BenchOps.h) and exits 0 whatever the times; 1 only when the
// benchmark itself cannot run. --results writes what each operation produced, one line each, for
// comparing runs on databases of different sizes. Started with --child startup|first_start
// --program <folder> it is one timed start of the program (see runStartChild).

#include "BenchOps.h"
#include "BenchTrace.h"

#include "platform/VbError.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::installStatementTrace();
    QApplication app(argc, argv);

    bench::Options options;
    QString child, childProgram;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString &key = args.at(i);
        const QString &value = args.at(i + 1);
        if (key == QLatin1String("--db"))
            options.database = value;
        else if (key == QLatin1String("--grades"))
            options.grades = value.toInt();
        else if (key == QLatin1String("--bin"))
            options.binFolder = value;
        else if (key == QLatin1String("--jet"))
            options.jetFolder = value;
        else if (key == QLatin1String("--runs"))
            options.runs = value.toInt();
        else if (key == QLatin1String("--results"))
            options.resultsFile = value;
        else if (key == QLatin1String("--only"))
            options.only = value.split(u',');
        else if (key == QLatin1String("--child"))
            child = value;
        else if (key == QLatin1String("--program"))
            childProgram = value;
    }
    if (!child.isEmpty())
        return bench::runStartChild(childProgram, child == QLatin1String("startup"));
    if (options.database.isEmpty() || options.binFolder.isEmpty() || options.grades < 1 || options.runs < 1) {
        std::fprintf(stderr, "usage: velkorbench --db <file> --grades <N> --bin <program folder> [--jet <folder>] "
                             "[--runs <R>] [--results <file>] [--only <operation>,...]\n");
        return 1;
    }

    QList<bench::Line> lines;
    try {
        bench::Session session(options);
        if (!session.isValid()) {
            std::fprintf(stderr, "velkorbench: cannot prepare a program folder for %s\n", qPrintable(options.database));
            return 1;
        }
        lines = session.run();
    } catch (const platform::VbError &e) {
        std::fprintf(stderr, "velkorbench: error %d %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    if (!options.resultsFile.isEmpty()) {
        QFile file(options.resultsFile);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return 1;
        QTextStream out(&file);
        for (const bench::Line &line : std::as_const(lines))
            out << line.op << ": " << (line.verdict.startsWith(QLatin1String("SKIP")) ? line.verdict : line.result)
                << '\n';
    }
    return 0;
}
