// db_lock_holder <path> exclusive|shared [connect [import program]]
// Opens the database, prints "open" (or "error <number>") and keeps it open until stdin closes. A
// Jet file is imported by the import program given, if any.

#include "db/Database.h"
#include "db/JetChildren.h"
#include "platform/VbError.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: db_lock_holder <path> exclusive|shared [connect [import program]]\n");
        return 2;
    }
    if (argc > 4)
        db::jet::setImportProgram(QString::fromLocal8Bit(argv[4]));
    std::shared_ptr<db::Database> database;
    try {
        database = db::Database::open(QString::fromLocal8Bit(argv[1]), std::string(argv[2]) == "exclusive", true,
                                      argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
        std::printf("open\n");
    } catch (const platform::VbError &e) {
        std::printf("error %d\n", e.number());
    }
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return database ? 0 : 1;
}
