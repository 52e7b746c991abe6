// Icons read from .ico files: the entry chosen, the mask, the picture on white, and damaged files.

#include "BmpFixtures.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

using fixtures::IconEntrySpec;
using fixtures::Rgb;
using plat::Icon;

const Rgb Black{0, 0, 0}, White{255, 255, 255}, Red{255, 0, 0}, Blue{0, 0, 255};

// A square entry of the given size and depth: red, with a transparent top-left pixel (black behind it)
// and one "inverting" pixel at top-right (transparent in the mask, blue in the image).
IconEntrySpec Entry(int size, int bits)
{
    IconEntrySpec e;
    e.Image.Bits = bits;
    e.Image.Width = size;
    e.Image.Rows.assign(static_cast<size_t>(size), std::vector<Rgb>(static_cast<size_t>(size), Red));
    e.Image.Rows[0][0] = Black;
    e.Image.Rows[0][static_cast<size_t>(size - 1)] = Blue;
    if (bits <= 8) {
        e.Image.Palette = {Black, Red, Blue, White};
        e.Image.ClrUsed = 4;
    }
    e.Transparent.assign(static_cast<size_t>(size), std::vector<bool>(static_cast<size_t>(size), false));
    e.Transparent[0][0] = true;
    e.Transparent[0][static_cast<size_t>(size - 1)] = true;
    return e;
}

Icon Load(const std::vector<uint8_t>& bytes)
{
    plat::MemoryStream s(bytes);
    Icon icon;
    icon.LoadFromStream(s);
    return icon;
}

TEST(Icon, ReadsTheChosenEntryAndShowsItOnWhite)
{
    const std::vector<uint8_t> file = fixtures::MakeIco({Entry(16, 4), Entry(32, 8), Entry(48, 24)});
    plat::MemoryStream s(file);
    s.SetPosition(s.GetSize());
    s.WriteInt32LE(99);
    s.SetPosition(0);
    Icon icon;
    icon.LoadFromStream(s);
    EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(file.size()));
    EXPECT_EQ(icon.EntryCount(), 3);
    EXPECT_EQ(icon.ChosenEntry(), 1);
    EXPECT_EQ(icon.GetWidth(), 32);
    EXPECT_EQ(icon.GetHeight(), 32);

    const plat::Bitmap onWhite = icon.ToBitmap();
    EXPECT_EQ(onWhite.GetPixelFormat(), plat::PixelFormat::Bit24);
    EXPECT_EQ(onWhite.GetPixel(0, 0), plat::clWhite);             // transparent
    EXPECT_EQ(onWhite.GetPixel(31, 0), plat::RGBColor(255, 255, 0));  // white XOR blue
    EXPECT_EQ(onWhite.GetPixel(5, 5), plat::clRed);

    plat::MemoryStream out;
    icon.SaveToStream(out);
    EXPECT_EQ(out.Bytes(), file);  // every entry, as read
}

struct ChoiceCase {
    const char* Name;
    std::vector<IconEntrySpec> Entries;
    int Chosen;
};

class IconChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(IconChoice, PicksTheEntryNearestTo32)
{
    EXPECT_EQ(Load(fixtures::MakeIco(GetParam().Entries)).ChosenEntry(), GetParam().Chosen);
}

IconEntrySpec PngEntry()
{
    IconEntrySpec e = Entry(32, 32);
    e.Png = true;
    return e;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, IconChoice,
    testing::Values(ChoiceCase{"Nearest", {Entry(48, 8), Entry(16, 8), Entry(30, 4)}, 2},
                    ChoiceCase{"TieGoesToMoreBits", {Entry(16, 8), Entry(48, 24)}, 1},
                    ChoiceCase{"TieOfEqualDepthGoesToTheFirst", {Entry(48, 8), Entry(16, 8)}, 0},
                    ChoiceCase{"PngEntriesArePassedOver", {PngEntry(), Entry(16, 4)}, 1}),
    [](const testing::TestParamInfo<ChoiceCase>& i) { return i.param.Name; });

TEST(Icon, AlphaChannelIsBlendedOnWhite)
{
    IconEntrySpec e = Entry(2, 32);
    e.Alpha = {{0, 255}, {128, 255}};
    e.Transparent.clear();  // icons with alpha often leave the mask empty
    const Icon icon = Load(fixtures::MakeIco({e}));
    const plat::Bitmap onWhite = icon.ToBitmap();
    EXPECT_EQ(onWhite.GetPixel(0, 0), plat::clWhite);
    EXPECT_EQ(onWhite.GetPixel(1, 1), plat::clRed);
    EXPECT_EQ(onWhite.GetPixel(0, 1), plat::RGBColor(255, 127, 127));
    EXPECT_EQ(icon.Mask().GetPixel(0, 0), plat::clWhite);  // transparent
    EXPECT_EQ(icon.Mask().GetPixel(1, 1), plat::clBlack);
}

TEST(Icon, DrawsMaskThenImage)
{
    const Icon icon = Load(fixtures::MakeIco({Entry(16, 4)}));
    plat::RecordingSurface surface;
    icon.Draw(surface, plat::Rect{0, 0, 32, 32});
    const auto& records = surface.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Ints.back(), static_cast<int>(plat::SRCAND));
    EXPECT_EQ(records[0].Ints[6], static_cast<int>(plat::PixelFormat::Bit1));
    EXPECT_EQ(records[1].Ints.back(), static_cast<int>(plat::SRCINVERT));
}

TEST(Icon, OtherPicturesTakeItsPictureOnWhite)
{
    const Icon icon = Load(fixtures::MakeIco({Entry(16, 8)}));
    plat::Bitmap bitmap;
    bitmap.Assign(&icon);
    EXPECT_EQ(bitmap.GetPixel(0, 0), plat::clWhite);
    EXPECT_EQ(bitmap.GetPixel(3, 3), plat::clRed);
    plat::JpegImage jpeg;
    jpeg.Assign(&icon);
    EXPECT_EQ(jpeg.GetWidth(), 16);
    Icon copy;
    copy.Assign(&icon);
    EXPECT_EQ(copy.GetWidth(), 16);
    EXPECT_THROW(copy.Assign(&bitmap), plat::EConvertError);
}

struct BadIconCase {
    const char* Name;
    std::vector<uint8_t> (*Make)();
    const char* Message;
};

class IconDamage : public testing::TestWithParam<BadIconCase> {};

TEST_P(IconDamage, FailsClearlyAndKeepsTheIcon)
{
    Icon icon = Load(fixtures::MakeIco({Entry(16, 4)}));
    plat::MemoryStream s(GetParam().Make());
    try {
        icon.LoadFromStream(s);
        FAIL();
    } catch (const plat::Exception& e) {
        EXPECT_EQ(e.Message(), GetParam().Message);
    }
    EXPECT_EQ(icon.GetWidth(), 16);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IconDamage,
    testing::Values(
        BadIconCase{"OnlyPng", [] { return fixtures::MakeIco({PngEntry()}); },
                    "Icône au format PNG non prise en charge"},
        BadIconCase{"Cursor", [] { return fixtures::MakeIco({Entry(16, 4)}, 2); }, "Format d'icône incorrect"},
        BadIconCase{"NoEntries", [] { return std::vector<uint8_t>{0, 0, 1, 0, 0, 0}; }, "Format d'icône incorrect"},
        BadIconCase{"EntryInsideTheDirectory",
                    [] { auto v = fixtures::MakeIco({Entry(16, 4)}); fixtures::Set32(v, 18, 4); return v; },
                    "Format d'icône incorrect"},
        BadIconCase{"BrokenBitmapHeader",
                    [] { auto v = fixtures::MakeIco({Entry(16, 4)}); fixtures::Set32(v, 22, 77); return v; },
                    "Format d'icône incorrect"},
        BadIconCase{"EntryPastTheEnd", [] { auto v = fixtures::MakeIco({Entry(16, 4)}); v.pop_back(); return v; },
                    "Erreur de lecture du flux"},
        BadIconCase{"MissingMask",
                    [] {
                        IconEntrySpec e = Entry(16, 4);
                        e.DropMask = true;
                        return fixtures::MakeIco({e});
                    },
                    "Erreur de lecture du flux"},
        BadIconCase{"TruncatedDirectory", [] { return std::vector<uint8_t>{0, 0, 1, 0, 2, 0, 16}; },
                    "Erreur de lecture du flux"}),
    [](const testing::TestParamInfo<BadIconCase>& i) { return i.param.Name; });

} // namespace
