// The BMP codec: every header flavour and bit depth, run-length encoding, what writing keeps, where
// reading stops, and the handling of damaged or hostile files.

#include "AllocationTracker.h"
#include "BmpFixtures.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"

#include <gtest/gtest.h>


namespace {

using fixtures::BmpLayout;
using fixtures::Rgb;
using plat::Bitmap;
using plat::PixelFormat;

const Rgb Black{0, 0, 0}, White{255, 255, 255}, Red{255, 0, 0}, Green{0, 255, 0}, Blue{0, 0, 255},
    Yellow{255, 255, 0};

plat::Color ColorOf(Rgb c) { return plat::RGBColor(c.R, c.G, c.B); }

std::vector<std::vector<Rgb>> ColourPicture() { return {{Red, Green, Blue}, {White, Black, Yellow}}; }
std::vector<std::vector<Rgb>> MonoPicture() { return {{Black, White, Black}, {White, White, Black}}; }

void ExpectPixels(const Bitmap& b, const std::vector<std::vector<Rgb>>& rows)
{
    ASSERT_EQ(b.GetHeight(), static_cast<int>(rows.size()));
    ASSERT_EQ(b.GetWidth(), static_cast<int>(rows[0].size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            EXPECT_EQ(b.GetPixel(static_cast<int>(x), static_cast<int>(y)), ColorOf(rows[y][x]))
                << "pixel " << x << "," << y;
}

Bitmap Load(const std::vector<uint8_t>& bytes)
{
    plat::MemoryStream s(bytes);
    Bitmap b;
    b.LoadFromStream(s);
    return b;
}

std::vector<uint8_t> Save(const Bitmap& b)
{
    plat::MemoryStream s;
    b.SaveToStream(s);
    return s.Bytes();
}

struct FlavourCase {
    const char* Name;
    uint32_t HeaderSize;
    int Bits;
    uint32_t Compression;
    uint32_t Masks[3];
    bool TopDown;
    bool ShortTable;  // clrUsed gives a table shorter than the full one
    PixelFormat Expected;
};

BmpLayout LayoutFor(const FlavourCase& c)
{
    BmpLayout s;
    s.HeaderSize = c.HeaderSize;
    s.Bits = c.Bits;
    s.Compression = c.Compression;
    std::copy(c.Masks, c.Masks + 3, s.Masks);
    s.TopDown = c.TopDown;
    s.Width = 3;
    s.Rows = c.Bits == 1 ? MonoPicture() : ColourPicture();
    if (c.Bits <= 8) {
        s.Palette = c.Bits == 1 ? std::vector<Rgb>{Black, White}
                                : std::vector<Rgb>{Black, White, Red, Green, Blue, Yellow};
        if (c.ShortTable)
            s.ClrUsed = static_cast<uint32_t>(s.Palette.size());
        else
            s.Palette.resize(size_t{1} << c.Bits, Black);
    }
    return s;
}

class BmpFlavour : public testing::TestWithParam<FlavourCase> {};

TEST_P(BmpFlavour, ReadsTheRightPixelsAndEndsAtTheData)
{
    const FlavourCase& c = GetParam();
    const BmpLayout layout = LayoutFor(c);
    std::vector<uint8_t> file = fixtures::MakeBmp(layout);
    const size_t fileSize = file.size();
    file.insert(file.end(), {'n', 'e', 'x', 't'});  // whatever follows in the stream is not ours
    plat::MemoryStream s(file);
    Bitmap b;
    b.LoadFromStream(s);
    EXPECT_EQ(b.GetPixelFormat(), c.Expected);
    EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(fileSize));
    ExpectPixels(b, layout.Rows);

    Bitmap dib;
    const std::vector<uint8_t> packed = fixtures::MakeDib(layout);
    dib.LoadFromDib(packed.data(), packed.size());
    EXPECT_EQ(dib.GetPixelFormat(), c.Expected);
    ExpectPixels(dib, layout.Rows);
}

TEST_P(BmpFlavour, WritesWhatItReadAndReadsItBack)
{
    const FlavourCase& c = GetParam();
    const BmpLayout layout = LayoutFor(c);
    const std::vector<uint8_t> saved = Save(Load(fixtures::MakeBmp(layout)));
    ASSERT_GT(saved.size(), 26u);
    EXPECT_EQ(saved[0], 'B');
    EXPECT_EQ(saved[1], 'M');
    EXPECT_EQ(fixtures::Get32(saved, 2), saved.size());
    const uint32_t header = fixtures::Get32(saved, 14);
    EXPECT_EQ(header, c.HeaderSize == 12 ? 12u : 40u);
    if (header == 40) {
        const bool masks = c.Expected == PixelFormat::Bit16 || c.Expected == PixelFormat::Custom;
        EXPECT_EQ(fixtures::Get32(saved, 30), masks ? 3u : 0u);
        if (masks) {
            EXPECT_EQ(fixtures::Get32(saved, 54), c.Masks[0]);
            EXPECT_EQ(fixtures::Get32(saved, 58), c.Masks[1]);
            EXPECT_EQ(fixtures::Get32(saved, 62), c.Masks[2]);
        }
        EXPECT_EQ(fixtures::Get32(saved, 10), 54u + (masks ? 12u : 0u)
                      + (c.Bits <= 8 ? 4u * (c.ShortTable ? (c.Bits == 1 ? 2u : 6u) : (1u << c.Bits)) : 0u));
    }
    const Bitmap again = Load(saved);
    EXPECT_EQ(again.GetPixelFormat(), c.Expected);
    ExpectPixels(again, layout.Rows);
}

constexpr uint32_t M565[3] = {0xF800, 0x07E0, 0x001F};
constexpr uint32_t M555[3] = {0x7C00, 0x03E0, 0x001F};

INSTANTIATE_TEST_SUITE_P(
    Flavours, BmpFlavour,
    testing::Values(
        FlavourCase{"Core1", 12, 1, 0, {}, false, false, PixelFormat::Bit1},
        FlavourCase{"Core4", 12, 4, 0, {}, false, false, PixelFormat::Bit4},
        FlavourCase{"Core8", 12, 8, 0, {}, false, false, PixelFormat::Bit8},
        FlavourCase{"Core24", 12, 24, 0, {}, false, false, PixelFormat::Bit24},
        FlavourCase{"Info1", 40, 1, 0, {}, false, false, PixelFormat::Bit1},
        FlavourCase{"Info4ShortTable", 40, 4, 0, {}, false, true, PixelFormat::Bit4},
        FlavourCase{"Info8FullTable", 40, 8, 0, {}, false, false, PixelFormat::Bit8},
        FlavourCase{"Info16Plain", 40, 16, 0, {}, false, false, PixelFormat::Bit15},
        FlavourCase{"Info16Fields565", 40, 16, 3, {M565[0], M565[1], M565[2]}, false, false, PixelFormat::Bit16},
        FlavourCase{"Info16Fields444", 40, 16, 3, {0xF00, 0xF0, 0xF}, false, false, PixelFormat::Custom},
        FlavourCase{"Info24", 40, 24, 0, {}, false, false, PixelFormat::Bit24},
        FlavourCase{"Info24TopDown", 40, 24, 0, {}, true, false, PixelFormat::Bit24},
        FlavourCase{"Info32Plain", 40, 32, 0, {}, false, false, PixelFormat::Bit32},
        FlavourCase{"Info32FieldsSwapped", 40, 32, 3, {0xFF, 0xFF00, 0xFF0000}, false, false, PixelFormat::Custom},
        FlavourCase{"V2Fields565", 52, 16, 3, {M565[0], M565[1], M565[2]}, false, false, PixelFormat::Bit16},
        FlavourCase{"V3Fields32", 56, 32, 3, {0xFF0000, 0xFF00, 0xFF}, true, false, PixelFormat::Bit32},
        FlavourCase{"V4Fields555", 108, 16, 3, {M555[0], M555[1], M555[2]}, false, false, PixelFormat::Bit15},
        FlavourCase{"V4Plain24TopDown", 108, 24, 0, {}, true, false, PixelFormat::Bit24},
        FlavourCase{"V5Fields10Bit", 124, 32, 3, {0x3FF00000, 0xFFC00, 0x3FF}, false, false, PixelFormat::Custom},
        FlavourCase{"V5Indexed8ShortTable", 124, 8, 0, {}, false, true, PixelFormat::Bit8}),
    [](const testing::TestParamInfo<FlavourCase>& i) { return i.param.Name; });

TEST(BmpWrite, TwentyFourBitFileByteByByte)
{
    Bitmap b(2, 1);
    b.SetPixel(0, 0, plat::RGBColor(1, 2, 3));
    b.SetPixel(1, 0, plat::RGBColor(4, 5, 6));
    b.SetPelsPerMeter(3780, 3780);
    const std::vector<uint8_t> expected = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,          // file header
        40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,         // size, width, height, planes, bits
        0, 0, 0, 0, 8, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, // BI_RGB, image size, resolution
        0, 0, 0, 0, 0, 0, 0, 0,                                   // colours used, important
        3, 2, 1, 6, 5, 4, 0, 0};                                  // one row, padded
    EXPECT_EQ(Save(b), expected);
}

TEST(BmpWrite, EmptyBitmapWritesNothingAndNothingReadsAsEmpty)
{
    EXPECT_TRUE(Save(Bitmap()).empty());
    EXPECT_TRUE(Save(Bitmap(0, 5)).empty());
    Bitmap b(2, 2);
    plat::MemoryStream nothing;
    b.LoadFromStream(nothing);
    EXPECT_TRUE(b.Empty());
}

// Palette for the RLE fixtures: 0 black, 1 white, 2 red, 3 green.
const std::vector<Rgb> RlePalette = {Black, White, Red, Green};

struct RleCase {
    const char* Name;
    int Bits, Width, Height;
    std::vector<uint8_t> Data;
    std::vector<std::vector<Rgb>> Expected;  // top row first
};

class BmpRle : public testing::TestWithParam<RleCase> {};

TEST_P(BmpRle, DecodesRunsAbsoluteRunsDeltasAndLineEnds)
{
    const RleCase& c = GetParam();
    const Bitmap b = Load(fixtures::MakeRle(c.Bits, c.Width, c.Height, RlePalette, c.Data,
                                            static_cast<uint32_t>(c.Data.size())));
    EXPECT_EQ(b.GetPixelFormat(), c.Bits == 8 ? PixelFormat::Bit8 : PixelFormat::Bit4);
    ExpectPixels(b, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BmpRle,
    testing::Values(
        RleCase{"Rle8", 8, 4, 3,
                {3, 2, 0, 0,                          // bottom: 3 x red, end of line
                 0, 3, 1, 2, 3, 0, 1, 1, 0, 0,        // absolute white red green (padded), 1 x white
                 0, 2, 1, 0, 2, 3, 0, 1},             // delta right 1, 2 x green, end of bitmap
                {{Black, Green, Green, Black}, {White, Red, Green, White}, {Red, Red, Red, Black}}},
        RleCase{"Rle4", 4, 5, 2,
                {5, 0x12, 0, 0,                       // bottom: white red white red white
                 0, 3, 0x23, 0x10, 2, 0x33, 0, 1},    // absolute red green white, 2 x green, end
                {{Red, Green, White, Green, Green}, {White, Red, White, Red, White}}},
        RleCase{"Rle8RunsPastTheLineAreCut", 8, 2, 1, {5, 2, 0, 1}, {{Red, Red}}},
        RleCase{"Rle8WithoutEndCode", 8, 2, 2, {2, 1, 0, 0, 1, 3}, {{Green, Black}, {White, White}}}),
    [](const testing::TestParamInfo<RleCase>& i) { return i.param.Name; });

TEST(BmpRleWrite, UnchangedBitmapIsWrittenBackByteForByte)
{
    const std::vector<uint8_t> data = {3, 2, 0, 0, 0, 3, 1, 2, 3, 0, 1, 1, 0, 0, 0, 2, 1, 0, 2, 3, 0, 1};
    const std::vector<uint8_t> file = fixtures::MakeRle(8, 4, 3, RlePalette, data, static_cast<uint32_t>(data.size()));
    const Bitmap b = Load(file);
    EXPECT_EQ(Save(b), file);
    const Bitmap copy(b);  // the picture holder keeps a copy
    EXPECT_EQ(Save(copy), file);

    Bitmap changed(b);
    changed.SetPixel(0, 0, plat::clWhite);
    const std::vector<uint8_t> plain = Save(changed);
    EXPECT_EQ(fixtures::Get32(plain, 30), 0u);  // written uncompressed
    const Bitmap reread = Load(plain);
    EXPECT_EQ(reread.GetPixel(0, 0), plat::clWhite);
    EXPECT_EQ(reread.GetPixel(1, 1), plat::clRed);

    Bitmap touched(b);
    touched.ScanLine(0);
    EXPECT_NE(Save(touched), file);
}

TEST(BmpRead, BlankPageCodedInTwoBytesIsAccepted)
{
    // An 8-bit A4 page at 300 dpi that ends at once: every pixel stays at index 0.
    const Bitmap b = Load(fixtures::MakeRle(8, 2480, 3508, RlePalette, {0, 1}, 2));
    EXPECT_EQ(b.GetWidth(), 2480);
    EXPECT_EQ(b.GetPixel(2479, 0), plat::clBlack);
}

TEST(BmpRead, StopsAtTheEndOfEachPictureInAStream)
{
    // An RLE picture without an image size ends at its end-of-bitmap code.
    const std::vector<uint8_t> rle = {2, 1, 0, 0, 2, 3, 0, 1};
    std::vector<uint8_t> first = fixtures::MakeRle(8, 2, 2, RlePalette, rle, 0);
    fixtures::Set32(first, 2, 0);  // and without a file size
    BmpLayout layout;
    layout.Width = 3;
    layout.Rows = ColourPicture();
    const std::vector<uint8_t> second = fixtures::MakeBmp(layout);

    plat::MemoryStream s;
    s.WriteBuffer(first.data(), first.size());
    s.WriteBuffer(second.data(), second.size());
    s.WriteInt32LE(77);
    s.SetPosition(0);
    Bitmap a, b;
    a.LoadFromStream(s);
    EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(first.size()));
    b.LoadFromStream(s);
    EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(first.size() + second.size()));
    EXPECT_EQ(s.ReadInt32LE(), 77);
    ExpectPixels(a, {{Green, Green}, {White, White}});
    ExpectPixels(b, ColourPicture());
}

// Damaged and hostile files. Each starts from a valid file and changes it.
struct DamageCase {
    const char* Name;
    std::vector<uint8_t> (*Make)();
    bool ReadError;  // "Erreur de lecture du flux"; otherwise "Image bitmap incorrecte"
};

std::vector<uint8_t> Valid24()
{
    BmpLayout s;
    s.Width = 3;
    s.Rows = ColourPicture();
    return fixtures::MakeBmp(s);
}

std::vector<uint8_t> Valid16Fields(uint32_t r, uint32_t g, uint32_t b)
{
    BmpLayout s;
    s.Bits = 16;
    s.Compression = 3;
    s.Masks[0] = r; s.Masks[1] = g; s.Masks[2] = b;
    s.Width = 3;
    s.Rows = ColourPicture();
    return fixtures::MakeBmp(s);
}

std::vector<uint8_t> With(std::vector<uint8_t> v, size_t at, uint32_t value)
{
    fixtures::Set32(v, at, value);
    return v;
}

std::vector<uint8_t> Rle8(int width, int height, uint32_t sizeImage)
{
    return fixtures::MakeRle(8, width, height, RlePalette, {2, 1, 0, 1}, sizeImage);
}

class BmpDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(BmpDamage, FailsWithItsMessageWithoutChangingTheBitmapOrAllocatingMuch)
{
    const DamageCase& c = GetParam();
    Bitmap b = Load(Valid24());
    const std::vector<uint8_t> before = Save(b);
    const std::vector<uint8_t> file = c.Make();
    plat::MemoryStream s(file);
    std::string message;
    size_t largest = 0;
    {
        tracking::LargestAllocation tracker;
        try {
            b.LoadFromStream(s);
        } catch (const plat::Exception& e) {
            message = e.Message();
        }
        largest = tracker.Bytes();
    }
    EXPECT_EQ(message, c.ReadError ? "Erreur de lecture du flux" : "Image bitmap incorrecte");
    EXPECT_LT(largest, size_t{1} << 20);
    EXPECT_EQ(Save(b), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BmpDamage,
    testing::Values(
        DamageCase{"NotBM", [] { auto v = Valid24(); v[0] = 'X'; return v; }, false},
        DamageCase{"UnknownHeaderSize", [] { return With(Valid24(), 14, 64); }, false},
        DamageCase{"ZeroWidth", [] { return With(Valid24(), 18, 0); }, false},
        DamageCase{"NegativeWidth", [] { return With(Valid24(), 18, static_cast<uint32_t>(-3)); }, false},
        DamageCase{"ZeroHeight", [] { return With(Valid24(), 22, 0); }, false},
        DamageCase{"TwoPlanes", [] { auto v = Valid24(); v[26] = 2; return v; }, false},
        DamageCase{"TwoBitsPerPixel", [] { auto v = Valid24(); v[28] = 2; return v; }, false},
        DamageCase{"JpegInside", [] { return With(Valid24(), 30, 4); }, false},
        DamageCase{"BitFieldsOn24Bits", [] { return With(Valid24(), 30, 3); }, false},
        DamageCase{"DataOffsetInsideHeader", [] { return With(Valid24(), 10, 20); }, false},
        DamageCase{"OverlappingMasks", [] { return Valid16Fields(0xFF00, 0x0FF0, 0x000F); }, false},
        DamageCase{"GappedMask", [] { return Valid16Fields(0xF0F0, 0x0F00, 0x000F); }, false},
        DamageCase{"TopDownRle", [] { return With(Rle8(2, 1, 4), 22, static_cast<uint32_t>(-1)); }, false},
        DamageCase{"RleCodeOnWrongDepth", [] { auto v = Rle8(2, 1, 4); v[28] = 4; return v; }, false},
        DamageCase{"FileHeaderOnly", [] { auto v = Valid24(); v.resize(14); return v; }, true},
        DamageCase{"TruncatedHeader", [] { auto v = Valid24(); v.resize(30); return v; }, true},
        DamageCase{"TruncatedRows", [] { auto v = Valid24(); v.pop_back(); return v; }, true},
        DamageCase{"DataOffsetPastTheEnd", [] { return With(Valid24(), 10, 1000); }, true},
        DamageCase{"RleLongerThanTheFile", [] { return Rle8(2, 1, 40); }, true},
        DamageCase{"HugeRowsInATinyFile", [] { return With(With(Valid24(), 18, 30000), 22, 30000); }, true},
        DamageCase{"HugeRleInATinyFile", [] { return Rle8(16000, 16000, 4); }, false},
        DamageCase{"HugeIndexedTable", [] { auto v = With(Valid24(), 46, 0xFFFFFFF0); v[28] = 8; return v; }, false}),
    [](const testing::TestParamInfo<DamageCase>& i) { return i.param.Name; });

TEST(BmpDib, ScannerImageSkipsTheColourEntriesOfATrueColourImage)
{
    BmpLayout s;
    s.Width = 3;
    s.Rows = ColourPicture();
    s.Palette = {Red, Red, Red, Red, Red};
    s.ClrUsed = 5;
    const std::vector<uint8_t> dib = fixtures::MakeDib(s);
    Bitmap b;
    b.LoadFromDib(dib.data(), dib.size());
    ExpectPixels(b, ColourPicture());
    EXPECT_TRUE(b.GetPalette().empty());
}

TEST(BmpDib, ShortOrBrokenBlocksAreRefused)
{
    BmpLayout s;
    s.Width = 3;
    s.Rows = ColourPicture();
    std::vector<uint8_t> dib = fixtures::MakeDib(s);
    Bitmap b;
    EXPECT_THROW(b.LoadFromDib(dib.data(), dib.size() - 1), plat::EReadError);
    EXPECT_THROW(b.LoadFromDib(dib.data(), 20), plat::EReadError);
    EXPECT_THROW(b.LoadFromDib(nullptr, 0), plat::EReadError);
    fixtures::Set32(dib, 0, 1000);
    EXPECT_THROW(b.LoadFromDib(dib.data(), dib.size()), plat::EInvalidGraphic);
    EXPECT_TRUE(b.Empty());
}

} // namespace
