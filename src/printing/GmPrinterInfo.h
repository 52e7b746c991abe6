#pragma once
// What the current printer offers, cached: paper size, printable area, unprintable margins and resolution,
// in device pixels. Page layout reads them for the printer margins; the print job for its mapping.

#include "model/units/GmTypes.h"

#include "platform/core/Geometry.h"
#include "platform/printer/PrinterDevice.h"

#include <memory>
#include <string>

class TGmPrinterInfo {
public:
    TGmPrinterInfo();

    // The current printer's names and its settings block, filled by LockDevMode. DevMode is the block's
    // address while locked, otherwise null.
    std::string Device;
    std::string Driver;
    std::string Port;
    plat::DevMode* DevModeHandle = nullptr;
    plat::DevMode* DevMode = nullptr;

    // Reads the metrics from the printer (in portrait), or loads the defaults when there is no printer or
    // it could not be reached when checked.
    void RefreshMetrics();
    // Asks whether the printer can be reached (NoPrinter), then RefreshMetrics.
    void CheckPrinter();
    // A4 at 300 pixels per inch: 2481 x 3507, margins 65, 50, 58, 50.
    void LoadDefaultMetrics();

    // Whether the current printer answers now. False without any printer.
    bool PrinterAvailable();
    // The current printer's information context, null when it cannot be reached. Raises "Aucune imprimante
    // par défaut sélectionnée" when there is no printer or no default.
    std::unique_ptr<plat::InformationContext> CreatePrinterIC();

    // Takes the current block for editing; false when there is none. UnlockDevMode makes the edited block
    // current again (the printer's defaults when it refuses it) unless the printer is printing.
    bool LockDevMode();
    void UnlockDevMode();

    // The unprintable margins in device pixels, turned for landscape: (top, right, bottom, left) of portrait,
    // or (bottom, left, top, right) for a printer turning landscape by 270 degrees.
    plat::Rect GetPrinterMargins(bool landscape);
    // The same in inches: left and right over PixelsPerInchX, top and bottom over PixelsPerInchY.
    TGmRect GetPrinterMarginsInches(bool landscape);

    // Paper and resolution in the orientation of the printer's current block.
    Extended PaperWidthInches();
    Extended PaperHeightInches();
    int PixelsPerInchX();
    int PixelsPerInchY();

    // 1 when the printer turns landscape by 90 degrees, 2 by 270, 0 when it cannot say.
    int GetLandscapeRotation();

    // The cached metrics (portrait), read first when never read.
    int PhysicalWidth();
    int PhysicalHeight();
    int PrintableWidth();
    int PrintableHeight();
    int MarginLeft();
    int MarginTop();
    int MarginRight();
    int MarginBottom();
    int LogPixelsX();
    int LogPixelsY();
    int LandscapeRotation();

    bool Initialised() const { return m_initialised; }
    bool NoPrinter() const { return m_noPrinter; }
    void SetNoPrinter(bool value) { m_noPrinter = value; }

private:
    void EnsureMetrics();
    bool DeviceInLandscape();
    void ReadMetrics();

    int m_physicalWidth = 0;
    int m_physicalHeight = 0;
    int m_printableWidth = 0;
    int m_printableHeight = 0;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
    int m_logPixelsX = 0;
    int m_logPixelsY = 0;
    int m_landscapeRotation = 0;
    bool m_initialised = false;
    bool m_noPrinter = false;
};
