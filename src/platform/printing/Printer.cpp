#include "Printer.h"

#include "SystemPrinter.h"

namespace carnelis {

namespace {
std::unique_ptr<PrinterDevice> &slot()
{
    static std::unique_ptr<PrinterDevice> device;
    return device;
}
} // namespace

PrinterDevice &Printer()
{
    auto &device = slot();
    if (!device)
        device = std::make_unique<SystemPrinter>();
    return *device;
}

std::unique_ptr<PrinterDevice> replacePrinter(std::unique_ptr<PrinterDevice> device)
{
    std::swap(slot(), device);
    return device;
}

} // namespace carnelis
