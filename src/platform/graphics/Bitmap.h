#pragma once
// A device-independent bitmap: width, height, pixel format, colour table, resolution, and rows of pixels
// stored top-down with rows padded to 4 bytes (the BMP row layout). Reads and writes the BMP format.
//
// Row layouts: 1 and 4 bits are palette indexes, most significant bits first; 8 bits one index a byte;
// 15, 16 and custom 16-bit formats little-endian 16-bit words split by the masks; 24 bits blue, green,
// red; 32 bits blue, green, red and a fourth byte that is kept but not interpreted (custom 32-bit
// formats: little-endian words split by the masks). Device is held as 24 bits.

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
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap() override;

    int GetWidth() const override { return m_width; }
    int GetHeight() const override { return m_height; }
    bool Empty() const override { return m_width == 0 || m_height == 0; }

    // Resizing keeps the pixels that stay inside; new pixels are white (for indexed formats the first
    // white palette entry, or index 0 when the palette has no white). Negative sizes count as 0. Raises
    // EOutOfMemory beyond MaxPixels.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    PixelFormat GetPixelFormat() const { return m_format; }
    // Converts the pixels to the new format. Reducing to 1 bit uses black and white, to 4 bits the 16
    // standard colours, to 8 bits the image's own colours when it has at most 256, otherwise a fixed
    // palette (a 6x6x6 colour cube and 40 greys); nearest colour, no dithering. Custom keeps the
    // current format (use SetBitFields for masks).
    void SetPixelFormat(PixelFormat format);
    // Makes the bitmap a 16 or 32 bits per pixel bitmap split by the given masks (contiguous,
    // non-overlapping, non-zero). Masks of the standard formats give Bit15, Bit16 or Bit32, others
    // Custom. Raises EInvalidGraphic for masks that cannot split a pixel.
    void SetBitFields(int bitsPerPixel, uint32_t red, uint32_t green, uint32_t blue);
    int BitsPerPixel() const;

    // Colour table of the indexed formats (empty for the others). SetPalette keeps at most as many
    // entries as the format can address; it does nothing for direct-colour formats.
    const std::vector<PaletteEntry>& GetPalette() const { return m_palette; }
    void SetPalette(std::vector<PaletteEntry> palette);

    // Bit-field masks of the 16 and 32 bits per pixel formats (red, green, blue); 0 for the others.
    uint32_t RedMask() const { return m_masks[0]; }
    uint32_t GreenMask() const { return m_masks[1]; }
    uint32_t BlueMask() const { return m_masks[2]; }

    // Resolution in pixels per metre, as BMP headers carry it (0 when unknown).
    int32_t XPelsPerMeter() const { return m_xPelsPerMeter; }
    int32_t YPelsPerMeter() const { return m_yPelsPerMeter; }
    void SetPelsPerMeter(int32_t x, int32_t y);

    // Row y (0 = top), Stride() bytes long, in the pixel format's layout. The writable row counts as a
    // change of the pixels (see Modified).
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    int Stride() const;

    // Pixel as colour (0x00BBGGRR), through the palette for indexed formats; -1 outside the bitmap.
    Color GetPixel(int x, int y) const;
    // Sets the nearest representable colour (palette index for indexed formats); nothing outside.
    void SetPixel(int x, int y, Color color);

    // The device-independent form: a 40-byte information header (BITMAPINFOHEADER) with the colour table
    // (or bit-field masks) after it, and the bits bottom-up. Empty for an empty bitmap.
    std::vector<uint8_t> DibHeader() const;
    std::vector<uint8_t> DibBits() const;

    // BMP format. Writing keeps what reading found: the 12-byte core header for a core bitmap, and the
    // original bytes of a run-length-encoded file not changed since. An empty bitmap writes nothing.
    // Reading leaves the stream just past the bitmap's data; on failure the bitmap is unchanged and
    // EInvalidGraphic ("Image bitmap incorrecte") or EReadError (data shorter than announced) is raised.
    void SaveToStream(Stream& stream) const override;
    void LoadFromStream(Stream& stream) override;
    // A packed DIB (information header, colour table, bits) as a scanner hands it over; size is the
    // number of bytes available at data. Same errors as LoadFromStream.
    void LoadFromDib(const uint8_t* data, size_t size);

    void Draw(Surface& surface, const Rect& dest) const override;
    std::unique_ptr<Graphic> NewEmpty() const override;

    // Accepts a Bitmap (copy), any picture able to produce a bitmap view (JPEG, icon, GIF), a picture
    // holder (its picture), or null (empties the bitmap).
    void Assign(const Persistent* source) override;

    // Releases platform resources until next use; pixels stay. Nothing to release here.
    void Dormant() {}

    // Marks the pixels as changed: an RLE original is no longer written back.
    void Modified();

    // Largest number of pixels a bitmap may hold (protects against hostile headers).
    static constexpr int64_t MaxPixels = 400'000'000;

    // Whether the next SaveToStream writes the bytes of the run-length-encoded file it was read from.
    bool KeepsOriginalFile() const { return !m_originalFile.empty(); }

private:
    friend class BmpReader;
    void Reallocate(int width, int height, int bitsPerPixel);
    uint8_t FillByte() const;
    void SwapContent(Bitmap& other) noexcept;
    void CopyContent(const Bitmap& other);

    int m_width = 0;
    int m_height = 0;
    PixelFormat m_format = PixelFormat::Bit24;
    uint8_t m_bitCount = 24;              // bits per pixel of the row layout
    std::vector<PaletteEntry> m_palette;
    uint32_t m_masks[3] = {0, 0, 0};
    int32_t m_xPelsPerMeter = 0;
    int32_t m_yPelsPerMeter = 0;
    std::vector<uint8_t> m_pixels;
    bool m_coreHeader = false;           // read with the 12-byte header
    std::vector<uint8_t> m_originalFile; // the file as read, kept for compressed bitmaps
};

} // namespace plat
