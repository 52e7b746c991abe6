#pragma once
// Row conversions between the bitmap's pixel layouts and a common 4-bytes-a-pixel form (blue, green, red,
// fourth byte), and the colour reductions used when a bitmap changes its pixel format.

#include "Bitmap.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace plat::pixels {

// One colour channel of a bit-field layout: its mask, where it starts and how many bits it has.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    uint8_t Extract(uint32_t word) const;
    uint32_t Insert(uint8_t value) const;
};

// Splits a mask into its channel; false when the mask is zero or its bits are not contiguous.
bool ChannelOf(uint32_t mask, Channel& out);
// True when the three masks are usable for a pixel of the given size: each one contiguous and non-zero,
// none overlapping another, all inside the pixel.
bool ValidMasks(int bitsPerPixel, uint32_t red, uint32_t green, uint32_t blue);

constexpr uint32_t Mask15[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t Mask16[3] = {0xF800, 0x07E0, 0x001F};
constexpr uint32_t Mask32[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};

int64_t StrideFor(int width, int bitsPerPixel);

// The layout of a row: bits per pixel, the masks of 16 and 32-bit formats, the palette of indexed ones.
struct RowLayout {
    int Bits = 24;
    PixelFormat Format = PixelFormat::Bit24;
    Channel Red, Green, Blue;
    const std::vector<PaletteEntry>* Palette = nullptr;
};
RowLayout LayoutOf(PixelFormat format, int bitsPerPixel, const uint32_t masks[3],
                   const std::vector<PaletteEntry>& palette);

// Reads width pixels of a row into out (4 bytes a pixel). Indexes beyond the palette read as black.
void RowToBgrx(const RowLayout& layout, const uint8_t* row, int width, uint8_t* out);
// Writes width pixels from in (4 bytes a pixel) into a row of a direct-colour layout.
void RowFromBgrx(const RowLayout& layout, const uint8_t* in, int width, uint8_t* row);

// Maps colours to palette indexes for a reduction to an indexed format.
class Reducer {
public:
    // Chooses the palette for the target bit count from the pixels; row(y, out) fills out with row y
    // (width pixels of 4 bytes).
    Reducer(int targetBits, const std::function<void(int, uint8_t*)>& row, int width, int height);
    const std::vector<PaletteEntry>& Palette() const { return m_palette; }
    uint8_t IndexOf(uint8_t b, uint8_t g, uint8_t r) const;

private:
    int m_bits;
    std::vector<PaletteEntry> m_palette;
    bool m_exact = false;
    std::vector<uint32_t> m_keys;     // exact palette: colour keys, open addressing
    std::vector<uint8_t> m_values;
    std::vector<uint8_t> m_cache;     // 4 bits: nearest entry for 15-bit colours
    std::array<uint8_t, 256> m_greyIndex{};
};

// Index of the palette entry nearest to the colour (0 for an empty palette).
uint8_t NearestIndex(const std::vector<PaletteEntry>& palette, uint8_t b, uint8_t g, uint8_t r);
std::vector<PaletteEntry> DefaultPalette(int bits);

} // namespace plat::pixels
