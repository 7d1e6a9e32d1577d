#include "StampPainter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace carnelis::shell {

namespace {

QFont stampFont(const QString &family, double pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(qMax(6, qRound(pixels)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Holes along the four edges, centred on the edge, the corners included.
void punchPerforations(QPainter &p, const QRectF &sheet, double radius, double pitch)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const int across = qMax(2, qRound(sheet.width() / pitch));
    const int down = qMax(2, qRound(sheet.height() / pitch));
    for (int i = 0; i <= across; ++i) {
        const double x = sheet.left() + sheet.width() * i / across;
        p.drawEllipse(QPointF(x, sheet.top()), radius, radius);
        p.drawEllipse(QPointF(x, sheet.bottom()), radius, radius);
    }
    for (int j = 0; j <= down; ++j) {
        const double y = sheet.top() + sheet.height() * j / down;
        p.drawEllipse(QPointF(sheet.left(), y), radius, radius);
        p.drawEllipse(QPointF(sheet.right(), y), radius, radius);
    }
    p.restore();
}

void paintSeaside(QPainter &p, const QRectF &scene)
{
    p.save();
    p.setClipRect(scene);

    QLinearGradient sky(scene.topLeft(), scene.bottomLeft());
    sky.setColorAt(0.0, QColor(0xF6, 0xC2, 0x6B));
    sky.setColorAt(0.55, QColor(0xF9, 0xE3, 0xB0));
    sky.setColorAt(1.0, QColor(0xF9, 0xE3, 0xB0));
    p.fillRect(scene, sky);

    const double w = scene.width(), h = scene.height();
    const auto at = [&](double fx, double fy) { return QPointF(scene.left() + fx * w, scene.top() + fy * h); };

    // The sun, low over the sea.
    QRadialGradient glow(at(0.70, 0.52), 0.22 * w);
    glow.setColorAt(0.0, QColor(0xE8, 0x50, 0x20));
    glow.setColorAt(0.45, QColor(0xF0, 0x80, 0x30));
    glow.setColorAt(1.0, QColor(0xF0, 0x80, 0x30, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(at(0.70, 0.52), 0.22 * w, 0.22 * w);

    // A headland with its lighthouse on the left.
    QPainterPath cliff;
    cliff.moveTo(at(0.0, 0.40));
    cliff.cubicTo(at(0.12, 0.36), at(0.22, 0.42), at(0.30, 0.60));
    cliff.lineTo(at(0.0, 0.60));
    cliff.closeSubpath();
    p.setBrush(QColor(0x5A, 0x6B, 0x3A));
    p.drawPath(cliff);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(at(0.10, 0.20), at(0.14, 0.38)));
    p.setBrush(QColor(0xC0, 0x20, 0x20));
    p.drawRect(QRectF(at(0.10, 0.26), at(0.14, 0.29)));
    p.drawRect(QRectF(at(0.10, 0.32), at(0.14, 0.35)));
    p.drawPolygon(QPolygonF{at(0.095, 0.20), at(0.12, 0.14), at(0.145, 0.20)});

    // The sea, in bands.
    const QColor blues[] = {QColor(0x1F, 0x5F, 0x9F), QColor(0x17, 0x4C, 0x86), QColor(0x10, 0x3A, 0x6C)};
    for (int band = 0; band < 3; ++band) {
        const double top = 0.58 + band * 0.14;
        QPainterPath wave;
        wave.moveTo(at(0.0, top));
        for (int k = 0; k < 6; ++k) {
            const double x0 = k / 6.0, x1 = (k + 1) / 6.0;
            wave.quadTo(at((x0 + x1) / 2, top - 0.03), at(x1, top));
        }
        wave.lineTo(at(1.0, 1.0));
        wave.lineTo(at(0.0, 1.0));
        wave.closeSubpath();
        p.setBrush(blues[band]);
        p.drawPath(wave);
    }

    // A sailing boat.
    p.setBrush(QColor(0x3B, 0x22, 0x10));
    p.drawPolygon(QPolygonF{at(0.38, 0.66), at(0.62, 0.66), at(0.58, 0.74), at(0.42, 0.74)});
    p.setPen(QPen(QColor(0x3B, 0x22, 0x10), qMax(1.0, w / 180)));
    p.drawLine(at(0.50, 0.66), at(0.50, 0.18));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFB, 0xF7, 0xEC));
    p.drawPolygon(QPolygonF{at(0.51, 0.20), at(0.51, 0.63), at(0.64, 0.63)});
    p.drawPolygon(QPolygonF{at(0.49, 0.24), at(0.49, 0.63), at(0.39, 0.63)});

    // Two gulls.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), qMax(1.0, w / 200)));
    p.setBrush(Qt::NoBrush);
    for (const QPointF c : {at(0.80, 0.22), at(0.88, 0.30)}) {
        QPainterPath gull;
        gull.moveTo(c + QPointF(-0.03 * w, 0));
        gull.quadTo(c + QPointF(-0.015 * w, -0.04 * h), c);
        gull.quadTo(c + QPointF(0.015 * w, -0.04 * h), c + QPointF(0.03 * w, 0));
        p.drawPath(gull);
    }
    p.restore();
}

} // namespace

QImage paintStamp(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const double unit = qMin(width, height) / 142.0;
    const double radius = 3.2 * unit;
    const QRectF sheet(radius, radius, width - 2 * radius, height - 2 * radius);

    // Paper, a little warm, with a faint shadow so it lifts off the window.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRect(sheet.translated(1.5 * unit, 1.5 * unit));
    p.setBrush(QColor(0xFD, 0xFA, 0xF0));
    p.drawRect(sheet);
    punchPerforations(p, sheet, radius, 9.5 * unit);

    // The printed area: a frame in the stamp's ink, the motif, the texts.
    const QColor ink(0x7A, 0x1F, 0x2B);
    const QRectF frame = sheet.adjusted(7 * unit, 7 * unit, -7 * unit, -7 * unit);
    p.setBrush(ink);
    p.drawRect(frame);
    const QRectF scene = frame.adjusted(3 * unit, 3 * unit, -3 * unit, -18 * unit);
    paintSeaside(p, scene);

    p.setPen(QColor(0xFD, 0xFA, 0xF0));
    const QRectF band(frame.left() + 5 * unit, scene.bottom(), frame.width() - 10 * unit,
                      frame.bottom() - scene.bottom());
    p.setFont(stampFont(QStringLiteral("Liberation Serif"), 11 * unit, true));
    p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CARNELIS · POSTES 2003"));
    p.setFont(stampFont(QStringLiteral("Liberation Sans"), 13 * unit, true));
    p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0,50 €"));

    // The face value again, large, in the sky corner as on many pictorial stamps.
    p.setFont(stampFont(QStringLiteral("Liberation Serif"), 9 * unit, true));
    p.setPen(ink);
    p.drawText(scene.adjusted(0, 2 * unit, -4 * unit, 0), Qt::AlignRight | Qt::AlignTop, QStringLiteral("LE PHARE"));
    p.end();
    return image;
}

} // namespace carnelis::shell
