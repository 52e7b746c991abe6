// The BMP file format and the packed device-independent form of Bitmap.
//
// Reading checks every size against the bytes really there before allocating, decodes into a temporary
// bitmap and swaps it in only when everything succeeded. Rows of uncompressed files are copied whole:
// the in-memory row layout is the file's.

#include "Bitmap.h"

#include "PixelRows_p.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace plat {

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr size_t FileHeaderSize = 14;

// An RLE file may expand a lot (runs, line ends, deltas), but a few bytes must not make us allocate
// gigabytes: the decoded bitmap may be at most this many times the compressed data, or 16 MiB (an A4
// page at 300 dpi and 8 bits is 8.7 MB, whatever its data).
constexpr int64_t RleExpansionLimit = 1024;
constexpr int64_t RleFloorBytes = int64_t{16} << 20;

inline uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t U32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

inline void Put16(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

bool KnownHeaderSize(uint32_t size)
{
    return size == CoreHeaderSize || size == InfoHeaderSize || size == 52 || size == 56 || size == 108
        || size == 124;
}

[[noreturn]] void Bad() { throw EInvalidGraphic::BadBitmap(); }

// What the information header says, checked for consistency.
struct DibInfo {
    uint32_t HeaderSize = 0;
    bool Core = false;
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int Bits = 0;
    uint32_t Compression = BI_RGB;
    uint32_t SizeImage = 0;
    int32_t XPelsPerMeter = 0;
    int32_t YPelsPerMeter = 0;
    uint32_t ClrUsed = 0;
    uint32_t Masks[3] = {0, 0, 0};
    PixelFormat Format = PixelFormat::Bit24;

    bool Rle() const { return Compression == BI_RLE8 || Compression == BI_RLE4; }
    bool BitFields() const { return Compression == BI_BITFIELDS || Compression == BI_ALPHABITFIELDS; }
    // Bytes of masks after a 40-byte header.
    size_t MaskBytes() const
    {
        if (HeaderSize != InfoHeaderSize || !BitFields())
            return 0;
        return Compression == BI_ALPHABITFIELDS ? 16 : 12;
    }
    size_t EntrySize() const { return Core ? 3 : 4; }
    // Colour entries the table holds in the data (before any limit from the file's data offset).
    uint64_t TableEntries() const
    {
        if (Bits <= 8)
            return (Core || ClrUsed == 0) ? (uint64_t{1} << Bits) : ClrUsed;
        return Core ? 0 : ClrUsed;
    }
    uint64_t PaletteEntries() const { return Bits <= 8 ? std::min<uint64_t>(TableEntries(), uint64_t{1} << Bits) : 0; }
    int64_t Stride() const { return pixels::StrideFor(Width, Bits); }
};

// Parses the header at h (headerSize bytes, starting with the size field).
DibInfo ParseInfo(const uint8_t* h, uint32_t headerSize)
{
    DibInfo info;
    info.HeaderSize = headerSize;
    int64_t height = 0;
    unsigned planes = 0;
    if (headerSize == CoreHeaderSize) {
        info.Core = true;
        info.Width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        info.Bits = U16(h + 10);
        if (info.Bits != 1 && info.Bits != 4 && info.Bits != 8 && info.Bits != 24)
            Bad();
    } else {
        int32_t width = I32(h + 4);
        height = I32(h + 8);
        planes = U16(h + 12);
        info.Bits = U16(h + 14);
        info.Compression = U32(h + 16);
        info.SizeImage = U32(h + 20);
        info.XPelsPerMeter = I32(h + 24);
        info.YPelsPerMeter = I32(h + 28);
        info.ClrUsed = U32(h + 32);
        if (width <= 0)
            Bad();
        info.Width = width;
        if (headerSize >= 52) {
            info.Masks[0] = U32(h + 40);
            info.Masks[1] = U32(h + 44);
            info.Masks[2] = U32(h + 48);
        }
    }
    if (height == 0 || height == INT32_MIN || info.Width == 0 || planes != 1)
        Bad();
    info.TopDown = height < 0;
    info.Height = static_cast<int>(height < 0 ? -height : height);

    switch (info.Bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: Bad();
    }
    switch (info.Compression) {
    case BI_RGB: break;
    case BI_RLE8: if (info.Bits != 8 || info.TopDown) Bad(); break;
    case BI_RLE4: if (info.Bits != 4 || info.TopDown) Bad(); break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS: if (info.Bits != 16 && info.Bits != 32) Bad(); break;
    default: Bad();
    }
    if (info.Bits <= 8 && info.ClrUsed > (uint32_t{1} << 16))
        Bad();
    return info;
}

// Chooses the pixel format once the masks are known (from the header or after it).
void SettleFormat(DibInfo& info)
{
    switch (info.Bits) {
    case 1: info.Format = PixelFormat::Bit1; return;
    case 4: info.Format = PixelFormat::Bit4; return;
    case 8: info.Format = PixelFormat::Bit8; return;
    case 24: info.Format = PixelFormat::Bit24; return;
    default: break;
    }
    const uint32_t* standard = info.Bits == 16 ? pixels::Mask15 : pixels::Mask32;
    if (!info.BitFields()) {
        std::copy(standard, standard + 3, info.Masks);
        info.Format = info.Bits == 16 ? PixelFormat::Bit15 : PixelFormat::Bit32;
        return;
    }
    if (!pixels::ValidMasks(info.Bits, info.Masks[0], info.Masks[1], info.Masks[2]))
        Bad();
    if (std::equal(info.Masks, info.Masks + 3, standard))
        info.Format = info.Bits == 16 ? PixelFormat::Bit15 : PixelFormat::Bit32;
    else if (info.Bits == 16 && std::equal(info.Masks, info.Masks + 3, pixels::Mask16))
        info.Format = PixelFormat::Bit16;
    else
        info.Format = PixelFormat::Custom;
}

std::vector<PaletteEntry> ParsePalette(const uint8_t* p, size_t count, size_t entrySize)
{
    std::vector<PaletteEntry> palette(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = p + i * entrySize;
        palette[i] = PaletteEntry{e[0], e[1], e[2], 0};
    }
    return palette;
}

} // namespace

// Friend of Bitmap: fills a bitmap's private parts from parsed data.
class BmpReader {
public:
    static void Prepare(Bitmap& bmp, const DibInfo& info, std::vector<PaletteEntry> palette)
    {
        if (static_cast<int64_t>(info.Width) * info.Height > Bitmap::MaxPixels)
            throw EOutOfMemory();
        bmp.m_format = info.Format;
        bmp.m_bitCount = static_cast<uint8_t>(info.Bits);
        if (info.Bits == 16 || info.Bits == 32)
            std::copy(info.Masks, info.Masks + 3, bmp.m_masks);
        else
            bmp.m_masks[0] = bmp.m_masks[1] = bmp.m_masks[2] = 0;
        bmp.m_xPelsPerMeter = info.XPelsPerMeter;
        bmp.m_yPelsPerMeter = info.YPelsPerMeter;
        bmp.m_coreHeader = info.Core;
        // Pixels an RLE file skips stay at index 0, so allocate before the palette gives a white fill.
        bmp.Reallocate(info.Width, info.Height, info.Bits);
        bmp.m_palette = std::move(palette);
    }

    static uint8_t* Row(Bitmap& bmp, const DibInfo& info, int fileRow)
    {
        int y = info.TopDown ? fileRow : info.Height - 1 - fileRow;
        return bmp.m_pixels.data() + static_cast<size_t>(info.Stride()) * static_cast<size_t>(y);
    }

    // Uncompressed rows from memory.
    static void CopyRows(Bitmap& bmp, const DibInfo& info, const uint8_t* src)
    {
        const size_t stride = static_cast<size_t>(info.Stride());
        for (int i = 0; i < info.Height; ++i)
            std::memcpy(Row(bmp, info, i), src + stride * static_cast<size_t>(i), stride);
    }

    // Uncompressed rows straight from a stream (the caller checked that they are there).
    static void ReadRows(Bitmap& bmp, const DibInfo& info, Stream& stream)
    {
        const size_t stride = static_cast<size_t>(info.Stride());
        if (!info.TopDown) {
            // Bottom-up rows are placed in reverse order, one read a row.
            for (int i = 0; i < info.Height; ++i)
                stream.ReadBuffer(Row(bmp, info, i), stride);
        } else {
            stream.ReadBuffer(bmp.m_pixels.data(), stride * static_cast<size_t>(info.Height));
        }
    }

    // Decodes RLE8 or RLE4 data of n bytes; answers how many bytes were used (up to the end-of-bitmap
    // code, or all of them when it is missing). Runs past the end of a line are cut off.
    static size_t DecodeRle(Bitmap& bmp, const DibInfo& info, const uint8_t* src, size_t n)
    {
        const int w = info.Width, h = info.Height;
        const bool four = info.Compression == BI_RLE4;
        int x = 0, line = 0;
        auto put4 = [&](uint8_t* row, int at, unsigned index) {
            uint8_t& byte = row[at >> 1];
            byte = (at & 1) ? static_cast<uint8_t>((byte & 0xF0) | (index & 0x0F))
                            : static_cast<uint8_t>((byte & 0x0F) | (index << 4));
        };
        size_t p = 0;
        while (p + 2 <= n) {
            const uint8_t a = src[p], b = src[p + 1];
            p += 2;
            if (a != 0) {
                if (line < h && x < w) {
                    uint8_t* row = Row(bmp, info, line);
                    int count = std::min<int>(a, w - x);
                    if (!four) {
                        std::memset(row + x, b, static_cast<size_t>(count));
                    } else {
                        for (int i = 0; i < count; ++i)
                            put4(row, x + i, (i & 1) ? (b & 0x0Fu) : (b >> 4));
                    }
                }
                x = std::min(x + a, w);
                continue;
            }
            switch (b) {
            case 0: // end of line
                x = 0;
                line = std::min(line + 1, h);
                break;
            case 1: // end of bitmap
                return p;
            case 2: // delta
                if (p + 2 > n)
                    return n;
                x = std::min(x + src[p], w);
                line = std::min(line + src[p + 1], h);
                p += 2;
                break;
            default: { // absolute run of b pixels, padded to a 16-bit boundary
                const size_t bytes = four ? (b + 1u) / 2 : b;
                const size_t padded = (bytes + 1) & ~size_t{1};
                const size_t there = std::min(bytes, n - p);
                const int count = four ? static_cast<int>(std::min<size_t>(b, there * 2)) : static_cast<int>(there);
                if (line < h) {
                    uint8_t* row = Row(bmp, info, line);
                    for (int i = 0; i < count && x + i < w; ++i) {
                        if (four)
                            put4(row, x + i, (i & 1) ? (src[p + i / 2] & 0x0Fu) : (src[p + i / 2] >> 4));
                        else
                            row[x + i] = src[p + i];
                    }
                }
                x = std::min(x + b, w);
                p = std::min(p + padded, n);
                break;
            }
            }
        }
        return std::min(p, n);
    }

    static void CheckRleSize(const DibInfo& info, size_t compressed)
    {
        int64_t decoded = info.Stride() * info.Height;
        if (decoded > std::max<int64_t>(RleFloorBytes, static_cast<int64_t>(compressed) * RleExpansionLimit))
            Bad();
    }

    static void Finish(Bitmap& target, Bitmap& decoded)
    {
        target.SwapContent(decoded);
    }

    static void KeepOriginal(Bitmap& bmp, std::vector<uint8_t> bytes) { bmp.m_originalFile = std::move(bytes); }
};

void Bitmap::LoadFromStream(Stream& stream)
{
    const int64_t start = stream.GetPosition();
    const int64_t streamSize = stream.GetSize();
    if (stream.Remaining() == 0) {
        // Nothing to read: an empty bitmap, as an empty bitmap writes nothing.
        Bitmap empty;
        SwapContent(empty);
        Changed();
        return;
    }
    uint8_t fileHeader[FileHeaderSize];
    stream.ReadBuffer(fileHeader, sizeof fileHeader);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M')
        Bad();
    const uint32_t bfSize = U32(fileHeader + 2);
    const uint32_t bfOffBits = U32(fileHeader + 10);

    uint8_t sizeField[4];
    stream.ReadBuffer(sizeField, 4);
    const uint32_t headerSize = U32(sizeField);
    if (!KnownHeaderSize(headerSize))
        Bad();
    std::vector<uint8_t> header(headerSize);
    std::memcpy(header.data(), sizeField, 4);
    stream.ReadBuffer(header.data() + 4, headerSize - 4);
    DibInfo info = ParseInfo(header.data(), headerSize);

    if (size_t maskBytes = info.MaskBytes()) {
        uint8_t masks[16];
        stream.ReadBuffer(masks, maskBytes);
        for (int i = 0; i < 3; ++i)
            info.Masks[i] = U32(masks + 4 * i);
    }
    SettleFormat(info);

    const uint64_t tableStart = FileHeaderSize + headerSize + info.MaskBytes();
    uint64_t tableEntries = info.TableEntries();
    if (bfOffBits != 0) {
        if (bfOffBits < tableStart)
            Bad();
        tableEntries = std::min<uint64_t>(tableEntries, (bfOffBits - tableStart) / info.EntrySize());
    }
    const size_t keep = static_cast<size_t>(std::min(info.PaletteEntries(), tableEntries));
    std::vector<uint8_t> table(keep * info.EntrySize());
    stream.ReadBuffer(table.data(), table.size());
    std::vector<PaletteEntry> palette = ParsePalette(table.data(), keep, info.EntrySize());

    const uint64_t dataOffset = bfOffBits != 0 ? bfOffBits : tableStart + tableEntries * info.EntrySize();
    if (static_cast<uint64_t>(start) + dataOffset > static_cast<uint64_t>(streamSize))
        throw EReadError();
    const int64_t dataStart = start + static_cast<int64_t>(dataOffset);
    stream.SetPosition(dataStart);
    const uint64_t available = static_cast<uint64_t>(streamSize - dataStart);

    Bitmap decoded;
    uint64_t dataBytes = 0;
    if (!info.Rle()) {
        dataBytes = static_cast<uint64_t>(info.Stride()) * static_cast<uint64_t>(info.Height);
        if (dataBytes > available)
            throw EReadError();
        BmpReader::Prepare(decoded, info, std::move(palette));
        BmpReader::ReadRows(decoded, info, stream);
    } else {
        uint64_t compressed = info.SizeImage;
        if (compressed == 0) {
            compressed = available;
            if (bfSize > dataOffset && bfSize - dataOffset <= available)
                compressed = bfSize - dataOffset;
        }
        if (compressed > available)
            throw EReadError();
        BmpReader::CheckRleSize(info, static_cast<size_t>(compressed));
        std::vector<uint8_t> data(static_cast<size_t>(compressed));
        stream.ReadBuffer(data.data(), data.size());
        BmpReader::Prepare(decoded, info, std::move(palette));
        size_t used = BmpReader::DecodeRle(decoded, info, data.data(), data.size());
        dataBytes = info.SizeImage != 0 ? compressed : used;
    }

    int64_t end = dataStart + static_cast<int64_t>(dataBytes);
    if (bfSize > static_cast<uint64_t>(end - start) && start + static_cast<int64_t>(bfSize) <= streamSize)
        end = start + static_cast<int64_t>(bfSize);
    if (info.Rle()) {
        // Kept to be written back unchanged while the pixels are not touched.
        std::vector<uint8_t> original(static_cast<size_t>(end - start));
        stream.SetPosition(start);
        stream.ReadBuffer(original.data(), original.size());
        BmpReader::KeepOriginal(decoded, std::move(original));
    }
    stream.SetPosition(end);
    BmpReader::Finish(*this, decoded);
    Changed();
}

void Bitmap::LoadFromDib(const uint8_t* data, size_t size)
{
    if (!data || size < 4)
        throw EReadError();
    const uint32_t headerSize = U32(data);
    if (!KnownHeaderSize(headerSize))
        Bad();
    if (headerSize > size)
        throw EReadError();
    DibInfo info = ParseInfo(data, headerSize);
    size_t at = headerSize;
    if (size_t maskBytes = info.MaskBytes()) {
        if (size - at < maskBytes)
            throw EReadError();
        for (int i = 0; i < 3; ++i)
            info.Masks[i] = U32(data + at + 4 * i);
        at += maskBytes;
    }
    SettleFormat(info);
    const uint64_t tableBytes = info.TableEntries() * info.EntrySize();
    if (tableBytes > size - at)
        throw EReadError();
    std::vector<PaletteEntry> palette =
        ParsePalette(data + at, static_cast<size_t>(info.PaletteEntries()), info.EntrySize());
    at += static_cast<size_t>(tableBytes);
    const size_t available = size - at;

    Bitmap decoded;
    if (!info.Rle()) {
        const uint64_t need = static_cast<uint64_t>(info.Stride()) * static_cast<uint64_t>(info.Height);
        if (need > available)
            throw EReadError();
        BmpReader::Prepare(decoded, info, std::move(palette));
        BmpReader::CopyRows(decoded, info, data + at);
    } else {
        size_t compressed = available;
        if (info.SizeImage != 0) {
            if (info.SizeImage > available)
                throw EReadError();
            compressed = info.SizeImage;
        }
        BmpReader::CheckRleSize(info, compressed);
        BmpReader::Prepare(decoded, info, std::move(palette));
        BmpReader::DecodeRle(decoded, info, data + at, compressed);
    }
    BmpReader::Finish(*this, decoded);
    Changed();
}

namespace {

struct WriteLayout {
    bool Core = false;
    uint32_t Compression = BI_RGB;
    size_t TableCount = 0;
    uint32_t ClrUsed = 0;
};

} // namespace

static WriteLayout LayoutForWriting(const Bitmap& bmp, bool allowCore)
{
    WriteLayout l;
    const int bits = bmp.BitsPerPixel();
    l.Core = allowCore && (bits == 1 || bits == 4 || bits == 8 || bits == 24) && bmp.GetWidth() <= 0xFFFF
        && bmp.GetHeight() <= 0xFFFF;
    if (bmp.GetPixelFormat() == PixelFormat::Bit16 || bmp.GetPixelFormat() == PixelFormat::Custom)
        if (bits == 16 || bits == 32)
            l.Compression = BI_BITFIELDS;
    if (bits <= 8) {
        const size_t full = size_t{1} << bits;
        const size_t have = bmp.GetPalette().size();
        l.TableCount = (l.Core || have == 0) ? full : have;
        l.ClrUsed = l.TableCount == full ? 0 : static_cast<uint32_t>(l.TableCount);
    }
    return l;
}

// Information header (40 bytes, or 12 for the core form), masks and colour table.
static std::vector<uint8_t> InfoBlock(const Bitmap& bmp, const WriteLayout& l)
{
    std::vector<uint8_t> v;
    const int bits = bmp.BitsPerPixel();
    const uint32_t imageSize = static_cast<uint32_t>(bmp.Stride()) * static_cast<uint32_t>(bmp.GetHeight());
    if (l.Core) {
        Put32(v, CoreHeaderSize);
        Put16(v, static_cast<uint32_t>(bmp.GetWidth()));
        Put16(v, static_cast<uint32_t>(bmp.GetHeight()));
        Put16(v, 1);
        Put16(v, static_cast<uint32_t>(bits));
    } else {
        Put32(v, InfoHeaderSize);
        Put32(v, static_cast<uint32_t>(bmp.GetWidth()));
        Put32(v, static_cast<uint32_t>(bmp.GetHeight()));
        Put16(v, 1);
        Put16(v, static_cast<uint32_t>(bits));
        Put32(v, l.Compression);
        Put32(v, imageSize);
        Put32(v, static_cast<uint32_t>(bmp.XPelsPerMeter()));
        Put32(v, static_cast<uint32_t>(bmp.YPelsPerMeter()));
        Put32(v, l.ClrUsed);
        Put32(v, 0);
        if (l.Compression == BI_BITFIELDS) {
            Put32(v, bmp.RedMask());
            Put32(v, bmp.GreenMask());
            Put32(v, bmp.BlueMask());
        }
    }
    const auto& palette = bmp.GetPalette();
    for (size_t i = 0; i < l.TableCount; ++i) {
        PaletteEntry e = i < palette.size() ? palette[i] : PaletteEntry{};
        v.push_back(e.Blue);
        v.push_back(e.Green);
        v.push_back(e.Red);
        if (!l.Core)
            v.push_back(0);
    }
    return v;
}

void Bitmap::SaveToStream(Stream& stream) const
{
    if (Empty())
        return;
    if (!m_originalFile.empty()) {
        stream.WriteBuffer(m_originalFile.data(), m_originalFile.size());
        return;
    }
    const WriteLayout layout = LayoutForWriting(*this, m_coreHeader);
    const std::vector<uint8_t> info = InfoBlock(*this, layout);
    const size_t stride = static_cast<size_t>(Stride());
    const uint64_t imageSize = static_cast<uint64_t>(stride) * static_cast<uint64_t>(m_height);
    const uint64_t offBits = FileHeaderSize + info.size();

    std::vector<uint8_t> head;
    head.reserve(FileHeaderSize + info.size());
    head.push_back('B');
    head.push_back('M');
    Put32(head, static_cast<uint32_t>(offBits + imageSize));
    Put32(head, 0);
    Put32(head, static_cast<uint32_t>(offBits));
    head.insert(head.end(), info.begin(), info.end());

    if (auto* memory = dynamic_cast<MemoryStream*>(&stream)) {
        // Grow once rather than row by row.
        size_t end = static_cast<size_t>(memory->GetPosition()) + head.size() + static_cast<size_t>(imageSize);
        if (memory->Bytes().capacity() < end)
            memory->Bytes().reserve(end);
    }
    stream.WriteBuffer(head.data(), head.size());
    for (int y = m_height - 1; y >= 0; --y)
        stream.WriteBuffer(m_pixels.data() + stride * static_cast<size_t>(y), stride);
}

std::vector<uint8_t> Bitmap::DibHeader() const
{
    if (Empty())
        return {};
    return InfoBlock(*this, LayoutForWriting(*this, false));
}

std::vector<uint8_t> Bitmap::DibBits() const
{
    if (Empty())
        return {};
    const size_t stride = static_cast<size_t>(Stride());
    std::vector<uint8_t> bits(stride * static_cast<size_t>(m_height));
    for (int y = 0; y < m_height; ++y)
        std::memcpy(bits.data() + stride * static_cast<size_t>(m_height - 1 - y),
                    m_pixels.data() + stride * static_cast<size_t>(y), stride);
    return bits;
}

} // namespace plat
