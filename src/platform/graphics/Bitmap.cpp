#include "Bitmap.h"

#include "PixelRows_p.h"

#include "platform/core/Exceptions.h"
#include "platform/surface/Surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace plat {

namespace {

int BitsOf(PixelFormat format)
{
    switch (format) {
    case PixelFormat::Bit1: return 1;
    case PixelFormat::Bit4: return 4;
    case PixelFormat::Bit8: return 8;
    case PixelFormat::Bit15:
    case PixelFormat::Bit16: return 16;
    case PixelFormat::Bit32: return 32;
    case PixelFormat::Device:
    case PixelFormat::Bit24:
    case PixelFormat::Custom: return 24;
    }
    return 24;
}

bool Indexed(int bits) { return bits <= 8; }

void StandardMasks(PixelFormat format, uint32_t masks[3])
{
    const uint32_t* from = nullptr;
    switch (format) {
    case PixelFormat::Bit15: from = pixels::Mask15; break;
    case PixelFormat::Bit16: from = pixels::Mask16; break;
    case PixelFormat::Bit32: from = pixels::Mask32; break;
    default: masks[0] = masks[1] = masks[2] = 0; return;
    }
    std::copy(from, from + 3, masks);
}

} // namespace

Bitmap::Bitmap() = default;

Bitmap::Bitmap(int width, int height, PixelFormat format)
{
    if (format == PixelFormat::Custom)
        format = PixelFormat::Bit24;
    m_format = format;
    m_bitCount = static_cast<uint8_t>(BitsOf(format));
    StandardMasks(format, m_masks);
    if (Indexed(m_bitCount))
        m_palette = pixels::DefaultPalette(m_bitCount);
    Reallocate(std::max(0, width), std::max(0, height), m_bitCount);
}

Bitmap::Bitmap(const Bitmap& other) : Graphic() { CopyContent(other); }

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this != &other) {
        Bitmap copy(other);
        SwapContent(copy);
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept : Graphic() { SwapContent(other); }

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept
{
    if (this != &other)
        SwapContent(other);
    return *this;
}

Bitmap::~Bitmap() = default;

void Bitmap::CopyContent(const Bitmap& other)
{
    m_width = other.m_width;
    m_height = other.m_height;
    m_format = other.m_format;
    m_bitCount = other.m_bitCount;
    m_palette = other.m_palette;
    std::copy(other.m_masks, other.m_masks + 3, m_masks);
    m_xPelsPerMeter = other.m_xPelsPerMeter;
    m_yPelsPerMeter = other.m_yPelsPerMeter;
    m_pixels = other.m_pixels;
    m_coreHeader = other.m_coreHeader;
    m_originalFile = other.m_originalFile;
}

void Bitmap::SwapContent(Bitmap& other) noexcept
{
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_format, other.m_format);
    std::swap(m_bitCount, other.m_bitCount);
    m_palette.swap(other.m_palette);
    std::swap(m_masks, other.m_masks);
    std::swap(m_xPelsPerMeter, other.m_xPelsPerMeter);
    std::swap(m_yPelsPerMeter, other.m_yPelsPerMeter);
    m_pixels.swap(other.m_pixels);
    std::swap(m_coreHeader, other.m_coreHeader);
    m_originalFile.swap(other.m_originalFile);
}

int Bitmap::BitsPerPixel() const { return m_bitCount; }

int Bitmap::Stride() const { return static_cast<int>(pixels::StrideFor(m_width, m_bitCount)); }

uint8_t Bitmap::FillByte() const
{
    if (!Indexed(m_bitCount))
        return 0xFF;
    uint8_t white = 0;
    for (size_t i = 0; i < m_palette.size(); ++i) {
        const PaletteEntry& e = m_palette[i];
        if (e.Red == 255 && e.Green == 255 && e.Blue == 255) {
            white = static_cast<uint8_t>(i);
            break;
        }
    }
    switch (m_bitCount) {
    case 1: return white ? 0xFF : 0x00;
    case 4: return static_cast<uint8_t>((white << 4) | white);
    default: return white;
    }
}

// Gives the bitmap a new size and bit count, keeping the pixels that stay inside when the bit count is
// unchanged; everything else is the fill colour.
void Bitmap::Reallocate(int width, int height, int bitsPerPixel)
{
    if (width == 0 || height == 0) {
        width = std::max(0, width);
        height = std::max(0, height);
    }
    if (static_cast<int64_t>(width) * height > MaxPixels)
        throw EOutOfMemory();
    int64_t stride = pixels::StrideFor(width, bitsPerPixel);
    std::vector<uint8_t> fresh;
    const uint8_t fill = FillByte();
    try {
        fresh.assign(static_cast<size_t>(stride * height), fill);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
    // Row padding stays zero so that equal pictures write equal files.
    const size_t used = static_cast<size_t>((static_cast<int64_t>(width) * bitsPerPixel + 7) / 8);
    if (fill != 0 && used < static_cast<size_t>(stride)) {
        for (int y = 0; y < height; ++y)
            std::memset(fresh.data() + static_cast<size_t>(stride) * y + used, 0, static_cast<size_t>(stride) - used);
    }
    if (bitsPerPixel == m_bitCount && !m_pixels.empty() && !fresh.empty()) {
        int oldStride = Stride();
        int rows = std::min(height, m_height);
        int64_t bits = static_cast<int64_t>(std::min(width, m_width)) * bitsPerPixel;
        size_t whole = static_cast<size_t>(bits / 8);
        int rest = static_cast<int>(bits % 8);
        for (int y = 0; y < rows; ++y) {
            const uint8_t* from = m_pixels.data() + static_cast<size_t>(oldStride) * y;
            uint8_t* to = fresh.data() + static_cast<size_t>(stride) * y;
            std::memcpy(to, from, whole);
            if (rest) {
                uint8_t keep = static_cast<uint8_t>(0xFF00 >> rest);
                to[whole] = static_cast<uint8_t>((from[whole] & keep) | (to[whole] & ~keep));
            }
        }
    }
    m_pixels.swap(fresh);
    m_width = width;
    m_height = height;
    m_bitCount = static_cast<uint8_t>(bitsPerPixel);
}

void Bitmap::SetWidth(int width) { SetSize(width, m_height); }
void Bitmap::SetHeight(int height) { SetSize(m_width, height); }

void Bitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height)
        return;
    Reallocate(width, height, m_bitCount);
    Modified();
    Changed();
}

void Bitmap::SetPixelFormat(PixelFormat format)
{
    if (format == m_format || format == PixelFormat::Custom)
        return;
    const int bits = BitsOf(format);
    Bitmap converted;
    converted.m_format = format;
    converted.m_bitCount = static_cast<uint8_t>(bits);
    StandardMasks(format, converted.m_masks);
    converted.m_xPelsPerMeter = m_xPelsPerMeter;
    converted.m_yPelsPerMeter = m_yPelsPerMeter;
    converted.m_coreHeader = m_coreHeader;

    const bool sameLayout = bits == m_bitCount
        && (Indexed(bits) || std::equal(m_masks, m_masks + 3, converted.m_masks));
    if (sameLayout) {
        // Device and 24 bits, or palettes of the same size: only the name changes.
        converted.m_palette = m_palette;
        converted.m_pixels = m_pixels;
        converted.m_width = m_width;
        converted.m_height = m_height;
    } else {
        const pixels::RowLayout from = pixels::LayoutOf(m_format, m_bitCount, m_masks, m_palette);
        auto fetch = [&](int y, uint8_t* out) { pixels::RowToBgrx(from, ScanLine(y), m_width, out); };
        std::vector<uint8_t> line(static_cast<size_t>(m_width) * 4);
        const int rows = Empty() ? 0 : m_height;
        if (Indexed(bits)) {
            pixels::Reducer reducer(bits, fetch, m_width, rows);
            converted.m_palette = reducer.Palette();
            converted.Reallocate(m_width, m_height, bits);
            for (int y = 0; y < rows; ++y) {
                fetch(y, line.data());
                uint8_t* row = converted.m_pixels.data() + static_cast<size_t>(converted.Stride()) * y;
                std::memset(row, 0, static_cast<size_t>(converted.Stride()));
                for (int x = 0; x < m_width; ++x) {
                    const uint8_t* p = line.data() + 4 * x;
                    uint8_t index = reducer.IndexOf(p[0], p[1], p[2]);
                    if (bits == 8)
                        row[x] = index;
                    else if (bits == 4)
                        row[x >> 1] |= static_cast<uint8_t>((x & 1) ? index : (index << 4));
                    else if (index)
                        row[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
                }
            }
        } else {
            converted.Reallocate(m_width, m_height, bits);
            const pixels::RowLayout to =
                pixels::LayoutOf(format, bits, converted.m_masks, converted.m_palette);
            for (int y = 0; y < rows; ++y) {
                fetch(y, line.data());
                pixels::RowFromBgrx(to, line.data(),  m_width,
                                    converted.m_pixels.data() + static_cast<size_t>(converted.Stride()) * y);
            }
        }
    }
    SwapContent(converted);
    Modified();
    Changed();
}

void Bitmap::SetBitFields(int bitsPerPixel, uint32_t red, uint32_t green, uint32_t blue)
{
    if (!pixels::ValidMasks(bitsPerPixel, red, green, blue))
        throw EInvalidGraphic::BadBitmap();
    uint32_t masks[3] = {red, green, blue};
    PixelFormat format = PixelFormat::Custom;
    if (bitsPerPixel == 16 && std::equal(masks, masks + 3, pixels::Mask15))
        format = PixelFormat::Bit15;
    else if (bitsPerPixel == 16 && std::equal(masks, masks + 3, pixels::Mask16))
        format = PixelFormat::Bit16;
    else if (bitsPerPixel == 32 && std::equal(masks, masks + 3, pixels::Mask32))
        format = PixelFormat::Bit32;
    if (format == m_format && bitsPerPixel == m_bitCount && std::equal(masks, masks + 3, m_masks))
        return;
    if (format != PixelFormat::Custom) {
        SetPixelFormat(format);
        return;
    }
    Bitmap converted;
    converted.m_format = PixelFormat::Custom;
    converted.m_bitCount = static_cast<uint8_t>(bitsPerPixel);
    std::copy(masks, masks + 3, converted.m_masks);
    converted.m_xPelsPerMeter = m_xPelsPerMeter;
    converted.m_yPelsPerMeter = m_yPelsPerMeter;
    converted.Reallocate(m_width, m_height, bitsPerPixel);
    const pixels::RowLayout from = pixels::LayoutOf(m_format, m_bitCount, m_masks, m_palette);
    const pixels::RowLayout to = pixels::LayoutOf(PixelFormat::Custom, bitsPerPixel, masks, converted.m_palette);
    std::vector<uint8_t> line(static_cast<size_t>(m_width) * 4);
    for (int y = 0; y < (Empty() ? 0 : m_height); ++y) {
        pixels::RowToBgrx(from, ScanLine(y), m_width, line.data());
        pixels::RowFromBgrx(to, line.data(), m_width,
                            converted.m_pixels.data() + static_cast<size_t>(converted.Stride()) * y);
    }
    SwapContent(converted);
    Modified();
    Changed();
}

void Bitmap::SetPalette(std::vector<PaletteEntry> palette)
{
    if (!Indexed(m_bitCount))
        return;
    size_t limit = size_t{1} << m_bitCount;
    if (palette.size() > limit)
        palette.resize(limit);
    if (palette == m_palette)
        return;
    m_palette = std::move(palette);
    Modified();
    Changed();
}

void Bitmap::SetPelsPerMeter(int32_t x, int32_t y)
{
    if (x == m_xPelsPerMeter && y == m_yPelsPerMeter)
        return;
    m_xPelsPerMeter = x;
    m_yPelsPerMeter = y;
    Modified();
}

uint8_t* Bitmap::ScanLine(int y)
{
    if (y < 0 || y >= m_height || m_width == 0)
        return nullptr;
    Modified();
    return m_pixels.data() + static_cast<size_t>(Stride()) * y;
}

const uint8_t* Bitmap::ScanLine(int y) const
{
    if (y < 0 || y >= m_height || m_width == 0)
        return nullptr;
    return m_pixels.data() + static_cast<size_t>(Stride()) * y;
}

Color Bitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return -1;
    const pixels::RowLayout layout = pixels::LayoutOf(m_format, m_bitCount, m_masks, m_palette);
    const uint8_t* row = ScanLine(y);
    uint8_t wide[4];
    switch (m_bitCount) {
    case 1: {
        unsigned index = (row[x >> 3] >> (7 - (x & 7))) & 1u;
        return index < m_palette.size()
            ? RGBColor(m_palette[index].Red, m_palette[index].Green, m_palette[index].Blue) : clBlack;
    }
    case 4: {
        unsigned index = (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
        return index < m_palette.size()
            ? RGBColor(m_palette[index].Red, m_palette[index].Green, m_palette[index].Blue) : clBlack;
    }
    default:
        pixels::RowToBgrx(layout, row + static_cast<size_t>(x) * (m_bitCount / 8), 1, wide);
        return RGBColor(wide[2], wide[1], wide[0]);
    }
}

void Bitmap::SetPixel(int x, int y, Color color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    color = ColorToRGB(color);
    const uint8_t r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    uint8_t* row = ScanLine(y);
    if (Indexed(m_bitCount)) {
        uint8_t index = pixels::NearestIndex(m_palette, b, g, r);
        if (m_bitCount == 8) {
            row[x] = index;
        } else if (m_bitCount == 4) {
            uint8_t& byte = row[x >> 1];
            byte = (x & 1) ? static_cast<uint8_t>((byte & 0xF0) | (index & 0x0F))
                           : static_cast<uint8_t>((byte & 0x0F) | (index << 4));
        } else {
            uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
            row[x >> 3] = index ? static_cast<uint8_t>(row[x >> 3] | bit) : static_cast<uint8_t>(row[x >> 3] & ~bit);
        }
        return;
    }
    const pixels::RowLayout layout = pixels::LayoutOf(m_format, m_bitCount, m_masks, m_palette);
    uint8_t px[4] = {b, g, r, 0};
    uint8_t* at = row + static_cast<size_t>(x) * (m_bitCount / 8);
    if (m_bitCount == 32 && m_format != PixelFormat::Custom)
        px[3] = at[3];
    pixels::RowFromBgrx(layout, px, 1, at);
}

void Bitmap::Modified() { m_originalFile.clear(); }

void Bitmap::Assign(const Persistent* source)
{
    if (!source) {
        Bitmap empty;
        SwapContent(empty);
        Changed();
        return;
    }
    if (const auto* bitmap = dynamic_cast<const Bitmap*>(source)) {
        if (bitmap != this) {
            Bitmap copy(*bitmap);
            SwapContent(copy);
        }
        Changed();
        return;
    }
    // Other pictures know how to give their bitmap view (AssignTo).
    Persistent::Assign(source);
}

void Bitmap::Draw(Surface& surface, const Rect& dest) const
{
    if (Empty())
        return;
    surface.StretchBitmap(dest, *this, surface.GetCopyMode());
}

std::unique_ptr<Graphic> Bitmap::NewEmpty() const { return std::make_unique<Bitmap>(); }

} // namespace plat
