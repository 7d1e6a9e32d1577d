#include "SystemPrinter.h"

#include "CupsPaper.h"
#include "RuntimeError.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace carnelis {

namespace {
RuntimeError notAnswering()
{
    return RuntimeError(err::DeviceNotAnswering, QStringLiteral("L'imprimante ne répond pas."));
}
} // namespace

SystemPrinter::SystemPrinter() = default;

SystemPrinter::~SystemPrinter() { KillDoc(); }

QPagedPaintDevice *SystemPrinter::openJob()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw notAnswering();
    printerName_ = info.printerName();
    checkReadiness();
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer_->setDocName(QStringLiteral("CARNELIS"));
    if (!printer_->isValid())
        throw notAnswering();
    return printer_.get();
}

void SystemPrinter::closeJob()
{
    const bool failed = printer_->printerState() == QPrinter::Error;
    printer_.reset();
    if (failed)
        throw notAnswering();
}

void SystemPrinter::discardJob(QPainter &painter)
{
    if (printer_ && painter.isActive())
        printer_->abort();
    if (painter.isActive())
        painter.end();
    printer_.reset();
}

void SystemPrinter::checkBeforeSheet() { checkReadiness(); }

void SystemPrinter::failDrawing() { throw notAnswering(); }

void SystemPrinter::checkReadiness() const
{
    switch (cupsReadiness(printerName_)) {
    case CupsReadiness::OutOfPaper:
        throw RuntimeError(err::OutOfPaper, QStringLiteral("L'imprimante manque de papier."));
    case CupsReadiness::Stopped:
        throw notAnswering();
    case CupsReadiness::Unknown:
    case CupsReadiness::Ready:
        break;
    }
}

} // namespace carnelis
