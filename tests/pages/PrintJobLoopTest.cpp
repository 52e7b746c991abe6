// The print job's loop over the document's pages on the fake printer: events and device calls in order,
// the order of the pages, sheet changes, pages per sheet, the clip of each page, and a job that can never
// be left open.

#include "PagesFixture.h"

#include "model/GmBaseObject.h"
#include "model/GmCanvas.h"
#include "model/GmMargins.h"
#include "printing/GmPrinter.h"

#include "platform/core/Exceptions.h"

using plat::FakeDocument;
using plat::SurfaceCall;

namespace {

// An object whose drawing fails, as a picture that cannot be decoded would.
class FailingObject : public TGmBaseObject {
public:
    PLAT_CLASS_NAME(FailingObject)
    using TGmBaseObject::TGmBaseObject;
    int32_t GetObjectID() const override { return 99; }
    void Draw(plat::Surface&, const TGmDrawData&) const override { throw plat::EInvalidGraphic::BadBitmap(); }
};

Lines SheetLines(const plat::FakeSheet& sheet, std::initializer_list<SurfaceCall> kinds)
{
    Lines lines;
    for (const plat::SurfaceRecord& r : sheet.Records)
        for (SurfaceCall kind : kinds)
            if (r.Kind == kind)
                lines.push_back(r.ToString());
    return lines;
}

// "StretchDIBits l,t,r,b src ..." -> l
int PictureLeft(const std::string& line)
{
    return std::stoi(line.substr(line.find(' ') + 1));
}

} // namespace

class PrintJob : public PagesTest {
protected:
    // Logs the print events with the device calls made before each.
    void WatchJob(TGmPageList& list)
    {
        TGmPrinter& printer = list.GmPrinter();
        printer.BeforePrint.Set([this](plat::Object*) { Note("BeforePrint"); });
        printer.AfterPrint.Set([this](plat::Object*) { Note("AfterPrint"); });
        printer.OnAbortPrint.Set([this](plat::Object*) { Note("OnAbortPrint"); });
        list.OnPrintProgress.Set([this](plat::Object*, int printed, int total) {
            Note("Progress " + std::to_string(printed) + "/" + std::to_string(total));
        });
    }
    void Note(const std::string& event)
    {
        Sync();
        Log.push_back(event);
    }
    Lines FullLog()
    {
        Sync();
        return Log;
    }
    // A document of Count pages; page k holds a picture k inches from the paper's left edge.
    TGmPageList& NumberedDocument(int count)
    {
        TGmPageList& list = MakeDocument(count);
        for (int k = 1; k <= count; ++k) {
            list.SetCurrentPage(k);
            list.Canvas().Draw(Picture(96, 96, k), gmInches, k, 1, 1);
        }
        return list;
    }

    Lines Log;

private:
    void Sync()
    {
        for (; m_seen < Fake->Calls().size(); ++m_seen)
            Log.push_back(Fake->Calls()[m_seen]);
    }
    size_t m_seen = 0;
};

TEST_F(PrintJob, AOnePageJobRunsBeforePrintTheDocumentOneProgressAndAfterPrint)
{
    TGmPageList& list = MakeDocument();
    list.Canvas().Draw(Picture(960, 480), gmMillimeters, 10, 20, 1);
    WatchJob(list);

    list.PrintPages(1, 1);

    EXPECT_EQ(FullLog(), (Lines{"BeforePrint", "StartDoc <document>", "StartPage portrait", "Progress 1/1", "EndPage",
                                "EndDoc", "AfterPrint"}));
    ASSERT_EQ(Fake->Documents().size(), 1u);
    const FakeDocument& doc = Fake->Documents()[0];
    EXPECT_EQ(doc.Result, FakeDocument::State::Sent);
    ASSERT_EQ(doc.Sheets.size(), 1u);
    // Logical (0, 0) is the paper's corner: the printer's margins (65, 50) are taken off by the origin, and
    // the picture lies at its true place in inches at 300 per inch.
    EXPECT_EQ(SheetLines(doc.Sheets[0], {SurfaceCall::SetViewportOrg, SurfaceCall::StretchDIBits}),
              (Lines{"SetViewportOrg -65,-50", "StretchDIBits 118,236,3118,1736 src 0,0,960,480 rop CC0020"}));
    EXPECT_FALSE(list.GmPrinter().Printing());
}

struct OrderRow {
    const char* name;
    int from, to;
    std::vector<int> lefts; // the picture's left edge on each sheet: page k at k * 300
    Lines progress;
    friend void PrintTo(const OrderRow& row, std::ostream* os) { *os << row.name; }
};

class PageOrders : public PrintJob, public testing::WithParamInterface<OrderRow> {};

TEST_P(PageOrders, PrintEachPageOnceInTheOrderAsked)
{
    TGmPageList& list = NumberedDocument(3);
    WatchJob(list);
    list.PrintPages(GetParam().from, GetParam().to);

    const FakeDocument& doc = Fake->Documents().at(0);
    std::vector<int> lefts;
    for (const plat::FakeSheet& sheet : doc.Sheets)
        for (const std::string& line : SheetLines(sheet, {SurfaceCall::StretchDIBits}))
            lefts.push_back(PictureLeft(line));
    EXPECT_EQ(lefts, GetParam().lefts);
    Lines progress;
    for (const std::string& line : FullLog())
        if (line.rfind("Progress", 0) == 0)
            progress.push_back(line);
    EXPECT_EQ(progress, GetParam().progress);
}

INSTANTIATE_TEST_SUITE_P(
    Job, PageOrders,
    testing::Values(OrderRow{"Ascending", 1, 3, {300, 600, 900}, {"Progress 1/3", "Progress 2/3", "Progress 3/3"}},
                    OrderRow{"Descending", 3, 1, {900, 600, 300}, {"Progress 1/3", "Progress 2/3", "Progress 3/3"}},
                    OrderRow{"OnePage", 2, 2, {600}, {"Progress 1/1"}}),
    [](const testing::TestParamInfo<OrderRow>& info) { return std::string(info.param.name); });

struct SheetRow {
    const char* name;
    std::vector<TGmOrientation> pages;
    Lines starts;
    friend void PrintTo(const SheetRow& row, std::ostream* os) { *os << row.name; }
};

class SheetTurns : public PrintJob, public testing::WithParamInterface<SheetRow> {};

TEST_P(SheetTurns, FollowEachPagesOrientation)
{
    const auto& pages = GetParam().pages;
    TGmPageList& list = MakeDocument(static_cast<int>(pages.size()));
    for (size_t i = 0; i < pages.size(); ++i)
        list.GetPage(static_cast<int>(i) + 1).SetOrientation(pages[i]);
    list.PrintPages(1, list.PageCount());
    Lines starts;
    for (const std::string& call : Fake->Calls())
        if (call.rfind("StartPage", 0) == 0)
            starts.push_back(call);
    EXPECT_EQ(starts, GetParam().starts);
}

INSTANTIATE_TEST_SUITE_P(
    Job, SheetTurns,
    testing::Values(SheetRow{"ThreePortraitNeverTurn", {gmPortrait, gmPortrait, gmPortrait},
                             {"StartPage portrait", "StartPage portrait", "StartPage portrait"}},
                    SheetRow{"PortraitLandscapePortraitTurnTwice", {gmPortrait, gmLandscape, gmPortrait},
                             {"StartPage portrait", "StartPage landscape", "StartPage portrait"}},
                    SheetRow{"LandscapeFirstStartsLandscape", {gmLandscape, gmPortrait},
                             {"StartPage landscape", "StartPage portrait"}}),
    [](const testing::TestParamInfo<SheetRow>& info) { return std::string(info.param.name); });

TEST_F(PrintJob, FourPagesShareASheetAtScale49AndTheFifthStartsTheNext)
{
    TGmPageList& list = NumberedDocument(5);
    list.SetPagesPerSheet(gmFourPage);
    list.PrintPages(1, 5);
    const FakeDocument& doc = Fake->Documents().at(0);
    ASSERT_EQ(doc.Sheets.size(), 2u);
    const Lines scale49(4, "ScaleViewportExt 49,100,49,100");
    EXPECT_EQ(SheetLines(doc.Sheets[0], {SurfaceCall::ScaleViewportExt}), scale49);
    EXPECT_EQ(SheetLines(doc.Sheets[0], {SurfaceCall::StretchDIBits}).size(), 4u);
    EXPECT_EQ(SheetLines(doc.Sheets[1], {SurfaceCall::ScaleViewportExt}), Lines(1, scale49[0]));
    EXPECT_EQ(SheetLines(doc.Sheets[1], {SurfaceCall::StretchDIBits}).size(), 1u);
}

struct ClipRow {
    const char* name;
    bool clipMargins;
    std::string rectangle;
    friend void PrintTo(const ClipRow& row, std::ostream* os) { *os << row.name; }
};

class Clips : public PrintJob, public testing::WithParamInterface<ClipRow> {};

TEST_P(Clips, BoundEachPageBeforeItDraws)
{
    TGmPageList& list = MakeDocument();
    list.Canvas().Draw(Picture(96, 96), gmInches, 1, 1, 1);
    list.Margins().SetClipMargins(GetParam().clipMargins);
    list.PrintPages(1, 1);
    const plat::FakeSheet& sheet = Fake->Documents().at(0).Sheets.at(0);
    const Lines lines = SheetLines(sheet, {SurfaceCall::BeginPath, SurfaceCall::Rectangle, SurfaceCall::EndPath,
                                           SurfaceCall::SelectClipPath, SurfaceCall::StretchDIBits});
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
              (Lines{"BeginPath", GetParam().rectangle, "EndPath", "SelectClipPath"}));
    EXPECT_EQ(lines[4].rfind("StretchDIBits", 0), 0u);
}

// A4 at 300 per inch is 2480 x 3508 (8.2677 x 11.6929 in); half-inch margins are 150 pixels.
INSTANTIATE_TEST_SUITE_P(Job, Clips,
                         testing::Values(ClipRow{"ToTheMargins", true, "Rectangle 150,150,2330,3358"},
                                         ClipRow{"ToThePage", false, "Rectangle 0,0,2480,3508"}),
                         [](const testing::TestParamInfo<ClipRow>& info) { return std::string(info.param.name); });

TEST_F(PrintJob, WithoutPrinterNothingIsSentAndNoEventRaised)
{
    InstallNoPrinter();
    TGmPageList& list = MakeDocument();
    WatchJob(list);
    try {
        list.PrintPages(1, 1);
        FAIL() << "printed without a printer";
    } catch (const plat::EPrinter& e) {
        EXPECT_EQ(e.Message(), "Aucune imprimante par défaut sélectionnée");
    }
    EXPECT_TRUE(FullLog().empty());
    EXPECT_TRUE(Fake->Documents().empty());
    EXPECT_TRUE(Shown.empty());
    EXPECT_FALSE(list.GmPrinter().Printing());
}

TEST_F(PrintJob, AnUnreachablePrinterGetsTheBoxAndTheLoopStops)
{
    TGmPageList& list = MakeDocument();
    WatchJob(list);
    Fake->Printer(0).Reachable = false;
    list.PrintPages(1, 1);
    EXPECT_EQ(Shown, Lines{"Unable to print... No Printer available."});
    EXPECT_TRUE(FullLog().empty());
    EXPECT_TRUE(Fake->Documents().empty());
}

TEST_F(PrintJob, APageThatFailsToDrawLeavesNoJobOpen)
{
    TGmPageList& list = MakeDocument(2);
    list.AddObject(std::make_unique<FailingObject>(list.ResourceTable()), gmFromPage); // on page 2
    WatchJob(list);

    EXPECT_THROW(list.PrintPages(1, 2), plat::EInvalidGraphic);

    EXPECT_FALSE(list.GmPrinter().Printing());
    EXPECT_FALSE(Fake->Printing());
    EXPECT_EQ(Fake->Documents().at(0).Result, FakeDocument::State::Dropped);
    // The next sheet is started before the progress of the page before it.
    EXPECT_EQ(FullLog(), (Lines{"BeforePrint", "StartDoc <document>", "StartPage portrait", "EndPage",
                                "StartPage portrait", "Progress 1/2", "AbortDoc", "OnAbortPrint"}));

    // The next job runs.
    list.ClearPages(false, true);
    list.PrintPages(1, 1);
    EXPECT_EQ(Fake->Documents().at(1).Result, FakeDocument::State::Sent);
}

TEST_F(PrintJob, AProgressHandlerCanEndTheJob)
{
    TGmPageList& list = NumberedDocument(3);
    WatchJob(list);
    list.OnPrintProgress.Set([&](plat::Object*, int printed, int total) {
        Note("Progress " + std::to_string(printed) + "/" + std::to_string(total));
        list.GmPrinter().AbortDoc();
    });
    list.PrintPages(1, 3);
    EXPECT_FALSE(list.GmPrinter().Printing());
    EXPECT_EQ(Fake->Documents().at(0).Result, FakeDocument::State::Dropped);
    const Lines log = FullLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Progress 1/3"), 1);
    EXPECT_EQ(std::find(log.begin(), log.end(), "Progress 2/3"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "AfterPrint"), log.end());
}

TEST_F(PrintJob, APageNumberOutsideTheDocumentFailsBeforeAnythingIsSent)
{
    TGmPageList& list = MakeDocument(2);
    WatchJob(list);
    EXPECT_THROW(list.PrintPageNumbers({1, 3}), plat::EListError);
    EXPECT_TRUE(FullLog().empty());
    EXPECT_TRUE(Fake->Documents().empty());
}

TEST_F(PrintJob, ARequestWhileAJobRunsLeavesThatJobAsItWas)
{
    TGmPageList& list = NumberedDocument(2);
    TGmPrinter& printer = list.GmPrinter();
    ASSERT_TRUE(printer.BeginDoc());
    list.SetPagesPerSheet(gmFourPage);
    list.GetPage(1).SetOrientation(gmLandscape);

    list.PrintPages(1, 2);

    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(printer.GetPagesPerSheet(), gmOnePage);
    EXPECT_EQ(printer.GetOrientation(), gmPortrait);
    printer.EndDoc();
    ASSERT_EQ(Fake->Documents().size(), 1u);
    EXPECT_EQ(Fake->Documents()[0].Sheets.size(), 1u);
}
