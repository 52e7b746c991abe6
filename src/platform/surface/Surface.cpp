#include "Surface.h"

#include "RasterOp.h"

#include "platform/graphics/Graphic.h"

namespace plat {

Surface::Surface() = default;
Surface::~Surface() = default;

void Surface::StretchDraw(const Rect& dest, const Graphic& graphic)
{
    graphic.Draw(*this, dest);
}

bool IsStandardRasterOp(uint32_t rop)
{
    switch (rop) {
    case BLACKNESS: case NOTSRCERASE: case NOTSRCCOPY: case SRCERASE: case DSTINVERT:
    case PATINVERT: case SRCINVERT: case SRCAND: case MERGEPAINT: case MERGECOPY:
    case SRCCOPY: case SRCPAINT: case PATCOPY: case PATPAINT: case WHITENESS:
        return true;
    default:
        return false;
    }
}

} // namespace plat
