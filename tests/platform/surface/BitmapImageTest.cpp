#include "platform/surface/qt/BitmapImage.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

struct FormatCase {
    const char* name;
    int bits;            // bits per pixel
    uint32_t masks[3];   // bit fields, 0 for the format's own
    PixelFormat format;
};

class BitmapImageFormats : public ::testing::TestWithParam<FormatCase> {};

Bitmap Patterned(const FormatCase& c)
{
    Bitmap b(13, 5, c.format);
    if (c.masks[0])
        b.SetBitFields(c.bits, c.masks[0], c.masks[1], c.masks[2]);
    if (c.bits <= 8) {
        std::vector<PaletteEntry> palette;
        for (int i = 0; i < (1 << c.bits); ++i)
            palette.push_back({static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 11), 0});
        b.SetPalette(palette);
    }
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            b.SetPixel(x, y, RGBColor(static_cast<uint8_t>(x * 19), static_cast<uint8_t>(y * 50), static_cast<uint8_t>(x * y * 7)));
    return b;
}

TEST_P(BitmapImageFormats, EveryPixelKeepsItsColour)
{
    Bitmap b = Patterned(GetParam());
    ASSERT_EQ(b.BitsPerPixel(), GetParam().bits);
    QImage img = BitmapToImage(b);
    ASSERT_EQ(img.size(), QSize(13, 5));
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x) {
            Color c = b.GetPixel(x, y);
            ASSERT_EQ(img.pixel(x, y), qRgb(RedOf(c), GreenOf(c), BlueOf(c))) << x << "," << y;
        }

    // Sampling at one to one reads every format the same way.
    QImage sampled = SampleNearest(b, QRect(0, 0, 13, 5), QSize(13, 5), QRect(0, 0, 13, 5));
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            ASSERT_EQ(sampled.pixel(x, y), img.pixel(x, y)) << x << "," << y;

    Bitmap back = ImageToBitmap(img);
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            ASSERT_EQ(back.GetPixel(x, y), b.GetPixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(BitmapImage, BitmapImageFormats, ::testing::Values(
    FormatCase{"OneBit", 1, {}, PixelFormat::Bit1},
    FormatCase{"FourBits", 4, {}, PixelFormat::Bit4},
    FormatCase{"EightBits", 8, {}, PixelFormat::Bit8},
    FormatCase{"FifteenBits", 16, {}, PixelFormat::Bit15},
    FormatCase{"SixteenBits", 16, {}, PixelFormat::Bit16},
    FormatCase{"TwentyFourBits", 24, {}, PixelFormat::Bit24},
    FormatCase{"ThirtyTwoBits", 32, {}, PixelFormat::Bit32},
    FormatCase{"CustomBitFields", 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, PixelFormat::Bit32}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapImage, IndexedImagesKeepTheirPaletteAndIndexes)
{
    QImage img(3, 1, QImage::Format_Indexed8);
    img.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    img.setPixel(0, 0, 1);
    img.setPixel(1, 0, 0);
    img.setPixel(2, 0, 1);
    Bitmap b = ImageToBitmap(img);
    EXPECT_EQ(b.GetPixelFormat(), PixelFormat::Bit8);
    EXPECT_EQ(b.ScanLine(0)[0], 1);
    EXPECT_EQ(b.GetPalette()[1], (PaletteEntry{50, 100, 200, 0}));
}

TEST(BitmapImage, SamplingComputesOnlyThePartAskedFor)
{
    Bitmap b(4, 1, PixelFormat::Bit24);
    for (int x = 0; x < 4; ++x)
        b.SetPixel(x, 0, RGBColor(static_cast<uint8_t>(x * 60), 0, 0));
    // Four pixels stretched to 8 and mirrored; only target columns 2..5 are computed.
    QImage part = SampleNearest(b, QRect(0, 0, 4, 1), QSize(8, 1), QRect(2, 0, 4, 1), true, false);
    ASSERT_EQ(part.size(), QSize(4, 1));
    EXPECT_EQ(qRed(part.pixel(0, 0)), 120); // target 2 mirrors to 5, source 2
    EXPECT_EQ(qRed(part.pixel(1, 0)), 120);
    EXPECT_EQ(qRed(part.pixel(2, 0)), 60);
    EXPECT_EQ(qRed(part.pixel(3, 0)), 60);
}

TEST(BitmapImage, EmptyAndNullConvertToEmpty)
{
    EXPECT_TRUE(BitmapToImage(Bitmap()).isNull());
    EXPECT_TRUE(ImageToBitmap(QImage()).Empty());
}

} // namespace
