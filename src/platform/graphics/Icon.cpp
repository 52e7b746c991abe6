#include "Icon.h"

#include "JpegImage.h"
#include "PixelRows_p.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/Surface.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace plat {

namespace {

constexpr size_t DirectoryHeaderSize = 6;
constexpr size_t DirectoryEntrySize = 16;

[[noreturn]] void BadIcon() { throw EInvalidGraphic("Format d'icône incorrect"); }
[[noreturn]] void PngIcon() { throw EInvalidGraphic("Icône au format PNG non prise en charge"); }

inline uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t U32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IsPng(const uint8_t* p, size_t n)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return n >= 8 && std::memcmp(p, signature, 8) == 0;
}

bool KnownHeaderSize(uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// What an entry's bitmap header says: size of the picture (half the header's height: the colour image
// and the mask are stacked), bits per pixel, and where the colour image's data ends.
struct EntryShape {
    int Width = 0;
    int Height = 0;
    int Bits = 0;
    uint64_t ImageEnd = 0;
};

bool ShapeOf(const uint8_t* e, size_t n, EntryShape& shape)
{
    if (n < 4)
        return false;
    const uint32_t headerSize = U32(e);
    if (!KnownHeaderSize(headerSize) || headerSize > n)
        return false;
    int64_t width, height;
    uint32_t compression = 0, clrUsed = 0;
    const bool core = headerSize == 12;
    if (core) {
        width = U16(e + 4);
        height = U16(e + 6);
        shape.Bits = U16(e + 10);
    } else {
        width = static_cast<int32_t>(U32(e + 4));
        height = static_cast<int32_t>(U32(e + 8));
        shape.Bits = U16(e + 14);
        compression = U32(e + 16);
        clrUsed = U32(e + 32);
    }
    if (width <= 0 || height <= 0 || (height & 1) || width > 0xFFFF || height > 0x1FFFF)
        return false;
    if (shape.Bits != 1 && shape.Bits != 4 && shape.Bits != 8 && shape.Bits != 16 && shape.Bits != 24
        && shape.Bits != 32)
        return false;
    shape.Width = static_cast<int>(width);
    shape.Height = static_cast<int>(height / 2);
    uint64_t masks = 0;
    if (headerSize == 40 && compression == 3)
        masks = 12;
    else if (headerSize == 40 && compression == 6)
        masks = 16;
    uint64_t entries;
    if (shape.Bits <= 8)
        entries = (core || clrUsed == 0) ? (uint64_t{1} << shape.Bits) : clrUsed;
    else
        entries = core ? 0 : clrUsed;
    shape.ImageEnd = headerSize + masks + entries * (core ? 3 : 4)
        + static_cast<uint64_t>(pixels::StrideFor(shape.Width, shape.Bits)) * static_cast<uint64_t>(shape.Height);
    return true;
}

} // namespace

struct Icon::Content {
    std::vector<uint8_t> File;
    int Count = 0;
    int Chosen = 0;
    Bitmap Image;      // as stored: the colours (XOR image)
    Bitmap Mask;       // 1 = transparent
    Bitmap DrawImage;  // what Draw XORs on the surface
    bool Alpha = false;
};

Icon::Icon() = default;
Icon::Icon(const Icon& other) : Graphic(), m_content(other.m_content) {}
Icon& Icon::operator=(const Icon& other)
{
    m_content = other.m_content;
    return *this;
}
Icon::~Icon() = default;

int Icon::GetWidth() const { return m_content ? m_content->Image.GetWidth() : 0; }
int Icon::GetHeight() const { return m_content ? m_content->Image.GetHeight() : 0; }
bool Icon::Empty() const { return !m_content; }
int Icon::EntryCount() const { return m_content ? m_content->Count : 0; }
int Icon::ChosenEntry() const { return m_content ? m_content->Chosen : -1; }

const Bitmap& Icon::Image() const
{
    static const Bitmap empty;
    return m_content ? m_content->Image : empty;
}

const Bitmap& Icon::Mask() const
{
    static const Bitmap empty;
    return m_content ? m_content->Mask : empty;
}

void Icon::SaveToStream(Stream& stream) const
{
    if (m_content)
        stream.WriteBuffer(m_content->File.data(), m_content->File.size());
}

void Icon::LoadFromStream(Stream& stream)
{
    const int64_t start = stream.GetPosition();
    uint8_t head[DirectoryHeaderSize];
    stream.ReadBuffer(head, sizeof head);
    const unsigned count = U16(head + 4);
    if (U16(head) != 0 || U16(head + 2) != 1 || count == 0)
        BadIcon();
    const size_t directoryEnd = DirectoryHeaderSize + DirectoryEntrySize * count;
    auto content = std::make_shared<Content>();
    content->Count = static_cast<int>(count);
    std::vector<uint8_t>& file = content->File;
    file.resize(directoryEnd);
    std::memcpy(file.data(), head, sizeof head);
    stream.ReadBuffer(file.data() + DirectoryHeaderSize, directoryEnd - DirectoryHeaderSize);

    uint64_t end = directoryEnd;
    for (unsigned i = 0; i < count; ++i) {
        const uint8_t* entry = file.data() + DirectoryHeaderSize + DirectoryEntrySize * i;
        const uint64_t size = U32(entry + 8), offset = U32(entry + 12);
        if (offset < directoryEnd || size == 0)
            BadIcon();
        end = std::max(end, offset + size);
    }
    if (end > static_cast<uint64_t>(stream.Remaining()) + directoryEnd)
        throw EReadError();
    file.resize(static_cast<size_t>(end));
    stream.ReadBuffer(file.data() + directoryEnd, file.size() - directoryEnd);

    // Choose the entry.
    int chosen = -1;
    int64_t bestScore = 0;
    int bestBits = 0;
    bool sawPng = false;
    for (unsigned i = 0; i < count; ++i) {
        const uint8_t* entry = file.data() + DirectoryHeaderSize + DirectoryEntrySize * i;
        const uint8_t* data = file.data() + U32(entry + 12);
        const size_t size = U32(entry + 8);
        if (IsPng(data, size)) {
            sawPng = true;
            continue;
        }
        EntryShape shape;
        if (!ShapeOf(data, size, shape))
            continue;
        const int64_t score = std::llabs(shape.Width - 32LL) + std::llabs(shape.Height - 32LL);
        if (chosen < 0 || score < bestScore || (score == bestScore && shape.Bits > bestBits)) {
            chosen = static_cast<int>(i);
            bestScore = score;
            bestBits = shape.Bits;
        }
    }
    if (chosen < 0) {
        if (sawPng)
            PngIcon();
        BadIcon();
    }
    content->Chosen = chosen;

    // Decode it: the colour image through the DIB reader (with the header's height halved), then the mask.
    const uint8_t* entry = file.data() + DirectoryHeaderSize + DirectoryEntrySize * static_cast<size_t>(chosen);
    const size_t size = U32(entry + 8);
    std::vector<uint8_t> dib(file.data() + U32(entry + 12), file.data() + U32(entry + 12) + size);
    EntryShape shape;
    ShapeOf(dib.data(), dib.size(), shape);
    if (U32(dib.data()) == 12) {
        dib[6] = static_cast<uint8_t>(shape.Height);
        dib[7] = static_cast<uint8_t>(shape.Height >> 8);
    } else {
        for (int k = 0; k < 4; ++k)
            dib[static_cast<size_t>(8 + k)] = static_cast<uint8_t>(static_cast<uint32_t>(shape.Height) >> (8 * k));
    }
    try {
        content->Image.LoadFromDib(dib.data(), dib.size());
    } catch (const EInvalidGraphic&) {
        BadIcon();
    }
    const int w = shape.Width, h = shape.Height;
    if (content->Image.BitsPerPixel() == 32) {
        for (int y = 0; y < h && !content->Alpha; ++y) {
            const uint8_t* row = std::as_const(content->Image).ScanLine(y);
            for (int x = 0; x < w; ++x)
                if (row[4 * x + 3] != 0) {
                    content->Alpha = true;
                    break;
                }
        }
    }

    content->Mask = Bitmap(w, h, PixelFormat::Bit1);
    content->Mask.SetPalette({{0, 0, 0, 0}, {255, 255, 255, 0}});
    const size_t maskStride = static_cast<size_t>(content->Mask.Stride());
    const uint64_t maskBytes = static_cast<uint64_t>(maskStride) * static_cast<uint64_t>(h);
    if (content->Alpha) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* row = std::as_const(content->Image).ScanLine(y);
            uint8_t* m = content->Mask.ScanLine(y);
            std::memset(m, 0, maskStride);
            for (int x = 0; x < w; ++x)
                if (row[4 * x + 3] < 128)
                    m[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
        }
    } else if (shape.ImageEnd + maskBytes <= dib.size()) {
        const uint8_t* rows = dib.data() + shape.ImageEnd;
        for (int y = 0; y < h; ++y)
            std::memcpy(content->Mask.ScanLine(y), rows + maskStride * static_cast<size_t>(h - 1 - y), maskStride);
    } else {
        throw EReadError();
    }

    // The image XORed onto the surface after the mask: black where transparent for alpha icons.
    content->DrawImage = content->Image;
    if (content->Alpha) {
        content->DrawImage.SetPixelFormat(PixelFormat::Bit24);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (content->Mask.GetPixel(x, y) == clWhite)
                    content->DrawImage.SetPixel(x, y, clBlack);
    }

    stream.SetPosition(start + static_cast<int64_t>(end));
    m_content = std::move(content);
    Changed();
}

Bitmap Icon::ToBitmap() const
{
    if (!m_content)
        return Bitmap();
    const Content& c = *m_content;
    const int w = c.Image.GetWidth(), h = c.Image.GetHeight();
    Bitmap out(w, h, PixelFormat::Bit24);
    out.SetPelsPerMeter(c.Image.XPelsPerMeter(), c.Image.YPelsPerMeter());
    for (int y = 0; y < h; ++y) {
        const uint8_t* alphaRow = c.Alpha ? c.Image.ScanLine(y) : nullptr;
        for (int x = 0; x < w; ++x) {
            const Color colour = c.Image.GetPixel(x, y);
            Color result;
            if (alphaRow) {
                const unsigned a = alphaRow[4 * x + 3];
                auto blend = [a](unsigned v) { return static_cast<uint8_t>((v * a + 255 * (255 - a) + 127) / 255); };
                result = RGBColor(blend(RedOf(colour)), blend(GreenOf(colour)), blend(BlueOf(colour)));
            } else {
                // What the screen shows over white: (white AND mask) XOR image.
                result = (c.Mask.GetPixel(x, y) == clWhite ? clWhite : clBlack) ^ colour;
            }
            out.SetPixel(x, y, result);
        }
    }
    return out;
}

void Icon::Draw(Surface& surface, const Rect& dest) const
{
    if (!m_content)
        return;
    surface.StretchBitmap(dest, m_content->Mask, SRCAND);
    surface.StretchBitmap(dest, m_content->DrawImage, SRCINVERT);
}

std::unique_ptr<Graphic> Icon::NewEmpty() const { return std::make_unique<Icon>(); }

void Icon::Assign(const Persistent* source)
{
    if (!source) {
        m_content.reset();
        Changed();
        return;
    }
    if (const auto* icon = dynamic_cast<const Icon*>(source)) {
        m_content = icon->m_content;
        Changed();
        return;
    }
    Graphic::Assign(source);
}

void Icon::AssignTo(Persistent* destination) const
{
    if (dynamic_cast<Bitmap*>(destination) || dynamic_cast<JpegImage*>(destination)) {
        const Bitmap bitmap = ToBitmap();
        destination->Assign(&bitmap);
        return;
    }
    Graphic::AssignTo(destination);
}

} // namespace plat
