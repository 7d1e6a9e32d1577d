#pragma once
#include "PrinterDevice.h"

#include <memory>

namespace carnelis {

// The printer object of the program: one for the run, the system's default printer
// unless another device was put in its place (a window test puts a recorder there).
PrinterDevice &Printer();

// Puts a device in the place of the printer object and hands back the one it replaces
// (empty when the system printer was never made).
std::unique_ptr<PrinterDevice> replacePrinter(std::unique_ptr<PrinterDevice> device);

} // namespace carnelis
