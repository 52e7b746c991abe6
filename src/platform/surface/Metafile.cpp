#include "Metafile.h"

#include "FontEngine.h"
#include "RasterOp.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Rounding.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

constexpr char Magic[4] = {'V', 'M', 'T', 'F'};
constexpr uint16_t Version = 1;
constexpr size_t HeaderBytes = 20;
constexpr size_t RecordHeaderBytes = 6;
constexpr size_t EmptyPayloadBytes = 12;
constexpr int MaxFontSize = 32767;
constexpr int MaxFontPpi = 1 << 16;
constexpr size_t MaxFontName = 256;
constexpr size_t MaxClipDepth = 16;
constexpr size_t MaxSavedStates = 64;

EInvalidGraphic BadMetafile() { return EInvalidGraphic("Métafichier incorrect"); }

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t GetU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16)
           | (static_cast<uint32_t>(p[3]) << 24);
}

// Reads the parts of one payload; every length is checked against what is left.
class PayloadReader {
public:
    explicit PayloadReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    uint32_t U32()
    {
        Need(4);
        uint32_t v = GetU32(m_bytes.data() + m_pos);
        m_pos += 4;
        return v;
    }
    const uint8_t* Take(size_t count)
    {
        Need(count);
        const uint8_t* p = m_bytes.data() + m_pos;
        m_pos += count;
        return p;
    }
    bool AtEnd() const { return m_pos == m_bytes.size(); }

private:
    void Need(size_t count) const
    {
        if (count > m_bytes.size() - m_pos)
            throw BadMetafile();
    }
    const std::vector<uint8_t>& m_bytes;
    size_t m_pos = 0;
};

bool InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

// Whether a record's arguments are what its kind takes, so that replaying it is safe.
bool WellFormed(const MetafileRecord& r)
{
    using K = MetafileRecordKind;
    const auto& v = r.Ints;
    const bool bitmapKind = r.Kind == K::StretchBitmap || r.Kind == K::StretchDIBits;
    const bool textKind = r.Kind == K::SelectFont || r.Kind == K::TextOut;
    if (bitmapKind != static_cast<bool>(r.Picture) || (!textKind && !r.Text.empty()))
        return false;
    switch (r.Kind) {
    case K::SelectPen:
        return v.size() == 5 && v[1] >= 0 && InRange(v[2], 0, 6) && InRange(v[3], 0, 15) && InRange(v[4], 0, 2);
    case K::SelectBrush:
        return v.size() == 2 && InRange(v[1], 0, 7);
    case K::SelectFont:
        return v.size() == 5 && InRange(v[0], -MaxFontSize, MaxFontSize) && InRange(v[1], 1, MaxFontPpi)
               && InRange(v[2], 0, 15) && InRange(v[4], 0, 255) && r.Text.size() <= MaxFontName;
    case K::SetCopyMode:
        return v.size() == 1;
    case K::BeginPath: case K::EndPath: case K::SelectClipPath: case K::IntersectClipPath:
    case K::RemoveClip: case K::SaveState: case K::RestoreState:
        return v.empty();
    case K::Polygon:
        return v.size() % 2 == 0;
    case K::Rectangle: case K::FillRect:
        return v.size() == 4;
    case K::MoveTo: case K::LineTo:
        return v.size() == 2;
    case K::SetPixel:
        return v.size() == 3;
    case K::StretchBitmap:
        return v.size() == 5 && !r.Picture->Empty();
    case K::StretchDIBits:
        return v.size() == 9 && !r.Picture->Empty();
    case K::TextOut:
        return v.size() >= 7 && InRange(v[2], 0, 1) && v.size() - 7 <= r.Text.size();
    }
    return false;
}

Rect Normalized(Rect r)
{
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return r;
}

Rect Union(const std::optional<Rect>& a, const Rect& b)
{
    if (!a)
        return b;
    return {std::min(a->Left, b.Left), std::min(a->Top, b.Top), std::max(a->Right, b.Right),
            std::max(a->Bottom, b.Bottom)};
}

std::optional<Rect> FigureBounds(const std::vector<std::vector<Point>>& figures)
{
    std::optional<Rect> box;
    for (const auto& f : figures)
        for (Point p : f)
            box = Union(box, Rect{p.X, p.Y, p.X, p.Y});
    return box;
}

// Replays records onto a surface, scaled from the frame into dest. Paths only ever serve the clip here:
// the clip the metafile asks for is kept as a list of paths to intersect, and applied on top of the
// surface's own clip (saved before the replay) whenever it changes.
class Player {
public:
    Player(Surface& surface, const Rect& dest, int frameWidth, int frameHeight)
        : m_s(surface), m_dest(dest), m_sx(static_cast<long double>(dest.Width()) / frameWidth),
          m_sy(static_cast<long double>(dest.Height()) / frameHeight)
    {
    }

    void Play(const std::vector<MetafileRecord>& records)
    {
        m_s.SaveState();
        try {
            for (const auto& r : records)
                Step(r);
        } catch (...) {
            m_s.RestoreState();
            throw;
        }
        m_s.RestoreState();
    }

private:
    using K = MetafileRecordKind;

    int X(long double x) const { return PinToDevice(m_dest.Left + x * m_sx); }
    int Y(long double y) const { return PinToDevice(m_dest.Top + y * m_sy); }
    Point P(int32_t x, int32_t y) const { return {X(x), Y(y)}; }
    Rect R(const int32_t* v) const { return {X(v[0]), Y(v[1]), X(v[2]), Y(v[3])}; }

    void Step(const MetafileRecord& r)
    {
        const auto& v = r.Ints;
        switch (r.Kind) {
        case K::SelectPen: {
            m_pen.SetColor(v[0]);
            int width = v[1];
            if (width > 0 && v[4] != static_cast<int>(PenKind::Cosmetic))
                width = std::max(1, PinToDevice(width * std::abs(m_sx)));
            m_pen.SetWidth(width);
            m_pen.SetStyle(static_cast<PenStyle>(v[2]));
            m_pen.SetMode(static_cast<PenMode>(v[3]));
            m_pen.SetKind(static_cast<PenKind>(v[4]));
            break;
        }
        case K::SelectBrush:
            m_brush.SetColor(v[0]);
            m_brush.SetStyle(static_cast<BrushStyle>(v[1]));
            break;
        case K::SelectFont:
            m_font.SetSize(v[0]);
            m_font.SetPixelsPerInch(std::clamp(PinToDevice(v[1] * std::abs(m_sy)), 1, MaxFontPpi));
            m_font.SetStyle(static_cast<FontStyles>(v[2]));
            m_font.SetColor(v[3]);
            m_font.SetCharset(static_cast<uint8_t>(v[4]));
            m_font.SetName(r.Text);
            break;
        case K::SetCopyMode:
            m_copyMode = static_cast<uint32_t>(v[0]);
            break;
        case K::BeginPath:
            m_pathOpen = true;
            m_path.clear();
            break;
        case K::EndPath:
            if (m_pathOpen) {
                m_pathOpen = false;
                m_closedPath = std::move(m_path);
                m_path.clear();
                m_haveClosedPath = true;
            }
            break;
        case K::SelectClipPath:
        case K::IntersectClipPath:
            if (m_haveClosedPath) {
                if (r.Kind == K::SelectClipPath)
                    m_clip.clear();
                if (m_clip.size() < MaxClipDepth)
                    m_clip.push_back(std::move(m_closedPath));
                m_closedPath.clear();
                m_haveClosedPath = false;
                ApplyClip();
            }
            break;
        case K::RemoveClip:
            m_clip.clear();
            ApplyClip();
            break;
        case K::SaveState:
            if (m_saved.size() < MaxSavedStates)
                m_saved.push_back(m_clip);
            else
                ++m_unsaved;
            break;
        case K::RestoreState:
            if (m_unsaved > 0) {
                --m_unsaved;
            } else if (!m_saved.empty()) {
                m_clip = std::move(m_saved.back());
                m_saved.pop_back();
                ApplyClip();
            }
            break;
        case K::Polygon: {
            std::vector<Point> pts;
            pts.reserve(v.size() / 2);
            for (size_t i = 0; i < v.size(); i += 2)
                pts.push_back(P(v[i], v[i + 1]));
            Figure(std::move(pts));
            break;
        }
        case K::Rectangle: {
            Rect d = Normalized(R(v.data()));
            if (m_pathOpen) {
                Figure({{d.Left, d.Top}, {d.Right, d.Top}, {d.Right, d.Bottom}, {d.Left, d.Bottom}});
            } else {
                Apply();
                m_s.Rectangle(d);
            }
            break;
        }
        case K::MoveTo:
            m_position = P(v[0], v[1]);
            break;
        case K::LineTo: {
            Point to = P(v[0], v[1]);
            if (m_pathOpen) {
                m_path.push_back({m_position, to});
            } else {
                Apply();
                m_s.MoveTo(m_position.X, m_position.Y);
                m_s.LineTo(to.X, to.Y);
            }
            m_position = to;
            break;
        }
        // Pixels, fills and bitmaps are no path figures: they draw even while a path is open.
        case K::SetPixel:
            m_s.SetPixel(X(v[0]), Y(v[1]), v[2]);
            break;
        case K::FillRect:
            Apply();
            m_s.FillRect(Normalized(R(v.data())));
            break;
        case K::StretchBitmap:
            Apply();
            m_s.StretchBitmap(R(v.data()), *r.Picture, static_cast<uint32_t>(v[4]));
            break;
        case K::StretchDIBits:
            Apply();
            m_s.StretchDIBits(R(v.data()), Rect{v[4], v[5], v[6], v[7]}, *r.Picture, static_cast<uint32_t>(v[8]));
            break;
        case K::TextOut:
            if (!m_pathOpen)
                Text(r);
            break;
        }
    }

    void Text(const MetafileRecord& r)
    {
        const auto& v = r.Ints;
        Rect clip = Normalized(R(v.data() + 3));
        // Advances are placed by their running sum so that rounding does not pile up along the line.
        std::vector<int> advances;
        long double sum = 0;
        int placed = X(v[0]);
        for (size_t i = 7; i < v.size(); ++i) {
            sum += v[i];
            int next = X(v[0] + sum);
            advances.push_back(next - placed);
            placed = next;
        }
        Apply();
        m_s.TextOut(X(v[0]), Y(v[1]), v[2] ? &clip : nullptr, r.Text, advances);
    }

    void Figure(std::vector<Point> pts)
    {
        if (m_pathOpen) {
            m_path.push_back(std::move(pts));
        } else {
            Apply();
            m_s.Polygon(pts);
        }
    }

    // The recorded selections, realised before each figure.
    void Apply()
    {
        m_s.GetPen() = m_pen;
        m_s.GetBrush() = m_brush;
        m_s.GetFont() = m_font;
        m_s.GetFont().SetPixelsPerInch(m_font.GetPixelsPerInch());
        m_s.SetCopyMode(m_copyMode);
    }

    void ApplyClip()
    {
        m_s.RestoreState();
        m_s.SaveState();
        for (const auto& path : m_clip) {
            if (!m_s.BeginPath())
                return;
            for (const auto& figure : path)
                m_s.Polygon(figure);
            m_s.EndPath();
            m_s.IntersectClipPath();
        }
    }

    Surface& m_s;
    Rect m_dest;
    long double m_sx, m_sy;
    Pen m_pen;
    Brush m_brush;
    Font m_font;
    uint32_t m_copyMode = SRCCOPY;
    Point m_position;
    bool m_pathOpen = false;
    bool m_haveClosedPath = false;
    std::vector<std::vector<Point>> m_path, m_closedPath;
    std::vector<std::vector<std::vector<Point>>> m_clip;
    std::vector<std::vector<std::vector<std::vector<Point>>>> m_saved;
    size_t m_unsaved = 0;
};

} // namespace

// ---------------------------------------------------------------------------------------------------------
// Metafile

Metafile::Metafile() = default;

Metafile::Metafile(int width, int height) { SetSize(width, height); }

Metafile::Metafile(const Metafile& other)
    : Graphic(), m_width(other.m_width), m_height(other.m_height), m_records(other.m_records) {}

Metafile& Metafile::operator=(const Metafile& other)
{
    Assign(&other);
    return *this;
}

Metafile::~Metafile() = default;

void Metafile::SetSize(int width, int height)
{
    width = std::clamp(width, 0, MaxFrame);
    height = std::clamp(height, 0, MaxFrame);
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    Changed();
}

void Metafile::Clear()
{
    m_records.clear();
    m_width = m_height = 0;
    Changed();
}

void Metafile::Assign(const Persistent* source)
{
    if (!source) {
        Clear();
        return;
    }
    if (auto other = dynamic_cast<const Metafile*>(source)) {
        if (other != this) {
            m_width = other->m_width;
            m_height = other->m_height;
            m_records = other->m_records;
        }
        Changed();
        return;
    }
    Graphic::Assign(source);
}

std::unique_ptr<Graphic> Metafile::NewEmpty() const { return std::make_unique<Metafile>(); }

void Metafile::SaveToStream(Stream& stream) const
{
    std::vector<uint8_t> out(Magic, Magic + 4);
    PutU16(out, Version);
    PutU16(out, 0);
    PutU32(out, static_cast<uint32_t>(m_width));
    PutU32(out, static_cast<uint32_t>(m_height));
    PutU32(out, static_cast<uint32_t>(m_records.size()));
    for (const auto& r : m_records) {
        std::vector<uint8_t> payload;
        PutU32(payload, static_cast<uint32_t>(r.Ints.size()));
        for (int32_t v : r.Ints)
            PutU32(payload, static_cast<uint32_t>(v));
        PutU32(payload, static_cast<uint32_t>(r.Text.size()));
        payload.insert(payload.end(), r.Text.begin(), r.Text.end());
        MemoryStream picture;
        if (r.Picture)
            r.Picture->SaveToStream(picture);
        PutU32(payload, static_cast<uint32_t>(picture.GetSize()));
        payload.insert(payload.end(), picture.Bytes().begin(), picture.Bytes().end());

        PutU16(out, static_cast<uint16_t>(r.Kind));
        PutU32(out, static_cast<uint32_t>(payload.size()));
        out.insert(out.end(), payload.begin(), payload.end());
    }
    stream.WriteBuffer(out.data(), out.size());
}

void Metafile::LoadFromStream(Stream& stream)
{
    uint8_t header[HeaderBytes];
    stream.ReadBuffer(header, sizeof header);
    if (std::memcmp(header, Magic, 4) != 0 || GetU16(header + 4) != Version)
        throw BadMetafile();
    const uint32_t width = GetU32(header + 8);
    const uint32_t height = GetU32(header + 12);
    const uint32_t count = GetU32(header + 16);
    if (width > static_cast<uint32_t>(MaxFrame) || height > static_cast<uint32_t>(MaxFrame) || count > MaxRecords)
        throw BadMetafile();
    // Every record takes at least its header and an empty payload: a count the data cannot hold is a
    // truncated metafile, found before anything is allocated for it.
    if (static_cast<uint64_t>(count) * (RecordHeaderBytes + EmptyPayloadBytes)
        > static_cast<uint64_t>(stream.Remaining()))
        throw EReadError();

    std::vector<MetafileRecord> records;
    records.reserve(count);
    std::vector<uint8_t> payload;
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t rh[RecordHeaderBytes];
        stream.ReadBuffer(rh, sizeof rh);
        const uint16_t kind = GetU16(rh);
        const uint32_t length = GetU32(rh + 2);
        if (kind < static_cast<uint16_t>(MetafileRecordKind::SelectPen)
            || kind > static_cast<uint16_t>(MetafileRecordKind::TextOut))
            throw BadMetafile();
        if (length > static_cast<uint64_t>(stream.Remaining()))
            throw EReadError();
        payload.resize(length);
        stream.ReadBuffer(payload.data(), length);

        PayloadReader in(payload);
        MetafileRecord r;
        r.Kind = static_cast<MetafileRecordKind>(kind);
        const uint32_t ints = in.U32();
        if (ints > MaxIntsPerRecord)
            throw BadMetafile();
        const uint8_t* p = in.Take(static_cast<size_t>(ints) * 4);
        r.Ints.resize(ints);
        for (uint32_t k = 0; k < ints; ++k)
            r.Ints[k] = static_cast<int32_t>(GetU32(p + 4 * k));
        const uint32_t textBytes = in.U32();
        if (textBytes > MaxTextBytes)
            throw BadMetafile();
        p = in.Take(textBytes);
        r.Text.assign(reinterpret_cast<const char*>(p), textBytes);
        const uint32_t pictureBytes = in.U32();
        p = in.Take(pictureBytes);
        if (pictureBytes > 0) {
            MemoryStream bmp(std::vector<uint8_t>(p, p + pictureBytes));
            auto bitmap = std::make_shared<Bitmap>();
            try {
                bitmap->LoadFromStream(bmp);
            } catch (const Exception&) {
                throw BadMetafile();
            }
            if (bmp.GetPosition() != bmp.GetSize())
                throw BadMetafile();
            r.Picture = std::move(bitmap);
        }
        if (!in.AtEnd() || !WellFormed(r))
            throw BadMetafile();
        records.push_back(std::move(r));
    }

    m_width = static_cast<int>(width);
    m_height = static_cast<int>(height);
    m_records = std::move(records);
    Changed();
}

void Metafile::Draw(Surface& surface, const Rect& dest) const
{
    if (m_records.empty() || m_width <= 0 || m_height <= 0 || dest.Width() == 0 || dest.Height() == 0)
        return;
    Player(surface, dest, m_width, m_height).Play(m_records);
}

// ---------------------------------------------------------------------------------------------------------
// MetafileSurface

MetafileSurface::MetafileSurface(Metafile& metafile) : m_metafile(&metafile) {}

MetafileSurface::~MetafileSurface()
{
    try {
        Close();
    } catch (...) {
        // Closing only moves records; nothing to report from a destructor.
    }
}

void MetafileSurface::Close()
{
    if (!m_open)
        return;
    m_open = false;
    Metafile& mf = *m_metafile;
    mf.m_records = std::move(m_records);
    if (mf.m_width == 0 && mf.m_height == 0 && m_drawn)
        mf.SetSize(std::max(0, m_drawn->Right), std::max(0, m_drawn->Bottom));
    mf.Changed();
}

std::optional<Rect> MetafileSurface::PathBounds() const { return FigureBounds(m_lastPath); }

void MetafileSurface::Emit(MetafileRecordKind kind, std::vector<int32_t> ints, std::string text,
                           std::shared_ptr<const Bitmap> picture)
{
    if (!m_open)
        return;
    m_records.push_back({kind, std::move(ints), std::move(text), std::move(picture)});
}

void MetafileSurface::SyncState(bool pen, bool brush, bool font, bool copyMode)
{
    if (pen) {
        const Pen& p = GetPen();
        int width = p.GetWidth();
        if (width > 0 && p.GetKind() != PenKind::Cosmetic)
            width = std::max(1, PinToDevice(width * std::abs(m_mapping.ScaleX())));
        std::vector<int32_t> v{p.GetColor(), std::max(0, width), static_cast<int>(p.GetStyle()),
                               static_cast<int>(p.GetMode()), static_cast<int>(p.GetKind())};
        if (v != m_lastPen) {
            m_lastPen = v;
            Emit(MetafileRecordKind::SelectPen, std::move(v));
        }
    }
    if (brush) {
        std::vector<int32_t> v{GetBrush().GetColor(), static_cast<int>(GetBrush().GetStyle())};
        if (v != m_lastBrush) {
            m_lastBrush = v;
            Emit(MetafileRecordKind::SelectBrush, std::move(v));
        }
    }
    if (font) {
        const Font& f = GetFont();
        int ppi = std::clamp(PinToDevice(f.GetPixelsPerInch() * std::abs(m_mapping.ScaleY())), 1, MaxFontPpi);
        std::vector<int32_t> v{std::clamp(f.GetSize(), -MaxFontSize, MaxFontSize), ppi, f.GetStyle() & 15,
                               f.GetColor(), f.GetCharset()};
        std::string name = f.GetName().substr(0, MaxFontName);
        if (v != m_lastFont || name != m_lastFontName) {
            m_lastFont = v;
            m_lastFontName = name;
            Emit(MetafileRecordKind::SelectFont, std::move(v), std::move(name));
        }
    }
    if (copyMode && GetCopyMode() != m_lastCopyMode) {
        m_lastCopyMode = GetCopyMode();
        Emit(MetafileRecordKind::SetCopyMode, {static_cast<int32_t>(GetCopyMode())});
    }
}

void MetafileSurface::Drew(const Rect& deviceBox) { m_drawn = Union(m_drawn, Normalized(deviceBox)); }

void MetafileSurface::AddFigure(std::vector<Point> deviceFigure)
{
    if (m_pathOpen)
        m_path.push_back(std::move(deviceFigure));
}

bool MetafileSurface::BeginPath()
{
    m_pathOpen = true;
    m_path.clear();
    Emit(MetafileRecordKind::BeginPath);
    return true;
}

void MetafileSurface::EndPath()
{
    if (!m_pathOpen)
        return;
    m_pathOpen = false;
    m_lastPath = std::move(m_path);
    m_path.clear();
    Emit(MetafileRecordKind::EndPath);
}

void MetafileSurface::SelectClipPath() { Emit(MetafileRecordKind::SelectClipPath); }
void MetafileSurface::IntersectClipPath() { Emit(MetafileRecordKind::IntersectClipPath); }
void MetafileSurface::RemoveClip() { Emit(MetafileRecordKind::RemoveClip); }

void MetafileSurface::SaveState()
{
    Surface::SaveState();
    Emit(MetafileRecordKind::SaveState);
}

void MetafileSurface::RestoreState()
{
    Surface::RestoreState();
    Emit(MetafileRecordKind::RestoreState);
}

void MetafileSurface::Polygon(std::span<const Point> points)
{
    std::vector<Point> device;
    std::vector<int32_t> ints;
    device.reserve(points.size());
    ints.reserve(points.size() * 2);
    for (Point p : points) {
        Point d = m_mapping.ToDevice(p);
        device.push_back(d);
        ints.push_back(d.X);
        ints.push_back(d.Y);
    }
    if (!m_pathOpen) {
        SyncState(true, true, false, true);
        if (auto box = FigureBounds({device}))
            Drew(*box);
    }
    Emit(MetafileRecordKind::Polygon, std::move(ints));
    AddFigure(std::move(device));
}

void MetafileSurface::Rectangle(const Rect& r)
{
    Rect d = m_mapping.ToDevice(r);
    if (!m_pathOpen) {
        SyncState(true, true, false, true);
        Drew(d);
    }
    Emit(MetafileRecordKind::Rectangle, {d.Left, d.Top, d.Right, d.Bottom});
    AddFigure({{d.Left, d.Top}, {d.Right, d.Top}, {d.Right, d.Bottom}, {d.Left, d.Bottom}});
}

void MetafileSurface::MoveTo(int x, int y)
{
    m_position = m_mapping.ToDevice(Point{x, y});
    Emit(MetafileRecordKind::MoveTo, {m_position.X, m_position.Y});
}

void MetafileSurface::LineTo(int x, int y)
{
    Point to = m_mapping.ToDevice(Point{x, y});
    if (!m_pathOpen) {
        SyncState(true, false, false, true);
        Drew({m_position.X, m_position.Y, to.X, to.Y});
    }
    Emit(MetafileRecordKind::LineTo, {to.X, to.Y});
    AddFigure({m_position, to});
    m_position = to;
}

void MetafileSurface::SetPixel(int x, int y, Color color)
{
    Point d = m_mapping.ToDevice(Point{x, y});
    Drew({d.X, d.Y, d.X + 1, d.Y + 1});
    Emit(MetafileRecordKind::SetPixel, {d.X, d.Y, color});
}

void MetafileSurface::FillRect(const Rect& r)
{
    Rect d = m_mapping.ToDevice(r);
    SyncState(false, true, false, true);
    Drew(d);
    Emit(MetafileRecordKind::FillRect, {d.Left, d.Top, d.Right, d.Bottom});
}

void MetafileSurface::StretchBitmap(const Rect& dest, const Bitmap& bitmap, uint32_t rop)
{
    // Bitmaps are no path figures: they draw even while a path is open.
    if (bitmap.Empty())
        return;
    // Corners mapped one by one: a mirrored rectangle stays mirrored.
    Point a = m_mapping.ToDevice(Point{dest.Left, dest.Top});
    Point b = m_mapping.ToDevice(Point{dest.Right, dest.Bottom});
    SyncState(false, true, false, true);
    Drew({a.X, a.Y, b.X, b.Y});
    Emit(MetafileRecordKind::StretchBitmap, {a.X, a.Y, b.X, b.Y, static_cast<int32_t>(rop)}, {},
         std::make_shared<const Bitmap>(bitmap));
}

void MetafileSurface::StretchDIBits(const Rect& dest, const Rect& source, const Bitmap& bitmap, uint32_t rop)
{
    if (bitmap.Empty())
        return;
    Point a = m_mapping.ToDevice(Point{dest.Left, dest.Top});
    Point b = m_mapping.ToDevice(Point{dest.Right, dest.Bottom});
    SyncState(false, true, false, true);
    Drew({a.X, a.Y, b.X, b.Y});
    Emit(MetafileRecordKind::StretchDIBits,
         {a.X, a.Y, b.X, b.Y, source.Left, source.Top, source.Right, source.Bottom, static_cast<int32_t>(rop)}, {},
         std::make_shared<const Bitmap>(bitmap));
}

void MetafileSurface::TextOut(int x, int y, const Rect* clip, std::string_view text, std::span<const int> advances)
{
    Point at = m_mapping.ToDevice(Point{x, y});
    Rect c = clip ? m_mapping.ToDevice(*clip) : Rect{};
    std::vector<int32_t> ints{at.X, at.Y, clip ? 1 : 0, c.Left, c.Top, c.Right, c.Bottom};
    // One advance a byte at most; the running sum is mapped so that rounding does not accumulate.
    size_t n = std::min(advances.size(), text.size());
    long double sum = 0;
    int placed = at.X;
    for (size_t i = 0; i < n; ++i) {
        sum += advances[i];
        int next = PinToDevice(m_mapping.DeviceX(x + sum));
        ints.push_back(next - placed);
        placed = next;
    }
    TextMetric tm = CurrentFontEngine().Metrics(GetFont());
    int width = n > 0 ? placed - at.X
                      : PinToDevice(CurrentFontEngine().Extent(GetFont(), text).Width * m_mapping.ScaleX());
    Rect cell{at.X, at.Y, at.X + width, at.Y + PinToDevice(tm.Height * m_mapping.ScaleY())};
    if (m_pathOpen) {
        // Text in a path stands for its character cells (the outlines a device would trace lie inside).
        if (text.empty())
            return;
        Rect d = Normalized(cell);
        std::vector<int32_t> box{d.Left, d.Top, d.Right, d.Top, d.Right, d.Bottom, d.Left, d.Bottom};
        Emit(MetafileRecordKind::Polygon, std::move(box));
        AddFigure({{d.Left, d.Top}, {d.Right, d.Top}, {d.Right, d.Bottom}, {d.Left, d.Bottom}});
        return;
    }
    SyncState(false, true, true, true);
    if (clip) {
        Rect nc = Normalized(c);
        cell = Normalized(cell);
        cell = {std::max(cell.Left, nc.Left), std::max(cell.Top, nc.Top), std::min(cell.Right, nc.Right),
                std::min(cell.Bottom, nc.Bottom)};
        if (cell.Left < cell.Right && cell.Top < cell.Bottom)
            Drew(cell);
    } else if (!text.empty()) {
        Drew(cell);
    }
    Emit(MetafileRecordKind::TextOut, std::move(ints), std::string(text));
}

TextMetric MetafileSurface::GetTextMetrics() { return CurrentFontEngine().Metrics(GetFont()); }

Size MetafileSurface::TextExtent(std::string_view text) { return CurrentFontEngine().Extent(GetFont(), text); }

} // namespace plat
