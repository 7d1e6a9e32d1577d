// Draws the stamp of the main window into a PNG: carnelis-timbre data/timbre.png
// With a size, a square icon of that many pixels, the stamp centred in it (the menu's
// icons are built so): carnelis-timbre carnelis.png 48
#include "StampPainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

namespace {

QImage squareIcon(int size)
{
    const int height = size * 142 / 225; // the stamp's own proportions
    const QImage scaled = carnelis::shell::paintStamp(size, height);
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage(0, (size - height) / 2, scaled);
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const int size = argc == 3 ? std::atoi(argv[2]) : 0;
    if (argc < 2 || argc > 3 || (argc == 3 && (size < 8 || size > 1024))) {
        std::fprintf(stderr, "usage : carnelis-timbre FICHIER.png [TAILLE de 8 à 1024]\n");
        return 2;
    }
    const QImage image = argc == 3 ? squareIcon(size) : carnelis::shell::paintStamp();
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "carnelis-timbre : impossible d'écrire %s\n", argv[1]);
        return 1;
    }
    return 0;
}
