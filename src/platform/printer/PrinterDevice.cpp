#include "PrinterDevice.h"

#include "platform/core/Exceptions.h"

namespace plat {

DeviceMetrics TurnMetrics(const DeviceMetrics& p, int rotation)
{
    DeviceMetrics l;
    l.PhysicalWidth = p.PhysicalHeight;
    l.PhysicalHeight = p.PhysicalWidth;
    l.HorzRes = p.VertRes;
    l.VertRes = p.HorzRes;
    if (rotation == 270) {
        l.PhysicalOffsetX = p.PhysicalHeight - p.VertRes - p.PhysicalOffsetY;   // the portrait bottom
        l.PhysicalOffsetY = p.PhysicalOffsetX;                                  // the portrait left
    } else {
        l.PhysicalOffsetX = p.PhysicalOffsetY;                                  // the portrait top
        l.PhysicalOffsetY = p.PhysicalWidth - p.HorzRes - p.PhysicalOffsetX;    // the portrait right
    }
    l.LogPixelsX = p.LogPixelsY;
    l.LogPixelsY = p.LogPixelsX;
    return l;
}

PrinterDevice::PrinterDevice() = default;
PrinterDevice::~PrinterDevice() = default;

void PrinterDevice::DriverValidate(const PrinterNames&, const DevMode&) {}

void PrinterDevice::LoadPrinters()
{
    if (m_loaded)
        return;
    m_printers = DriverPrinters();
    m_names.clear();
    for (const PrinterDescription& p : m_printers)
        m_names.push_back(p.Names.Device);
    m_loaded = true;
}

const std::vector<std::string>& PrinterDevice::Printers()
{
    LoadPrinters();
    return m_names;
}

PrinterNames PrinterDevice::Entry(int index)
{
    LoadPrinters();
    if (index < 0 || index >= static_cast<int>(m_printers.size()))
        throw EListError::IndexOutOfBounds(index);
    return m_printers[static_cast<size_t>(index)].Names;
}

int PrinterDevice::FindPrinter(const std::string& device)
{
    LoadPrinters();
    for (size_t i = 0; i < m_printers.size(); ++i)
        if (m_printers[i].Names.Device == device)
            return static_cast<int>(i);
    return -1;
}

int PrinterDevice::IndexOf(const std::string& device) { return FindPrinter(device); }

void PrinterDevice::RefreshPrinters()
{
    CheckNotPrinting();
    std::string current;
    if (m_loaded && m_index >= 0)
        current = m_printers[static_cast<size_t>(m_index)].Names.Device;
    m_loaded = false;
    LoadPrinters();
    m_index = current.empty() ? -1 : FindPrinter(current);
}

void PrinterDevice::CheckNotPrinting() const
{
    if (m_printing)
        throw EPrinter::Printing();
}

void PrinterDevice::CheckPrinting() const
{
    if (!m_printing)
        throw EPrinter::NotPrinting();
}

int PrinterDevice::GetPrinterIndex()
{
    LoadPrinters();
    if (m_index < 0) {
        for (size_t i = 0; i < m_printers.size(); ++i)
            if (m_printers[i].IsDefault)
                m_index = static_cast<int>(i);
        if (m_index < 0)
            throw EPrinter::NoDefaultPrinter();
    }
    return m_index;
}

void PrinterDevice::SetPrinterIndex(int index)
{
    CheckNotPrinting();
    LoadPrinters();
    if (index == -1) {
        m_index = -1;
        GetPrinterIndex();
        return;
    }
    if (index < 0 || index >= static_cast<int>(m_printers.size()))
        throw EListError::IndexOutOfBounds(index);
    m_index = index;
}

const PrinterNames& PrinterDevice::CurrentNames()
{
    return m_printers[static_cast<size_t>(GetPrinterIndex())].Names;
}

DevMode& PrinterDevice::CurrentBlock()
{
    const PrinterNames& names = CurrentNames();
    auto it = m_blocks.find(names.Device);
    if (it == m_blocks.end())
        it = m_blocks.emplace(names.Device, DriverDefaults(names)).first;
    return it->second;
}

DevMode* PrinterDevice::GetPrinter(PrinterNames& names)
{
    if (PrinterCount() == 0) {
        names = PrinterNames{};
        return nullptr;
    }
    DevMode& block = CurrentBlock();
    names = CurrentNames();
    return &block;
}

void PrinterDevice::SetPrinter(const PrinterNames& names, const DevMode* mode)
{
    CheckNotPrinting();
    int index = FindPrinter(names.Device);
    if (index < 0)
        throw EPrinter::NoDefaultPrinter();
    const PrinterNames& printer = m_printers[static_cast<size_t>(index)].Names;
    DevMode block = mode ? *mode : DriverDefaults(printer);
    if (mode)
        DriverValidate(printer, block);
    m_index = index;
    m_blocks[printer.Device] = block;
}

DevMode* PrinterDevice::BlockForEdit()
{
    if (PrinterCount() == 0)
        throw EPrinter::NoDefaultPrinter();
    PrinterNames names;
    DevMode* mode = GetPrinter(names);
    if (!mode)
        throw EPrinter::NotSupported();
    return mode;
}

PrinterOrientation PrinterDevice::GetOrientation()
{
    DevMode* mode = BlockForEdit();
    return mode->dmOrientation == DMORIENT_LANDSCAPE ? PrinterOrientation::Landscape : PrinterOrientation::Portrait;
}

void PrinterDevice::SetOrientation(PrinterOrientation orientation)
{
    CheckNotPrinting();
    DevMode* mode = BlockForEdit();
    mode->dmFields |= DM_ORIENTATION;
    mode->dmOrientation = orientation == PrinterOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

int PrinterDevice::GetCopies()
{
    DevMode* mode = BlockForEdit();
    return mode->dmCopies;
}

void PrinterDevice::SetCopies(int copies)
{
    CheckNotPrinting();
    DevMode* mode = BlockForEdit();
    mode->dmFields |= DM_COPIES;
    mode->dmCopies = static_cast<int16_t>(static_cast<uint16_t>(copies & 0xFFFF));
}

DeviceMetrics PrinterDevice::GetMetrics()
{
    if (PrinterCount() == 0)
        throw EPrinter::NoDefaultPrinter();
    DevMode& block = CurrentBlock();
    return DriverMetrics(CurrentNames(), block);
}

int PrinterDevice::GetDeviceCaps(int index)
{
    DeviceMetrics m = GetMetrics();
    switch (index) {
    case HORZRES: return m.HorzRes;
    case VERTRES: return m.VertRes;
    case LOGPIXELSX: return m.LogPixelsX;
    case LOGPIXELSY: return m.LogPixelsY;
    case PHYSICALWIDTH: return m.PhysicalWidth;
    case PHYSICALHEIGHT: return m.PhysicalHeight;
    case PHYSICALOFFSETX: return m.PhysicalOffsetX;
    case PHYSICALOFFSETY: return m.PhysicalOffsetY;
    default: return 0;
    }
}

std::unique_ptr<InformationContext> PrinterDevice::CreateIC(const std::string&, const std::string& device,
                                                            const std::string&)
{
    int index = FindPrinter(device);
    if (index < 0)
        return nullptr;
    const PrinterNames& printer = m_printers[static_cast<size_t>(index)].Names;
    if (!DriverReachable(printer))
        return nullptr;
    return std::make_unique<InformationContext>(printer.Device);
}

int PrinterDevice::DeviceCapabilities(const std::string& device, const std::string&, int capability)
{
    int index = FindPrinter(device);
    if (index < 0 || (capability != DC_ORIENTATION && capability != DC_DUPLEX))
        return -1;
    return DriverCapabilities(m_printers[static_cast<size_t>(index)].Names, capability);
}

void PrinterDevice::BeginDoc()
{
    CheckNotPrinting();
    if (PrinterCount() == 0)
        throw EPrinter::NoDefaultPrinter();
    const PrinterNames names = CurrentNames();
    m_sheetMode = CurrentBlock();
    DriverStartDoc(names, m_sheetMode, m_title);
    m_printing = true;
    m_aborted = false;
    m_pageNumber = 0;
    m_pageOpen = false;
    try {
        StartPage();
    } catch (...) {
        Abort();
        throw;
    }
}

void PrinterDevice::EndPage()
{
    CheckPrinting();
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    DriverEndPage();
}

void PrinterDevice::ResetDC(const DevMode& mode)
{
    CheckPrinting();
    m_sheetMode = mode;
}

void PrinterDevice::StartPage()
{
    CheckPrinting();
    if (m_pageOpen)
        EndPage();
    DriverStartPage(m_sheetMode);
    m_pageOpen = true;
    ++m_pageNumber;
}

void PrinterDevice::NewPage()
{
    EndPage();
    StartPage();
}

void PrinterDevice::EndDoc()
{
    CheckPrinting();
    try {
        if (m_pageOpen) {
            m_pageOpen = false;
            DriverEndPage();
        }
        DriverEndDoc();
    } catch (...) {
        DriverAbortDoc();
        m_printing = false;
        m_aborted = true;
        throw;
    }
    m_printing = false;
}

void PrinterDevice::Abort() noexcept
{
    if (!m_printing)
        return;
    DriverAbortDoc();
    m_printing = false;
    m_pageOpen = false;
    m_aborted = true;
}

Surface& PrinterDevice::Canvas() { return DriverCanvas(); }

} // namespace plat
