#include "CurrentPrinter.h"

#include "platform/core/Exceptions.h"

namespace plat {

namespace {

// The machine without printers: an empty list, and every document refused.
class NoPrinterDevice : public PrinterDevice {
protected:
    std::vector<PrinterDescription> DriverPrinters() override { return {}; }
    DevMode DriverDefaults(const PrinterNames&) override { return DevMode{}; }
    DeviceMetrics DriverMetrics(const PrinterNames&, const DevMode&) override { throw EPrinter::NoDefaultPrinter(); }
    bool DriverReachable(const PrinterNames&) override { return false; }
    int DriverCapabilities(const PrinterNames&, int) override { return -1; }
    void DriverStartDoc(const PrinterNames&, const DevMode&, const std::string&) override
    {
        throw EPrinter::NoDefaultPrinter();
    }
    void DriverStartPage(const DevMode&) override {}
    void DriverEndPage() override {}
    void DriverEndDoc() override {}
    void DriverAbortDoc() noexcept override {}
    Surface& DriverCanvas() override { throw EPrinter::NotPrinting(); }
};

std::unique_ptr<PrinterDevice>& Installed()
{
    static std::unique_ptr<PrinterDevice> device = std::make_unique<NoPrinterDevice>();
    return device;
}

} // namespace

PrinterDevice& CurrentPrinter() { return *Installed(); }

std::unique_ptr<PrinterDevice> InstallPrinter(std::unique_ptr<PrinterDevice> device)
{
    if (!device)
        device = std::make_unique<NoPrinterDevice>();
    std::swap(device, Installed());
    return device;
}

} // namespace plat
