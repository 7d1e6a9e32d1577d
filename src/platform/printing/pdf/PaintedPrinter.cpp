#include "PaintedPrinter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>
#include <QRawFont>

namespace carnelis {

namespace {
constexpr double CmPerPoint = 2.54 / 72.0;
// Metrics are taken on a large pixel size so that they do not depend on any screen.
constexpr int ProbePixels = 1000;
} // namespace

PrinterDevice::FontUsed PaintedPrinter::resolveFont(const FontRequest &request)
{
    QFont font(printerFontFamily(request.name));
    font.setStyleHint(QFont::TypeWriter);
    // Fixed columns need no shaping nor kerning, and shaping is much of the drawing time.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setKerning(false);
    font.setPointSizeF(request.size);
    font.setBold(request.bold);
    font.setItalic(request.italic);
    font.setUnderline(request.underline);
    font.setStrikeOut(request.strikethrough);

    QFont probe(font);
    probe.setPixelSize(ProbePixels);
    const QFontMetricsF metrics(probe);
    const double perPixel = request.size * CmPerPoint / ProbePixels;

    FontUsed used;
    const QFontInfo info(font);
    used.name = info.family();
    // Scalable fonts are drawn at the size asked; a bitmap font only at its own sizes.
    used.size = QFontDatabase::isSmoothlyScalable(used.name) ? request.size : info.pointSizeF();
    used.lineHeight = metrics.height() * perPixel;
    used.charWidth = metrics.horizontalAdvance(QLatin1Char('M')) * perPixel;
    font_ = font;
    ascent_ = metrics.ascent() * perPixel;
    charWidth_ = used.charWidth;
    if (painter_.isActive())
        applyFont();
    return used;
}

// The font itself, not the fonts Qt would fall back on for a missing glyph (which the
// font metrics count in).
bool PaintedPrinter::hasCharacter(QChar c) { return QRawFont::fromFont(font_).supportsCharacter(c); }

void PaintedPrinter::applyFont() { painter_.setFont(font_); }

double PaintedPrinter::pageHeight()
{
    if (!device_)
        return 0.0;
    return device_->pageLayout().paintRect(QPageLayout::Millimeter).height() / 10.0;
}

double PaintedPrinter::pageWidth()
{
    if (!device_)
        return 0.0;
    return device_->pageLayout().paintRect(QPageLayout::Millimeter).width() / 10.0;
}

void PaintedPrinter::beginDocument()
{
    device_ = openJob();
    pixelsPerCm_ = device_->logicalDpiY() / 2.54;
    if (!painter_.begin(device_)) {
        device_ = nullptr;
        failDrawing();
    }
    painter_.setRenderHint(QPainter::TextAntialiasing);
    applyFont();
}

void PaintedPrinter::beginPage()
{
    checkBeforeSheet();
    if (!device_->newPage())
        failDrawing();
}

void PaintedPrinter::drawText(int column, double y, const QString &text)
{
    painter_.drawText(QPointF(pixels((column - 1) * charWidth_), pixels(y + ascent_)), text);
}

void PaintedPrinter::drawLine(double x1, double y1, double x2, double y2, Rgb colour)
{
    QPen pen{QColor(colour)};
    pen.setWidthF(pixels(0.02));
    painter_.setPen(pen);
    painter_.drawLine(QPointF(pixels(x1), pixels(y1)), QPointF(pixels(x2), pixels(y2)));
    painter_.setPen(QPen(Qt::black));
}

void PaintedPrinter::endDocument()
{
    device_ = nullptr;
    const bool drawn = painter_.end();
    if (!drawn) {
        discardJob(painter_);
        failDrawing();
    }
    closeJob();
}

void PaintedPrinter::abortDocument()
{
    device_ = nullptr;
    discardJob(painter_);
}

} // namespace carnelis
