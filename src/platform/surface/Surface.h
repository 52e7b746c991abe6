#pragma once
// A drawing surface: the device context that pages, objects, margins and headers draw on.
//
// Coordinates are integer logical units. The mapping from logical units to device pixels is the classic
// window/viewport pair: with MapMode::Text one logical unit is one device pixel; with MapMode::Anisotropic
//   device = (logical - WindowOrg) * ViewportExt / WindowExt + ViewportOrg
// on each axis. The pen, brush and font are objects of the surface that drawing calls read at the time of
// the call. Clipping is a path closed by EndPath and selected with SelectClipPath, which replaces any
// earlier clip; the path is mapped when it is selected, so the clip follows the mapping in force then.

#include "platform/core/Brush.h"
#include "platform/core/Font.h"
#include "platform/core/Geometry.h"
#include "platform/core/Object.h"
#include "platform/core/Pen.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Bitmap;
class Graphic;

enum class MapMode : uint8_t { Text, Anisotropic };

struct TextMetric {
    int Height = 0;   // ascent + descent, pixels
    int Ascent = 0;
    int Descent = 0;
    int AveCharWidth = 0;
};

class Surface : public Object {
public:
    Surface();
    ~Surface() override;

    // "TPrinterCanvas" for a printer sheet; other names for screens, images, metafiles and recorders.
    std::string ClassName() const override = 0;

    Pen& GetPen() { return m_pen; }
    Brush& GetBrush() { return m_brush; }
    Font& GetFont() { return m_font; }
    const Pen& GetPen() const { return m_pen; }
    const Brush& GetBrush() const { return m_brush; }
    const Font& GetFont() const { return m_font; }

    // Raster operation for bitmap drawing (StretchDraw of a bitmap).
    uint32_t GetCopyMode() const { return m_copyMode; }
    void SetCopyMode(uint32_t rop) { m_copyMode = rop; }

    // Mapping.
    virtual void SetMapMode(MapMode mode) = 0;
    virtual MapMode GetMapMode() const = 0;
    virtual void SetWindowExt(int cx, int cy) = 0;
    virtual void SetWindowOrg(int x, int y) = 0;
    virtual void SetViewportExt(int cx, int cy) = 0;
    virtual void SetViewportOrg(int x, int y) = 0;
    // Viewport extent multiplied by xNum/xDenom and yNum/yDenom (integer division toward zero).
    virtual void ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) = 0;
    virtual Size GetWindowExt() const = 0;
    virtual Size GetViewportExt() const = 0;
    virtual Point GetWindowOrg() const = 0;
    virtual Point GetViewportOrg() const = 0;

    // Paths and clipping. BeginPath answers false when the surface cannot record a path. While a path is
    // open, Polygon and Rectangle add figures to it instead of drawing.
    virtual bool BeginPath() = 0;
    virtual void EndPath() = 0;
    virtual void SelectClipPath() = 0;
    virtual void RemoveClip() = 0;
    // Narrows the current clip to the closed path (mapped as SelectClipPath maps it). A surface that cannot
    // intersect replaces the clip, which is what this default does.
    virtual void IntersectClipPath() { SelectClipPath(); }

    // Saves pen, brush, font, copy mode and mapping (and, on surfaces that override these, the clip);
    // RestoreState brings back the last saved set. A RestoreState without a matching SaveState does nothing.
    virtual void SaveState();
    virtual void RestoreState();

    // Figures, drawn with the current pen (outline) and brush (inside).
    virtual void Polygon(std::span<const Point> points) = 0;
    virtual void Rectangle(const Rect& r) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void SetPixel(int x, int y, Color color) = 0;
    // Fills with the current brush, no outline.
    virtual void FillRect(const Rect& r) = 0;

    // Draws a picture stretched into dest; bitmaps use the copy mode. Dispatches to the picture's own
    // drawing (a metafile replays its records, a bitmap calls StretchBitmap).
    void StretchDraw(const Rect& dest, const Graphic& graphic);
    // The surface's own bitmap stretch with a raster operation.
    virtual void StretchBitmap(const Rect& dest, const Bitmap& bitmap, uint32_t rop) = 0;
    // Device-independent bits: the source rectangle of the bitmap stretched into dest with rop,
    // the bitmap's pixels and palette used as they are.
    virtual void StretchDIBits(const Rect& dest, const Rect& source, const Bitmap& bitmap, uint32_t rop) = 0;

    // Text with the current font, its top-left corner at (x, y). When clip is given, nothing outside it is
    // drawn. advances, when not empty, holds one horizontal advance per byte of text.
    virtual void TextOut(int x, int y, const Rect* clip, std::string_view text, std::span<const int> advances) = 0;
    virtual TextMetric GetTextMetrics() = 0;
    // Width and height of text with the current font, in logical units.
    virtual Size TextExtent(std::string_view text) = 0;

    // Colour depth of the device (for halftoning choices); 24 unless the device is poorer.
    virtual int BitsPerPixel() const { return 24; }

    // Makes the device take pen, brush and font afresh (after a sheet change).
    virtual void Refresh() {}

    // Serialises drawing on the surface; DrawRectPolygon brackets its polygon with these.
    void Lock() { ++m_lockCount; }
    void Unlock() { if (m_lockCount > 0) --m_lockCount; }
    int LockCount() const { return m_lockCount; }

private:
    struct SavedState;
    std::vector<SavedState> m_saved;
    Pen m_pen;
    Brush m_brush;
    Font m_font;
    uint32_t m_copyMode = 0x00CC0020;
    int m_lockCount = 0;
};

} // namespace plat
