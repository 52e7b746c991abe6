#pragma once
// The printer device the engine prints on. The program installs the CUPS device at start; tests install a
// FakePrinterDevice. Until one is installed the device has no printer at all.

#include "PrinterDevice.h"

#include <memory>

namespace plat {

PrinterDevice& CurrentPrinter();
// Installs device (null installs the device without printers) and answers the previous one.
std::unique_ptr<PrinterDevice> InstallPrinter(std::unique_ptr<PrinterDevice> device);

} // namespace plat
