#include "PixelRows_p.h"

#include <bit>
#include <cstring>

namespace plat::pixels {

uint8_t Channel::Extract(uint32_t word) const
{
    uint32_t v = (word & Mask) >> Shift;
    if (Bits == 8)
        return static_cast<uint8_t>(v);
    if (Bits > 8)
        return static_cast<uint8_t>(v >> (Bits - 8));
    uint32_t max = (1u << Bits) - 1;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
}

uint32_t Channel::Insert(uint8_t value) const
{
    uint64_t max = (Bits >= 32) ? 0xFFFFFFFFull : ((1ull << Bits) - 1);
    uint64_t v = (static_cast<uint64_t>(value) * max + 127) / 255;
    return static_cast<uint32_t>(v << Shift) & Mask;
}

bool ChannelOf(uint32_t mask, Channel& out)
{
    if (mask == 0)
        return false;
    int shift = std::countr_zero(mask);
    uint32_t shifted = mask >> shift;
    if ((shifted & (shifted + 1)) != 0) // not one run of ones
        return false;
    out.Mask = mask;
    out.Shift = shift;
    out.Bits = std::popcount(mask);
    return true;
}

bool ValidMasks(int bitsPerPixel, uint32_t red, uint32_t green, uint32_t blue)
{
    if (bitsPerPixel != 16 && bitsPerPixel != 32)
        return false;
    Channel c;
    if (!ChannelOf(red, c) || !ChannelOf(green, c) || !ChannelOf(blue, c))
        return false;
    if ((red & green) || (red & blue) || (green & blue))
        return false;
    if (bitsPerPixel == 16 && ((red | green | blue) & 0xFFFF0000u))
        return false;
    return true;
}

int64_t StrideFor(int width, int bitsPerPixel)
{
    return ((static_cast<int64_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

RowLayout LayoutOf(PixelFormat format, int bitsPerPixel, const uint32_t masks[3],
                   const std::vector<PaletteEntry>& palette)
{
    RowLayout l;
    l.Bits = bitsPerPixel;
    l.Format = format;
    l.Palette = &palette;
    if (bitsPerPixel == 16 || bitsPerPixel == 32) {
        ChannelOf(masks[0], l.Red);
        ChannelOf(masks[1], l.Green);
        ChannelOf(masks[2], l.Blue);
    }
    return l;
}

namespace {

inline void PutEntry(const std::vector<PaletteEntry>& palette, unsigned index, uint8_t* out)
{
    if (index < palette.size()) {
        const PaletteEntry& e = palette[index];
        out[0] = e.Blue;
        out[1] = e.Green;
        out[2] = e.Red;
    } else {
        out[0] = out[1] = out[2] = 0;
    }
    out[3] = 0;
}

// One pixel of a bit-field word as blue, green, red, 0.
inline void PutMasked(const RowLayout& l, uint32_t word, uint8_t* out)
{
    out[0] = l.Blue.Extract(word);
    out[1] = l.Green.Extract(word);
    out[2] = l.Red.Extract(word);
    out[3] = 0;
}

} // namespace

void RowToBgrx(const RowLayout& l, const uint8_t* row, int width, uint8_t* out)
{
    const auto& pal = *l.Palette;
    switch (l.Bits) {
    case 1:
        for (int x = 0; x < width; ++x)
            PutEntry(pal, (row[x >> 3] >> (7 - (x & 7))) & 1u, out + 4 * x);
        break;
    case 4:
        for (int x = 0; x < width; ++x)
            PutEntry(pal, (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4), out + 4 * x);
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            PutEntry(pal, row[x], out + 4 * x);
        break;
    case 16:
        for (int x = 0; x < width; ++x) {
            uint32_t w = row[2 * x] | (static_cast<uint32_t>(row[2 * x + 1]) << 8);
            PutMasked(l, w, out + 4 * x);
        }
        break;
    case 24:
        for (int x = 0; x < width; ++x) {
            uint8_t* o = out + 4 * x;
            const uint8_t* i = row + 3 * x;
            o[0] = i[0];
            o[1] = i[1];
            o[2] = i[2];
            o[3] = 0;
        }
        break;
    case 32:
        if (l.Format != PixelFormat::Custom) {
            std::memcpy(out, row, static_cast<size_t>(width) * 4);
        } else {
            for (int x = 0; x < width; ++x) {
                const uint8_t* i = row + 4 * x;
                uint32_t w = i[0] | (i[1] << 8) | (i[2] << 16) | (static_cast<uint32_t>(i[3]) << 24);
                PutMasked(l, w, out + 4 * x);
            }
        }
        break;
    default:
        break;
    }
}

void RowFromBgrx(const RowLayout& l, const uint8_t* in, int width, uint8_t* row)
{
    switch (l.Bits) {
    case 16:
        for (int x = 0; x < width; ++x) {
            const uint8_t* i = in + 4 * x;
            uint32_t w = l.Blue.Insert(i[0]) | l.Green.Insert(i[1]) | l.Red.Insert(i[2]);
            row[2 * x] = static_cast<uint8_t>(w);
            row[2 * x + 1] = static_cast<uint8_t>(w >> 8);
        }
        break;
    case 24:
        for (int x = 0; x < width; ++x) {
            const uint8_t* i = in + 4 * x;
            uint8_t* o = row + 3 * x;
            o[0] = i[0];
            o[1] = i[1];
            o[2] = i[2];
        }
        break;
    case 32:
        if (l.Format != PixelFormat::Custom) {
            std::memcpy(row, in, static_cast<size_t>(width) * 4);
        } else {
            for (int x = 0; x < width; ++x) {
                const uint8_t* i = in + 4 * x;
                uint32_t w = l.Blue.Insert(i[0]) | l.Green.Insert(i[1]) | l.Red.Insert(i[2]);
                uint8_t* o = row + 4 * x;
                o[0] = static_cast<uint8_t>(w);
                o[1] = static_cast<uint8_t>(w >> 8);
                o[2] = static_cast<uint8_t>(w >> 16);
                o[3] = static_cast<uint8_t>(w >> 24);
            }
        }
        break;
    default:
        break;
    }
}

namespace {

constexpr uint8_t CubeLevel(int i) { return static_cast<uint8_t>(i * 51); }
constexpr uint8_t ExtraGrey(int i) { return static_cast<uint8_t>((i * 255 + 20) / 41); } // i = 1..40

int Distance(const PaletteEntry& e, uint8_t b, uint8_t g, uint8_t r)
{
    int db = e.Blue - b, dg = e.Green - g, dr = e.Red - r;
    return db * db + dg * dg + dr * dr;
}

} // namespace

std::vector<PaletteEntry> DefaultPalette(int bits)
{
    auto entry = [](uint8_t r, uint8_t g, uint8_t b) { return PaletteEntry{b, g, r, 0}; };
    switch (bits) {
    case 1:
        return {entry(0, 0, 0), entry(255, 255, 255)};
    case 4:
        return {entry(0, 0, 0),       entry(128, 0, 0),   entry(0, 128, 0),   entry(128, 128, 0),
                entry(0, 0, 128),     entry(128, 0, 128), entry(0, 128, 128), entry(192, 192, 192),
                entry(128, 128, 128), entry(255, 0, 0),   entry(0, 255, 0),   entry(255, 255, 0),
                entry(0, 0, 255),     entry(255, 0, 255), entry(0, 255, 255), entry(255, 255, 255)};
    case 8: {
        std::vector<PaletteEntry> p;
        p.reserve(256);
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(entry(CubeLevel(r), CubeLevel(g), CubeLevel(b)));
        for (int i = 1; i <= 40; ++i)
            p.push_back(entry(ExtraGrey(i), ExtraGrey(i), ExtraGrey(i)));
        return p;
    }
    default:
        return {};
    }
}

uint8_t NearestIndex(const std::vector<PaletteEntry>& palette, uint8_t b, uint8_t g, uint8_t r)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        int d = Distance(palette[i], b, g, r);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
            if (d == 0)
                break;
        }
    }
    return static_cast<uint8_t>(best);
}

namespace {

constexpr size_t HashSlots = 1024; // more than twice the largest exact palette
constexpr uint32_t Occupied = 0x01000000;

inline size_t HashOf(uint32_t key) { return (key * 2654435761u) >> 22; } // 10 bits

} // namespace

Reducer::Reducer(int targetBits, const std::function<void(int, uint8_t*)>& row, int width, int height)
    : m_bits(targetBits)
{
    const size_t limit = size_t{1} << targetBits;
    m_keys.assign(HashSlots, 0);
    m_values.assign(HashSlots, 0);
    std::vector<PaletteEntry> found;
    std::vector<uint8_t> line(static_cast<size_t>(width) * 4);
    bool fits = true;
    for (int y = 0; y < height && fits; ++y) {
        row(y, line.data());
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = line.data() + 4 * x;
            uint32_t key = Occupied | p[0] | (p[1] << 8) | (p[2] << 16);
            size_t slot = HashOf(key);
            while (m_keys[slot] != 0 && m_keys[slot] != key)
                slot = (slot + 1) & (HashSlots - 1);
            if (m_keys[slot] == key)
                continue;
            if (found.size() == limit) {
                fits = false;
                break;
            }
            m_keys[slot] = key;
            m_values[slot] = static_cast<uint8_t>(found.size());
            found.push_back(PaletteEntry{p[0], p[1], p[2], 0});
        }
    }
    if (fits) {
        m_exact = true;
        m_palette = std::move(found);
        if (m_palette.empty())
            m_palette = DefaultPalette(targetBits);
        return;
    }
    m_keys.clear();
    m_values.clear();
    m_palette = DefaultPalette(targetBits);
    if (targetBits == 4) {
        m_cache.resize(32768);
        for (int i = 0; i < 32768; ++i) {
            uint8_t r = static_cast<uint8_t>(((i >> 10) & 31) * 255 / 31);
            uint8_t g = static_cast<uint8_t>(((i >> 5) & 31) * 255 / 31);
            uint8_t b = static_cast<uint8_t>((i & 31) * 255 / 31);
            m_cache[static_cast<size_t>(i)] = NearestIndex(m_palette, b, g, r);
        }
    } else if (targetBits == 8) {
        for (int v = 0; v < 256; ++v) {
            int best = 0, bestDistance = 1 << 30;
            for (int i = 0; i < 256; ++i) {
                const PaletteEntry& e = m_palette[static_cast<size_t>(i)];
                if (e.Red != e.Green || e.Green != e.Blue)
                    continue;
                int d = (e.Red - v) * (e.Red - v);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            m_greyIndex[static_cast<size_t>(v)] = static_cast<uint8_t>(best);
        }
    }
}

uint8_t Reducer::IndexOf(uint8_t b, uint8_t g, uint8_t r) const
{
    if (m_exact) {
        uint32_t key = Occupied | b | (g << 8) | (r << 16);
        size_t slot = HashOf(key);
        while (m_keys[slot] != 0) {
            if (m_keys[slot] == key)
                return m_values[slot];
            slot = (slot + 1) & (HashSlots - 1);
        }
        return NearestIndex(m_palette, b, g, r);
    }
    switch (m_bits) {
    case 1:
        return (r * 299 + g * 587 + b * 114) >= 128 * 1000 ? 1 : 0;
    case 4:
        return m_cache[static_cast<size_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3))];
    default: {
        int ri = (r * 5 + 127) / 255, gi = (g * 5 + 127) / 255, bi = (b * 5 + 127) / 255;
        uint8_t cube = static_cast<uint8_t>(ri * 36 + gi * 6 + bi);
        uint8_t grey = m_greyIndex[static_cast<size_t>((r + g + b) / 3)];
        return Distance(m_palette[grey], b, g, r) < Distance(m_palette[cube], b, g, r) ? grey : cube;
    }
    }
}

} // namespace plat::pixels
