// Makes the installed databases from schema.sql. A database that already
// exists is left alone, so rebuilding never wipes listings or settings.
#include "SchemaMaker.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvento-makedb schema.sql OUTPUT_FOLDER [--force]\n");
        return 2;
    }
    const bool force = argc > 3 && QByteArray(argv[3]) == "--force";
    QString err = orv::tools::makeDatabases(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), force);
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 1;
    }
    return 0;
}
