// Opens a database exclusively, says "locked" and keeps it open until its standard input closes.

#include "db/Database.h"
#include "platform/VbError.h"

#include <QString>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    try {
        auto database =
            db::Database::open(QString::fromLocal8Bit(argv[1]), true, true, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD));
        std::puts("locked");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        database->close();
    } catch (const platform::VbError &e) {
        std::printf("error %d\n", e.number());
        return 1;
    }
    return 0;
}
