#include "Surface.h"

#include "RasterOp.h"

#include "platform/graphics/Graphic.h"

namespace plat {

struct Surface::SavedState {
    Pen pen;
    Brush brush;
    Font font;
    uint32_t copyMode;
    MapMode mode;
    Size windowExt, viewportExt;
    Point windowOrg, viewportOrg;
};

Surface::Surface() = default;
Surface::~Surface() = default;

void Surface::SaveState()
{
    m_saved.push_back({m_pen, m_brush, m_font, m_copyMode, GetMapMode(), GetWindowExt(), GetViewportExt(),
                       GetWindowOrg(), GetViewportOrg()});
}

void Surface::RestoreState()
{
    if (m_saved.empty())
        return;
    SavedState s = std::move(m_saved.back());
    m_saved.pop_back();
    m_pen = s.pen;
    m_brush = s.brush;
    m_font = s.font;
    m_font.SetPixelsPerInch(s.font.GetPixelsPerInch());
    m_copyMode = s.copyMode;
    SetMapMode(s.mode);
    SetWindowExt(s.windowExt.Width, s.windowExt.Height);
    SetViewportExt(s.viewportExt.Width, s.viewportExt.Height);
    SetWindowOrg(s.windowOrg.X, s.windowOrg.Y);
    SetViewportOrg(s.viewportOrg.X, s.viewportOrg.Y);
}

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
