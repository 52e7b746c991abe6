#pragma once
// A surface that draws nothing and logs every call with its arguments and the drawing state in force, for
// tests of anything that draws. Each record has a compact text form for assertions, for example
//   "StretchDIBits 600,1200,1800,2400 src 0,0,960,480 rop CC0020".
// The class name is chosen at construction ("TPrinterCanvas" makes it pass as the printer's surface).
// Measurement goes through the installed font engine at the font's resolution.

#include "platform/surface/Mapping.h"
#include "platform/surface/Surface.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace plat {

enum class SurfaceCall : uint8_t {
    SetMapMode, SetWindowExt, SetWindowOrg, SetViewportExt, SetViewportOrg, ScaleViewportExt,
    BeginPath, EndPath, SelectClipPath, IntersectClipPath, RemoveClip, SaveState, RestoreState,
    Polygon, Rectangle, MoveTo, LineTo, SetPixel, FillRect,
    StretchBitmap, StretchDIBits, TextOut, GetTextMetrics, TextExtent, Refresh
};

// The name of a call as it appears in the text form ("StretchDIBits").
const char* SurfaceCallName(SurfaceCall call);

// The drawing state at the time of a call.
struct SurfaceSnapshot {
    plat::Pen Pen;
    plat::Brush Brush;
    plat::Font Font;
    uint32_t CopyMode = 0;
    plat::Mapping Mapping;
    bool InPath = false;     // the call came while a path was open
    int LockCount = 0;
};

struct SurfaceRecord {
    SurfaceCall Kind{};
    // The call's integer arguments in order:
    //   SetMapMode: mode (0 Text, 1 Anisotropic); extents, origins: x, y; ScaleViewportExt: xNum, xDenom,
    //   yNum, yDenom; Polygon: x0, y0, x1, y1, ...; Rectangle, FillRect: left, top, right, bottom;
    //   MoveTo, LineTo: x, y; SetPixel: x, y, colour;
    //   StretchBitmap: dest (4), bitmap width, height, pixel format, rop;
    //   StretchDIBits: dest (4), source (4), bitmap width, height, pixel format, rop;
    //   TextOut: x, y, has clip (0/1), clip (4), then the advances.
    std::vector<int> Ints;
    std::string Text;  // TextOut and TextExtent: the text
    SurfaceSnapshot State;

    // The compact text form, e.g. "Rectangle 0,0,4961,7016" or "TextOut 10,20 clip 0,0,50,50 \"Page 1\"".
    std::string ToString() const;
};

class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(std::string className = "TRecordingCanvas");

    std::string ClassName() const override { return m_className; }

    // The log.
    const std::vector<SurfaceRecord>& Records() const { return m_records; }
    // Text forms of all records, or only of the given kinds.
    std::vector<std::string> Lines() const;
    std::vector<std::string> Lines(std::initializer_list<SurfaceCall> kinds) const;
    // Text forms of the drawing calls only (figures, pixels, bitmaps, text): what ends up on the device.
    std::vector<std::string> DrawingLines() const;
    int Count(SurfaceCall kind) const;
    void ClearLog() { m_records.clear(); }

    // Logical to device with the mapping in force now.
    Point ToDevice(Point logical) const { return m_mapping.ToDevice(logical); }
    Rect ToDevice(const Rect& logical) const { return m_mapping.ToDevice(logical); }
    const Mapping& GetMapping() const { return m_mapping; }

    // Makes BeginPath fail (answer false) from now on, as a device without path support does.
    void SetBeginPathFails(bool fails) { m_beginPathFails = fails; }
    bool PathOpen() const { return m_pathOpen; }
    // Figures of the last path closed with EndPath, in logical units; Polygon and Rectangle add one figure
    // each, MoveTo/LineTo add the segment drawn.
    const std::vector<std::vector<Point>>& LastPathFigures() const { return m_lastPath; }
    // Bounding box of the last closed path (logical units), none when it held no figure.
    std::optional<Rect> LastPathBounds() const;
    // Device-unit bounding box of the clip selected last, none when there is no clip.
    std::optional<Rect> ClipBounds() const { return m_clip; }

    void SetMapMode(MapMode mode) override;
    MapMode GetMapMode() const override { return m_mapping.GetMode(); }
    void SetWindowExt(int cx, int cy) override;
    void SetWindowOrg(int x, int y) override;
    void SetViewportExt(int cx, int cy) override;
    void SetViewportOrg(int x, int y) override;
    void ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) override;
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
    TextMetric GetTextMetrics() override;
    Size TextExtent(std::string_view text) override;
    void Refresh() override;

private:
    SurfaceRecord& Log(SurfaceCall kind, std::vector<int> ints = {}, std::string text = {});
    void AddFigure(std::vector<Point> figure);
    std::optional<Rect> ClosedPathDeviceBounds() const;

    std::string m_className;
    Mapping m_mapping;
    std::vector<SurfaceRecord> m_records;
    bool m_beginPathFails = false;
    bool m_pathOpen = false;
    bool m_pathClosed = false;
    std::vector<std::vector<Point>> m_openPath;
    std::vector<std::vector<Point>> m_lastPath;
    Point m_position;
    std::optional<Rect> m_clip;
    std::vector<std::optional<Rect>> m_savedClips;
};

} // namespace plat
