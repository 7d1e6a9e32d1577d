#pragma once
#include "PrinterDevice.h"

#include <QFont>
#include <QPainter>

class QPagedPaintDevice;

namespace carnelis {

// What the system printer and the PDF file have in common: a QPainter on a paged
// device, centimetres turned into device pixels, the font resolved by Qt.
class PaintedPrinter : public PrinterDevice {
protected:
    // Starts a job and gives the device to draw on; throws RuntimeError when it cannot.
    virtual QPagedPaintDevice *openJob() = 0;
    // The painter has ended: the job goes out (printer) or is made final (file).
    virtual void closeJob() = 0;
    // Nothing of the job may come out; the backend ends the painter when it suits it.
    virtual void discardJob(QPainter &painter) = 0;
    // Before each sheet after the first: a chance to notice the paper has run out.
    virtual void checkBeforeSheet() {}
    // What a device that stops taking pages amounts to.
    virtual void failDrawing() = 0;

    FontUsed resolveFont(const FontRequest &request) override;
    bool hasCharacter(QChar c) override;
    double pageHeight() override;
    double pageWidth() override;
    void beginDocument() override;
    void beginPage() override;
    void drawText(int column, double y, const QString &text) override;
    void drawLine(double x1, double y1, double x2, double y2, Rgb colour) override;
    void endDocument() override;
    void abortDocument() override;

private:
    double pixels(double centimetres) const { return centimetres * pixelsPerCm_; }
    void applyFont();

    QPainter painter_;
    QPagedPaintDevice *device_ = nullptr;
    double pixelsPerCm_ = 1.0;
    QFont font_;
    double ascent_ = 0.0; // centimetres
    double charWidth_ = 0.21;
};

} // namespace carnelis
