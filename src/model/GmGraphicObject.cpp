#include "GmGraphicObject.h"

#include "GmResourceIndex_p.h"

#include "model/units/GmDrawHelpers.h"
#include "resources/GmGraphicList.h"
#include "resources/GmResourceTable.h"
#include "resources/GmValueList.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/Metafile.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/Surface.h"

#include <algorithm>

static_assert(plat::SRCCOPY == 0x00CC0020);

void TGmGraphicObject::SetGraphic(const plat::Graphic* picture)
{
    TGmGraphicList& pictures = ResourceTable().Pictures();
    plat::Graphic* stored = nullptr;
    if (!picture) {
        stored = nullptr;
    } else if (const auto* icon = dynamic_cast<const plat::Icon*>(picture)) {
        stored = pictures.AddGraphic(IconToBitmap(*icon).get());
    } else if (dynamic_cast<const plat::Bitmap*>(picture) || dynamic_cast<const plat::Metafile*>(picture)
               || dynamic_cast<const plat::JpegImage*>(picture)) {
        stored = pictures.AddGraphic(picture);
    } else {
        stored = pictures.AddGraphic(GraphicToJpeg(*picture).get());
    }
    m_graphic = stored;
    if (const auto* bitmap = dynamic_cast<const plat::Bitmap*>(stored))
        m_pixelFormat = bitmap->GetPixelFormat();
}

void TGmGraphicObject::Draw(plat::Surface& canvas, const TGmDrawData& data) const
{
    if (!m_graphic)
        return;
    canvas.SetCopyMode(m_copyMode);
    const plat::Rect r = GetDeviceRect(data.PpiX, data.PpiY);

    const plat::Bitmap* pixels = dynamic_cast<const plat::Bitmap*>(m_graphic);
    if (const auto* jpeg = dynamic_cast<const plat::JpegImage*>(m_graphic))
        pixels = &jpeg->GetBitmap(); // decoded once, when the picture was read or made
    if (!pixels) {
        // A metafile replays its own drawing, on the printer as on the screen.
        canvas.StretchDraw(r, *m_graphic);
        return;
    }
    if (!IsPrinterSurface(canvas)) {
        // The stored pixels are drawn as they are: a copy would hold the same pixels.
        canvas.StretchDraw(r, *pixels);
        return;
    }
    // The printer gets the pixels in the object's format (a JPEG picture's go out at eight bits); only
    // a conversion needs a bitmap of its own, freed whatever happens while printing it.
    if (pixels->GetPixelFormat() == m_pixelFormat) {
        PrintBitmap(canvas, r, *pixels);
        return;
    }
    plat::Bitmap reduced(*pixels);
    reduced.SetPixelFormat(m_pixelFormat);
    PrintBitmap(canvas, r, reduced);
}

TGmCorners TGmGraphicObject::GetBounds(const TGmDrawData& data) const
{
    if (!m_graphic || m_graphic->Empty())
        return CornersOf(plat::Rect{});
    const plat::Rect r = GetDeviceRect(data.PpiX, data.PpiY);
    return CornersOf({std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                      std::max(r.Top, r.Bottom)});
}

void TGmGraphicObject::LoadFromValueList(const TGmValueList& list)
{
    TGmSimpleSolidShape::LoadFromValueList(list);
    m_copyMode = static_cast<uint32_t>(list.GetInteger("CM", static_cast<int32_t>(plat::SRCCOPY)));
    const int32_t format = list.GetInteger("PF", static_cast<int32_t>(plat::PixelFormat::Bit8));
    // Only the library's own codes can be converted to; anything else is damage.
    if (format < static_cast<int32_t>(plat::PixelFormat::Device) || format > static_cast<int32_t>(plat::PixelFormat::Custom))
        throw plat::EReadError();
    m_pixelFormat = static_cast<plat::PixelFormat>(format);
    m_graphic = ResourceTable().Pictures().GetGraphic(list.GetInteger("G", -1));
}

void TGmGraphicObject::SaveToValueList(TGmValueList& list) const
{
    TGmSimpleSolidShape::SaveToValueList(list);
    list.SetInteger("CM", static_cast<int32_t>(m_copyMode));
    list.SetInteger("PF", static_cast<int32_t>(m_pixelFormat));
    if (!m_graphic)
        return;
    const TGmGraphicList& pictures = ResourceTable().Pictures();
    list.SetInteger("G", gm_detail::IndexOfEntry(
                             pictures, m_graphic, [](const TGmGraphicList& l, int i) { return l.GetGraphic(i); },
                             [](const TGmGraphicList& l, const plat::Graphic* g) { return l.IndexOfGraphic(g); }));
}
