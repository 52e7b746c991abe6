// Header and footer: caption tokens, the height from the largest caption font, where captions and lines
// are drawn, what notifies the owner, and what assignment copies.

#include "PagesFixture.h"

#include "pages/GmCaptionTokens.h"
#include "pages/GmFooter.h"
#include "pages/GmHeader.h"

#include "model/GmMargins.h"
#include "model/units/GmDrawHelpers.h"

#include "platform/core/Exceptions.h"
#include "platform/surface/RecordingSurface.h"

#include <functional>

namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// Text written and lines drawn, in order: "TextOut x,y text", "MoveTo x,y", "LineTo x,y".
Lines Drawn(const plat::RecordingSurface& surface)
{
    Lines lines;
    for (const plat::SurfaceRecord& r : surface.Records()) {
        if (r.Kind == plat::SurfaceCall::TextOut)
            lines.push_back("TextOut " + std::to_string(r.Ints.at(0)) + "," + std::to_string(r.Ints.at(1)) + " " +
                            r.Text);
        else if (r.Kind == plat::SurfaceCall::MoveTo || r.Kind == plat::SurfaceCall::LineTo)
            lines.push_back(r.ToString());
    }
    return lines;
}

} // namespace

// ---------------------------------------------------------------------------------------------------------
// Tokens

struct TokenRow {
    const char* name;
    std::string text;
    std::string dateFormat;
    char separator;
    std::string expected;
    friend void PrintTo(const TokenRow& row, std::ostream* os) { *os << row.name; }
};

class Tokens : public testing::TestWithParam<TokenRow> {};

TEST_P(Tokens, AreReplacedExactlyAndInOrder)
{
    const TokenRow& row = GetParam();
    // A quarter to three in the afternoon, 7 March 2024.
    const std::tm date = At(2024, 3, 7, 9, 5, 1);
    const std::tm time = At(2024, 3, 7, 14, 45, 9);
    EXPECT_EQ(ReplaceTokensAt(row.text, 2, 5, row.dateFormat, "hh/mm", date, time, row.separator), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, Tokens,
    testing::Values(TokenRow{"PageOfPages", "Page {PAGE} / {NUMPAGES}", "dd/mm/yyyy", '/', "Page 2 / 5"},
                    TokenRow{"TheSameTokenTwice", "{PAGE}{PAGE}", "dd/mm/yyyy", '/', "22"},
                    TokenRow{"LowerCaseStaysAsTyped", "{page} {Date}", "dd/mm/yyyy", '/', "{page} {Date}"},
                    TokenRow{"DayMonthYear", "{DATE}", "dd/mm/yyyy", '/', "07/03/2024"},
                    TokenRow{"MinutesAfterTheHourWithTheDateSeparator", "{TIME}", "dd/mm/yyyy", '/', "14/45"},
                    TokenRow{"AnotherSeparatorInDateAndTime", "{DATE} {TIME}", "dd/mm/yyyy", '.', "07.03.2024 14.45"},
                    TokenRow{"ShortPictures", "{DATE}", "d/m/yy", '/', "7/3/24"},
                    TokenRow{"MonthAgainAfterTheDay", "{DATE}", "hh/dd/mm nn:ss", '/', "09/07/03 05:01"},
                    TokenRow{"QuotedText", "{DATE}", "\"le \"d' mars'", '/', "le 7 mars"},
                    TokenRow{"AValueHoldingItsOwnTokenEnds", "{DATE}{DATE}", "'{DATE}'", '/', "{DATE}{DATE}"}),
    [](const testing::TestParamInfo<TokenRow>& info) { return std::string(info.param.name); });

TEST(Captions, TheDateIsTodayInTheCaptionFormat)
{
    auto today = [] {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return FormatCaptionDateTime(CaptionDateFormat, local, DateSeparator());
    };
    const std::string before = today();
    const std::string replaced = ReplaceTokens("{DATE}", 1, 1, CaptionDateFormat, CaptionTimeFormat);
    const std::string after = today();
    EXPECT_TRUE(replaced == before || replaced == after) << replaced;
    EXPECT_EQ(replaced.size(), 10u);
}

// ---------------------------------------------------------------------------------------------------------
// Height

struct HeightRow {
    const char* name;
    int left, center, right; // points
    int largest;             // index of the caption whose font counts
    friend void PrintTo(const HeightRow& row, std::ostream* os) { *os << row.name; }
};

class Heights : public PagesTest, public testing::WithParamInterface<HeightRow> {};

TEST_P(Heights, FollowTheLargestCaptionFontVisibleOrNot)
{
    const HeightRow& row = GetParam();
    TGmHeader header;
    header.CaptionLeft().Font().SetSize(row.left);
    header.CaptionCenter().Font().SetSize(row.center);
    header.CaptionRight().Font().SetSize(row.right);
    EXPECT_EQ(&header.LargestFont(), &header.GetByIndex(row.largest).Font());
    EXPECT_EQ(header.GetHeight(gmInches), FontHeightInches(header.GetByIndex(row.largest).Font()));
}

INSTANTIATE_TEST_SUITE_P(Captions, Heights,
                         testing::Values(HeightRow{"CentreOfTwoEqualLargest", 12, 14, 14, 1},
                                         HeightRow{"AllEqualTakesTheLeft", 12, 12, 12, 0},
                                         HeightRow{"RightLargest", 10, 12, 14, 2},
                                         HeightRow{"LeftKeptOnATie", 14, 12, 14, 0}),
                         [](const testing::TestParamInfo<HeightRow>& info) { return std::string(info.param.name); });

TEST_F(PagesTest, AFixedHeightWinsOverTheFonts)
{
    TGmFooter footer;
    EXPECT_NEAR(footer.GetHeight(gmInches), 115 / 600.0L, 1e-15L); // 12-point cells at 600 per inch
    footer.Height().SetAsInches(0.5L);
    EXPECT_NEAR(footer.GetHeight(gmMillimeters), 12.7L, 1e-12L);
}

// ---------------------------------------------------------------------------------------------------------
// Drawing

struct DrawRow {
    const char* name;
    bool footer;
    bool visible;
    bool showLine;
    int xDpi, yDpi;
    Lines drawn;
    friend void PrintTo(const DrawRow& row, std::ostream* os) { *os << row.name; }
};

class Draws : public PagesTest, public testing::WithParamInterface<DrawRow> {};

// A4 with half-inch margins. The cell engine makes each 12-point character 0.1 in wide and a line 115/600
// in high, so at 600 per inch "Centre" and "Droite" are 360 wide and 115 high.
TEST_P(Draws, PutTheCaptionsAndTheLineAtTheAreaEdges)
{
    const DrawRow& row = GetParam();
    TGmHeader header;
    TGmFooter footer;
    TGmHeaderFooter& hf = row.footer ? static_cast<TGmHeaderFooter&>(footer) : header;
    hf.SetVisible(row.visible);
    hf.SetShowLine(row.showLine);
    hf.CaptionLeft().SetCaption("L");
    hf.CaptionCenter().SetCaption("Centre");
    hf.CaptionRight().SetCaption("Droite");
    TGmMargins margins(nullptr);
    plat::RecordingSurface surface;
    hf.Draw(surface, margins, TGmSize{210 / 25.4L, 297 / 25.4L}, row.xDpi, row.yDpi, 1, 1);
    EXPECT_EQ(Drawn(surface), row.drawn);
    if (!row.visible)
        EXPECT_TRUE(surface.Records().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Captions, Draws,
    testing::Values(
        // Area 300, 300, 4661, 415: the captions stand on its bottom edge, the line runs along it.
        DrawRow{"Header", false, true, true, 600, 600,
                {"TextOut 300,300 L", "TextOut 2300,300 Centre", "TextOut 4301,300 Droite", "MoveTo 300,415",
                 "LineTo 4661,415"}},
        // Area 300, 6601, 4661, 6716: the captions hang from its top edge, the line runs along it.
        DrawRow{"Footer", true, true, true, 600, 600,
                {"TextOut 300,6601 L", "TextOut 2300,6601 Centre", "TextOut 4301,6601 Droite", "MoveTo 300,6601",
                 "LineTo 4661,6601"}},
        DrawRow{"HeaderWithoutLine", false, true, false, 600, 600,
                {"TextOut 300,300 L", "TextOut 2300,300 Centre", "TextOut 4301,300 Droite"}},
        // At 200 across the text is 38 high: the vertical offset uses the horizontal resolution too.
        DrawRow{"HeaderAtUnequalResolutions", false, true, true, 200, 600,
                {"TextOut 100,377 L", "TextOut 767,377 Centre", "TextOut 1434,377 Droite", "MoveTo 100,415",
                 "LineTo 1554,415"}},
        DrawRow{"InvisibleHeader", false, false, true, 600, 600, {}},
        DrawRow{"InvisibleFooter", true, false, true, 600, 600, {}}),
    [](const testing::TestParamInfo<DrawRow>& info) { return std::string(info.param.name); });

TEST_F(PagesTest, ACentredCaptionRoundsTowardZero)
{
    TGmHeader header;
    header.CaptionCenter().SetCaption("A"); // 60 wide at 600
    plat::RecordingSurface surface;
    header.CaptionCenter().Draw(surface, plat::Rect{-10, 0, 5, 200}, 600, 600, TGmHeaderFooterCaption::AlignCenter,
                                1, 1);
    header.CaptionCenter().Draw(surface, plat::Rect{0, 0, 61, 200}, 600, 600, TGmHeaderFooterCaption::AlignCenter,
                                1, 1);
    EXPECT_EQ(Drawn(surface), (Lines{"TextOut -32,85 A", "TextOut 0,85 A"}));
}

TEST_F(PagesTest, ACaptionTakesItsFontAtTheHorizontalResolution)
{
    TGmFooter footer;
    footer.CaptionRight().Font().SetSize(24);
    footer.CaptionRight().Font().SetStyle(plat::fsBold);
    footer.CaptionRight().SetCaption("x");
    plat::RecordingSurface surface;
    footer.CaptionRight().Draw(surface, plat::Rect{0, 0, 1000, 100}, 300, 600, TGmHeaderFooterCaption::AlignRight, 1,
                               1);
    const plat::SurfaceRecord& text = surface.Records().back();
    ASSERT_EQ(text.Kind, plat::SurfaceCall::TextOut);
    EXPECT_EQ(text.State.Font.GetName(), "Arial");
    EXPECT_EQ(text.State.Font.GetPixelsPerInch(), 300);
    EXPECT_EQ(text.State.Font.GetPixelHeight(), 100);
    EXPECT_EQ(text.State.Font.GetStyle(), plat::fsBold);
    EXPECT_EQ(text.Ints.at(0), 1000 - 60); // 24-point cells: 0.2 in at 300
}

// ---------------------------------------------------------------------------------------------------------
// Notifications and assignment

struct ChangeRow {
    const char* name;
    std::function<void(TGmHeader&)> prepare;
    std::function<void(TGmHeader&)> act;
    int changes;
    friend void PrintTo(const ChangeRow& row, std::ostream* os) { *os << row.name; }
};

class Changes : public PagesTest, public testing::WithParamInterface<ChangeRow> {};

TEST_P(Changes, ReachTheOwnerOnlyForRealChanges)
{
    TGmHeader header;
    if (GetParam().prepare)
        GetParam().prepare(header);
    int changes = 0;
    header.OnChange.Set([&](plat::Object* sender) {
        EXPECT_EQ(sender, &header);
        ++changes;
    });
    GetParam().act(header);
    EXPECT_EQ(changes, GetParam().changes);
}

namespace {

void SetAbc(TGmHeader& h) { h.CaptionLeft().SetCaption("abc"); }

plat::Font Courier()
{
    plat::Font f;
    f.SetName("Courier");
    f.SetSize(20);
    return f;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Captions, Changes,
    testing::Values(
        ChangeRow{"NewCaption", {}, SetAbc, 1},
        ChangeRow{"SameCaption", SetAbc, SetAbc, 0},
        ChangeRow{"CaptionInAnotherCase", SetAbc, [](TGmHeader& h) { h.CaptionLeft().SetCaption("ABC"); }, 1},
        ChangeRow{"SetFontCopiesThenTells", {}, [](TGmHeader& h) { h.CaptionCenter().SetFont(Courier()); }, 2},
        ChangeRow{"FontChangedInPlace", {}, [](TGmHeader& h) { h.CaptionRight().Font().SetSize(30); }, 1},
        ChangeRow{"Height", {}, [](TGmHeader& h) { h.Height().SetAsInches(1); }, 1},
        ChangeRow{"SameHeight", {}, [](TGmHeader& h) { h.Height().SetAsInches(0); }, 0},
        ChangeRow{"SameVisible", {}, [](TGmHeader& h) { h.SetVisible(false); }, 0},
        ChangeRow{"NewVisible", {}, [](TGmHeader& h) { h.SetVisible(true); }, 1},
        ChangeRow{"NewShowLine", {}, [](TGmHeader& h) { h.SetShowLine(false); }, 1},
        ChangeRow{"SetPen", {}, [](TGmHeader& h) { h.SetPen(plat::Pen()); }, 0},
        ChangeRow{"PenChangedInPlace", {}, [](TGmHeader& h) { h.Pen().SetWidth(5); }, 0},
        ChangeRow{"SetByIndexCopiesIntoTheOwnCaption", {},
                  [](TGmHeader& h) {
                      TGmFooter other;
                      other.CaptionLeft().SetCaption("autre");
                      h.SetByIndex(1, other.CaptionLeft());
                      EXPECT_EQ(h.CaptionCenter().GetCaption(), "autre");
                  },
                  1},
        ChangeRow{"AssigningAHeaderTellsOncePerCaptionFont", {},
                  [](TGmHeader& h) {
                      TGmHeader other;
                      h.Assign(&other);
                  },
                  3}),
    [](const testing::TestParamInfo<ChangeRow>& info) { return std::string(info.param.name); });

TEST_F(PagesTest, AssigningCopiesTheCaptionsAndNothingElse)
{
    TGmFooter source;
    source.CaptionLeft().SetCaption("gauche");
    source.CaptionCenter().SetFont(Courier());
    source.CaptionRight().SetCaption("{PAGE}");
    source.SetVisible(true);
    source.SetShowLine(false);
    plat::Pen red;
    red.SetColor(0x0000FF);
    source.SetPen(red);
    source.Height().SetAsInches(0.5L);

    TGmHeader target;
    target.Assign(&source);
    EXPECT_EQ(target.CaptionLeft().GetCaption(), "gauche");
    EXPECT_EQ(target.CaptionCenter().Font().GetName(), "Courier");
    EXPECT_EQ(target.CaptionCenter().Font().GetSize(), 20);
    EXPECT_EQ(target.CaptionRight().GetCaption(), "{PAGE}");
    EXPECT_FALSE(target.GetVisible());
    EXPECT_TRUE(target.GetShowLine());
    EXPECT_EQ(target.Pen().GetColor(), plat::clBlack);
    EXPECT_EQ(target.Height().AsInches(), 0);
}

TEST_F(PagesTest, AssigningAnythingElseIsRefused)
{
    TGmHeader header;
    header.CaptionLeft().SetCaption("reste");
    TGmMargins margins(nullptr);
    try {
        header.Assign(&margins);
        FAIL() << "margins were assigned to a header";
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TGmMargins à TGmHeader");
    }
    EXPECT_THROW(header.CaptionLeft().Assign(&header), plat::EConvertError);
    EXPECT_THROW(header.GetByIndex(3), plat::EListError);
    EXPECT_EQ(header.CaptionLeft().GetCaption(), "reste");
}
