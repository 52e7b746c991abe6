// User margins: the stored "MarginValues" text both ways with its faults, the designer's values in a unit,
// clipping and drawing on a surface with and without a printer that answers, and assignment.

#include "model/GmMargins.h"
#include "model/units/GmFuncs.h"

#include "printing/GmPrinter.h"
#include "resources/GmPen.h"

#include "platform/core/Exceptions.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/printer/FakePrinterDevice.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using plat::SurfaceCall;

const char* const StoredText = R"(720,720,720,720,"12632256,1,2,4","12632256,1,2,4")";
const char* const DefaultPenText = "12632256,1,2,4";

std::vector<int> Twips(const TGmMargins& m)
{
    return {m.Left().AsTwips(), m.Top().AsTwips(), m.Right().AsTwips(), m.Bottom().AsTwips()};
}

TEST(MarginValuesText, StoredTextReadsAsTheDesignAndWritesBackUnchanged)
{
    TGmMargins margins(nullptr);
    margins.Left().SetAsInches(2);
    margins.Pen().SetColor(plat::clRed);
    margins.ReadMarginValues(StoredText);
    for (const TGmValue* side : {&margins.Left(), &margins.Top(), &margins.Right(), &margins.Bottom()})
        EXPECT_EQ(side->AsInches(), 0.5L);
    for (const plat::Pen* pen : {&margins.Pen(), &margins.PrinterMarginPen()}) {
        EXPECT_EQ(pen->GetColor(), plat::clSilver);
        EXPECT_EQ(pen->GetWidth(), 1);
        EXPECT_EQ(pen->GetStyle(), plat::PenStyle::Dot);
        EXPECT_EQ(pen->GetMode(), plat::PenMode::Copy);
    }
    EXPECT_EQ(margins.WriteMarginValues(), StoredText);
    // A new margins object already holds the design.
    EXPECT_EQ(TGmMargins(nullptr).WriteMarginValues(), StoredText);
}

struct ReadCase {
    const char* Name;
    std::string Text;
    std::optional<std::string> Error;   // the message raised, if any
    std::vector<int> Twips;             // the four lengths afterwards
    std::string Pen, PrinterPen;        // the pen texts afterwards
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.Name; }

class MarginValuesRead : public testing::TestWithParam<ReadCase> {};

// Starts from the design (720 twips, silver dotted pens): what a text applied before its fault stays.
TEST_P(MarginValuesRead, AppliesItemsInOrderUpToTheFirstFault)
{
    const ReadCase& c = GetParam();
    TGmMargins margins(nullptr);
    int notified = 0;
    margins.OnChange.Set([&](plat::Object* sender) {
        EXPECT_EQ(sender, &margins);
        ++notified;
    });
    if (c.Error) {
        try {
            margins.ReadMarginValues(c.Text);
            ADD_FAILURE() << "no error for " << c.Text;
        } catch (const plat::Exception& e) {
            EXPECT_EQ(e.Message(), *c.Error);
        }
    } else {
        margins.ReadMarginValues(c.Text);
    }
    EXPECT_EQ(Twips(margins), c.Twips);
    EXPECT_EQ(PenToCommaText(margins.Pen()), c.Pen);
    EXPECT_EQ(PenToCommaText(margins.PrinterMarginPen()), c.PrinterPen);
    if (Twips(margins) != std::vector<int>{720, 720, 720, 720}) {
        EXPECT_GT(notified, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Margins, MarginValuesRead, testing::Values(
    ReadCase{"SixItems", R"(1440,720,0,360,"255,3,0,4","0,2,1,14")", std::nullopt,
             {1440, 720, 0, 360}, "255,3,0,4", "0,2,1,14"},
    ReadCase{"FourItemsLeaveThePens", "1440,720,0,360", std::nullopt,
             {1440, 720, 0, 360}, DefaultPenText, DefaultPenText},
    ReadCase{"ExtraItemsAreIgnored", R"(1,2,3,4,"255,3,0,4","0,2,1,14",junk)", std::nullopt,
             {1, 2, 3, 4}, "255,3,0,4", "0,2,1,14"},
    ReadCase{"BlanksAroundItems", " 10 , 20 ,\t30,40 ", std::nullopt,
             {10, 20, 30, 40}, DefaultPenText, DefaultPenText},
    ReadCase{"NotAnInteger", "1440,7x,0,360", "'7x' n'est pas une valeur entière correcte",
             {1440, 720, 720, 720}, DefaultPenText, DefaultPenText},
    ReadCase{"Empty", "", "Indice de liste hors limites (0)",
             {720, 720, 720, 720}, DefaultPenText, DefaultPenText},
    ReadCase{"TwoItems", "100,200", "Indice de liste hors limites (2)",
             {100, 200, 720, 720}, DefaultPenText, DefaultPenText},
    ReadCase{"FiveItems", R"(1,2,3,4,"255,3,0,4")", "Indice de liste hors limites (5)",
             {1, 2, 3, 4}, "255,3,0,4", DefaultPenText},
    ReadCase{"ShortPenText", R"(1,2,3,4,"255,3","0,2,1,14")", "Indice de liste hors limites (2)",
             {1, 2, 3, 4}, "255,3,2,4", DefaultPenText},
    ReadCase{"BadPrinterPen", R"(1,2,3,4,"255,3,0,4","0,2,dot,14")", "'dot' n'est pas une valeur entière correcte",
             {1, 2, 3, 4}, "255,3,0,4", "0,2,2,4"},
    ReadCase{"TrailingCommaAddsAnEmptyPenText", "1,2,3,4,", "Indice de liste hors limites (0)",
             {1, 2, 3, 4}, DefaultPenText, DefaultPenText}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TwipsCase {
    const char* Name;
    TGmMeasurement Unit;
    Extended Value;
    int Written;
};

void PrintTo(const TwipsCase& c, std::ostream* os) { *os << c.Name; }

class MarginValuesTwips : public testing::TestWithParam<TwipsCase> {};

TEST_P(MarginValuesTwips, LengthsAreWrittenRoundedToTheNearestTwip)
{
    TGmMargins margins(nullptr);
    margins.Left().SetValue(GetParam().Unit, GetParam().Value);
    EXPECT_EQ(margins.WriteMarginValues(),
              std::to_string(GetParam().Written) + R"(,720,720,720,"12632256,1,2,4","12632256,1,2,4")");
}

INSTANTIATE_TEST_SUITE_P(Margins, MarginValuesTwips, testing::Values(
    TwipsCase{"PointThreeInch", gmInches, 0.3L, 432},
    TwipsCase{"OneThirdInch", gmInches, 1 / 3.0L, 480},
    TwipsCase{"TenMillimetres", gmMillimeters, 10, 567},
    TwipsCase{"HalfTwipGoesToEven", gmTwips, 0.5L, 0},
    TwipsCase{"TwoAndAHalfTwipsGoToEven", gmTwips, 2.5L, 2},
    TwipsCase{"ThreeAndAHalfTwipsGoToEven", gmTwips, 3.5L, 4}),
    [](const auto& info) { return std::string(info.param.Name); });

struct UnitCase {
    const char* Name;
    TGmMeasurement Unit;
    float HalfInch;
};

void PrintTo(const UnitCase& c, std::ostream* os) { *os << c.Name; }

class MarginValuesUnit : public testing::TestWithParam<UnitCase> {};

TEST_P(MarginValuesUnit, HalfInchReadsInTheChosenUnit)
{
    TGmMargins margins(nullptr);
    int notified = 0;
    margins.OnChange.Set([&](plat::Object*) { ++notified; });
    margins.Values().SetValueMeasurement(GetParam().Unit);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(margins.Values().GetLeft(), GetParam().HalfInch);
    EXPECT_EQ(margins.Values().GetBottom(), GetParam().HalfInch);
    EXPECT_EQ(margins.Left().AsInches(), 0.5L); // choosing a unit converts nothing
}

INSTANTIATE_TEST_SUITE_P(Margins, MarginValuesUnit, testing::Values(
    UnitCase{"Inches", gmInches, 0.5f},
    UnitCase{"Millimeters", gmMillimeters, 12.7f},
    UnitCase{"Centimeters", gmCentimeters, 1.27f},
    UnitCase{"Units", gmUnits, 1270.0f},
    UnitCase{"Pixels", gmPixels, 48.0f},
    UnitCase{"Twips", gmTwips, 720.0f}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MarginValues, WritesInTheChosenUnitAndNotifiesRealChanges)
{
    TGmMargins margins(nullptr);
    int notified = 0;
    margins.OnChange.Set([&](plat::Object*) { ++notified; });
    margins.Values().SetValueMeasurement(gmTwips);
    margins.Values().SetTop(1440);
    EXPECT_EQ(margins.Top().AsInches(), 1.0L);
    EXPECT_EQ(notified, 1);
    margins.Values().SetTop(1440);
    EXPECT_EQ(notified, 1);
    EXPECT_THROW(margins.Values().SetValue(4, 1), plat::EListError);
    EXPECT_THROW(margins.Values().GetValue(-1), plat::EListError);
}

TEST(Margins, SettersNotifyOnlyForChanges)
{
    TGmMargins margins(nullptr);
    int notified = 0;
    margins.OnChange.Set([&](plat::Object*) { ++notified; });
    margins.SetVisible(false);
    margins.SetClipMargins(false);
    margins.SetShowPrinterMargins(false);
    EXPECT_EQ(notified, 0);
    margins.SetVisible(true);
    margins.SetClipMargins(true);
    margins.SetShowPrinterMargins(true);
    EXPECT_EQ(notified, 3);

    // Setting a pen copies it (the copy notifies) and then notifies again; the owned pen stays.
    plat::Pen red;
    red.SetColor(plat::clRed);
    const plat::Pen* owned = &margins.Pen();
    margins.SetPen(red);
    EXPECT_EQ(notified, 5);
    EXPECT_EQ(&margins.Pen(), owned);
    EXPECT_EQ(margins.Pen().GetColor(), plat::clRed);
    margins.PrinterMarginPen().SetWidth(3);
    EXPECT_EQ(notified, 6);
    margins.Right().SetAsTwips(100);
    EXPECT_EQ(notified, 7);
}

TEST(Margins, AssignCopiesAllButClipMargins)
{
    TGmMargins source(nullptr);
    source.ReadMarginValues(R"(1440,720,0,360,"255,3,0,4","0,2,1,14")");
    source.SetVisible(true);
    source.SetShowPrinterMargins(true);
    source.SetClipMargins(true);

    TGmMargins target(nullptr);
    int notified = 0;
    target.OnChange.Set([&](plat::Object*) { ++notified; });
    target.Assign(&source);
    EXPECT_EQ(target.WriteMarginValues(), source.WriteMarginValues());
    EXPECT_TRUE(target.GetVisible());
    EXPECT_TRUE(target.GetShowPrinterMargins());
    EXPECT_FALSE(target.GetClipMargins());
    // Four lengths, two pens, and once more at the end.
    EXPECT_EQ(notified, 7);

    TGmValue length;
    try {
        target.Assign(&length);
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TGmValue à TGmMargins");
    }
    EXPECT_EQ(notified, 7);
}

TGmSize A4Inches() { return ConvertGmSize(MakeGmSize(210, 297), gmMillimeters, gmInches); }

TEST(Margins, ClipToMarginsClipsAnA4PageAt600)
{
    TGmMargins margins(nullptr);
    plat::RecordingSurface s;
    margins.ClipToMargins(A4Inches(), gmPortrait, 600, s);
    EXPECT_TRUE(s.Records().empty()) << "ClipMargins is off";

    margins.SetClipMargins(true);
    margins.ClipToMargins(A4Inches(), gmLandscape, 600, s);
    EXPECT_EQ(s.Lines(), (std::vector<std::string>{
                             "BeginPath", "Polygon 300,300 4661,300 4661,6716 300,6716 300,300 4661,300",
                             "EndPath", "SelectClipPath"}));
    EXPECT_EQ(s.ClipBounds(), (plat::Rect{300, 300, 4661, 6716}));
    EXPECT_TRUE(s.DrawingLines().empty()) << "the polygon only shapes the path";
}

TEST(Margins, ClipToMarginsLeavesASurfaceWithoutPathsUnclipped)
{
    TGmMargins margins(nullptr);
    margins.SetClipMargins(true);
    plat::RecordingSurface s;
    s.SetBeginPathFails(true);
    margins.ClipToMargins(A4Inches(), gmPortrait, 600, s);
    EXPECT_EQ(s.Lines(), std::vector<std::string>{"BeginPath"});
    EXPECT_FALSE(s.ClipBounds());
}

// A printer on 8 x 11 in paper at 300 ppi with margins left 1/3 in, top 0.2 in, bottom 0.8 in (the right
// margin is taken equal to the left).
plat::FakePrinter LetterishPrinter(bool reachable)
{
    plat::FakePrinter p;
    p.IsDefault = true;
    p.Portrait = plat::DeviceMetrics{2400, 3300, 2200, 3000, 100, 60, 300, 300};
    p.Reachable = reachable;
    return p;
}

class DrawMargins : public testing::Test {
protected:
    void TearDown() override
    {
        if (m_installed)
            plat::InstallPrinter(std::move(m_previous));
    }

    // Installs the device before the printer settings are made, as the program does at start.
    TGmPrinter& Printer(std::vector<plat::FakePrinter> printers)
    {
        auto device = std::make_unique<plat::FakePrinterDevice>(std::move(printers));
        Fake = device.get();
        m_previous = plat::InstallPrinter(std::move(device));
        m_installed = true;
        m_printer = std::make_unique<TGmPrinter>();
        return *m_printer;
    }

    std::vector<std::string> Draw(TGmMargins& margins, TGmOrientation orientation)
    {
        Surface.ClearLog();
        margins.DrawMargins(A4Inches(), orientation, 600, Surface);
        return Surface.Lines();
    }

    plat::FakePrinterDevice* Fake = nullptr;
    plat::RecordingSurface Surface;

private:
    std::unique_ptr<plat::PrinterDevice> m_previous;
    bool m_installed = false;
    std::unique_ptr<TGmPrinter> m_printer;
};

const std::string UserRect = "Rectangle 300,300,4661,6716";

TEST_F(DrawMargins, InvisibleMarginsDrawNothingAndAskNothing)
{
    TGmMargins margins(&Printer({LetterishPrinter(true)}));
    margins.SetShowPrinterMargins(true);
    const int checks = Fake->ReachabilityChecks();
    EXPECT_TRUE(Draw(margins, gmPortrait).empty());
    EXPECT_EQ(Fake->ReachabilityChecks(), checks);
}

TEST_F(DrawMargins, UserMarginsWithThePenAndAClearBrush)
{
    TGmMargins margins(&Printer({LetterishPrinter(true)}));
    margins.SetVisible(true);
    const int checks = Fake->ReachabilityChecks();
    EXPECT_EQ(Draw(margins, gmPortrait), std::vector<std::string>{UserRect});
    const plat::SurfaceSnapshot& state = Surface.Records()[0].State;
    EXPECT_EQ(state.Brush.GetStyle(), plat::BrushStyle::Clear);
    EXPECT_EQ(PenToCommaText(state.Pen), DefaultPenText);
    EXPECT_EQ(Fake->ReachabilityChecks(), checks) << "printer margins are off: the printer is not asked";
}

TEST_F(DrawMargins, PrinterMarginsFollowThePrintersPaperAndTheOrientation)
{
    TGmMargins margins(&Printer({LetterishPrinter(true)}));
    margins.SetVisible(true);
    margins.SetShowPrinterMargins(true);
    margins.PrinterMarginPen().SetColor(plat::clRed);
    EXPECT_EQ(Draw(margins, gmPortrait), (std::vector<std::string>{UserRect, "Rectangle 200,120,4600,6120"}));
    const plat::SurfaceSnapshot& state = Surface.Records()[1].State;
    EXPECT_EQ(state.Pen.GetColor(), plat::clRed);
    EXPECT_EQ(state.Brush.GetStyle(), plat::BrushStyle::Clear);
    // Landscape: the margins turn (top, right, bottom, left) and the paper's sides swap.
    EXPECT_EQ(Draw(margins, gmLandscape), (std::vector<std::string>{UserRect, "Rectangle 120,200,6120,4600"}));
}

TEST_F(DrawMargins, OnlyUserMarginsWhenThePrinterDoesNotAnswer)
{
    TGmMargins margins(&Printer({LetterishPrinter(false)}));
    margins.SetVisible(true);
    margins.SetShowPrinterMargins(true);
    EXPECT_EQ(Draw(margins, gmPortrait), std::vector<std::string>{UserRect});
}

TEST_F(DrawMargins, OnlyUserMarginsWithoutAnyPrinter)
{
    TGmMargins margins(&Printer({}));
    margins.SetVisible(true);
    margins.SetShowPrinterMargins(true);
    EXPECT_EQ(Draw(margins, gmPortrait), std::vector<std::string>{UserRect});
}

} // namespace
