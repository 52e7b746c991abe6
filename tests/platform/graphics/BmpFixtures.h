#pragma once
// Builds small BMP files and packed DIBs byte by byte for the codec tests, straight from the published
// layout of the headers, independently of the codec under test.

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

struct Rgb {
    uint8_t R = 0, G = 0, B = 0;
};

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

// A picture given as colours, top row first, encoded in one of the BMP flavours.
struct BmpLayout {
    uint32_t HeaderSize = 40;       // 12, 40, 52, 56, 108, 124
    int Bits = 24;
    uint32_t Compression = 0;       // 0 RGB, 3 bit fields
    uint32_t Masks[3] = {0, 0, 0};  // red, green, blue for bit fields
    bool TopDown = false;
    std::vector<Rgb> Palette;       // indexed: colours are looked up here
    uint32_t ClrUsed = 0;
    int Width = 0;
    std::vector<std::vector<Rgb>> Rows;  // top row first
};

inline int IndexOf(const std::vector<Rgb>& palette, Rgb c)
{
    for (size_t i = 0; i < palette.size(); ++i)
        if (palette[i].R == c.R && palette[i].G == c.G && palette[i].B == c.B)
            return static_cast<int>(i);
    return 0;
}

inline uint32_t Scale(uint8_t v, uint32_t mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    uint64_t max = mask >> shift;
    return static_cast<uint32_t>(((v * max + 127) / 255) << shift);
}

// Pixel rows in file order (bottom-up unless TopDown), each padded to 4 bytes.
inline std::vector<uint8_t> EncodeRows(const BmpLayout& s)
{
    std::vector<uint8_t> out;
    const size_t stride = ((static_cast<size_t>(s.Width) * s.Bits + 31) / 32) * 4;
    const int h = static_cast<int>(s.Rows.size());
    uint32_t masks[3] = {s.Masks[0], s.Masks[1], s.Masks[2]};
    if (s.Compression == 0 && s.Bits == 16) {
        masks[0] = 0x7C00; masks[1] = 0x3E0; masks[2] = 0x1F;
    } else if (s.Compression == 0 && s.Bits == 32) {
        masks[0] = 0xFF0000; masks[1] = 0xFF00; masks[2] = 0xFF;
    }
    for (int i = 0; i < h; ++i) {
        const auto& row = s.Rows[static_cast<size_t>(s.TopDown ? i : h - 1 - i)];
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < s.Width; ++x) {
            Rgb c = row[static_cast<size_t>(x)];
            switch (s.Bits) {
            case 1: if (IndexOf(s.Palette, c)) line[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8)); break;
            case 4: line[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(IndexOf(s.Palette, c) << ((x % 2) ? 0 : 4)); break;
            case 8: line[static_cast<size_t>(x)] = static_cast<uint8_t>(IndexOf(s.Palette, c)); break;
            case 24:
                line[static_cast<size_t>(3 * x)] = c.B;
                line[static_cast<size_t>(3 * x + 1)] = c.G;
                line[static_cast<size_t>(3 * x + 2)] = c.R;
                break;
            default: {
                uint32_t w = Scale(c.R, masks[0]) | Scale(c.G, masks[1]) | Scale(c.B, masks[2]);
                for (int k = 0; k < s.Bits / 8; ++k)
                    line[static_cast<size_t>(x * s.Bits / 8 + k)] = static_cast<uint8_t>(w >> (8 * k));
            }
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

// Information header (with masks after a 40-byte header) and colour table: the packed DIB's front.
inline std::vector<uint8_t> InfoAndTable(const BmpLayout& s, uint32_t compression, uint32_t sizeImage)
{
    std::vector<uint8_t> v;
    const int h = static_cast<int>(s.Rows.size());
    if (s.HeaderSize == 12) {
        Put32(v, 12);
        Put16(v, static_cast<uint32_t>(s.Width));
        Put16(v, static_cast<uint32_t>(h));
        Put16(v, 1);
        Put16(v, static_cast<uint32_t>(s.Bits));
    } else {
        Put32(v, s.HeaderSize);
        Put32(v, static_cast<uint32_t>(s.Width));
        Put32(v, static_cast<uint32_t>(s.TopDown ? -h : h));
        Put16(v, 1);
        Put16(v, static_cast<uint32_t>(s.Bits));
        Put32(v, compression);
        Put32(v, sizeImage);
        Put32(v, 2835);
        Put32(v, 2835);
        Put32(v, s.ClrUsed);
        Put32(v, 0);
        if (s.HeaderSize >= 52) {
            for (uint32_t m : s.Masks)
                Put32(v, m);
        }
        while (v.size() < s.HeaderSize)
            v.push_back(0);
        if (s.HeaderSize == 40 && compression == 3)
            for (uint32_t m : s.Masks)
                Put32(v, m);
    }
    for (const Rgb& c : s.Palette) {
        v.push_back(c.B);
        v.push_back(c.G);
        v.push_back(c.R);
        if (s.HeaderSize != 12)
            v.push_back(0);
    }
    return v;
}

inline std::vector<uint8_t> FileHeader(uint32_t fileSize, uint32_t offBits)
{
    std::vector<uint8_t> v{'B', 'M'};
    Put32(v, fileSize);
    Put32(v, 0);
    Put32(v, offBits);
    return v;
}

// A whole BMP file.
inline std::vector<uint8_t> MakeBmp(const BmpLayout& s)
{
    std::vector<uint8_t> rows = EncodeRows(s);
    std::vector<uint8_t> info = InfoAndTable(s, s.Compression, static_cast<uint32_t>(rows.size()));
    std::vector<uint8_t> file =
        FileHeader(static_cast<uint32_t>(14 + info.size() + rows.size()), static_cast<uint32_t>(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), rows.begin(), rows.end());
    return file;
}

inline std::vector<uint8_t> MakeDib(const BmpLayout& s)
{
    std::vector<uint8_t> rows = EncodeRows(s);
    std::vector<uint8_t> dib = InfoAndTable(s, s.Compression, static_cast<uint32_t>(rows.size()));
    dib.insert(dib.end(), rows.begin(), rows.end());
    return dib;
}

// An RLE file: the given compressed bytes after a 40-byte header and a palette.
inline std::vector<uint8_t> MakeRle(int bits, int width, int height, const std::vector<Rgb>& palette,
                                    const std::vector<uint8_t>& data, uint32_t sizeImage)
{
    BmpLayout s;
    s.Bits = bits;
    s.Width = width;
    s.Rows.resize(static_cast<size_t>(height));
    s.Palette = palette;
    s.ClrUsed = static_cast<uint32_t>(palette.size());
    std::vector<uint8_t> info = InfoAndTable(s, bits == 8 ? 1 : 2, sizeImage);
    std::vector<uint8_t> file =
        FileHeader(static_cast<uint32_t>(14 + info.size() + data.size()), static_cast<uint32_t>(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

inline void Set32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    for (int k = 0; k < 4; ++k)
        v[at + static_cast<size_t>(k)] = static_cast<uint8_t>(x >> (8 * k));
}
inline uint32_t Get32(const std::vector<uint8_t>& v, size_t at)
{
    return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (static_cast<uint32_t>(v[at + 3]) << 24);
}

} // namespace fixtures

namespace fixtures {

// One .ico entry: the colour image (BMP rows under a header whose height counts image and mask) and
// the 1-bit mask (set = transparent). alpha, when given, fills the fourth byte of 32-bit pixels.
struct IconEntrySpec {
    BmpLayout Image;
    std::vector<std::vector<bool>> Transparent;  // top row first
    std::vector<std::vector<uint8_t>> Alpha;     // 32 bits only
    bool Png = false;
    bool DropMask = false;
};

inline std::vector<uint8_t> IconEntryBytes(const IconEntrySpec& e)
{
    if (e.Png)
        return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    const BmpLayout& s = e.Image;
    const int h = static_cast<int>(s.Rows.size());
    std::vector<uint8_t> rows = EncodeRows(s);
    if (!e.Alpha.empty()) {
        const size_t stride = static_cast<size_t>(s.Width) * 4;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < s.Width; ++x)
                rows[stride * static_cast<size_t>(h - 1 - y) + 4 * static_cast<size_t>(x) + 3] =
                    e.Alpha[static_cast<size_t>(y)][static_cast<size_t>(x)];
    }
    std::vector<uint8_t> v = InfoAndTable(s, s.Compression, 0);
    Set32(v, 8, static_cast<uint32_t>(2 * h));
    v.insert(v.end(), rows.begin(), rows.end());
    if (!e.DropMask) {
        const size_t maskStride = ((static_cast<size_t>(s.Width) + 31) / 32) * 4;
        for (int i = 0; i < h; ++i) {
            std::vector<uint8_t> line(maskStride, 0);
            const int y = h - 1 - i;
            for (int x = 0; x < s.Width; ++x)
                if (!e.Transparent.empty() && e.Transparent[static_cast<size_t>(y)][static_cast<size_t>(x)])
                    line[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            v.insert(v.end(), line.begin(), line.end());
        }
    }
    return v;
}

inline std::vector<uint8_t> MakeIco(const std::vector<IconEntrySpec>& entries, uint16_t type = 1)
{
    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, type);
    Put16(file, static_cast<uint32_t>(entries.size()));
    std::vector<std::vector<uint8_t>> bodies;
    for (const auto& e : entries)
        bodies.push_back(IconEntryBytes(e));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const BmpLayout& s = entries[i].Image;
        file.push_back(static_cast<uint8_t>(s.Width));
        file.push_back(static_cast<uint8_t>(s.Rows.size()));
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, static_cast<uint32_t>(s.Bits));
        Put32(file, static_cast<uint32_t>(bodies[i].size()));
        Put32(file, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& b : bodies)
        file.insert(file.end(), b.begin(), b.end());
    return file;
}

} // namespace fixtures
