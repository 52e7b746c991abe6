#pragma once
// The settings block of a printer (the members of a Windows DEVMODE that the engine reads and writes) and
// the public Windows constants that go with it. One block lives in the printer device per printer; the
// engine edits it in place and hands it back with SetPrinter.

#include <cstdint>

namespace plat {

// dmFields bits: which members the block carries.
constexpr uint32_t DM_ORIENTATION = 0x00000001;
constexpr uint32_t DM_PAPERSIZE = 0x00000002;
constexpr uint32_t DM_COPIES = 0x00000100;
constexpr uint32_t DM_PRINTQUALITY = 0x00000400;
constexpr uint32_t DM_COLOR = 0x00000800;
constexpr uint32_t DM_DUPLEX = 0x00001000;
constexpr uint32_t DM_COLLATE = 0x00008000;
constexpr uint32_t DM_DITHERTYPE = 0x04000000;

constexpr int16_t DMORIENT_PORTRAIT = 1;
constexpr int16_t DMORIENT_LANDSCAPE = 2;

constexpr int16_t DMPAPER_LETTER = 1;
constexpr int16_t DMPAPER_TABLOID = 3;
constexpr int16_t DMPAPER_LEDGER = 4;
constexpr int16_t DMPAPER_LEGAL = 5;
constexpr int16_t DMPAPER_EXECUTIVE = 7;
constexpr int16_t DMPAPER_A3 = 8;
constexpr int16_t DMPAPER_A4 = 9;
constexpr int16_t DMPAPER_A5 = 11;
constexpr int16_t DMPAPER_B4 = 12;
constexpr int16_t DMPAPER_B5 = 13;
constexpr int16_t DMPAPER_ENV_9 = 19;
constexpr int16_t DMPAPER_ENV_10 = 20;
constexpr int16_t DMPAPER_ENV_11 = 21;
constexpr int16_t DMPAPER_ENV_12 = 22;
constexpr int16_t DMPAPER_ENV_14 = 23;
constexpr int16_t DMPAPER_ENV_C5 = 28;
constexpr int16_t DMPAPER_A6 = 70;

constexpr int16_t DMCOLOR_MONOCHROME = 1;
constexpr int16_t DMCOLOR_COLOR = 2;

constexpr int16_t DMDUP_SIMPLEX = 1;
constexpr int16_t DMDUP_VERTICAL = 2;     // long-edge binding
constexpr int16_t DMDUP_HORIZONTAL = 3;   // short-edge binding

constexpr int16_t DMCOLLATE_FALSE = 0;
constexpr int16_t DMCOLLATE_TRUE = 1;

// Negative print qualities are levels; a positive one is a resolution in dots per inch.
constexpr int16_t DMRES_DRAFT = -1;
constexpr int16_t DMRES_LOW = -2;
constexpr int16_t DMRES_MEDIUM = -3;
constexpr int16_t DMRES_HIGH = -4;

constexpr uint32_t DMDITHER_NONE = 1;
constexpr uint32_t DMDITHER_COARSE = 2;
constexpr uint32_t DMDITHER_FINE = 3;
constexpr uint32_t DMDITHER_LINEART = 4;
constexpr uint32_t DMDITHER_ERRORDIFFUSION = 5;
constexpr uint32_t DMDITHER_GRAYSCALE = 10;

// DeviceCapabilities questions.
constexpr int DC_DUPLEX = 7;          // 1 when the printer prints on both sides
constexpr int DC_ORIENTATION = 17;    // 90 or 270: how landscape is turned; 0 without landscape

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

struct DevMode {
    uint32_t dmFields = 0;
    int16_t dmOrientation = DMORIENT_PORTRAIT;
    int16_t dmPaperSize = DMPAPER_A4;
    int16_t dmCopies = 1;
    int16_t dmPrintQuality = DMRES_MEDIUM;
    int16_t dmColor = DMCOLOR_COLOR;
    int16_t dmDuplex = DMDUP_SIMPLEX;
    int16_t dmCollate = DMCOLLATE_FALSE;
    uint32_t dmDitherType = DMDITHER_NONE;

    friend bool operator==(const DevMode&, const DevMode&) = default;
};

} // namespace plat
