#pragma once
// Shared types of the document model: units, length records and the enumerations the parts share.
// Every length is an 80-bit extended value of inches unless a use says otherwise.

#include <cstdint>

using Extended = long double;

enum TGmMeasurement : uint8_t {
    gmUnits = 0,       // 1/100 mm
    gmPixels = 1,      // a fixed 1/96 inch, whatever the device
    gmMillimeters = 2,
    gmCentimeters = 3,
    gmInches = 4,
    gmTwips = 5        // 1/1440 inch
};

struct TGmRect {
    Extended Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TGmRect&, const TGmRect&) = default;
};

struct TGmSize {
    Extended Width = 0, Height = 0;
    friend bool operator==(const TGmSize&, const TGmSize&) = default;
};

enum TGmCoordsRelative : uint8_t { gmFromPage = 0, gmFromPrinterMargins = 1, gmFromUserMargins = 2, gmFromHeaderLine = 3 };
enum TGmOrientation : uint8_t { gmPortrait = 0, gmLandscape = 1 };
enum TGmPagesPerSheet : uint8_t { gmOnePage = 0, gmTwoPage = 1, gmFourPage = 2 };
enum TGmPaperSize : uint8_t {
    A3 = 0, A4, A5, A6, B5, C5, Legal, Letter, Custom, B4,
    Envelope_09, Envelope_10, Envelope_11, Envelope_12, Envelope_14, Tabloid, Ledger, Executive
};
enum TGmPrintColor : uint8_t { gmColor = 0, gmMonochrome = 1 };
enum TGmPrintQuality : uint8_t { gmDraft = 0, gmLow, gmMedium, gmHigh };
enum TGmDitherType : uint8_t { gmNone = 0, gmCourse, gmFine, gmLineArt, gmGrayScale };
enum TGmDuplexType : uint8_t { gmSimplex = 0, gmHorzDuplex, gmVertDuplex };
enum TGmZoomStyle : uint8_t { gmFixedZoom = 0, gmVariableZoom = 1 };
enum TGmGridStyle : uint8_t { gmNoGrid = 0, gmDots, gmLines };

inline TGmRect MakeGmRect(Extended left, Extended top, Extended right, Extended bottom)
{
    return TGmRect{left, top, right, bottom};
}

inline TGmSize MakeGmSize(Extended width, Extended height) { return TGmSize{width, height}; }

inline void OffsetGmRect(TGmRect& rect, Extended dx, Extended dy)
{
    rect.Left += dx;
    rect.Right += dx;
    rect.Top += dy;
    rect.Bottom += dy;
}
