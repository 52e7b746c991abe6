#pragma once
// A device-independent bitmap: width, height, pixel format, colour table, resolution, and rows of pixels
// stored top-down with rows padded to 4 bytes (the BMP row layout). Reads and writes the BMP format.

#include "Graphic.h"

#include <cstdint>
#include <vector>

namespace plat {

enum class PixelFormat : uint8_t { Device = 0, Bit1, Bit4, Bit8, Bit15, Bit16, Bit24, Bit32, Custom };

// A colour-table entry in file order.
struct PaletteEntry {
    uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

class Bitmap : public Graphic {
public:
    PLAT_CLASS_NAME(TBitmap)

    Bitmap();
    Bitmap(int width, int height, PixelFormat format = PixelFormat::Bit24);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    ~Bitmap() override;

    int GetWidth() const override { return m_width; }
    int GetHeight() const override { return m_height; }
    bool Empty() const override { return m_width == 0 || m_height == 0; }

    // Resizing keeps the pixels that stay inside; new pixels are white (palette index 0 for indexed formats
    // whose entry 0 is not white keeps index 0). Raises EOutOfMemory beyond the size limit.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    PixelFormat GetPixelFormat() const { return m_format; }
    // Converts the pixels to the new format (reducing to a palette or widening to direct colour).
    void SetPixelFormat(PixelFormat format);
    int BitsPerPixel() const;

    const std::vector<PaletteEntry>& GetPalette() const { return m_palette; }
    void SetPalette(std::vector<PaletteEntry> palette);

    // Bit-field masks for 16 and 32 bits per pixel (red, green, blue); 0 means the format's default.
    uint32_t RedMask() const { return m_masks[0]; }
    uint32_t GreenMask() const { return m_masks[1]; }
    uint32_t BlueMask() const { return m_masks[2]; }

    // Resolution in pixels per metre, as BMP headers carry it (0 when unknown).
    int32_t XPelsPerMeter() const { return m_xPelsPerMeter; }
    int32_t YPelsPerMeter() const { return m_yPelsPerMeter; }
    void SetPelsPerMeter(int32_t x, int32_t y);

    // Row y (0 = top), Stride() bytes long, in the pixel format's layout.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    int Stride() const;

    // Pixel as colour (0x00BBGGRR), through the palette for indexed formats.
    Color GetPixel(int x, int y) const;
    // Sets the nearest representable colour (palette index for indexed formats).
    void SetPixel(int x, int y, Color color);

    // The device-independent form: a 40-byte information header (BITMAPINFOHEADER) with the colour table
    // (or bit-field masks) after it, and the bits bottom-up.
    std::vector<uint8_t> DibHeader() const;
    std::vector<uint8_t> DibBits() const;

    // BMP format. Writing keeps what reading found: the 12-byte core header for a core bitmap, and the
    // original bytes of a run-length-encoded file not changed since. An empty bitmap writes nothing.
    void SaveToStream(Stream& stream) const override;
    void LoadFromStream(Stream& stream) override;
    // A packed DIB (information header, colour table, bits) as a scanner hands it over; size is the
    // number of bytes available at data.
    void LoadFromDib(const uint8_t* data, size_t size);

    void Draw(Surface& surface, const Rect& dest) const override;
    std::unique_ptr<Graphic> NewEmpty() const override;

    // Accepts a Bitmap (copy) or any picture able to produce a bitmap view (JPEG, icon).
    void Assign(const Persistent* source) override;

    // Releases platform resources until next use; pixels stay. Nothing to release here.
    void Dormant() {}

    // Marks the pixels as changed: an RLE original is no longer written back.
    void Modified();

    // Largest number of pixels a bitmap may hold (protects against hostile headers).
    static constexpr int64_t MaxPixels = 400'000'000;

private:
    int m_width = 0;
    int m_height = 0;
    PixelFormat m_format = PixelFormat::Bit24;
    std::vector<PaletteEntry> m_palette;
    uint32_t m_masks[3] = {0, 0, 0};
    int32_t m_xPelsPerMeter = 0;
    int32_t m_yPelsPerMeter = 0;
    std::vector<uint8_t> m_pixels;
    bool m_coreHeader = false;           // read with the 12-byte header
    std::vector<uint8_t> m_originalFile; // the file as read, kept for compressed bitmaps
};

} // namespace plat
