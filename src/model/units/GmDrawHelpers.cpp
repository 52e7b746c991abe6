#include "GmDrawHelpers.h"

#include "platform/core/Rounding.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/Metafile.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/Surface.h"

#include <array>
#include <cmath>

std::string CaptionDateFormat = "dd/mm/yyyy";
std::string CaptionTimeFormat = "hh/mm";

int DeviceUnits(Extended value)
{
    if (std::isnan(value))
        return 0;
    if (value >= MaxDeviceUnits)
        return MaxDeviceUnits;
    if (value <= -MaxDeviceUnits)
        return -MaxDeviceUnits;
    return plat::RoundToInt(value);
}

namespace {

class SurfaceLock {
public:
    explicit SurfaceLock(plat::Surface& surface) : m_surface(surface) { m_surface.Lock(); }
    ~SurfaceLock() { m_surface.Unlock(); }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

private:
    plat::Surface& m_surface;
};

} // namespace

void DrawRectPolygon(plat::Surface& canvas, const plat::Rect& rect)
{
    // The figure closes on its first edge again, so that the pen's corner at (Left, Top) is joined.
    const std::array<plat::Point, 6> points{{{rect.Left, rect.Top},
                                             {rect.Right, rect.Top},
                                             {rect.Right, rect.Bottom},
                                             {rect.Left, rect.Bottom},
                                             {rect.Left, rect.Top},
                                             {rect.Right, rect.Top}}};
    SurfaceLock lock(canvas);
    canvas.Polygon(points);
}

void PrintBitmap(plat::Surface& canvas, const plat::Rect& rect, const plat::Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const uint32_t copyMode = canvas.GetCopyMode();
    const uint32_t rop = plat::IsStandardRasterOp(copyMode) ? copyMode : plat::SRCCOPY;
    // The bitmap is handed over as it is: the surface sends its pixels with their own format and palette.
    canvas.StretchDIBits(rect, plat::Rect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()}, bitmap, rop);
}

std::unique_ptr<plat::Bitmap> IconToBitmap(const plat::Icon& icon)
{
    // The icon's own drawing onto a new, white bitmap of its size.
    return std::make_unique<plat::Bitmap>(icon.ToBitmap());
}

std::unique_ptr<plat::JpegImage> GraphicToJpeg(const plat::Graphic& graphic)
{
    auto jpeg = std::make_unique<plat::JpegImage>();
    jpeg->Assign(&graphic);
    return jpeg;
}

bool IsPrinterSurface(const plat::Surface& canvas) { return canvas.ClassName() == "TPrinterCanvas"; }

Extended FontHeightInches(const plat::Font& font)
{
    constexpr int MeasuringPpi = 600;
    plat::Metafile metafile;
    plat::MetafileSurface surface(metafile);
    plat::Font& measuring = surface.GetFont();
    measuring.SetPixelsPerInch(MeasuringPpi);
    // Name, style, character set and colour are copied and the point size stays, so the pixel height is
    // the one for the measuring resolution whatever the given font's own.
    measuring.Assign(&font);
    return surface.GetTextMetrics().Height / static_cast<Extended>(MeasuringPpi);
}
