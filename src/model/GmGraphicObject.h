#pragma once
// A picture placed on a page: one of the document's stored pictures stretched into the object's
// rectangle. On the printer's sheet a bitmap or JPEG picture goes out as device-independent bits in the
// object's pixel format; on any other surface, and for metafiles everywhere, the surface stretches it.

#include "GmSimpleSolidShape.h"

#include "platform/graphics/Bitmap.h"

#include <cstdint>

namespace plat {
class Graphic;
}

class TGmGraphicObject : public TGmSimpleSolidShape {
public:
    PLAT_CLASS_NAME(TGmGraphicObject)

    static constexpr int32_t TypeCode = 13;

    explicit TGmGraphicObject(TGmResourceTable& resourceTable) : TGmSimpleSolidShape(resourceTable) {}

    int32_t GetObjectID() const override { return TypeCode; }

    // The raster operation the picture is drawn with; SRCCOPY at start.
    uint32_t GetCopyMode() const { return m_copyMode; }
    void SetCopyMode(uint32_t value) { m_copyMode = value; }
    // The pixel format a bitmap is printed in; 8 bits at start, then that of the last bitmap given.
    plat::PixelFormat GetPixelFormat() const { return m_pixelFormat; }
    void SetPixelFormat(plat::PixelFormat value) { m_pixelFormat = value; }

    // The stored picture drawn, an entry of the resource table's picture list, or none.
    plat::Graphic* Graphic() const { return m_graphic; }
    // Stores picture in the resource table's picture list (or finds an equal one there) and draws that.
    // The caller keeps its picture. An icon is stored as a bitmap of its size on white; bitmaps, metafiles
    // and JPEG pictures as they are; any other kind as a JPEG picture (a kind a JPEG picture cannot take
    // raises the assignment error and changes nothing). A stored bitmap gives its pixel format to the
    // object. Null leaves the object without a picture.
    void SetGraphic(const plat::Graphic* picture);

    // Nothing without a picture. Sets the canvas's copy mode to the object's, then stretches the picture
    // into GetDeviceRect at the data's resolution.
    void Draw(plat::Surface& canvas, const TGmDrawData& data) const override;
    // A picture traces no path figure; its box is the one it is stretched into, GetDeviceRect at the
    // data's resolution with its corners put in order. Without a picture, or with an empty one, nothing is
    // drawn and all corners are (0, 0).
    TGmCorners GetBounds(const TGmDrawData& data) const override;

    // "CM" copy mode (missing: SRCCOPY), "PF" pixel format (missing: 3, eight bits), "G" the picture's
    // index in the picture list, written only when there is a picture (missing: none). A pixel format
    // outside the picture library's codes raises "Erreur de lecture du flux"; an index outside the picture
    // list raises "Indice de liste hors limites (%d)".
    void LoadFromValueList(const TGmValueList& list) override;
    void SaveToValueList(TGmValueList& list) const override;

private:
    uint32_t m_copyMode = 0x00CC0020; // SRCCOPY
    plat::PixelFormat m_pixelFormat = plat::PixelFormat::Bit8;
    plat::Graphic* m_graphic = nullptr;
};
