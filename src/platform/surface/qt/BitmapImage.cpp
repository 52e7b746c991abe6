#include "BitmapImage.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace plat {

namespace {

bool MasksAre(const Bitmap& b, uint32_t r, uint32_t g, uint32_t bl)
{
    return b.RedMask() == r && b.GreenMask() == g && b.BlueMask() == bl;
}

QList<QRgb> ColorTable(const Bitmap& b, int size)
{
    QList<QRgb> table;
    for (const PaletteEntry& e : b.GetPalette())
        table.push_back(qRgb(e.Red, e.Green, e.Blue));
    // Indexes beyond the palette read as black rather than as whatever follows the table.
    table.resize(std::max<qsizetype>(size, table.size()), qRgb(0, 0, 0));
    table.resize(size);
    return table;
}

void CopyRows(const Bitmap& b, QImage& image, size_t rowBytes)
{
    for (int y = 0; y < b.GetHeight(); ++y)
        std::memcpy(image.scanLine(y), b.ScanLine(y), rowBytes);
}

} // namespace

QImage BitmapToImage(const Bitmap& b)
{
    if (b.Empty())
        return {};
    const int w = b.GetWidth(), h = b.GetHeight();
    QImage image;
    switch (b.BitsPerPixel()) {
    case 1:
        image = QImage(w, h, QImage::Format_Mono);
        image.setColorTable(ColorTable(b, 2));
        CopyRows(b, image, (static_cast<size_t>(w) + 7) / 8);
        break;
    case 4:
        image = QImage(w, h, QImage::Format_Indexed8);
        image.setColorTable(ColorTable(b, 16));
        for (int y = 0; y < h; ++y) {
            const uint8_t* src = b.ScanLine(y);
            uchar* dst = image.scanLine(y);
            for (int x = 0; x < w; ++x)
                dst[x] = (x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4);
        }
        break;
    case 8:
        image = QImage(w, h, QImage::Format_Indexed8);
        image.setColorTable(ColorTable(b, 256));
        CopyRows(b, image, static_cast<size_t>(w));
        break;
    case 24:
        image = QImage(w, h, QImage::Format_BGR888);
        CopyRows(b, image, static_cast<size_t>(w) * 3);
        break;
    case 32:
        if (MasksAre(b, 0xFF0000, 0x00FF00, 0x0000FF) || MasksAre(b, 0, 0, 0)) {
            // Blue, green, red, and a fourth byte that is not interpreted: forced opaque.
            image = QImage(w, h, QImage::Format_RGB32);
            for (int y = 0; y < h; ++y) {
                const uint8_t* src = b.ScanLine(y);
                auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
                for (int x = 0; x < w; ++x) {
                    uint32_t v;
                    std::memcpy(&v, src + 4 * x, 4);
                    dst[x] = v | 0xFF000000u;
                }
            }
        }
        break;
    default:
        break;
    }
    if (image.isNull()) {
        // Bit-field layouts of their own: read each pixel through the bitmap.
        image = QImage(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                Color c = b.GetPixel(x, y);
                dst[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
            }
        }
    }
    if (b.XPelsPerMeter() > 0 && b.YPelsPerMeter() > 0) {
        image.setDotsPerMeterX(b.XPelsPerMeter());
        image.setDotsPerMeterY(b.YPelsPerMeter());
    }
    return image;
}

QImage SampleNearest(const Bitmap& b, const QRect& source, const QSize& targetSize, const QRect& part,
                     bool mirrorX, bool mirrorY)
{
    QImage out(part.size(), QImage::Format_RGB32);
    if (out.isNull() || source.isEmpty() || targetSize.isEmpty())
        return out;
    const int64_t tw = targetSize.width(), th = targetSize.height();
    const int64_t sw = source.width(), sh = source.height();
    auto sourceIndex = [](int64_t t, int64_t target, int64_t src, bool mirror) {
        if (mirror)
            t = target - 1 - t;
        return static_cast<int>(std::clamp<int64_t>((2 * t + 1) * src / (2 * target), 0, src - 1));
    };
    std::vector<int> xs(static_cast<size_t>(part.width()));
    for (int i = 0; i < part.width(); ++i)
        xs[static_cast<size_t>(i)] = source.left() + sourceIndex(part.left() + i, tw, sw, mirrorX);

    QRgb lut[256];
    std::fill(std::begin(lut), std::end(lut), qRgb(0, 0, 0));
    const auto& palette = b.GetPalette();
    for (size_t i = 0; i < palette.size() && i < 256; ++i)
        lut[i] = qRgb(palette[i].Red, palette[i].Green, palette[i].Blue);

    const int bits = b.BitsPerPixel();
    const bool standard32 = bits == 32 && (MasksAre(b, 0xFF0000, 0x00FF00, 0x0000FF) || MasksAre(b, 0, 0, 0));
    for (int j = 0; j < part.height(); ++j) {
        const int sy = source.top() + sourceIndex(part.top() + j, th, sh, mirrorY);
        const uint8_t* row = b.ScanLine(sy);
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(j));
        const int n = part.width();
        if (bits == 24) {
            for (int i = 0; i < n; ++i) {
                const uint8_t* p = row + 3 * static_cast<size_t>(xs[i]);
                dst[i] = qRgb(p[2], p[1], p[0]);
            }
        } else if (standard32) {
            for (int i = 0; i < n; ++i) {
                const uint8_t* p = row + 4 * static_cast<size_t>(xs[i]);
                dst[i] = qRgb(p[2], p[1], p[0]);
            }
        } else if (bits == 8) {
            for (int i = 0; i < n; ++i)
                dst[i] = lut[row[xs[i]]];
        } else if (bits == 4) {
            for (int i = 0; i < n; ++i) {
                uint8_t v = row[xs[i] / 2];
                dst[i] = lut[(xs[i] & 1) ? (v & 0x0F) : (v >> 4)];
            }
        } else if (bits == 1) {
            for (int i = 0; i < n; ++i)
                dst[i] = lut[(row[xs[i] / 8] >> (7 - xs[i] % 8)) & 1];
        } else {
            for (int i = 0; i < n; ++i) {
                Color c = b.GetPixel(xs[i], sy);
                dst[i] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
            }
        }
    }
    return out;
}

Bitmap ImageToBitmap(const QImage& source)
{
    if (source.isNull())
        return Bitmap();
    QImage image = source;
    PixelFormat format;
    size_t rowBytes;
    const size_t w = static_cast<size_t>(image.width());
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        image = image.convertToFormat(QImage::Format_Mono);
        format = PixelFormat::Bit1;
        rowBytes = (w + 7) / 8;
        break;
    case QImage::Format_Indexed8:
        format = PixelFormat::Bit8;
        rowBytes = w;
        break;
    default:
        if (image.hasAlphaChannel()) {
            image = image.convertToFormat(QImage::Format_ARGB32);
            format = PixelFormat::Bit32;
            rowBytes = w * 4;
        } else {
            image = image.convertToFormat(QImage::Format_BGR888);
            format = PixelFormat::Bit24;
            rowBytes = w * 3;
        }
        break;
    }
    Bitmap b(image.width(), image.height(), format);
    if (format == PixelFormat::Bit1 || format == PixelFormat::Bit8) {
        std::vector<PaletteEntry> palette;
        for (QRgb c : image.colorTable())
            palette.push_back({static_cast<uint8_t>(qBlue(c)), static_cast<uint8_t>(qGreen(c)),
                               static_cast<uint8_t>(qRed(c)), 0});
        b.SetPalette(std::move(palette));
    }
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(b.ScanLine(y), image.constScanLine(y), rowBytes);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        b.SetPelsPerMeter(image.dotsPerMeterX(), image.dotsPerMeterY());
    return b;
}

} // namespace plat
