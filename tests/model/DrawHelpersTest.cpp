// The shared drawing helpers: the clipping polygon, bitmaps sent as device-independent bits, picture
// conversion, the printer-surface test and font heights.

#include "model/units/GmDrawHelpers.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/FontEngine.h"
#include "platform/surface/Metafile.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace {

using plat::SurfaceCall;

TEST(DrawRectPolygon, TracesSixPointsUnderTheLock)
{
    plat::RecordingSurface s;
    DrawRectPolygon(s, {300, 300, 4661, 6716});
    ASSERT_EQ(s.Records().size(), 1u);
    EXPECT_EQ(s.Records()[0].ToString(), "Polygon 300,300 4661,300 4661,6716 300,6716 300,300 4661,300");
    EXPECT_EQ(s.Records()[0].State.LockCount, 1);
    EXPECT_EQ(s.LockCount(), 0);

    // Zero width: a degenerate polygon, a line traced along the left edge.
    s.ClearLog();
    DrawRectPolygon(s, {10, 20, 10, 50});
    EXPECT_EQ(s.Lines(), std::vector<std::string>{"Polygon 10,20 10,20 10,50 10,50 10,20 10,20"});
}

class FailingPolygonSurface : public plat::RecordingSurface {
public:
    void Polygon(std::span<const plat::Point>) override { throw std::runtime_error("device lost"); }
};

TEST(DrawRectPolygon, UnlocksWhenDrawingFails)
{
    FailingPolygonSurface s;
    EXPECT_THROW(DrawRectPolygon(s, {0, 0, 5, 5}), std::runtime_error);
    EXPECT_EQ(s.LockCount(), 0);
}

struct RopCase {
    const char* Name;
    uint32_t CopyMode;
    uint32_t Expected;
};

void PrintTo(const RopCase& c, std::ostream* os) { *os << c.Name; }

class PrintBitmapRop : public testing::TestWithParam<RopCase> {};

TEST_P(PrintBitmapRop, ChoosesTheRasterOperationFromTheCopyMode)
{
    plat::Bitmap bitmap(4, 3, plat::PixelFormat::Bit8);
    plat::RecordingSurface s("TPrinterCanvas");
    s.SetCopyMode(GetParam().CopyMode);
    PrintBitmap(s, {10, 20, 110, 220}, bitmap);
    ASSERT_EQ(s.Records().size(), 1u);
    const plat::SurfaceRecord& r = s.Records()[0];
    EXPECT_EQ(r.Kind, SurfaceCall::StretchDIBits);
    // The whole bitmap, from its origin, into the rectangle, in its own pixel format.
    EXPECT_EQ(r.Ints, (std::vector<int>{10, 20, 110, 220, 0, 0, 4, 3, 4, 3,
                                         static_cast<int>(plat::PixelFormat::Bit8),
                                         static_cast<int>(GetParam().Expected)}));
}

INSTANTIATE_TEST_SUITE_P(Helpers, PrintBitmapRop, testing::Values(
    RopCase{"SrcCopy", plat::SRCCOPY, plat::SRCCOPY},
    RopCase{"SrcAnd", plat::SRCAND, plat::SRCAND},
    RopCase{"Whiteness", plat::WHITENESS, plat::WHITENESS},
    RopCase{"Blackness", plat::BLACKNESS, plat::BLACKNESS},
    RopCase{"NotSrcErase", plat::NOTSRCERASE, plat::NOTSRCERASE},
    RopCase{"ZeroIsNoCode", 0, plat::SRCCOPY},
    RopCase{"DstCopyIsNotAmongTheFifteen", 0x00AA0029, plat::SRCCOPY},
    RopCase{"HighBitsSet", 0xFFCC0020, plat::SRCCOPY}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PrintBitmap, EmptyBitmapLeavesTheSurfaceUntouched)
{
    plat::RecordingSurface s("TPrinterCanvas");
    PrintBitmap(s, {0, 0, 100, 100}, plat::Bitmap());
    PrintBitmap(s, {0, 0, 100, 100}, plat::Bitmap(0, 5));
    EXPECT_TRUE(s.Records().empty());
}

struct UnitsCase {
    const char* Name;
    Extended Value;
    int Expected;
};

void PrintTo(const UnitsCase& c, std::ostream* os) { *os << c.Name; }

class DeviceUnitsCase : public testing::TestWithParam<UnitsCase> {};

TEST_P(DeviceUnitsCase, RoundsToEvenAndStaysInRange)
{
    EXPECT_EQ(DeviceUnits(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Helpers, DeviceUnitsCase, testing::Values(
    UnitsCase{"HalfDown", 1.5L, 2},
    UnitsCase{"HalfUp", 2.5L, 2},
    UnitsCase{"NegativeHalf", -2.5L, -2},
    UnitsCase{"JustAboveHalf", 2.5000001L, 3},
    UnitsCase{"FarRight", 1e15L, MaxDeviceUnits},
    UnitsCase{"FarLeft", -1e15L, -MaxDeviceUnits},
    UnitsCase{"Infinite", std::numeric_limits<Extended>::infinity(), MaxDeviceUnits},
    UnitsCase{"Undefined", std::numeric_limits<Extended>::quiet_NaN(), 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(IsPrinterSurface, ComparesTheClassNameExactly)
{
    EXPECT_TRUE(IsPrinterSurface(plat::RecordingSurface("TPrinterCanvas")));
    EXPECT_FALSE(IsPrinterSurface(plat::RecordingSurface("tprintercanvas")));
    EXPECT_FALSE(IsPrinterSurface(plat::RecordingSurface("TPrinterCanvas2")));
    EXPECT_FALSE(IsPrinterSurface(plat::RecordingSurface()));
}

TEST(GraphicToJpeg, TakesABitmapAndRefusesAMetafile)
{
    plat::Bitmap bitmap(5, 3);
    bitmap.SetPixel(1, 1, plat::clRed);
    const auto jpeg = GraphicToJpeg(bitmap);
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->GetWidth(), 5);
    EXPECT_EQ(jpeg->GetHeight(), 3);

    plat::Metafile metafile(10, 10);
    try {
        GraphicToJpeg(metafile);
        FAIL() << "a metafile is no JPEG source";
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TMetafile à TJPEGImage");
    }
}

// Answers metrics from the font's pixel height and notes the resolution it was asked at.
class ScaledEngine : public plat::FontEngine {
public:
    plat::TextMetric Metrics(const plat::Font& font) override
    {
        SeenPpi.push_back(font.GetPixelsPerInch());
        SeenNames.push_back(font.GetName());
        plat::TextMetric m;
        m.Height = font.GetPixelHeight() * 115 / 100;
        m.Ascent = font.GetPixelHeight();
        m.Descent = m.Height - m.Ascent;
        return m;
    }
    plat::Size Extent(const plat::Font& font, std::string_view text) override
    {
        return {static_cast<int>(text.size()) * font.GetPixelHeight() / 2, Metrics(font).Height};
    }
    std::string ResolvedFamily(const plat::Font& font) override { return font.GetName(); }

    std::vector<int> SeenPpi;
    std::vector<std::string> SeenNames;
};

class FontHeight : public testing::Test {
protected:
    void SetUp() override
    {
        auto engine = std::make_unique<ScaledEngine>();
        Engine = engine.get();
        m_previous = plat::InstallFontEngine(std::move(engine));
    }
    void TearDown() override { plat::InstallFontEngine(std::move(m_previous)); }

    ScaledEngine* Engine = nullptr;

private:
    std::unique_ptr<plat::FontEngine> m_previous;
};

TEST_F(FontHeight, IsMeasuredAt600PpiWhateverTheFontsOwnResolution)
{
    plat::Font screenFont;
    screenFont.SetName("Times New Roman");
    screenFont.SetSize(12);
    plat::Font largeScreenFont(screenFont);
    largeScreenFont.SetPixelsPerInch(144);

    // 12 pt at 600 ppi is 100 pixels; the engine's line is 115 of them.
    EXPECT_EQ(FontHeightInches(screenFont), 115 / 600.0L);
    EXPECT_EQ(FontHeightInches(largeScreenFont), 115 / 600.0L);
    EXPECT_EQ(Engine->SeenPpi, (std::vector<int>{600, 600}));
    EXPECT_EQ(Engine->SeenNames[0], "Times New Roman");
}

} // namespace
