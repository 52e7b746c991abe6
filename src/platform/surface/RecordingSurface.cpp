#include "RecordingSurface.h"

#include "FontEngine.h"

#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cstdio>

namespace plat {

namespace {

std::string Hex(uint32_t v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", v);
    return buf;
}

std::string Join(std::vector<int>::const_iterator first, std::vector<int>::const_iterator last)
{
    std::string s;
    for (auto it = first; it != last; ++it) {
        if (it != first)
            s += ',';
        s += std::to_string(*it);
    }
    return s;
}

std::optional<Rect> BoundsOf(const std::vector<std::vector<Point>>& figures)
{
    std::optional<Rect> box;
    for (const auto& figure : figures) {
        for (Point p : figure) {
            if (!box)
                box = Rect{p.X, p.Y, p.X, p.Y};
            box->Left = std::min(box->Left, p.X);
            box->Top = std::min(box->Top, p.Y);
            box->Right = std::max(box->Right, p.X);
            box->Bottom = std::max(box->Bottom, p.Y);
        }
    }
    return box;
}

bool IsDrawing(SurfaceCall kind)
{
    switch (kind) {
    case SurfaceCall::Polygon: case SurfaceCall::Rectangle: case SurfaceCall::LineTo:
    case SurfaceCall::SetPixel: case SurfaceCall::FillRect: case SurfaceCall::StretchBitmap:
    case SurfaceCall::StretchDIBits: case SurfaceCall::TextOut:
        return true;
    default:
        return false;
    }
}

} // namespace

const char* SurfaceCallName(SurfaceCall call)
{
    switch (call) {
    case SurfaceCall::SetMapMode: return "SetMapMode";
    case SurfaceCall::SetWindowExt: return "SetWindowExt";
    case SurfaceCall::SetWindowOrg: return "SetWindowOrg";
    case SurfaceCall::SetViewportExt: return "SetViewportExt";
    case SurfaceCall::SetViewportOrg: return "SetViewportOrg";
    case SurfaceCall::ScaleViewportExt: return "ScaleViewportExt";
    case SurfaceCall::BeginPath: return "BeginPath";
    case SurfaceCall::EndPath: return "EndPath";
    case SurfaceCall::SelectClipPath: return "SelectClipPath";
    case SurfaceCall::IntersectClipPath: return "IntersectClipPath";
    case SurfaceCall::RemoveClip: return "RemoveClip";
    case SurfaceCall::SaveState: return "SaveState";
    case SurfaceCall::RestoreState: return "RestoreState";
    case SurfaceCall::Polygon: return "Polygon";
    case SurfaceCall::Rectangle: return "Rectangle";
    case SurfaceCall::MoveTo: return "MoveTo";
    case SurfaceCall::LineTo: return "LineTo";
    case SurfaceCall::SetPixel: return "SetPixel";
    case SurfaceCall::FillRect: return "FillRect";
    case SurfaceCall::StretchBitmap: return "StretchBitmap";
    case SurfaceCall::StretchDIBits: return "StretchDIBits";
    case SurfaceCall::TextOut: return "TextOut";
    case SurfaceCall::GetTextMetrics: return "GetTextMetrics";
    case SurfaceCall::TextExtent: return "TextExtent";
    case SurfaceCall::Refresh: return "Refresh";
    }
    return "?";
}

std::string SurfaceRecord::ToString() const
{
    std::string s = SurfaceCallName(Kind);
    const auto& v = Ints;
    auto b = v.begin();
    switch (Kind) {
    case SurfaceCall::SetMapMode:
        s += v.at(0) == 0 ? " Text" : " Anisotropic";
        break;
    case SurfaceCall::Polygon:
        for (size_t i = 0; i + 1 < v.size(); i += 2)
            s += " " + std::to_string(v[i]) + "," + std::to_string(v[i + 1]);
        break;
    case SurfaceCall::SetPixel:
        s += " " + Join(b, b + 2) + " " + Hex(static_cast<uint32_t>(v.at(2)));
        break;
    case SurfaceCall::StretchBitmap:
        s += " " + Join(b, b + 4) + " bitmap " + std::to_string(v.at(4)) + "x" + std::to_string(v.at(5))
            + " rop " + Hex(static_cast<uint32_t>(v.at(7)));
        break;
    case SurfaceCall::StretchDIBits:
        s += " " + Join(b, b + 4) + " src " + Join(b + 4, b + 8) + " rop " + Hex(static_cast<uint32_t>(v.at(11)));
        break;
    case SurfaceCall::TextOut:
        s += " " + Join(b, b + 2);
        if (v.at(2))
            s += " clip " + Join(b + 3, b + 7);
        if (v.size() > 7)
            s += " adv " + Join(b + 7, v.end());
        s += " \"" + Text + "\"";
        break;
    case SurfaceCall::TextExtent:
        s += " \"" + Text + "\"";
        break;
    default:
        if (!v.empty())
            s += " " + Join(b, v.end());
        break;
    }
    return s;
}

RecordingSurface::RecordingSurface(std::string className) : m_className(std::move(className)) {}

SurfaceRecord& RecordingSurface::Log(SurfaceCall kind, std::vector<int> ints, std::string text)
{
    SurfaceRecord r;
    r.Kind = kind;
    r.Ints = std::move(ints);
    r.Text = std::move(text);
    r.State.Pen = GetPen();
    r.State.Brush = GetBrush();
    r.State.Font = GetFont();
    r.State.Font.SetPixelsPerInch(GetFont().GetPixelsPerInch());
    r.State.CopyMode = GetCopyMode();
    r.State.Mapping = m_mapping;
    r.State.InPath = m_pathOpen;
    r.State.LockCount = LockCount();
    m_records.push_back(std::move(r));
    return m_records.back();
}

std::vector<std::string> RecordingSurface::Lines() const
{
    std::vector<std::string> lines;
    for (const auto& r : m_records)
        lines.push_back(r.ToString());
    return lines;
}

std::vector<std::string> RecordingSurface::Lines(std::initializer_list<SurfaceCall> kinds) const
{
    std::vector<std::string> lines;
    for (const auto& r : m_records)
        if (std::find(kinds.begin(), kinds.end(), r.Kind) != kinds.end())
            lines.push_back(r.ToString());
    return lines;
}

std::vector<std::string> RecordingSurface::DrawingLines() const
{
    std::vector<std::string> lines;
    for (const auto& r : m_records)
        if (IsDrawing(r.Kind) && !r.State.InPath)
            lines.push_back(r.ToString());
    return lines;
}

int RecordingSurface::Count(SurfaceCall kind) const
{
    return static_cast<int>(std::count_if(m_records.begin(), m_records.end(),
                                          [kind](const SurfaceRecord& r) { return r.Kind == kind; }));
}

std::optional<Rect> RecordingSurface::LastPathBounds() const { return BoundsOf(m_lastPath); }

void RecordingSurface::SetMapMode(MapMode mode)
{
    Log(SurfaceCall::SetMapMode, {mode == MapMode::Text ? 0 : 1});
    m_mapping.SetMode(mode);
}

void RecordingSurface::SetWindowExt(int cx, int cy)
{
    Log(SurfaceCall::SetWindowExt, {cx, cy});
    m_mapping.SetWindowExt(cx, cy);
}

void RecordingSurface::SetWindowOrg(int x, int y)
{
    Log(SurfaceCall::SetWindowOrg, {x, y});
    m_mapping.SetWindowOrg(x, y);
}

void RecordingSurface::SetViewportExt(int cx, int cy)
{
    Log(SurfaceCall::SetViewportExt, {cx, cy});
    m_mapping.SetViewportExt(cx, cy);
}

void RecordingSurface::SetViewportOrg(int x, int y)
{
    Log(SurfaceCall::SetViewportOrg, {x, y});
    m_mapping.SetViewportOrg(x, y);
}

void RecordingSurface::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    Log(SurfaceCall::ScaleViewportExt, {xNum, xDenom, yNum, yDenom});
    m_mapping.ScaleViewportExt(xNum, xDenom, yNum, yDenom);
}

bool RecordingSurface::BeginPath()
{
    Log(SurfaceCall::BeginPath);
    if (m_beginPathFails)
        return false;
    m_pathOpen = true;
    m_pathClosed = false;
    m_openPath.clear();
    return true;
}

void RecordingSurface::EndPath()
{
    Log(SurfaceCall::EndPath);
    if (!m_pathOpen)
        return;
    m_pathOpen = false;
    m_pathClosed = true;
    m_lastPath = m_openPath;
}

std::optional<Rect> RecordingSurface::ClosedPathDeviceBounds() const
{
    std::vector<std::vector<Point>> device = m_lastPath;
    for (auto& figure : device)
        for (Point& p : figure)
            p = m_mapping.ToDevice(p);
    return BoundsOf(device);
}

void RecordingSurface::SelectClipPath()
{
    Log(SurfaceCall::SelectClipPath);
    if (!m_pathClosed)
        return;
    // The path is used up by the selection, as on the device.
    m_pathClosed = false;
    m_clip = ClosedPathDeviceBounds();
    if (!m_clip)
        m_clip = Rect{};
}

void RecordingSurface::IntersectClipPath()
{
    Log(SurfaceCall::IntersectClipPath);
    if (!m_pathClosed)
        return;
    m_pathClosed = false;
    Rect box = ClosedPathDeviceBounds().value_or(Rect{});
    if (m_clip) {
        box = {std::max(box.Left, m_clip->Left), std::max(box.Top, m_clip->Top),
               std::min(box.Right, m_clip->Right), std::min(box.Bottom, m_clip->Bottom)};
        if (box.Left >= box.Right || box.Top >= box.Bottom)
            box = Rect{};
    }
    m_clip = box;
}

void RecordingSurface::RemoveClip()
{
    Log(SurfaceCall::RemoveClip);
    m_clip.reset();
}

void RecordingSurface::SaveState()
{
    Log(SurfaceCall::SaveState);
    Surface::SaveState();
    m_savedClips.push_back(m_clip);
}

void RecordingSurface::RestoreState()
{
    Log(SurfaceCall::RestoreState);
    if (m_savedClips.empty())
        return;
    Surface::RestoreState();
    m_clip = m_savedClips.back();
    m_savedClips.pop_back();
}

void RecordingSurface::AddFigure(std::vector<Point> figure)
{
    if (m_pathOpen)
        m_openPath.push_back(std::move(figure));
}

void RecordingSurface::Polygon(std::span<const Point> points)
{
    std::vector<int> ints;
    ints.reserve(points.size() * 2);
    for (Point p : points) {
        ints.push_back(p.X);
        ints.push_back(p.Y);
    }
    Log(SurfaceCall::Polygon, std::move(ints));
    AddFigure({points.begin(), points.end()});
}

void RecordingSurface::Rectangle(const Rect& r)
{
    Log(SurfaceCall::Rectangle, {r.Left, r.Top, r.Right, r.Bottom});
    AddFigure({{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}});
}

void RecordingSurface::MoveTo(int x, int y)
{
    Log(SurfaceCall::MoveTo, {x, y});
    m_position = {x, y};
}

void RecordingSurface::LineTo(int x, int y)
{
    Log(SurfaceCall::LineTo, {x, y});
    AddFigure({m_position, {x, y}});
    m_position = {x, y};
}

void RecordingSurface::SetPixel(int x, int y, Color color) { Log(SurfaceCall::SetPixel, {x, y, color}); }

void RecordingSurface::FillRect(const Rect& r) { Log(SurfaceCall::FillRect, {r.Left, r.Top, r.Right, r.Bottom}); }

void RecordingSurface::StretchBitmap(const Rect& dest, const Bitmap& bitmap, uint32_t rop)
{
    Log(SurfaceCall::StretchBitmap, {dest.Left, dest.Top, dest.Right, dest.Bottom, bitmap.GetWidth(),
                                     bitmap.GetHeight(), static_cast<int>(bitmap.GetPixelFormat()),
                                     static_cast<int>(rop)});
}

void RecordingSurface::StretchDIBits(const Rect& dest, const Rect& source, const Bitmap& bitmap, uint32_t rop)
{
    Log(SurfaceCall::StretchDIBits, {dest.Left, dest.Top, dest.Right, dest.Bottom, source.Left, source.Top,
                                     source.Right, source.Bottom, bitmap.GetWidth(), bitmap.GetHeight(),
                                     static_cast<int>(bitmap.GetPixelFormat()), static_cast<int>(rop)});
}

void RecordingSurface::TextOut(int x, int y, const Rect* clip, std::string_view text, std::span<const int> advances)
{
    std::vector<int> ints{x, y, clip ? 1 : 0};
    Rect c = clip ? *clip : Rect{};
    ints.insert(ints.end(), {c.Left, c.Top, c.Right, c.Bottom});
    ints.insert(ints.end(), advances.begin(), advances.end());
    Log(SurfaceCall::TextOut, std::move(ints), std::string(text));
}

TextMetric RecordingSurface::GetTextMetrics()
{
    Log(SurfaceCall::GetTextMetrics);
    return CurrentFontEngine().Metrics(GetFont());
}

Size RecordingSurface::TextExtent(std::string_view text)
{
    Log(SurfaceCall::TextExtent, {}, std::string(text));
    return CurrentFontEngine().Extent(GetFont(), text);
}

void RecordingSurface::Refresh() { Log(SurfaceCall::Refresh); }

} // namespace plat
