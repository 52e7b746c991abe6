#include "GmPrinter.h"

#include "platform/core/Exceptions.h"
#include "platform/core/MessagePresenter.h"
#include "platform/core/Rounding.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/surface/Surface.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

using plat::CurrentPrinter;

namespace {

// Setting value <-> block value. The first row of each table is what an unknown block value reads as.
template <class Setting, class Raw, size_t N>
Raw ToBlock(const std::array<std::pair<Setting, Raw>, N>& table, Setting value)
{
    for (const auto& [setting, raw] : table)
        if (setting == value)
            return raw;
    return table[0].second;
}

template <class Setting, class Raw, size_t N>
Setting FromBlock(const std::array<std::pair<Setting, Raw>, N>& table, Raw value, Setting otherwise)
{
    for (const auto& [setting, raw] : table)
        if (raw == value)
            return setting;
    return otherwise;
}

constexpr std::array<std::pair<TGmDuplexType, int16_t>, 3> DuplexTable{{
    {gmSimplex, plat::DMDUP_SIMPLEX},
    {gmHorzDuplex, plat::DMDUP_HORIZONTAL},
    {gmVertDuplex, plat::DMDUP_VERTICAL},
}};

constexpr std::array<std::pair<TGmPrintColor, int16_t>, 2> ColorTable{{
    {gmColor, plat::DMCOLOR_COLOR},
    {gmMonochrome, plat::DMCOLOR_MONOCHROME},
}};

constexpr std::array<std::pair<TGmDitherType, uint32_t>, 5> DitherTable{{
    {gmNone, plat::DMDITHER_NONE},
    {gmCourse, plat::DMDITHER_COARSE},
    {gmFine, plat::DMDITHER_FINE},
    {gmLineArt, plat::DMDITHER_LINEART},
    {gmGrayScale, plat::DMDITHER_GRAYSCALE},
}};

constexpr std::array<std::pair<TGmPrintQuality, int16_t>, 4> QualityTable{{
    {gmDraft, plat::DMRES_DRAFT},
    {gmLow, plat::DMRES_LOW},
    {gmMedium, plat::DMRES_MEDIUM},
    {gmHigh, plat::DMRES_HIGH},
}};

constexpr std::array<std::pair<TGmPaperSize, int16_t>, 18> PaperTable{{
    {A3, plat::DMPAPER_A3},
    {A4, plat::DMPAPER_A4},
    {A5, plat::DMPAPER_A5},
    {A6, plat::DMPAPER_A6},
    {B5, plat::DMPAPER_B5},
    {C5, plat::DMPAPER_ENV_C5},
    {Legal, plat::DMPAPER_LEGAL},
    {Letter, plat::DMPAPER_LETTER},
    {Custom, -1},
    {B4, plat::DMPAPER_B4},
    {Envelope_09, plat::DMPAPER_ENV_9},
    {Envelope_10, plat::DMPAPER_ENV_10},
    {Envelope_11, plat::DMPAPER_ENV_11},
    {Envelope_12, plat::DMPAPER_ENV_12},
    {Envelope_14, plat::DMPAPER_ENV_14},
    {Tabloid, plat::DMPAPER_TABLOID},
    {Ledger, plat::DMPAPER_LEDGER},
    {Executive, plat::DMPAPER_EXECUTIVE},
}};

TGmOrientation Turned(TGmOrientation o) { return o == gmPortrait ? gmLandscape : gmPortrait; }

plat::PrinterOrientation ToDevice(TGmOrientation o)
{
    return o == gmLandscape ? plat::PrinterOrientation::Landscape : plat::PrinterOrientation::Portrait;
}

} // namespace

int16_t PaperSizeToDevMode(TGmPaperSize paperSize) { return ToBlock(PaperTable, paperSize); }

bool IsPrinterCanvas(const plat::Surface& canvas)
{
    std::string name = canvas.ClassName();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name == "tprintercanvas";
}

plat::PrinterDevice& PrinterHandle() { return CurrentPrinter(); }

TGmPrinter::TGmPrinter() : m_printerInfo(std::make_unique<TGmPrinterInfo>()), m_title("<document>")
{
    if (CurrentPrinter().PrinterCount() > 0)
        m_printerInfo->CheckPrinter();
}

TGmPrinter::~TGmPrinter() = default;

template <class Edit>
bool TGmPrinter::WithDevMode(uint32_t field, Edit edit)
{
    TGmPrinterInfo& info = *m_printerInfo;
    if (!info.LockDevMode())
        return false;
    try {
        info.DevMode->dmFields |= field;
        edit(*info.DevMode);
    } catch (...) {
        info.UnlockDevMode();
        throw;
    }
    info.UnlockDevMode();
    return true;
}

bool TGmPrinter::GetCollate()
{
    bool value = false;
    WithDevMode(plat::DM_COLLATE, [&](plat::DevMode& m) { value = m.dmCollate == plat::DMCOLLATE_TRUE; });
    return value;
}

void TGmPrinter::SetCollate(bool value)
{
    WithDevMode(plat::DM_COLLATE,
                [&](plat::DevMode& m) { m.dmCollate = value ? plat::DMCOLLATE_TRUE : plat::DMCOLLATE_FALSE; });
}

// dmDuplex is marked in dmFields like the other members, or a printer would ignore it.
TGmDuplexType TGmPrinter::GetDuplex()
{
    TGmDuplexType value = gmSimplex;
    WithDevMode(plat::DM_DUPLEX, [&](plat::DevMode& m) { value = FromBlock(DuplexTable, m.dmDuplex, gmSimplex); });
    return value;
}

void TGmPrinter::SetDuplex(TGmDuplexType value)
{
    WithDevMode(plat::DM_DUPLEX, [&](plat::DevMode& m) { m.dmDuplex = ToBlock(DuplexTable, value); });
}

int TGmPrinter::GetPrintCopies()
{
    int value = 1;
    WithDevMode(plat::DM_COPIES, [&](plat::DevMode& m) { value = m.dmCopies; });
    return value;
}

void TGmPrinter::SetPrintCopies(int value)
{
    WithDevMode(plat::DM_COPIES, [&](plat::DevMode& m) {
        m.dmCopies = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
    });
}

TGmPrintColor TGmPrinter::GetPrintColor()
{
    TGmPrintColor value = gmColor;
    WithDevMode(plat::DM_COLOR, [&](plat::DevMode& m) {
        value = m.dmColor == plat::DMCOLOR_MONOCHROME ? gmMonochrome : gmColor;
    });
    return value;
}

void TGmPrinter::SetPrintColor(TGmPrintColor value)
{
    WithDevMode(plat::DM_COLOR, [&](plat::DevMode& m) { m.dmColor = ToBlock(ColorTable, value); });
}

TGmDitherType TGmPrinter::GetDitherType()
{
    TGmDitherType value = gmNone;
    WithDevMode(plat::DM_DITHERTYPE, [&](plat::DevMode& m) { value = FromBlock(DitherTable, m.dmDitherType, gmNone); });
    return value;
}

void TGmPrinter::SetDitherType(TGmDitherType value)
{
    WithDevMode(plat::DM_DITHERTYPE, [&](plat::DevMode& m) { m.dmDitherType = ToBlock(DitherTable, value); });
}

TGmPrintQuality TGmPrinter::GetPrintQuality()
{
    TGmPrintQuality value = gmMedium;
    WithDevMode(plat::DM_PRINTQUALITY,
                [&](plat::DevMode& m) { value = FromBlock(QualityTable, m.dmPrintQuality, gmMedium); });
    return value;
}

void TGmPrinter::SetPrintQuality(TGmPrintQuality value)
{
    WithDevMode(plat::DM_PRINTQUALITY, [&](plat::DevMode& m) { m.dmPrintQuality = ToBlock(QualityTable, value); });
    m_printerInfo->RefreshMetrics();
}

void TGmPrinter::SetPaperSize(TGmPaperSize paperSize)
{
    bool changed = false;
    WithDevMode(plat::DM_PAPERSIZE, [&](plat::DevMode& m) {
        const int16_t wanted = static_cast<int16_t>(PaperSizeToDevMode(paperSize));
        changed = m.dmPaperSize != wanted;
        m.dmPaperSize = wanted;
    });
    // The printable area depends on the paper: positions measured from the printer's margins must use the
    // margins of the paper that will be printed on, not those of the printer's default paper.
    if (changed && !m_printing)
        m_printerInfo->RefreshMetrics();
}

void TGmPrinter::SetOrientation(TGmOrientation value)
{
    // During a two-pages-a-sheet job the pages lie across the sheet: the sheet wanted for a page is turned.
    if (m_printing && m_pagesPerSheet == gmTwoPage)
        value = Turned(value);
    if (value == m_orientation)
        return;
    m_orientation = value;
    if (!m_printing)
        m_printerInfo->RefreshMetrics();
}

void TGmPrinter::SetPrinterIndex(int index)
{
    plat::PrinterDevice& printer = CurrentPrinter();
    printer.SetPrinterIndex(index);
    plat::PrinterNames names;
    printer.GetPrinter(names);
    printer.SetPrinter(names, nullptr);
    m_printerInfo->RefreshMetrics();
    OnChangePrinter(this);
}

int TGmPrinter::GetPrinterIndex() { return CurrentPrinter().GetPrinterIndex(); }

const std::vector<std::string>& TGmPrinter::GetPrinters() { return CurrentPrinter().Printers(); }

plat::Surface& TGmPrinter::Canvas() { return CurrentPrinter().Canvas(); }

void TGmPrinter::AdjustSheetOrientation()
{
    if (m_pagesPerSheet == gmTwoPage)
        m_orientation = Turned(m_orientation);
}

bool TGmPrinter::BeginDoc()
{
    plat::PrinterDevice& printer = CurrentPrinter();
    if (!m_printerInfo->CreatePrinterIC()) {
        plat::CurrentMessagePresenter().ShowMessage("Unable to print... No Printer available.");
        return false;
    }
    if (m_printing)
        return false;
    if (printer.PrinterCount() == 0)
        return false;

    m_printing = true;
    m_aborted = false;
    try {
        int index = printer.GetPrinterIndex();
        BeforePrint(this);
        if (!m_printing)
            return false;   // a handler ended the job before it began
        if (printer.GetPrinterIndex() != index)
            SetPrinterIndex(printer.GetPrinterIndex());
        AdjustSheetOrientation();
        printer.SetOrientation(ToDevice(m_orientation));
        m_printerInfo->RefreshMetrics();
        printer.SetTitle(m_title);
        printer.BeginDoc();
    } catch (...) {
        m_printing = false;
        throw;
    }

    m_jobPageNumber = 1;
    m_sheetOrientation = m_orientation;
    try {
        SetPageMapping(1);
    } catch (...) {
        AbortDoc();
        throw;
    }
    return true;
}

void TGmPrinter::NewPage()
{
    ++m_jobPageNumber;
    bool newSheet = true;
    if (m_pagesPerSheet == gmTwoPage)
        newSheet = (m_jobPageNumber - 1) % 2 == 0;
    else if (m_pagesPerSheet == gmFourPage)
        newSheet = (m_jobPageNumber - 1) % 4 == 0;

    if (newSheet) {
        plat::PrinterDevice& printer = CurrentPrinter();
        TGmPrinterInfo& info = *m_printerInfo;
        plat::PrinterNames names;
        info.DevModeHandle = printer.GetPrinter(names);
        info.Device = names.Device;
        info.Driver = names.Driver;
        info.Port = names.Port;
        info.DevMode = info.DevModeHandle;
        try {
            if (info.DevMode) {
                info.DevMode->dmFields |= plat::DM_ORIENTATION;
                info.DevMode->dmOrientation = m_orientation == gmLandscape ? plat::DMORIENT_LANDSCAPE
                                                                           : plat::DMORIENT_PORTRAIT;
            }
            printer.EndPage();
            if (m_orientation != m_sheetOrientation) {
                if (info.DevMode)
                    printer.ResetDC(*info.DevMode);
                m_sheetOrientation = m_orientation;
            }
        } catch (...) {
            info.DevMode = nullptr;
            try {
                printer.StartPage();
            } catch (...) {
            }
            throw;
        }
        info.DevMode = nullptr;
        printer.StartPage();
        printer.Canvas().Refresh();
    }
    SetPageMapping(m_jobPageNumber);
}

void TGmPrinter::EndDoc()
{
    if (!m_printing)
        return;
    try {
        CurrentPrinter().EndDoc();
    } catch (...) {
        // The printer has dropped the document; the job is over and was not printed.
        m_printing = false;
        throw;
    }
    m_printing = false;
    AfterPrint(this);
}

void TGmPrinter::AbortDoc()
{
    if (!m_printing)
        return;
    CurrentPrinter().Abort();
    m_printing = false;
    m_aborted = true;
    OnAbortPrint(this);
}

void TGmPrinter::SetPageMapping(int pageNumber)
{
    TGmPrinterInfo& info = *m_printerInfo;
    const int w = plat::RoundToInt(info.PaperWidthInches() * info.PixelsPerInchX());
    const int h = plat::RoundToInt(info.PaperHeightInches() * info.PixelsPerInchY());
    const bool landscape = CurrentPrinter().GetOrientation() == plat::PrinterOrientation::Landscape;
    const plat::Rect margins = info.GetPrinterMargins(landscape);

    plat::Rect area{0, 0, w, h};
    int scale = 100;
    switch (m_pagesPerSheet) {
    case gmOnePage:
        break;
    case gmTwoPage: {
        // The halves follow the sheet as it is set up, whatever the page that comes next asks for.
        bool odd = pageNumber % 2 != 0;
        if (m_sheetOrientation == gmPortrait)
            area = odd ? plat::Rect{0, 0, w, h / 2} : plat::Rect{0, h / 2, w, h};
        else
            area = odd ? plat::Rect{0, 0, w / 2, h} : plat::Rect{w / 2, 0, w, h};
        Extended ratio = static_cast<Extended>(std::min(w, h)) / std::max(w, h);
        scale = plat::TruncToInt(ratio * 100);
        break;
    }
    case gmFourPage:
        switch (pageNumber % 4) {
        case 1: area = plat::Rect{0, 0, w / 2, h / 2}; break;
        case 2: area = plat::Rect{w / 2, 0, w, h / 2}; break;
        case 3: area = plat::Rect{0, h / 2, w / 2, h}; break;
        default: area = plat::Rect{w / 2, h / 2, w, h}; break;
        }
        scale = 49;
        break;
    }

    plat::Surface& canvas = Canvas();
    canvas.SetMapMode(plat::MapMode::Anisotropic);
    canvas.SetWindowExt(area.Width(), area.Height());
    canvas.SetViewportExt(area.Width(), area.Height());
    canvas.ScaleViewportExt(scale, 100, scale, 100);
    canvas.SetViewportOrg(area.Left - margins.Left, area.Top - margins.Top);
}
