// The JPEG picture over libjpeg: compression and decoding, where reading stops, and failures.

#include "platform/core/Exceptions.h"
#include "platform/core/Pen.h"
#include "platform/core/Stream.h"
#include "platform/graphics/JpegImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

namespace {

using plat::Bitmap;
using plat::JpegImage;
using plat::PixelFormat;

Bitmap Gradient(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, plat::RGBColor(static_cast<uint8_t>(x * 255 / w), static_cast<uint8_t>(y * 255 / h), 100));
    return b;
}

std::vector<uint8_t> Bytes(const JpegImage& j)
{
    plat::MemoryStream s;
    j.SaveToStream(s);
    return s.Bytes();
}

int MaxChannelDifference(const Bitmap& a, const Bitmap& b)
{
    int worst = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x) {
            plat::Color p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            worst = std::max({worst, std::abs(plat::RedOf(p) - plat::RedOf(q)),
                              std::abs(plat::GreenOf(p) - plat::GreenOf(q)),
                              std::abs(plat::BlueOf(p) - plat::BlueOf(q))});
        }
    return worst;
}

TEST(Jpeg, ColourRoundTripKeepsSizeResolutionAndCloseColours)
{
    Bitmap source = Gradient(64, 48);
    source.SetPelsPerMeter(11811, 11811);  // 300 dpi
    JpegImage jpeg;
    jpeg.Assign(&source);
    EXPECT_EQ(jpeg.GetWidth(), 64);
    const std::vector<uint8_t> data = Bytes(jpeg);
    ASSERT_GT(data.size(), 4u);
    EXPECT_EQ(data[0], 0xFF);
    EXPECT_EQ(data[1], 0xD8);
    EXPECT_EQ(data[data.size() - 2], 0xFF);
    EXPECT_EQ(data.back(), 0xD9);

    plat::MemoryStream s(data);
    JpegImage loaded;
    loaded.LoadFromStream(s);
    EXPECT_FALSE(loaded.GetGrayscale());
    Bitmap view;
    view.Assign(&loaded);
    EXPECT_EQ(view.GetPixelFormat(), PixelFormat::Bit24);
    ASSERT_EQ(view.GetWidth(), 64);
    ASSERT_EQ(view.GetHeight(), 48);
    EXPECT_LE(MaxChannelDifference(view, source), 12);
    EXPECT_EQ(view.XPelsPerMeter(), 11811);
    EXPECT_EQ(Bytes(loaded), data);  // the bytes read are the bytes written
}

TEST(Jpeg, GreyBitmapMakesAGreyFileAndComesBackAsEightBitGrey)
{
    Bitmap grey(16, 16, PixelFormat::Bit8);
    std::vector<plat::PaletteEntry> ramp(256);
    for (int i = 0; i < 256; ++i)
        ramp[static_cast<size_t>(i)] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i), 0};
    grey.SetPalette(ramp);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            grey.ScanLine(y)[x] = static_cast<uint8_t>(x * 16);
    JpegImage jpeg;
    jpeg.Assign(&grey);
    plat::MemoryStream s(Bytes(jpeg));
    JpegImage loaded;
    loaded.LoadFromStream(s);
    EXPECT_TRUE(loaded.GetGrayscale());
    const Bitmap& view = loaded.GetBitmap();
    EXPECT_EQ(view.GetPixelFormat(), PixelFormat::Bit8);
    EXPECT_EQ(view.GetPalette(), ramp);
    EXPECT_LE(MaxChannelDifference(view, grey), 6);
}

TEST(Jpeg, ReadingStopsJustPastTheEndMarker)
{
    JpegImage jpeg;
    Bitmap source = Gradient(8, 8);
    jpeg.Assign(&source);
    std::vector<uint8_t> data = Bytes(jpeg);
    // A comment holding the end-marker bytes must not end the picture early.
    const std::vector<uint8_t> comment = {0xFF, 0xFE, 0x00, 0x06, 'x', 0xFF, 0xD9, 'y'};
    data.insert(data.begin() + 2, comment.begin(), comment.end());
    plat::MemoryStream s(data);
    s.SetPosition(s.GetSize());
    s.WriteInt32LE(1234);
    s.SetPosition(0);
    JpegImage loaded;
    loaded.LoadFromStream(s);
    EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(data.size()));
    EXPECT_EQ(s.ReadInt32LE(), 1234);
    EXPECT_EQ(loaded.GetWidth(), 8);
}

TEST(Jpeg, FailuresLeaveThePictureAsItWas)
{
    JpegImage jpeg;
    Bitmap source = Gradient(32, 32);
    jpeg.Assign(&source);
    const std::vector<uint8_t> good = Bytes(jpeg);

    auto failWith = [&](std::vector<uint8_t> bytes) {
        plat::MemoryStream s(std::move(bytes));
        try {
            jpeg.LoadFromStream(s);
        } catch (const plat::EReadError& e) {
            return e.Message();
        } catch (const plat::EInvalidGraphic& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    const auto code = [](int c) { return "Erreur JPEG #" + std::to_string(c); };
    EXPECT_EQ(failWith({'B', 'M', 0, 0, 0, 0}), code(JERR_NO_SOI));
    EXPECT_EQ(failWith({}), code(JERR_INPUT_EMPTY));
    // Cut inside the compressed data: the picture is incomplete.
    EXPECT_EQ(failWith(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(good.size() - 40))),
              "Erreur de lecture du flux");
    // A tiny file announcing 60000 x 60000 pixels.
    std::vector<uint8_t> huge = good;
    for (size_t i = 2; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {  // start of frame: height and width follow
            huge[i + 5] = 0xEA; huge[i + 6] = 0x60; huge[i + 7] = 0xEA; huge[i + 8] = 0x60;
            break;
        }
    EXPECT_EQ(failWith(huge), code(JERR_IMAGE_TOO_BIG));
    EXPECT_EQ(Bytes(jpeg), good);
    EXPECT_EQ(jpeg.GetWidth(), 32);
}

TEST(Jpeg, AssignTakesPicturesAndRefusesOtherKinds)
{
    JpegImage jpeg;
    Bitmap source = Gradient(4, 4);
    source.SetPixelFormat(PixelFormat::Bit4);  // compressed from a 24-bit copy
    jpeg.Assign(&source);
    EXPECT_FALSE(Bytes(jpeg).empty());
    JpegImage copy;
    copy.Assign(&jpeg);
    EXPECT_EQ(Bytes(copy), Bytes(jpeg));
    plat::Pen pen;
    try {
        copy.Assign(&pen);
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TPen à TJPEGImage");
    }
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_TRUE(Bytes(copy).empty());
}

} // namespace
