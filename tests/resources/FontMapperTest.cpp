#include "resources/GmFontMapper.h"

#include "platform/surface/FontEngine.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

// Widths that vary by character and are not whole multiples of anything: each character is
// (3 + code mod 7) tenths of the pixel height wide, the height itself 1.15 times the pixel height.
class VaryingWidths : public plat::FontEngine {
public:
    static int CharWidth(const plat::Font& font, unsigned char c)
    {
        return font.GetPixelHeight() * (3 + c % 7) / 10 + c % 3;
    }
    plat::TextMetric Metrics(const plat::Font& font) override
    {
        plat::TextMetric m;
        m.Height = font.GetPixelHeight() * 115 / 100;
        m.Ascent = font.GetPixelHeight();
        m.Descent = m.Height - m.Ascent;
        m.AveCharWidth = font.GetPixelHeight() / 2;
        return m;
    }
    plat::Size Extent(const plat::Font& font, std::string_view text) override
    {
        int w = 0;
        for (unsigned char c : text)
            w += CharWidth(font, c);
        return {w, Metrics(font).Height};
    }
    std::string ResolvedFamily(const plat::Font& font) override { return font.GetName(); }
};

class FontMapperFixture : public testing::Test {
protected:
    void SetUp() override { previous = plat::InstallFontEngine(std::make_unique<VaryingWidths>()); }
    void TearDown() override { plat::InstallFontEngine(std::move(previous)); }

    static plat::Font FontAt(int ppi, int points = 12)
    {
        plat::Font f;
        f.SetName("Arial");
        f.SetSize(points);
        f.SetPixelsPerInch(ppi);
        return f;
    }

    std::unique_ptr<plat::FontEngine> previous;
    TGmFontMapper mapper;
};

struct AdvanceCase {
    const char* name;
    std::string text;
    int targetPpi;
    bool screen;
    int points;
};

class AdvanceBound : public FontMapperFixture, public testing::WithParamInterface<AdvanceCase> {};

TEST_P(AdvanceBound, SumWithinOnePixelBelowTheExactWidth)
{
    const AdvanceCase& c = GetParam();
    plat::Font canvasFont = FontAt(c.targetPpi, c.points);
    mapper.PrepareFonts(canvasFont, c.screen);
    mapper.ComputeAdvances(c.text);
    ASSERT_EQ(mapper.Advances().size(), c.text.size());

    plat::Font measuring = FontAt(c.screen ? 96 : TGmFontMapper::ReferencePpi, c.points);
    long double exact = 0;
    for (unsigned char ch : c.text)
        exact += static_cast<long double>(VaryingWidths::CharWidth(measuring, ch)) / measuring.GetPixelsPerInch()
                 * c.targetPpi;
    long sum = std::accumulate(mapper.Advances().begin(), mapper.Advances().end(), 0L);
    EXPECT_LE(sum, exact + 1e-9L);
    EXPECT_GE(sum, exact - 1 - 1e-9L);
    for (int a : mapper.Advances())
        EXPECT_GE(a, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdvanceBound, testing::Values(
    AdvanceCase{"PrinterFromReference", "Page 2 / 5 - Vantric, copie du 14/45", 600, false, 12},
    AdvanceCase{"ScreenFromReference", "Page 2 / 5 - Vantric, copie du 14/45", 96, false, 12},
    AdvanceCase{"PrinterFromScreen", "Mmmmmmmmmmiiiiiiiiii", 300, true, 10},
    AdvanceCase{"SameResolutionIsExact", "abcdefg", 96, true, 11},
    AdvanceCase{"LongLine", std::string(500, 'e') + std::string(500, 'w'), 360, false, 7},
    AdvanceCase{"Empty", "", 600, false, 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FontMapperFixture, MultiByteCharacterAdvancesOnItsFirstByte)
{
    mapper.PrepareFonts(FontAt(600), false);
    mapper.ComputeAdvances("a\xC3\xA9z");
    ASSERT_EQ(mapper.Advances().size(), 4u);
    EXPECT_GT(mapper.Advances()[1], 0);
    EXPECT_EQ(mapper.Advances()[2], 0);
}

TEST_F(FontMapperFixture, OutputTextDrawsWithAdvancesAtTheCanvasResolution)
{
    plat::RecordingSurface canvas;
    plat::Font font = FontAt(72);
    canvas.GetFont().Assign(&font); // Assign keeps the surface font's own resolution
    canvas.GetFont().SetPixelsPerInch(600);
    plat::Rect clip{0, 0, 4000, 300};
    mapper.OutputText(canvas, 10, 20, &clip, "Page 1", false);
    EXPECT_EQ(mapper.MeasuringPpi(), TGmFontMapper::ReferencePpi);
    EXPECT_EQ(mapper.TargetPpi(), 600);
    ASSERT_EQ(canvas.Count(plat::SurfaceCall::TextOut), 1);
    const plat::SurfaceRecord& r = canvas.Records().back();
    std::vector<int> expected{10, 20, 1, 0, 0, 4000, 300};
    expected.insert(expected.end(), mapper.Advances().begin(), mapper.Advances().end());
    EXPECT_EQ(r.Ints, expected);
    EXPECT_EQ(r.Text, "Page 1");

    mapper.OutputText(canvas, 0, 0, nullptr, "", true);
    EXPECT_EQ(canvas.Records().back().Ints, (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mapper.MeasuringPpi(), 96); // later measurements follow the last output
}

TEST_F(FontMapperFixture, MeasuresInInchesWhateverTheCanvasResolution)
{
    plat::Font font = FontAt(96);
    plat::RecordingSurface screen;
    screen.GetFont().Assign(&font);
    plat::RecordingSurface printer;
    printer.GetFont().SetPixelsPerInch(600);
    printer.GetFont().Assign(&font);
    Extended w1, h1, w2, h2;
    mapper.MeasureTextInches(screen, "Vantric", w1, h1);
    mapper.MeasureTextInches(printer, "Vantric", w2, h2);
    EXPECT_EQ(w1, w2);
    EXPECT_EQ(h1, h2);
    plat::Font reference = FontAt(TGmFontMapper::ReferencePpi);
    VaryingWidths engine;
    EXPECT_EQ(w1, static_cast<Extended>(engine.Extent(reference, "Vantric").Width) / TGmFontMapper::ReferencePpi);
    EXPECT_EQ(h1, static_cast<Extended>(engine.Metrics(reference).Height) / TGmFontMapper::ReferencePpi);
    EXPECT_EQ(&FontMapper(), &FontMapper());
}

} // namespace
