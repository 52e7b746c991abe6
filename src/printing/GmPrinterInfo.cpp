#include "GmPrinterInfo.h"

#include "platform/core/Exceptions.h"
#include "platform/printer/CurrentPrinter.h"

using plat::CurrentPrinter;

TGmPrinterInfo::TGmPrinterInfo()
{
    CheckPrinter();
    RefreshMetrics();
    m_noPrinter = false;
}

void TGmPrinterInfo::EnsureMetrics()
{
    if (!m_initialised)
        RefreshMetrics();
}

void TGmPrinterInfo::LoadDefaultMetrics()
{
    m_physicalWidth = 2481;
    m_physicalHeight = 3507;
    m_marginLeft = 65;
    m_marginTop = 50;
    m_marginRight = 58;
    m_marginBottom = 50;
    m_printableWidth = m_physicalWidth - m_marginLeft - m_marginRight;
    m_printableHeight = m_physicalHeight - m_marginTop - m_marginBottom;
    m_logPixelsX = 300;
    m_logPixelsY = 300;
    m_landscapeRotation = 1;
}

void TGmPrinterInfo::RefreshMetrics()
{
    plat::PrinterDevice& printer = CurrentPrinter();
    bool readBefore = m_initialised;
    m_initialised = true;
    if (printer.PrinterCount() == 0 || m_noPrinter) {
        LoadDefaultMetrics();
        return;
    }
    if (printer.Printing()) {
        // The running document's sheets may be turned; the metrics read before it started stay right.
        if (readBefore)
            return;
        ReadMetrics();
        return;
    }
    plat::PrinterOrientation remembered;
    try {
        remembered = printer.GetOrientation();
    } catch (const plat::EPrinter&) {
        // No default printer, or a printer without a settings block: nothing to measure.
        LoadDefaultMetrics();
        return;
    }
    try {
        printer.SetOrientation(plat::PrinterOrientation::Portrait);
        ReadMetrics();
    } catch (...) {
        if (!printer.Printing())
            printer.SetOrientation(remembered);
        throw;
    }
    if (!printer.Printing())
        printer.SetOrientation(remembered);
}

void TGmPrinterInfo::ReadMetrics()
{
    plat::DeviceMetrics m = CurrentPrinter().GetMetrics();
    m_physicalWidth = m.PhysicalWidth;
    m_physicalHeight = m.PhysicalHeight;
    m_printableWidth = m.HorzRes;
    m_printableHeight = m.VertRes;
    m_marginLeft = m.PhysicalOffsetX;
    m_marginTop = m.PhysicalOffsetY;
    // The right margin is what lies right of the printable area; printers with unequal side margins exist.
    m_marginRight = m_physicalWidth - m_printableWidth - m_marginLeft;
    m_marginBottom = m_physicalHeight - m_printableHeight - m_marginTop;
    m_logPixelsX = m.LogPixelsX;
    m_logPixelsY = m.LogPixelsY;
    m_landscapeRotation = GetLandscapeRotation();
}

void TGmPrinterInfo::CheckPrinter()
{
    if (CurrentPrinter().PrinterCount() > 0) {
        try {
            m_noPrinter = CreatePrinterIC() == nullptr;
        } catch (const plat::EPrinter&) {
            // Printers but none chosen as the default: nothing to reach.
            m_noPrinter = true;
        }
    }
    RefreshMetrics();
}

std::unique_ptr<plat::InformationContext> TGmPrinterInfo::CreatePrinterIC()
{
    plat::PrinterDevice& printer = CurrentPrinter();
    plat::PrinterNames names = printer.Entry(printer.GetPrinterIndex());
    return printer.CreateIC(names.Driver, names.Device, names.Port);
}

bool TGmPrinterInfo::PrinterAvailable()
{
    if (CurrentPrinter().PrinterCount() == 0)
        return false;
    try {
        return CreatePrinterIC() != nullptr;
    } catch (const plat::EPrinter&) {
        return false;
    }
}

bool TGmPrinterInfo::LockDevMode()
{
    DevModeHandle = nullptr;
    plat::PrinterDevice& printer = CurrentPrinter();
    if (printer.PrinterCount() == 0)
        return false;
    plat::PrinterNames names;
    try {
        DevModeHandle = printer.GetPrinter(names);
    } catch (const plat::EPrinter&) {
        return false;
    }
    Device = names.Device;
    Driver = names.Driver;
    Port = names.Port;
    if (!DevModeHandle)
        return false;
    DevMode = DevModeHandle;
    return true;
}

void TGmPrinterInfo::UnlockDevMode()
{
    plat::PrinterDevice& printer = CurrentPrinter();
    if (!printer.Printing() && DevModeHandle) {
        plat::PrinterNames names{Device, Driver, Port};
        try {
            printer.SetPrinter(names, DevModeHandle);
        } catch (const plat::Exception&) {
            // The printer refused the edited block: its own defaults replace every setting made so far.
            printer.SetPrinter(names, nullptr);
        }
    }
    DevMode = nullptr;
}

int TGmPrinterInfo::GetLandscapeRotation()
{
    if (!LockDevMode())
        return 0;
    int rotation = 0;
    try {
        int answer = CurrentPrinter().DeviceCapabilities(Device, Port, plat::DC_ORIENTATION);
        rotation = answer == 90 ? 1 : answer == 270 ? 2 : 0;
    } catch (...) {
        UnlockDevMode();
        throw;
    }
    UnlockDevMode();
    return rotation;
}

plat::Rect TGmPrinterInfo::GetPrinterMargins(bool landscape)
{
    EnsureMetrics();
    plat::Rect r{m_marginLeft, m_marginTop, m_marginRight, m_marginBottom};
    // Turned as the printer turns landscape; the usual turn also when it cannot say.
    if (landscape && m_landscapeRotation == 2)
        r = plat::Rect{m_marginBottom, m_marginLeft, m_marginTop, m_marginRight};
    else if (landscape)
        r = plat::Rect{m_marginTop, m_marginRight, m_marginBottom, m_marginLeft};
    return r;
}

TGmRect TGmPrinterInfo::GetPrinterMarginsInches(bool landscape)
{
    plat::Rect r = GetPrinterMargins(landscape);
    Extended ppiX = PixelsPerInchX();
    Extended ppiY = PixelsPerInchY();
    return TGmRect{r.Left / ppiX, r.Top / ppiY, r.Right / ppiX, r.Bottom / ppiY};
}

bool TGmPrinterInfo::DeviceInLandscape()
{
    plat::PrinterDevice& printer = CurrentPrinter();
    if (printer.PrinterCount() == 0)
        return false;
    try {
        plat::PrinterNames names;
        const plat::DevMode* mode = printer.GetPrinter(names);
        return mode && mode->dmOrientation == plat::DMORIENT_LANDSCAPE;
    } catch (const plat::EPrinter&) {
        return false;
    }
}

Extended TGmPrinterInfo::PaperWidthInches()
{
    EnsureMetrics();
    if (DeviceInLandscape())
        return static_cast<Extended>(m_physicalHeight) / m_logPixelsY;
    return static_cast<Extended>(m_physicalWidth) / m_logPixelsX;
}

Extended TGmPrinterInfo::PaperHeightInches()
{
    EnsureMetrics();
    if (DeviceInLandscape())
        return static_cast<Extended>(m_physicalWidth) / m_logPixelsX;
    return static_cast<Extended>(m_physicalHeight) / m_logPixelsY;
}

int TGmPrinterInfo::PixelsPerInchX()
{
    EnsureMetrics();
    return DeviceInLandscape() ? m_logPixelsY : m_logPixelsX;
}

int TGmPrinterInfo::PixelsPerInchY()
{
    EnsureMetrics();
    return DeviceInLandscape() ? m_logPixelsX : m_logPixelsY;
}

int TGmPrinterInfo::PhysicalWidth() { EnsureMetrics(); return m_physicalWidth; }
int TGmPrinterInfo::PhysicalHeight() { EnsureMetrics(); return m_physicalHeight; }
int TGmPrinterInfo::PrintableWidth() { EnsureMetrics(); return m_printableWidth; }
int TGmPrinterInfo::PrintableHeight() { EnsureMetrics(); return m_printableHeight; }
int TGmPrinterInfo::MarginLeft() { EnsureMetrics(); return m_marginLeft; }
int TGmPrinterInfo::MarginTop() { EnsureMetrics(); return m_marginTop; }
int TGmPrinterInfo::MarginRight() { EnsureMetrics(); return m_marginRight; }
int TGmPrinterInfo::MarginBottom() { EnsureMetrics(); return m_marginBottom; }
int TGmPrinterInfo::LogPixelsX() { EnsureMetrics(); return m_logPixelsX; }
int TGmPrinterInfo::LogPixelsY() { EnsureMetrics(); return m_logPixelsY; }
int TGmPrinterInfo::LandscapeRotation() { EnsureMetrics(); return m_landscapeRotation; }
