#pragma once
// Small drawing, picture and text routines the model, the pages and the preview share: tracing a
// rectangle for clipping, sending a bitmap to a printer as device-independent bits, turning pictures into
// the kinds the resource table stores, measuring a font's line height, and the default formats of the
// date and time in header and footer captions.

#include "GmTypes.h"

#include "platform/core/Font.h"
#include "platform/core/Geometry.h"

#include <memory>
#include <string>

namespace plat {
class Bitmap;
class Graphic;
class Icon;
class JpegImage;
class Surface;
} // namespace plat

// Date and time formats of the header and footer captions.
extern std::string CaptionDateFormat; // "dd/mm/yyyy"
extern std::string CaptionTimeFormat; // "hh/mm"

// A length times a resolution as a device coordinate: nearest integer, ties to even, held within
// +-MaxDeviceUnits so that the width of any rectangle of such coordinates is still an integer (a damaged
// record may hold lengths far off the page; they draw off the device rather than wrap round). An undefined
// value gives 0.
constexpr int MaxDeviceUnits = 1'000'000'000;
int DeviceUnits(Extended value);

// Traces the rectangle as one polygon of six points, (Left, Top), (Right, Top), (Right, Bottom),
// (Left, Bottom), (Left, Top), (Right, Top), with the surface's pen and brush; inside an open path it only
// adds the figure. The surface is locked meanwhile, and unlocked also when drawing fails.
void DrawRectPolygon(plat::Surface& canvas, const plat::Rect& rect);

// Stretches the whole bitmap into rect as device-independent bits in its own pixel format and palette.
// The raster operation is the surface's copy mode when that is one of the fifteen standard codes, and
// SRCCOPY otherwise. An empty bitmap draws nothing.
void PrintBitmap(plat::Surface& canvas, const plat::Rect& rect, const plat::Bitmap& bitmap);

// A new bitmap of the icon's size with the icon drawn at its corner; what the icon leaves transparent is
// white.
std::unique_ptr<plat::Bitmap> IconToBitmap(const plat::Icon& icon);

// A new JPEG picture assigned from graphic. A kind the JPEG picture cannot take raises the assignment
// error ("Impossible d'affecter %s à %s") and nothing is returned.
std::unique_ptr<plat::JpegImage> GraphicToJpeg(const plat::Graphic& graphic);

// Whether canvas is the printer's sheet: its class name is exactly "TPrinterCanvas", letter case
// included. Picture objects print through device-independent bits there.
bool IsPrinterSurface(const plat::Surface& canvas);

// The font's line height (ascent plus descent) in inches, measured at 600 pixels per inch through the
// installed font engine, so that it does not depend on the screen or on the font's own resolution.
Extended FontHeightInches(const plat::Font& font);
