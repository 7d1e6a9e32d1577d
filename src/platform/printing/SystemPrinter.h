#pragma once
#include "PaintedPrinter.h"

#include <memory>

class QPrinter;

namespace carnelis {

// The system's default printer through Qt and CUPS. No printer, or CUPS not answering,
// is a device that does not answer; a printer CUPS reports without paper is out of paper.
class SystemPrinter : public PaintedPrinter {
public:
    SystemPrinter();
    ~SystemPrinter() override;

protected:
    QPagedPaintDevice *openJob() override;
    void closeJob() override;
    void discardJob(QPainter &painter) override;
    void checkBeforeSheet() override;
    void failDrawing() override;

private:
    void checkReadiness() const;

    QString printerName_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace carnelis
