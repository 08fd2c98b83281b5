// Lays out the logos of the shipped channels in the application folder, so
// the grid, the pop-ups and the channel card show them from the first start.
#include "LogoLayout.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvento-logos schema.sql LOGO_FOLDER\n");
        return 2;
    }
    // The logos are drawn with fonts, off any screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString err =
        orv::tools::layOutLogos(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 1;
    }
    return 0;
}
