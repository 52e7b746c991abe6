#include "PainterSurface.h"

#include "BitmapImage.h"
#include "QtFontEngine.h"

#include "platform/core/Rounding.h"
#include "platform/graphics/Bitmap.h"
#include "platform/surface/RasterOp.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

QColor ToQColor(Color c)
{
    c = ColorToRGB(c);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QPainter::CompositionMode MixComposition(PenMode mode)
{
    using C = QPainter::CompositionMode;
    switch (mode) {
    case PenMode::Not: return C::RasterOp_NotDestination;
    case PenMode::NotCopy: return C::RasterOp_NotSource;
    case PenMode::MergePenNot: return C::RasterOp_SourceOrNotDestination;
    case PenMode::MaskPenNot: return C::RasterOp_SourceAndNotDestination;
    case PenMode::MergeNotPen: return C::RasterOp_NotSourceOrDestination;
    case PenMode::MaskNotPen: return C::RasterOp_NotSourceAndDestination;
    case PenMode::Merge: return C::RasterOp_SourceOrDestination;
    case PenMode::NotMerge: return C::RasterOp_NotSourceAndNotDestination;
    case PenMode::Mask: return C::RasterOp_SourceAndDestination;
    case PenMode::NotMask: return C::RasterOp_NotSourceOrNotDestination;
    case PenMode::Xor: return C::RasterOp_SourceXorDestination;
    case PenMode::NotXor: return C::RasterOp_NotSourceXorDestination;
    default: return C::CompositionMode_SourceOver;
    }
}

// One character of UTF-8 text: its length in bytes (1 for a malformed byte) and the code point.
char32_t NextCodePoint(std::string_view s, size_t i, size_t& length)
{
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    length = 1;
    if (c < 0x80)
        return c;
    size_t n = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size())
        return 0xFFFD;
    char32_t cp = c & (0xFF >> (n + 1));
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    length = n;
    return cp;
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, std::string className)
    : m_className(std::move(className)), m_painter(&painter)
{
    Init();
}

PainterSurface::PainterSurface(QPaintDevice& device, std::string className)
    : m_className(std::move(className)), m_ownPainter(std::make_unique<QPainter>(&device)),
      m_painter(m_ownPainter.get())
{
    Init();
}

PainterSurface::~PainterSurface()
{
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
}

void PainterSurface::Init()
{
    m_base = m_painter->transform();
    m_baseClipped = m_painter->hasClipping();
    if (m_baseClipped)
        m_baseClip = m_painter->clipPath();
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Printed pictures keep their pixels: a PDF device must not recompress them lossily.
    m_painter->setRenderHint(QPainter::LosslessImageRendering, true);
}

QTransform PainterSurface::MappingTransform() const
{
    return QTransform(static_cast<qreal>(m_mapping.ScaleX()), 0, 0, static_cast<qreal>(m_mapping.ScaleY()),
                      static_cast<qreal>(m_mapping.OffsetX()), static_cast<qreal>(m_mapping.OffsetY()))
           * m_base;
}

bool PainterSurface::SupportsRasterOps() const
{
    // The PDF engine claims the feature but writes plain copies: only the raster engine combines pixels.
    const QPaintEngine* engine = m_painter->paintEngine();
    return engine && engine->type() == QPaintEngine::Raster && engine->hasFeature(QPaintEngine::RasterOpModes);
}

int PainterSurface::BitsPerPixel() const
{
    const QPaintDevice* device = m_painter->device();
    return device ? std::min(device->depth(), 24) : 24;
}

QPointF PainterSurface::DevicePoint(Point logical) const
{
    Point d = m_mapping.ToDevice(logical);
    return QPointF(d.X, d.Y);
}

QPen PainterSurface::DevicePen(int* deviceWidth) const
{
    const Pen& p = GetPen();
    if (deviceWidth)
        *deviceWidth = 0;
    if (p.GetStyle() == PenStyle::Clear || p.GetMode() == PenMode::Nop)
        return QPen(Qt::NoPen);
    QColor color = ToQColor(p.GetColor());
    if (p.GetMode() == PenMode::Black)
        color = Qt::black;
    else if (p.GetMode() == PenMode::White)
        color = Qt::white;

    const bool cosmetic = p.GetWidth() <= 0 || p.GetKind() == PenKind::Cosmetic;
    int width = cosmetic ? 1 : std::max(1, PinToDevice(p.GetWidth() * std::abs(m_mapping.ScaleX())));
    const bool geometric = p.GetKind() == PenKind::GeometricSquareMiter;
    QPen pen(color);
    pen.setWidth(width);
    pen.setCosmetic(width == 1);
    Qt::PenStyle style = Qt::SolidLine;
    switch (p.GetStyle()) {
    case PenStyle::Dash: style = Qt::DashLine; break;
    case PenStyle::Dot: style = Qt::DotLine; break;
    case PenStyle::DashDot: style = Qt::DashDotLine; break;
    case PenStyle::DashDotDot: style = Qt::DashDotDotLine; break;
    default: break;
    }
    // Styles of a default pen only hold for one pixel; a geometric pen keeps them at any width.
    if (width > 1 && !geometric)
        style = Qt::SolidLine;
    pen.setStyle(style);
    if (geometric) {
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else if (width > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        pen.setCapStyle(Qt::FlatCap);
    }
    if (deviceWidth)
        *deviceWidth = width;
    return pen;
}

QBrush PainterSurface::DeviceBrush() const
{
    const Brush& b = GetBrush();
    if (b.GetStyle() == BrushStyle::Clear || GetPen().GetMode() == PenMode::Nop)
        return QBrush(Qt::NoBrush);
    QColor color = ToQColor(b.GetColor());
    if (GetPen().GetMode() == PenMode::Black)
        color = Qt::black;
    else if (GetPen().GetMode() == PenMode::White)
        color = Qt::white;
    Qt::BrushStyle style = Qt::SolidPattern;
    switch (b.GetStyle()) {
    case BrushStyle::Horizontal: style = Qt::HorPattern; break;
    case BrushStyle::Vertical: style = Qt::VerPattern; break;
    case BrushStyle::FDiagonal: style = Qt::FDiagPattern; break;
    case BrushStyle::BDiagonal: style = Qt::BDiagPattern; break;
    case BrushStyle::Cross: style = Qt::CrossPattern; break;
    case BrushStyle::DiagCross: style = Qt::DiagCrossPattern; break;
    default: break;
    }
    return QBrush(color, style);
}

bool PainterSurface::BeginMix()
{
    PenMode mode = GetPen().GetMode();
    if (mode == PenMode::Nop)
        return false;
    QPainter::CompositionMode c = MixComposition(mode);
    if (c != QPainter::CompositionMode_SourceOver && !SupportsRasterOps())
        c = QPainter::CompositionMode_SourceOver;
    m_painter->setCompositionMode(c);
    return true;
}

void PainterSurface::EndMix() { m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver); }

// --- paths and clipping ---------------------------------------------------------------------------------

bool PainterSurface::BeginPath()
{
    m_pathOpen = true;
    m_pathClosed = false;
    m_path.clear();
    return true;
}

void PainterSurface::EndPath()
{
    if (!m_pathOpen)
        return;
    m_pathOpen = false;
    m_pathClosed = true;
    m_closedPath = std::move(m_path);
    m_path.clear();
}

QPainterPath PainterSurface::ClosedPathOnDevice() const
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const auto& figure : m_closedPath) {
        QPolygonF polygon;
        for (Point p : figure)
            polygon << DevicePoint(p);
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    return path;
}

void PainterSurface::ApplyClip()
{
    if (m_clip.empty()) {
        if (m_baseClipped)
            m_painter->setClipPath(m_baseClip);
        else
            m_painter->setClipping(false);
        return;
    }
    bool first = true;
    if (m_baseClipped) {
        m_painter->setClipPath(m_baseClip);
        first = false;
    }
    for (const QPainterPath& path : m_clip) {
        m_painter->setClipPath(path, first ? Qt::ReplaceClip : Qt::IntersectClip);
        first = false;
    }
}

void PainterSurface::SelectClipPath()
{
    if (!m_pathClosed)
        return;
    m_pathClosed = false;
    m_clip = {ClosedPathOnDevice()};
    ApplyClip();
}

void PainterSurface::IntersectClipPath()
{
    if (!m_pathClosed)
        return;
    m_pathClosed = false;
    m_clip.push_back(ClosedPathOnDevice());
    ApplyClip();
}

void PainterSurface::RemoveClip()
{
    m_clip.clear();
    ApplyClip();
}

void PainterSurface::SaveState()
{
    Surface::SaveState();
    m_savedClips.push_back(m_clip);
}

void PainterSurface::RestoreState()
{
    if (m_savedClips.empty())
        return;
    Surface::RestoreState();
    m_clip = std::move(m_savedClips.back());
    m_savedClips.pop_back();
    ApplyClip();
}

// --- figures --------------------------------------------------------------------------------------------

void PainterSurface::Polygon(std::span<const Point> points)
{
    if (m_pathOpen) {
        m_path.emplace_back(points.begin(), points.end());
        return;
    }
    if (points.size() < 2 || !BeginMix())
        return;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (Point p : points) {
        Point d = m_mapping.ToDevice(p);
        polygon << QPoint(d.X, d.Y);
    }
    m_painter->setPen(DevicePen());
    m_painter->setBrush(DeviceBrush());
    m_painter->drawPolygon(polygon, Qt::OddEvenFill);
    EndMix();
}

void PainterSurface::Rectangle(const Rect& r)
{
    if (m_pathOpen) {
        m_path.push_back({{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}});
        return;
    }
    Rect d = m_mapping.ToDevice(r);
    if (d.Width() <= 0 || d.Height() <= 0 || !BeginMix())
        return;
    QBrush brush = DeviceBrush();
    if (brush.style() != Qt::NoBrush)
        m_painter->fillRect(QRect(d.Left, d.Top, d.Width(), d.Height()), brush);
    QPen pen = DevicePen();
    if (pen.style() != Qt::NoPen) {
        m_painter->setPen(pen);
        m_painter->setBrush(Qt::NoBrush);
        // A one-pixel outline of a w x h rectangle is drawn by Qt one pixel larger: this covers
        // left..right-1 and top..bottom-1.
        if (d.Width() == 1 || d.Height() == 1)
            m_painter->drawLine(d.Left, d.Top, d.Right - 1, d.Bottom - 1);
        else
            m_painter->drawRect(QRect(d.Left, d.Top, d.Width() - 1, d.Height() - 1));
    }
    EndMix();
}

void PainterSurface::MoveTo(int x, int y) { m_position = {x, y}; }

void PainterSurface::LineTo(int x, int y)
{
    Point from = m_position;
    m_position = {x, y};
    if (m_pathOpen) {
        m_path.push_back({from, {x, y}});
        return;
    }
    Point a = m_mapping.ToDevice(from);
    Point b = m_mapping.ToDevice(Point{x, y});
    QPen pen = DevicePen();
    if (pen.style() == Qt::NoPen || a == b || !BeginMix())
        return;
    // With flat ends Qt leaves out the last pixel of a one-pixel line, as the device does.
    m_painter->setPen(pen);
    m_painter->drawLine(a.X, a.Y, b.X, b.Y);
    EndMix();
}

void PainterSurface::SetPixel(int x, int y, Color color)
{
    Point d = m_mapping.ToDevice(Point{x, y});
    m_painter->fillRect(QRect(d.X, d.Y, 1, 1), ToQColor(color));
}

void PainterSurface::FillRect(const Rect& r)
{
    Rect d = m_mapping.ToDevice(r);
    if (d.Width() <= 0 || d.Height() <= 0 || GetBrush().GetStyle() == BrushStyle::Clear)
        return;
    // A fill ignores the pen's mix mode.
    Brush& b = GetBrush();
    Qt::BrushStyle style = DeviceBrush().style();
    m_painter->fillRect(QRect(d.Left, d.Top, d.Width(), d.Height()),
                        QBrush(ToQColor(b.GetColor()), style == Qt::NoBrush ? Qt::SolidPattern : style));
}

// --- bitmaps --------------------------------------------------------------------------------------------

void PainterSurface::StretchBitmap(const Rect& dest, const Bitmap& bitmap, uint32_t rop)
{
    DrawBits(dest, QRect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()), bitmap, rop);
}

void PainterSurface::StretchDIBits(const Rect& dest, const Rect& source, const Bitmap& bitmap, uint32_t rop)
{
    DrawBits(dest, QRect(source.Left, source.Top, source.Width(), source.Height()), bitmap, rop);
}

void PainterSurface::DrawBits(const Rect& dest, QRect source, const Bitmap& bitmap, uint32_t rop)
{
    if (bitmap.Empty() || source.width() <= 0 || source.height() <= 0)
        return;
    Point a = m_mapping.ToDevice(Point{dest.Left, dest.Top});
    Point b = m_mapping.ToDevice(Point{dest.Right, dest.Bottom});
    if (a.X == b.X || a.Y == b.Y)
        return;

    // Only the part of the source inside the bitmap is drawn, into the matching part of the destination.
    QRect inside = source.intersected(QRect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()));
    if (inside.isEmpty())
        return;
    const long double sx = static_cast<long double>(b.X - a.X) / source.width();
    const long double sy = static_cast<long double>(b.Y - a.Y) / source.height();
    int x0 = a.X + PinToDevice((inside.left() - source.left()) * sx);
    int x1 = a.X + PinToDevice((inside.left() + inside.width() - source.left()) * sx);
    int y0 = a.Y + PinToDevice((inside.top() - source.top()) * sy);
    int y1 = a.Y + PinToDevice((inside.top() + inside.height() - source.top()) * sy);
    const bool mirrorX = x1 < x0, mirrorY = y1 < y0;
    QRect target(QPoint(std::min(x0, x1), std::min(y0, y1)), QSize(std::abs(x1 - x0), std::abs(y1 - y0)));
    if (target.isEmpty())
        return;

    if (!IsStandardRasterOp(rop))
        rop = SRCCOPY;
    const QColor patternColor = ToQColor(GetBrush().GetColor());
    using C = QPainter::CompositionMode;
    auto fill = [&](const QColor& color, C mode) {
        m_painter->setCompositionMode(mode);
        m_painter->fillRect(target, color);
        m_painter->setCompositionMode(C::CompositionMode_SourceOver);
    };
    const bool rasterOps = SupportsRasterOps();
    switch (rop) {
    case BLACKNESS: fill(Qt::black, C::CompositionMode_SourceOver); return;
    case WHITENESS: fill(Qt::white, C::CompositionMode_SourceOver); return;
    case PATCOPY: fill(patternColor, C::CompositionMode_SourceOver); return;
    case DSTINVERT:
        if (rasterOps) {
            fill(Qt::black, C::RasterOp_NotDestination);
            return;
        }
        break;
    case PATINVERT:
        if (rasterOps) {
            fill(patternColor, C::RasterOp_SourceXorDestination);
            return;
        }
        break;
    default:
        break;
    }

    // On pixel devices only the visible part of the target is sampled from the bitmap; other devices
    // (PDF, printers) get the picture at its own resolution and scale it themselves.
    QImage image;
    QRect part = target;
    if (rasterOps) {
        part = target.intersected(VisibleArea());
        if (part.isEmpty())
            return;
        image = SampleNearest(bitmap, inside, target.size(), part.translated(-target.topLeft()), mirrorX, mirrorY);
    } else {
        image = BitmapToImage(bitmap);
        if (inside != image.rect())
            image = image.copy(inside);
        if (mirrorX || mirrorY)
            image = image.mirrored(mirrorX, mirrorY);
    }

    C mode = C::CompositionMode_SourceOver;
    auto perPixel = [&](auto op) {
        if (image.format() != QImage::Format_RGB32)
            image = image.convertToFormat(QImage::Format_RGB32);
        const QRgb p = patternColor.rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = op(row[x], p) | 0xFF000000u;
        }
    };
    switch (rop) {
    // These do not read the destination: the source is prepared and copied.
    case NOTSRCCOPY: perPixel([](QRgb s, QRgb) { return ~s; }); break;
    case MERGECOPY: perPixel([](QRgb s, QRgb p) { return s & p; }); break;
    // These combine with the destination.
    case SRCAND: mode = C::RasterOp_SourceAndDestination; break;
    case SRCPAINT: mode = C::RasterOp_SourceOrDestination; break;
    case SRCINVERT: mode = C::RasterOp_SourceXorDestination; break;
    case SRCERASE: mode = C::RasterOp_SourceAndNotDestination; break;
    case NOTSRCERASE: mode = C::RasterOp_NotSourceAndNotDestination; break;
    case MERGEPAINT: mode = C::RasterOp_NotSourceOrDestination; break;
    case PATPAINT:
        if (rasterOps) {
            perPixel([](QRgb s, QRgb p) { return p | ~s; });
            mode = C::RasterOp_SourceOrDestination;
        }
        break;
    default: break;
    }
    if (!rasterOps)
        mode = C::CompositionMode_SourceOver;
    m_painter->setCompositionMode(mode);
    if (rasterOps)
        m_painter->drawImage(part.topLeft(), image);
    else
        m_painter->drawImage(QRectF(target), image, QRectF(image.rect()));
    m_painter->setCompositionMode(C::CompositionMode_SourceOver);
}

QRect PainterSurface::VisibleArea() const
{
    const QPaintDevice* device = m_painter->device();
    QRect area(-MaxDeviceCoordinate, -MaxDeviceCoordinate, 2 * MaxDeviceCoordinate, 2 * MaxDeviceCoordinate);
    if (device && m_base.isInvertible())
        area = m_base.inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    if (m_painter->hasClipping())
        area &= m_painter->clipBoundingRect().toAlignedRect();
    return area;
}

// --- text -----------------------------------------------------------------------------------------------

void PainterSurface::TextOut(int x, int y, const Rect* clip, std::string_view text, std::span<const int> advances)
{
    if (text.empty())
        return;
    const Font& font = GetFont();
    const int logicalPixels = std::abs(font.GetPixelHeight());
    const int devicePixels = std::max(1, PinToDevice(logicalPixels * std::abs(m_mapping.ScaleY())));
    const QFont deviceFont = ToQFont(font, devicePixels);
    const QFontMetrics deviceMetrics(deviceFont);

    m_painter->save();
    if (clip) {
        Rect c = m_mapping.ToDevice(*clip);
        m_painter->setClipRect(QRect(c.Left, c.Top, c.Width(), c.Height()), Qt::IntersectClip);
    }
    m_painter->setFont(deviceFont);
    m_painter->setPen(ToQColor(font.GetColor()));
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);

    Point origin = m_mapping.ToDevice(Point{x, y});
    const int baseline = origin.Y + deviceMetrics.ascent();
    if (advances.empty()) {
        m_painter->drawText(QPoint(origin.X, baseline),
                            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    } else {
        // Each character at its own place: the advances are logical units, one per byte.
        const QFontMetrics logicalMetrics(ToQFont(font, logicalPixels));
        long double pen = x;
        for (size_t i = 0; i < text.size();) {
            size_t length;
            char32_t cp = NextCodePoint(text, i, length);
            QString ch = QString::fromUcs4(&cp, 1);
            m_painter->drawText(QPointF(PinToDevice(m_mapping.DeviceX(pen)), baseline), ch);
            long double advance = 0;
            bool given = false;
            for (size_t k = i; k < i + length; ++k)
                if (k < advances.size()) {
                    advance += advances[k];
                    given = true;
                }
            pen += given ? advance : logicalMetrics.horizontalAdvance(ch);
            i += length;
        }
    }
    m_painter->restore();
}

TextMetric PainterSurface::GetTextMetrics()
{
    QFontMetrics fm(ToQFont(GetFont(), std::abs(GetFont().GetPixelHeight())));
    TextMetric m;
    m.Ascent = fm.ascent();
    m.Descent = fm.descent();
    m.Height = m.Ascent + m.Descent;
    m.AveCharWidth = fm.averageCharWidth();
    return m;
}

Size PainterSurface::TextExtent(std::string_view text)
{
    QFontMetrics fm(ToQFont(GetFont(), std::abs(GetFont().GetPixelHeight())));
    return {fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))),
            fm.ascent() + fm.descent()};
}

} // namespace plat
