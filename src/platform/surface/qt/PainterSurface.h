#pragma once
// A surface over a QPainter on any paint device: an image, a widget, a PDF writer, a printer.
//
// Logical coordinates are mapped to device pixels by the surface's window/viewport mapping and rounded as
// the device would round them; the painter's own transform at construction comes after that (so a widget
// can hand in a painter already moved to where the surface starts). Drawing is aliased, as on the device
// this engine was designed for: a Rectangle's outline covers left..right-1 and top..bottom-1, bitmaps are
// stretched nearest-neighbour, and a one-pixel LineTo leaves out its last pixel.
//
// Pens: width 0, and any cosmetic pen, draw one pixel wide whatever the mapping; other widths are logical
// units scaled by the horizontal mapping (at least one pixel). A geometric pen (square ends, mitred joins)
// keeps its dash style at any width; a default pen wider than one pixel draws solid with round ends.
// Pen mix modes and raster operations use Qt's raster-operation composition where the device offers it
// (images, widgets); elsewhere (PDF) drawing falls back to plain copy. Text is drawn transparently.

#include "platform/surface/Mapping.h"
#include "platform/surface/Surface.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <memory>
#include <vector>

class QPaintDevice;

namespace plat {

class PainterSurface : public Surface {
public:
    // Draws with an active painter owned by the caller. Its clip at construction stays in force: the
    // surface's clip paths narrow it and RemoveClip returns to it.
    explicit PainterSurface(QPainter& painter, std::string className = "TPainterCanvas");
    // Opens a painter of its own on device, ended when the surface is destroyed.
    explicit PainterSurface(QPaintDevice& device, std::string className = "TPainterCanvas");
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    std::string ClassName() const override { return m_className; }

    QPainter& Painter() { return *m_painter; }
    const Mapping& GetMapping() const { return m_mapping; }
    // Logical units to the painter's coordinates at construction.
    QTransform MappingTransform() const;
    // Whether raster operations and mix modes reach the device (false for PDF).
    bool SupportsRasterOps() const;

    void SetMapMode(MapMode mode) override { m_mapping.SetMode(mode); }
    MapMode GetMapMode() const override { return m_mapping.GetMode(); }
    void SetWindowExt(int cx, int cy) override { m_mapping.SetWindowExt(cx, cy); }
    void SetWindowOrg(int x, int y) override { m_mapping.SetWindowOrg(x, y); }
    void SetViewportExt(int cx, int cy) override { m_mapping.SetViewportExt(cx, cy); }
    void SetViewportOrg(int x, int y) override { m_mapping.SetViewportOrg(x, y); }
    void ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) override
    {
        m_mapping.ScaleViewportExt(xNum, xDenom, yNum, yDenom);
    }
    Size GetWindowExt() const override { return m_mapping.GetWindowExt(); }
    Size GetViewportExt() const override { return m_mapping.GetViewportExt(); }
    Point GetWindowOrg() const override { return m_mapping.GetWindowOrg(); }
    Point GetViewportOrg() const override { return m_mapping.GetViewportOrg(); }

    bool BeginPath() override;
    void EndPath() override;
    void SelectClipPath() override;
    void IntersectClipPath() override;
    void RemoveClip() override;
    void SaveState() override;
    void RestoreState() override;

    void Polygon(std::span<const Point> points) override;
    void Rectangle(const Rect& r) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, Color color) override;
    void FillRect(const Rect& r) override;
    void StretchBitmap(const Rect& dest, const Bitmap& bitmap, uint32_t rop) override;
    void StretchDIBits(const Rect& dest, const Rect& source, const Bitmap& bitmap, uint32_t rop) override;
    void TextOut(int x, int y, const Rect* clip, std::string_view text, std::span<const int> advances) override;
    // Metrics in logical units: the font at its own pixel height.
    TextMetric GetTextMetrics() override;
    Size TextExtent(std::string_view text) override;
    int BitsPerPixel() const override;

private:
    void Init();
    QPointF DevicePoint(Point logical) const;
    QPen DevicePen(int* deviceWidth = nullptr) const;
    QBrush DeviceBrush() const;
    // Sets the composition for the pen's mix mode; false when nothing is to be drawn (mix mode Nop).
    bool BeginMix();
    void EndMix();
    QPainterPath ClosedPathOnDevice() const;
    void ApplyClip();
    // The device's pixels inside the clip, in the surface's device coordinates.
    QRect VisibleArea() const;
    void DrawBits(const Rect& dest, QRect source, const Bitmap& bitmap, uint32_t rop);

    std::string m_className;
    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter;
    QTransform m_base;
    bool m_baseClipped = false;
    QPainterPath m_baseClip;
    Mapping m_mapping;
    Point m_position;
    bool m_pathOpen = false;
    bool m_pathClosed = false;
    std::vector<std::vector<Point>> m_path, m_closedPath;
    // The clip is the base clip narrowed by each of these paths (device units) in turn.
    std::vector<QPainterPath> m_clip;
    std::vector<std::vector<QPainterPath>> m_savedClips;
};

} // namespace plat
