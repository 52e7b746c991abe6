// The in-memory bitmap: sizes, pixel formats and their conversions, the device-independent form.

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

using plat::Bitmap;
using plat::PixelFormat;

// A 4 x 3 picture with eight distinct colours, so that every conversion path has something to keep.
Bitmap Sample(PixelFormat format = PixelFormat::Bit24)
{
    Bitmap b(4, 3, PixelFormat::Bit24);
    const plat::Color colours[] = {plat::clBlack, plat::clWhite, plat::clRed,  0x00FF00,
                                   plat::clBlue,  0xFFFF00,      0x00FFFF,     0xFF00FF};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            b.SetPixel(x, y, colours[(x + y * 4) % 8]);
    b.SetPixelFormat(format);
    return b;
}

TEST(Bitmap, ResizeKeepsPixelsAndFillsWhite)
{
    Bitmap b = Sample();
    b.SetSize(6, 2);
    EXPECT_EQ(b.GetPixel(2, 0), plat::clRed);
    EXPECT_EQ(b.GetPixel(3, 1), 0xFF00FF);
    EXPECT_EQ(b.GetPixel(5, 0), plat::clWhite);
    EXPECT_EQ(b.GetPixel(0, 2), -1);
    b.SetWidth(0);
    EXPECT_TRUE(b.Empty());
    // An empty bitmap still changes its format, and grows white in it.
    b.SetPixelFormat(PixelFormat::Bit8);
    b.SetPixelFormat(PixelFormat::Bit32);
    b.SetSize(2, 2);
    EXPECT_EQ(b.GetPixelFormat(), PixelFormat::Bit32);
    EXPECT_EQ(b.GetPixel(1, 1), plat::clWhite);
}

TEST(Bitmap, IndexedResizeUsesTheWhiteEntry)
{
    Bitmap b(3, 1, PixelFormat::Bit4);  // standard 16 colours: white is entry 15
    b.SetPixel(0, 0, plat::clRed);
    b.SetWidth(5);
    EXPECT_EQ(b.GetPixel(0, 0), plat::clRed);
    EXPECT_EQ(b.GetPixel(4, 0), plat::clWhite);
}

TEST(Bitmap, SizeBeyondTheLimitIsRefused)
{
    Bitmap b(2, 2);
    EXPECT_THROW(b.SetSize(100000, 100000), plat::EOutOfMemory);
    EXPECT_EQ(b.GetWidth(), 2);
}

struct FormatCase {
    const char* Name;
    PixelFormat Format;
    int Bits;
    bool Exact;  // the eight sample colours survive unchanged
};

class BitmapFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(BitmapFormat, ConvertsAndComesBack)
{
    const FormatCase& c = GetParam();
    const Bitmap original = Sample();
    Bitmap b = Sample(c.Format);
    EXPECT_EQ(b.GetPixelFormat(), c.Format);
    EXPECT_EQ(b.BitsPerPixel(), c.Bits);
    EXPECT_EQ(b.Stride() % 4, 0);
    EXPECT_GE(b.Stride() * 8, 4 * c.Bits);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            plat::Color want = original.GetPixel(x, y);
            plat::Color got = b.GetPixel(x, y);
            if (c.Exact) {
                EXPECT_EQ(got, want) << x << "," << y;
            } else {  // 1 bit: black or white by brightness
                int luma = plat::RedOf(want) * 299 + plat::GreenOf(want) * 587 + plat::BlueOf(want) * 114;
                EXPECT_EQ(got, luma >= 128000 ? plat::clWhite : plat::clBlack) << x << "," << y;
            }
        }
    b.SetPixelFormat(PixelFormat::Bit24);
    if (c.Exact) {
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(b.GetPixel(x, y), original.GetPixel(x, y));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, BitmapFormat,
    testing::Values(FormatCase{"OneBit", PixelFormat::Bit1, 1, false},
                    FormatCase{"FourBits", PixelFormat::Bit4, 4, true},
                    FormatCase{"EightBits", PixelFormat::Bit8, 8, true},
                    FormatCase{"Fifteen", PixelFormat::Bit15, 16, true},
                    FormatCase{"Sixteen", PixelFormat::Bit16, 16, true},
                    FormatCase{"ThirtyTwo", PixelFormat::Bit32, 32, true},
                    FormatCase{"Device", PixelFormat::Device, 24, true}),
    [](const testing::TestParamInfo<FormatCase>& i) { return i.param.Name; });

TEST(Bitmap, ManyColoursReduceToTheFixedPaletteByNearestColour)
{
    Bitmap b(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            b.SetPixel(x, y, plat::RGBColor(static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 8), 77));
    b.SetPixel(0, 0, plat::RGBColor(130, 130, 130));
    b.SetPixelFormat(PixelFormat::Bit8);
    ASSERT_EQ(b.GetPalette().size(), 256u);
    // Never further than the cube's own rounding (25.5 on each channel).
    for (int y = 0; y < 32; ++y)
        for (int x = 1; x < 32; ++x) {
            plat::Color c = b.GetPixel(x, y);
            int dr = plat::RedOf(c) - x * 8, dg = plat::GreenOf(c) - y * 8, db = plat::BlueOf(c) - 77;
            EXPECT_LE(dr * dr + dg * dg + db * db, 3 * 26 * 26) << x << "," << y;
        }
    // Greys use the extra grey ramp rather than the coarse cube.
    plat::Color grey = b.GetPixel(0, 0);
    EXPECT_LE(std::abs(plat::RedOf(grey) - 130), 4);
    EXPECT_EQ(plat::RedOf(grey), plat::GreenOf(grey));
}

TEST(Bitmap, CustomMasksSplitThePixel)
{
    Bitmap b = Sample();
    b.SetBitFields(16, 0x0F00, 0x00F0, 0x000F);  // 4-4-4
    EXPECT_EQ(b.GetPixelFormat(), PixelFormat::Custom);
    EXPECT_EQ(b.RedMask(), 0x0F00u);
    EXPECT_EQ(b.GetPixel(2, 0), plat::clRed);
    b.SetPixel(0, 0, plat::RGBColor(0x88, 0x44, 0x11));
    EXPECT_EQ(b.GetPixel(0, 0), plat::RGBColor(0x88, 0x44, 0x11));
    EXPECT_EQ(b.ScanLine(0)[0] | (b.ScanLine(0)[1] << 8), 0x0841);

    b.SetBitFields(16, 0x7C00, 0x03E0, 0x001F);
    EXPECT_EQ(b.GetPixelFormat(), PixelFormat::Bit15);

    EXPECT_THROW(b.SetBitFields(16, 0x0F0F, 0x00F0, 0), plat::EInvalidGraphic);   // holes, zero
    EXPECT_THROW(b.SetBitFields(16, 0xFF00, 0x0FF0, 0x000F), plat::EInvalidGraphic);  // overlap
    EXPECT_THROW(b.SetBitFields(16, 0xF0000, 0xF00, 0xF), plat::EInvalidGraphic);  // outside
    EXPECT_EQ(b.GetPixelFormat(), PixelFormat::Bit15);
}

TEST(Bitmap, DibFormIsBottomUpWithItsPalette)
{
    Bitmap b(3, 2, PixelFormat::Bit8);
    b.SetPalette({{0, 0, 0, 0}, {10, 20, 30, 0}});
    for (int x = 0; x < 3; ++x)
        b.SetPixel(x, 1, plat::clBlack);
    b.SetPixel(0, 0, plat::RGBColor(30, 20, 10));
    const std::vector<uint8_t> header = b.DibHeader();
    ASSERT_EQ(header.size(), 40u + 2 * 4);
    EXPECT_EQ(header[0], 40);
    EXPECT_EQ(header[4], 3);   // width
    EXPECT_EQ(header[8], 2);   // height, positive: bottom-up
    EXPECT_EQ(header[14], 8);  // bits
    EXPECT_EQ(header[32], 2);  // colours used
    EXPECT_EQ(header[40 + 4], 10);
    const std::vector<uint8_t> bits = b.DibBits();
    ASSERT_EQ(bits.size(), 8u);
    EXPECT_EQ(bits[4], 1);  // top row comes second
    EXPECT_EQ(bits[0], 0);

    Bitmap masks(1, 1, PixelFormat::Bit16);
    const std::vector<uint8_t> h16 = masks.DibHeader();
    ASSERT_EQ(h16.size(), 52u);
    EXPECT_EQ(h16[16], 3);  // bit fields
    EXPECT_EQ(h16[41], 0xF8);
}

TEST(Bitmap, CopiesAreIndependentAndNullEmpties)
{
    Bitmap a = Sample();
    Bitmap b(a);
    b.SetPixel(0, 0, plat::clWhite);
    EXPECT_EQ(a.GetPixel(0, 0), plat::clBlack);
    Bitmap c;
    c.Assign(&a);
    EXPECT_EQ(c.GetPixel(2, 0), plat::clRed);
    int changes = 0;
    c.OnChange.Set([&](plat::Object*) { ++changes; });
    c.Assign(nullptr);
    EXPECT_TRUE(c.Empty());
    EXPECT_EQ(changes, 1);
}

TEST(Bitmap, DrawsThroughTheSurfaceStretchWithItsCopyMode)
{
    plat::RecordingSurface surface;
    surface.SetCopyMode(plat::SRCAND);
    Bitmap b = Sample();
    b.Draw(surface, plat::Rect{1, 2, 9, 8});
    Bitmap().Draw(surface, plat::Rect{0, 0, 5, 5});
    ASSERT_EQ(surface.Count(plat::SurfaceCall::StretchBitmap), 1);
    const plat::SurfaceRecord& r = surface.Records().back();
    EXPECT_EQ(r.Ints, (std::vector<int>{1, 2, 9, 8, 4, 3, static_cast<int>(PixelFormat::Bit24),
                                        static_cast<int>(plat::SRCAND)}));
}

} // namespace
