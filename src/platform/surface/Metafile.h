#pragma once
// A recorded drawing that replays on any surface, scaled from its frame into the rectangle it is drawn in.
//
// A MetafileSurface records onto a metafile; coordinates, pen widths and font resolutions are stored in
// the metafile's own pixels (the surface's device units), so the mapping in force while recording is
// already applied. Measuring text on it asks the installed font engine (the screen's reference device).
//
// Stream form (little-endian), written and read by SaveToStream and LoadFromStream:
//   "VMTF", version (uint16, 1), reserved (uint16, 0), frame width and height (int32), record count (uint32),
//   then each record: kind (uint16), payload length (uint32), payload:
//     integer count (uint32), integers (int32 each), text length (uint32), text bytes,
//     bitmap length (uint32), the bitmap in BMP form.
// Windows metafiles (.wmf, .emf) are not read: they fail as any other foreign data does.

#include "platform/graphics/Graphic.h"
#include "platform/surface/Mapping.h"
#include "platform/surface/Surface.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat {

class Bitmap;

enum class MetafileRecordKind : uint16_t {
    SelectPen = 1,      // colour, width, style, mode, kind
    SelectBrush,        // colour, style
    SelectFont,         // size (points), pixels per inch, style, colour, charset; text: face name
    SetCopyMode,        // rop
    BeginPath,
    EndPath,
    SelectClipPath,
    IntersectClipPath,
    RemoveClip,
    SaveState,
    RestoreState,
    Polygon,            // x0, y0, x1, y1, ...
    Rectangle,          // left, top, right, bottom
    MoveTo,             // x, y
    LineTo,             // x, y
    SetPixel,           // x, y, colour
    FillRect,           // left, top, right, bottom
    StretchBitmap,      // dest (4), rop; bitmap
    StretchDIBits,      // dest (4), source (4), rop; bitmap
    TextOut,            // x, y, has clip, clip (4), advances...; text
};

struct MetafileRecord {
    MetafileRecordKind Kind{};
    std::vector<int32_t> Ints;
    std::string Text;
    std::shared_ptr<const Bitmap> Picture;  // bitmap records only; shared between copies of a metafile
};

class Metafile : public Graphic {
public:
    PLAT_CLASS_NAME(TMetafile)

    Metafile();
    Metafile(int width, int height);
    Metafile(const Metafile& other);
    Metafile& operator=(const Metafile& other);
    ~Metafile() override;

    // The frame: the size of the recorded drawing in its own pixels.
    int GetWidth() const override { return m_width; }
    int GetHeight() const override { return m_height; }
    // Negative sizes count as 0; sizes above MaxFrame are pinned to it.
    void SetSize(int width, int height);
    // True when nothing has been recorded.
    bool Empty() const override { return m_records.empty(); }

    const std::vector<MetafileRecord>& Records() const { return m_records; }
    void Clear();

    void SaveToStream(Stream& stream) const override;
    // Reads the stream form from the stream's position and leaves the stream just past it. On failure the
    // metafile is unchanged: EReadError when the data ends early, EInvalidGraphic ("Métafichier incorrect")
    // for anything else that is not a well-formed metafile.
    void LoadFromStream(Stream& stream) override;

    // Replays the records scaled from the frame into dest. The surface's pen, brush, font, copy mode,
    // mapping and clip are as they were afterwards; a clip recorded in the metafile narrows the surface's.
    void Draw(Surface& surface, const Rect& dest) const override;

    std::unique_ptr<Graphic> NewEmpty() const override;
    // Copies another metafile; null empties this one.
    void Assign(const Persistent* source) override;

    static constexpr int MaxFrame = 1 << 20;
    static constexpr uint32_t MaxRecords = 1'000'000;
    static constexpr uint32_t MaxIntsPerRecord = 1 << 22;
    static constexpr uint32_t MaxTextBytes = 1 << 20;

private:
    friend class MetafileSurface;

    int m_width = 0;
    int m_height = 0;
    std::vector<MetafileRecord> m_records;
};

// Records drawing onto a metafile. The metafile receives the drawing when the surface is closed (Close or
// destruction), replacing what it held; a metafile without a frame then takes the extent of the drawing.
class MetafileSurface : public Surface {
public:
    explicit MetafileSurface(Metafile& metafile);
    ~MetafileSurface() override;
    MetafileSurface(const MetafileSurface&) = delete;
    MetafileSurface& operator=(const MetafileSurface&) = delete;

    std::string ClassName() const override { return "TMetafileCanvas"; }

    // Hands the recording to the metafile; further drawing is not recorded.
    void Close();

    // Bounding box, in device units, of the figures of the last path closed with EndPath (what the device
    // turns into a region); none when the path held no figure.
    // Text drawn while a path is open adds its character cells as a figure.
    std::optional<Rect> PathBounds() const;
    // Bounding box, in device units, of everything drawn so far (figures and text cells outside paths;
    // pixels, fills and bitmaps, which are no path figures, also inside them); none when nothing was drawn.
    // A picture traces no path figure, so this is the extent to ask for when a bitmap was drawn.
    std::optional<Rect> DrawnBounds() const { return m_drawn; }

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
    TextMetric GetTextMetrics() override;
    Size TextExtent(std::string_view text) override;

private:
    void Emit(MetafileRecordKind kind, std::vector<int32_t> ints = {}, std::string text = {},
              std::shared_ptr<const Bitmap> picture = {});
    // Emits selections of the pen, brush, font and copy mode that changed since the last emitted ones.
    void SyncState(bool pen, bool brush, bool font, bool copyMode);
    void AddFigure(std::vector<Point> deviceFigure);
    void Drew(const Rect& deviceBox);

    Metafile* m_metafile;
    bool m_open = true;
    Mapping m_mapping;
    std::vector<MetafileRecord> m_records;
    std::optional<std::vector<int32_t>> m_lastPen, m_lastBrush, m_lastFont;
    std::string m_lastFontName;
    std::optional<uint32_t> m_lastCopyMode;
    bool m_pathOpen = false;
    std::vector<std::vector<Point>> m_path, m_lastPath;
    std::optional<Rect> m_drawn;
    Point m_position;
};

} // namespace plat
