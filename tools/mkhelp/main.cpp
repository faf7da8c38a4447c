// mkhelp: writes the program's help file from a folder of sources.
//
//   mkhelp <source folder> <output file>
//
// The folder holds:
//   contents.txt  its first line "title: <the help window's title>"; then one line per entry of
//                 the contents, indented by two blanks per level: "Title | Page.htm", or only
//                 "Title" for a book without its own page
//   index.txt     one line per keyword: "keyword | Page.htm"
//   *.htm         the topic pages
// Lines starting with "#" and empty lines are skipped. The output's layout is described in
// src/core/HelpFile.h. Every page named in the contents or the index must exist.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

bool fail(const QString &message)
{
    std::fprintf(stderr, "mkhelp: %s\n", qPrintable(message));
    return false;
}

bool readLines(const QString &path, QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(path));
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        lines << line;
    }
    return true;
}

bool build(const QString &folder, const QString &output)
{
    const QDir dir(folder);
    const QStringList pages = dir.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
    auto known = [&](const QString &page) {
        for (const QString &p : pages)
            if (p.compare(page, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };

    QStringList contents;
    if (!readLines(dir.filePath(QStringLiteral("contents.txt")), contents))
        return false;
    if (contents.isEmpty() || !contents.first().startsWith(QLatin1String("title:")))
        return fail(QStringLiteral("contents.txt must start with \"title:\""));
    const QString title = contents.takeFirst().mid(6).trimmed();

    QStringList out;
    out << QStringLiteral("VELKOR-HELP 1") << QStringLiteral("::title") << title << QStringLiteral("::contents");
    for (const QString &line : contents) {
        const qsizetype indent = line.size() - QString(line).remove(QRegularExpression(QStringLiteral("^ +"))).size();
        const QStringList parts = line.trimmed().split(QLatin1Char('|'));
        const QString entryTitle = parts.value(0).trimmed();
        const QString page = parts.value(1).trimmed();
        if (!page.isEmpty() && !known(page))
            return fail(QStringLiteral("contents.txt names the missing page %1").arg(page));
        out << QStringLiteral("%1\t%2\t%3").arg(indent / 2).arg(page, entryTitle);
    }

    QStringList index;
    if (!readLines(dir.filePath(QStringLiteral("index.txt")), index))
        return false;
    out << QStringLiteral("::index");
    for (const QString &line : index) {
        const QStringList parts = line.split(QLatin1Char('|'));
        const QString keyword = parts.value(0).trimmed();
        const QString page = parts.value(1).trimmed();
        if (keyword.isEmpty() || page.isEmpty())
            return fail(QStringLiteral("index.txt: \"%1\" is not \"keyword | page\"").arg(line));
        if (!known(page))
            return fail(QStringLiteral("index.txt names the missing page %1").arg(page));
        out << keyword + QLatin1Char('\t') + page;
    }

    for (const QString &page : pages) {
        QStringList lines;
        QFile file(dir.filePath(page));
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1").arg(page));
        QString text = QString::fromUtf8(file.readAll());
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        out << QStringLiteral("::topic ") + page;
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("::")))
                return fail(QStringLiteral("%1: no line of a page may start with \"::\"").arg(page));
            out << line;
        }
    }
    out << QStringLiteral("::end");

    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(output));
    file.write(out.join(QLatin1Char('\n')).toUtf8());
    file.write("\n");
    if (!file.commit())
        return fail(QStringLiteral("cannot write %1").arg(output));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkhelp <source folder> <output file>\n");
        return 2;
    }
    return build(args.at(1), args.at(2)) ? 0 : 1;
}
