// Draws the stamp of the main window into a PNG: carnelis-timbre data/timbre.png
#include "StampPainter.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage : carnelis-timbre FICHIER.png\n");
        return 2;
    }
    if (!carnelis::shell::paintStamp().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "carnelis-timbre : impossible d'écrire %s\n", argv[1]);
        return 1;
    }
    return 0;
}
