#include "FakePrinterDevice.h"

#include "platform/core/Exceptions.h"

namespace plat {

std::vector<std::string> FakeSheet::Lines() const
{
    std::vector<std::string> lines;
    for (const SurfaceRecord& r : Records)
        lines.push_back(r.ToString());
    return lines;
}

FakePrinterDevice::FakePrinterDevice(std::vector<FakePrinter> printers) : m_printers(std::move(printers)) {}

std::unique_ptr<FakePrinterDevice> FakePrinterDevice::WithOnePrinter()
{
    FakePrinter printer;
    printer.IsDefault = true;
    return std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{printer});
}

const FakePrinter& FakePrinterDevice::Find(const PrinterNames& printer) const
{
    for (const FakePrinter& p : m_printers)
        if (p.Names.Device == printer.Device)
            return p;
    throw EPrinter::NoDefaultPrinter();
}

std::vector<PrinterDevice::PrinterDescription> FakePrinterDevice::DriverPrinters()
{
    std::vector<PrinterDescription> list;
    for (const FakePrinter& p : m_printers)
        list.push_back({p.Names, p.IsDefault});
    return list;
}

DevMode FakePrinterDevice::DriverDefaults(const PrinterNames& printer) { return Find(printer).Defaults; }

void FakePrinterDevice::DriverValidate(const PrinterNames& printer, const DevMode&)
{
    if (Find(printer).RejectsBlocks)
        throw EPrinter::NotSupported();
}

DeviceMetrics FakePrinterDevice::DriverMetrics(const PrinterNames& printer, const DevMode& mode)
{
    const FakePrinter& p = Find(printer);
    auto byPaper = p.PortraitByPaper.find(mode.dmPaperSize);
    const DeviceMetrics& portrait = byPaper != p.PortraitByPaper.end() ? byPaper->second : p.Portrait;
    return mode.dmOrientation == DMORIENT_LANDSCAPE ? TurnMetrics(portrait, p.OrientationCapability) : portrait;
}

bool FakePrinterDevice::DriverReachable(const PrinterNames& printer)
{
    ++m_reachabilityChecks;
    return Find(printer).Reachable;
}

int FakePrinterDevice::DriverCapabilities(const PrinterNames& printer, int capability)
{
    const FakePrinter& p = Find(printer);
    return capability == DC_ORIENTATION ? p.OrientationCapability : p.DuplexCapability;
}

void FakePrinterDevice::DriverStartDoc(const PrinterNames& printer, const DevMode& mode, const std::string& title)
{
    m_calls.push_back("StartDoc " + title);
    FakeDocument doc;
    doc.Printer = printer.Device;
    doc.Title = title;
    doc.Mode = mode;
    m_documents.push_back(std::move(doc));
    m_canvas = std::make_unique<RecordingSurface>("TPrinterCanvas");
}

void FakePrinterDevice::DriverStartPage(const DevMode& sheet)
{
    bool landscape = sheet.dmOrientation == DMORIENT_LANDSCAPE;
    m_calls.push_back(landscape ? "StartPage landscape" : "StartPage portrait");
    FakeSheet s;
    s.Orientation = landscape ? PrinterOrientation::Landscape : PrinterOrientation::Portrait;
    s.Mode = sheet;
    m_documents.back().Sheets.push_back(std::move(s));
    m_canvas->ClearLog();
}

void FakePrinterDevice::DriverEndPage()
{
    m_calls.push_back("EndPage");
    m_documents.back().Sheets.back().Records = m_canvas->Records();
    m_canvas->ClearLog();
}

void FakePrinterDevice::DriverEndDoc()
{
    if (m_failEndDoc) {
        std::string message = std::move(*m_failEndDoc);
        m_failEndDoc.reset();
        throw EPrinter(message);
    }
    m_calls.push_back("EndDoc");
    m_documents.back().Result = FakeDocument::State::Sent;
}

void FakePrinterDevice::DriverAbortDoc() noexcept
{
    m_calls.push_back("AbortDoc");
    if (!m_documents.empty()) {
        FakeDocument& doc = m_documents.back();
        if (!doc.Sheets.empty() && doc.Sheets.back().Records.empty())
            doc.Sheets.back().Records = m_canvas->Records();
        doc.Result = FakeDocument::State::Dropped;
    }
    m_canvas->ClearLog();
}

} // namespace plat
