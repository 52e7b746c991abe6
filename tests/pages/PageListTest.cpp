// The page list: hooks and their order in the update bracket, the paper table, where objects land for each
// origin, the hit test, the stacking order, the header and footer areas, and the page's drawing order.

#include "PagesFixture.h"

#include "pages/GmFooter.h"
#include "pages/GmHeader.h"

#include "model/GmCanvas.h"
#include "model/GmGraphicObject.h"
#include "model/GmMargins.h"
#include "model/units/GmDrawHelpers.h"
#include "model/units/GmFuncs.h"
#include "model/units/GmValueRect.h"
#include "resources/GmResourceTable.h"

#include "platform/core/Exceptions.h"
#include "platform/surface/RecordingSurface.h"

#include <functional>
#include <map>

namespace {

constexpr Extended Tolerance = 1e-12L;

Extended Mm(Extended inches) { return ConvertValue(gmInches, gmMillimeters, inches); }

} // namespace

// ---------------------------------------------------------------------------------------------------------
// The update bracket and the hooks

struct BracketRow {
    const char* name;
    int pages;
    std::function<void(TGmPageList&, Lines&)> act;
    Lines hooks;
    std::function<void(TGmPageList&)> check;
    friend void PrintTo(const BracketRow& row, std::ostream* os) { *os << row.name; }
};

class Brackets : public PagesTest, public testing::WithParamInterface<BracketRow> {};

TEST_P(Brackets, RaiseTheirHooksInOrder)
{
    TGmPageList& list = MakeDocument(GetParam().pages);
    Watch(list);
    GetParam().act(list, Hooks);
    EXPECT_EQ(Hooks, GetParam().hooks);
    if (GetParam().check)
        GetParam().check(list);
}

INSTANTIATE_TEST_SUITE_P(
    PageList, Brackets,
    testing::Values(
        BracketRow{"NestedBeginUpdateRaisesOnlyAtTheOutermostEnd", 1,
                   [](TGmPageList& l, Lines& log) {
                       l.BeginUpdate();
                       l.BeginUpdate();
                       l.EndUpdate();
                       log.push_back("|");
                       l.EndUpdate();
                       log.push_back("|");
                       l.EndUpdate();
                   },
                   {"|", "Pages", "Content", "|"},
                   [](TGmPageList& l) { EXPECT_EQ(l.UpdateCount(), 0); }},
        BracketRow{"EndUpdateAtDepthZeroRaisesNothing", 1, [](TGmPageList& l, Lines&) { l.EndUpdate(); }, {}, {}},
        BracketRow{"OrientationOfThreePagesRaisesContentOnceThenOrientation", 3,
                   [](TGmPageList& l, Lines&) { l.SetOrientation(gmLandscape); },
                   {"Pages", "Content", "Orientation"},
                   [](TGmPageList& l) {
                       for (int n = 1; n <= 3; ++n)
                           EXPECT_GT(l.GetPage(n).Width(), l.GetPage(n).Height()) << "page " << n;
                       EXPECT_GT(l.PaperWidth(), l.PaperHeight());
                   }},
        BracketRow{"NewPageAtPositionZeroMakesTheFormerSecondPageCurrent", 2,
                   [](TGmPageList& l, Lines&) {
                       TGmPage* second = &l.GetPage(2);
                       TGmPage& added = l.NewPage(0);
                       EXPECT_EQ(&l.GetPage(1), &added);
                       EXPECT_EQ(&l.GetPage(3), second);
                   },
                   {"Pages", "Content", "CurrentPage", "PageAdded"},
                   [](TGmPageList& l) { EXPECT_EQ(l.CurrentPage(), 3); }},
        BracketRow{"NewPageInsideABracketDropsTheGuardedHooks", 1,
                   [](TGmPageList& l, Lines& log) {
                       l.BeginUpdate();
                       l.NewPage();
                       log.push_back("|");
                       l.EndUpdate();
                   },
                   {"CurrentPage", "PageAdded", "|", "Pages", "Content"}, {}},
        BracketRow{"CustomPaperSizeKeepsThePreviousPaper", 2,
                   [](TGmPageList& l, Lines& log) {
                       l.SetPaperSize(Letter);
                       log.push_back("|");
                       l.SetPaperSize(Custom);
                       log.push_back("|");
                       l.NewPage();
                   },
                   {"Pages", "Content", "PaperSize", "|", "Pages", "Content", "PaperSize", "|", "Pages", "Content",
                    "CurrentPage", "PageAdded"},
                   [](TGmPageList& l) {
                       for (int n = 1; n <= 3; ++n) {
                           EXPECT_NEAR(l.GetPage(n).Width(), 8.5L, Tolerance) << "page " << n;
                           EXPECT_NEAR(l.GetPage(n).Height(), 11.0L, Tolerance) << "page " << n;
                       }
                   }},
        BracketRow{"TheSamePaperSizeRaisesNothing", 1, [](TGmPageList& l, Lines&) { l.SetPaperSize(A4); }, {}, {}},
        BracketRow{"CurrentPageOutsideTheListOrUnchangedRaisesNothing", 3,
                   [](TGmPageList& l, Lines& log) {
                       l.SetCurrentPage(0);
                       l.SetCurrentPage(4);
                       l.SetCurrentPage(3);
                       log.push_back("|");
                       l.SetCurrentPage(1);
                   },
                   {"|", "CurrentPage"}, [](TGmPageList& l) { EXPECT_EQ(l.CurrentPage(), 1); }},
        BracketRow{"ClearPagesStartsAFreshCurrentPageOne", 3,
                   [](TGmPageList& l, Lines&) { l.ClearPages(false, true); },
                   {"Pages", "Content", "PageAdded", "Cleared"},
                   [](TGmPageList& l) {
                       EXPECT_EQ(l.PageCount(), 1);
                       EXPECT_EQ(l.CurrentPage(), 1);
                   }},
        BracketRow{"ClearPagesWithoutANewPageLeavesTheListEmpty", 3,
                   [](TGmPageList& l, Lines&) { l.ClearPages(true, false); }, {"Cleared"},
                   [](TGmPageList& l) {
                       EXPECT_EQ(l.PageCount(), 0);
                       EXPECT_EQ(l.CurrentPage(), 3);
                   }},
        BracketRow{"GuardedHooksAreDroppedNotQueued", 1,
                   [](TGmPageList& l, Lines& log) {
                       l.BeginUpdate();
                       l.Header().SetVisible(true);
                       l.Margins().Left().SetAsInches(1);
                       l.GetPage(1).SetSize(5, 7);
                       l.EndUpdate();
                       log.push_back("|");
                       l.Footer().CaptionLeft().SetCaption("pied");
                       l.Margins().Left().SetAsInches(2);
                       l.GetPage(1).SetOrientation(gmLandscape);
                   },
                   {"Pages", "Content", "|", "HeaderFooter", "Margins", "Content"}, {}},
        BracketRow{"TheHeaderPenNeverNotifies", 1,
                   [](TGmPageList& l, Lines&) {
                       plat::Pen red;
                       red.SetColor(0x0000FF);
                       l.Header().SetPen(red);
                       l.Header().Pen().SetWidth(3);
                   },
                   {}, [](TGmPageList& l) { EXPECT_EQ(l.Header().Pen().GetColor(), 0x0000FF); }}),
    [](const testing::TestParamInfo<BracketRow>& info) { return std::string(info.param.name); });

TEST_F(PagesTest, PageNumbersOutsideTheListAreIndexErrors)
{
    TGmPageList& list = MakeDocument(2);
    try {
        list.GetPage(0);
        FAIL() << "page 0 was answered";
    } catch (const plat::EListError& e) {
        EXPECT_EQ(e.Message(), "Indice de liste hors limites (-1)");
    }
    EXPECT_THROW(list.GetPage(3), plat::EListError);
    Watch(list);
    EXPECT_THROW(list.NewPage(3), plat::EListError);
    EXPECT_EQ(list.PageCount(), 2);
    EXPECT_TRUE(Hooks.empty());
}

TEST_F(PagesTest, TheMemoRequestOfTheResourceTableReachesThePageListHook)
{
    TGmPageList& list = MakeDocument();
    plat::Object* sender = nullptr;
    list.OnRichEditNeeded.Set([&](plat::Object* s, std::unique_ptr<TGmMemo>& memo) {
        sender = s;
        memo = std::make_unique<TGmMemo>(false);
    });
    std::unique_ptr<TGmMemo> memo = list.ResourceTable().Memos().NewMemo();
    EXPECT_EQ(sender, &list);
    ASSERT_TRUE(memo);
    EXPECT_FALSE(memo->RichEdit);
}

TEST_F(PagesTest, WithoutACurrentPageObjectsAndAreasAreIndexErrors)
{
    TGmPageList& list = MakeDocument(0);
    EXPECT_EQ(list.CurrentPage(), 0);
    EXPECT_EQ(list.PaperWidth(), 0);
    EXPECT_THROW(list.Canvas().Draw(Picture(96, 96), gmInches, 0, 0, 1), plat::EListError);
    EXPECT_THROW(list.HeaderRect(), plat::EListError);
    EXPECT_THROW(list.FooterRect(), plat::EListError);
}

// ---------------------------------------------------------------------------------------------------------
// Paper

struct PaperRow {
    const char* name;
    TGmPaperSize size;
    TGmOrientation orientation;
    TGmMeasurement unit;
    Extended width, height;
    friend void PrintTo(const PaperRow& row, std::ostream* os) { *os << row.name; }
};

class Papers : public PagesTest, public testing::WithParamInterface<PaperRow> {};

TEST_P(Papers, GiveEveryPageTheTableSizeInTheDocumentOrientation)
{
    const PaperRow& row = GetParam();
    TGmPageList& list = MakeDocument();
    list.SetOrientation(row.orientation);
    list.SetPaperSize(row.size);
    list.NewPage();
    for (int n = 1; n <= 2; ++n) {
        const TGmSize size = list.GetPage(n).GetSize(row.unit);
        EXPECT_NEAR(size.Width, row.width, 1e-9L) << "page " << n;
        EXPECT_NEAR(size.Height, row.height, 1e-9L) << "page " << n;
    }
    EXPECT_NEAR(ConvertValue(gmInches, row.unit, list.PaperWidth()), row.width, 1e-9L);
}

INSTANTIATE_TEST_SUITE_P(
    PageList, Papers,
    testing::Values(PaperRow{"A4Portrait", A4, gmPortrait, gmMillimeters, 210, 297},
                    PaperRow{"A4PortraitInInches", A4, gmPortrait, gmInches, 210 / 25.4L, 297 / 25.4L},
                    PaperRow{"A4Landscape", A4, gmLandscape, gmMillimeters, 297, 210},
                    PaperRow{"A3", A3, gmPortrait, gmMillimeters, 297, 420},
                    PaperRow{"A5IsTheTableHalfMillimetreWider", A5, gmPortrait, gmMillimeters, 148.5L, 210},
                    PaperRow{"B4IsTheTable354High", B4, gmPortrait, gmMillimeters, 250, 354},
                    PaperRow{"Letter", Letter, gmPortrait, gmInches, 8.5L, 11},
                    PaperRow{"Envelope12PortraitIsWide", Envelope_12, gmPortrait, gmInches, 12.44L, 11},
                    PaperRow{"Envelope12Landscape", Envelope_12, gmLandscape, gmInches, 11, 12.44L},
                    PaperRow{"LedgerPortraitIsWide", Ledger, gmPortrait, gmInches, 17, 11},
                    PaperRow{"Executive", Executive, gmPortrait, gmInches, 7.14L, 10.12L}),
    [](const testing::TestParamInfo<PaperRow>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------------
// Where added objects land

struct OriginRow {
    const char* name;
    TGmCoordsRelative coords;
    TGmOrientation orientation;
    Extended headerHeight; // inches; 0: the caption font's height
    Extended dx, dy;       // inches
    friend void PrintTo(const OriginRow& row, std::ostream* os) { *os << row.name; }
};

class Origins : public PagesTest, public testing::WithParamInterface<OriginRow> {};

TEST_P(Origins, MoveTheObjectOnceBeforeItJoinsThePage)
{
    const OriginRow& row = GetParam();
    InstallPrinterWithMargins(75, 60); // 0.25 in, 0.2 in at 300
    TGmPageList& list = MakeDocument();
    list.SetOrientation(row.orientation);
    list.Margins().Left().SetAsInches(0.75L);
    list.Margins().Top().SetAsInches(0.5L);
    list.Header().Height().SetAsInches(row.headerHeight);
    list.Canvas().SetCoordsRelativeTo(row.coords);

    TGmGraphicObject* object = list.Canvas().StretchDraw(Picture(96, 96), gmInches, 1, 1, 2, 3);

    ASSERT_EQ(list.GetPage(1).Objects().Count(), 1);
    EXPECT_EQ(list.GetPage(1).Objects().Items(0), object);
    EXPECT_NEAR(object->Rect().Left, 1 + row.dx, Tolerance);
    EXPECT_NEAR(object->Rect().Top, 1 + row.dy, Tolerance);
    EXPECT_NEAR(object->Rect().Right, 2 + row.dx, Tolerance);
    EXPECT_NEAR(object->Rect().Bottom, 3 + row.dy, Tolerance);
}

// The cell font engine makes 12-point text 115 pixels high at 600 per inch.
INSTANTIATE_TEST_SUITE_P(
    PageList, Origins,
    testing::Values(OriginRow{"FromPage", gmFromPage, gmPortrait, 0.5L, 0, 0},
                    OriginRow{"FromPrinterMargins", gmFromPrinterMargins, gmPortrait, 0.5L, 0.25L, 0.2L},
                    OriginRow{"FromPrinterMarginsTurnedForLandscape", gmFromPrinterMargins, gmLandscape, 0.5L, 0.2L,
                              0.25L},
                    OriginRow{"FromUserMargins", gmFromUserMargins, gmPortrait, 0.5L, 0.75L, 0.5L},
                    OriginRow{"FromHeaderLineOneInchLower", gmFromHeaderLine, gmPortrait, 0.5L, 0.75L, 1.0L},
                    OriginRow{"FromHeaderLineOfTheInvisibleCaptionFont", gmFromHeaderLine, gmPortrait, 0, 0.75L,
                              0.5L + 115 / 600.0L}),
    [](const testing::TestParamInfo<OriginRow>& info) { return std::string(info.param.name); });

TEST_F(PagesTest, ObjectsGoToTheCurrentPageAndTellIt)
{
    TGmPageList& list = MakeDocument(3);
    list.SetCurrentPage(2);
    Watch(list);
    list.Canvas().Draw(Picture(96, 96), gmInches, 0, 0, 1);
    EXPECT_EQ(list.GetPage(1).Objects().Count(), 0);
    EXPECT_EQ(list.GetPage(2).Objects().Count(), 1);
    EXPECT_EQ(list.GetPage(3).Objects().Count(), 0);
    ASSERT_FALSE(Hooks.empty());
    for (const std::string& hook : Hooks)
        EXPECT_EQ(hook, "Content");
}

// ---------------------------------------------------------------------------------------------------------
// Hit test and stacking order

TEST_F(PagesTest, ObjectAtPointAnswersTheTopmostObjectUnderThePoint)
{
    TGmPageList& list = MakeDocument();
    TGmGraphicObject* lower = list.Canvas().StretchDraw(Picture(96, 96, 1), gmInches, 1, 1, 3, 3);
    TGmGraphicObject* upper = list.Canvas().StretchDraw(Picture(96, 96, 2), gmInches, 2, 2, 4, 4);
    const TGmPage& page = list.GetPage(1);

    struct Probe {
        const char* name;
        Extended x, y; // inches
        TGmVisibleObject* expected;
    };
    const Probe probes[] = {
        {"overlap", 2.5L, 2.5L, upper},
        {"lower only", 1.5L, 1.5L, lower},
        {"left and top edges are inside", 1, 1, lower},
        {"right edge is outside", 4, 3.5L, nullptr},
        {"bottom edge of the upper is outside, the lower's inside", 2.5L, 4, nullptr},
        {"outside all", 5, 5, nullptr},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(page.ObjectAtPoint(gmInches, p.x, p.y), p.expected) << p.name;
    // The point is taken in the unit given: 63.5 mm is 2.5 in.
    EXPECT_EQ(page.ObjectAtPoint(gmMillimeters, 63.5L, 63.5L), upper);
}

struct ReorderRow {
    const char* name;
    int object; // 0 bottom .. 2 top
    int kind;
    std::string order;
    friend void PrintTo(const ReorderRow& row, std::ostream* os) { *os << row.name; }
};

class Reorders : public PagesTest, public testing::WithParamInterface<ReorderRow> {
protected:
    std::string Order(const TGmPage& page) const
    {
        std::string order;
        for (int i = 0; i < page.Objects().Count(); ++i)
            order += m_names.at(page.Objects().Items(i));
        return order;
    }
    void Name(const TGmBaseObject* object, char name) { m_names[object] = name; }

private:
    std::map<const TGmBaseObject*, char> m_names;
};

TEST_P(Reorders, MoveTheObjectInItsPageAndAlwaysTellThePage)
{
    TGmPageList& list = MakeDocument();
    TGmGraphicObject* objects[3];
    for (int i = 0; i < 3; ++i) {
        objects[i] = list.Canvas().Draw(Picture(96, 96, i + 1), gmInches, i, i, 1);
        Name(objects[i], static_cast<char>('A' + i));
    }
    Watch(list);
    objects[GetParam().object]->Reorder(GetParam().kind); // the handler the page list installed
    EXPECT_EQ(Order(list.GetPage(1)), GetParam().order);
    EXPECT_EQ(Hooks, Lines{"Content"});
}

INSTANTIATE_TEST_SUITE_P(PageList, Reorders,
                         testing::Values(ReorderRow{"BottomToTop", 0, 0, "BCA"},
                                         ReorderRow{"TopOnePlaceUpStays", 2, 1, "ABC"},
                                         ReorderRow{"MiddleOnePlaceUp", 1, 1, "ACB"},
                                         ReorderRow{"BottomOnePlaceDownStays", 0, 2, "ABC"},
                                         ReorderRow{"TopOnePlaceDown", 2, 2, "ACB"},
                                         ReorderRow{"TopToBottom", 2, 3, "CAB"}),
                         [](const testing::TestParamInfo<ReorderRow>& info) { return std::string(info.param.name); });

TEST_F(PagesTest, ReorderLeavesObjectsOfOtherPagesAndUnknownKindsAlone)
{
    TGmPageList& list = MakeDocument();
    TGmGraphicObject* first = list.Canvas().Draw(Picture(96, 96, 1), gmInches, 0, 0, 1);
    list.Canvas().Draw(Picture(96, 96, 2), gmInches, 1, 1, 1);
    list.NewPage(); // page 2 is current now
    Watch(list);
    first->Reorder(0);
    EXPECT_TRUE(Hooks.empty());
    list.SetCurrentPage(1);
    Hooks.clear();
    first->Reorder(7);
    EXPECT_EQ(list.GetPage(1).Objects().Items(0), first);
    EXPECT_EQ(list.GetPage(1).Objects().Count(), 2);
    EXPECT_TRUE(Hooks.empty());
}

// ---------------------------------------------------------------------------------------------------------
// Header and footer areas, and the page's drawing

TEST_F(PagesTest, HeaderAndFooterAreasLieInsideTheMarginsOfTheCurrentPage)
{
    TGmPageList& list = MakeDocument();
    list.Header().Height().SetAsInches(0.5L);
    list.Footer().Height().SetAsInches(0.25L);
    const Extended w = 210 / 25.4L, h = 297 / 25.4L;

    TGmValueRect& header = list.HeaderRect();
    EXPECT_NEAR(header.TopLeft().X().AsInches(), 0.5L, Tolerance);
    EXPECT_NEAR(header.TopLeft().Y().AsInches(), 0.5L, Tolerance);
    EXPECT_NEAR(header.BottomRight().X().AsInches(), w - 0.5L, Tolerance);
    EXPECT_NEAR(header.BottomRight().Y().AsInches(), 1.0L, Tolerance);

    TGmValueRect& footer = list.FooterRect();
    EXPECT_EQ(&footer, &header); // one shared answer
    EXPECT_NEAR(footer.TopLeft().X().AsInches(), 0.5L, Tolerance);
    EXPECT_NEAR(footer.TopLeft().Y().AsInches(), h - 0.75L, Tolerance);
    EXPECT_NEAR(footer.BottomRight().X().AsInches(), w - 0.5L, Tolerance);
    EXPECT_NEAR(footer.BottomRight().Y().AsInches(), h - 0.5L, Tolerance);
}

TEST_F(PagesTest, APageDrawsItsObjectsThenTheHeaderThenTheFooterWithItsNumber)
{
    TGmPageList& list = MakeDocument(3);
    list.SetCurrentPage(2);
    list.Canvas().Draw(Picture(96, 96), gmInches, 1, 2, 1);
    list.Header().SetVisible(true);
    list.Header().CaptionLeft().SetCaption("{PAGE}/{NUMPAGES}");
    list.Footer().SetVisible(true);
    list.Footer().SetShowLine(false);
    list.Footer().CaptionLeft().SetCaption("pied");

    plat::RecordingSurface surface;
    list.GetPage(2).Draw(surface, 600, 600, false);

    Lines drawn;
    for (const plat::SurfaceRecord& r : surface.Records())
        if (r.Kind == plat::SurfaceCall::StretchBitmap || r.Kind == plat::SurfaceCall::LineTo ||
            (r.Kind == plat::SurfaceCall::TextOut && !r.Text.empty()))
            drawn.push_back(r.Kind == plat::SurfaceCall::TextOut ? "text " + r.Text : plat::SurfaceCallName(r.Kind));
    EXPECT_EQ(drawn, (Lines{"StretchBitmap", "text 2/3", "LineTo", "text pied"}));
    const Lines pictures = surface.Lines({plat::SurfaceCall::StretchBitmap});
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].rfind("StretchBitmap 600,1200,1200,1800 ", 0), 0u) << pictures[0];
}
