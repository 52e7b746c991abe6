// The printer side of a print job: events and device calls in order, sheet changes, the page mapping for
// one, two and four pages a sheet, and the job never left open when something fails.

#include "PrintingFixture.h"

#include "platform/core/Exceptions.h"

using plat::FakeDocument;
using plat::FakePrinter;
using plat::FakePrinterDevice;
using plat::PrinterOrientation;
using plat::SurfaceCall;
using Lines = std::vector<std::string>;

namespace {

// What the job loop of the page list does around the printer: one orientation per page.
void RunJob(TGmPrinter& printer, const std::vector<TGmOrientation>& pages)
{
    printer.SetOrientation(pages.front());
    ASSERT_TRUE(printer.BeginDoc());
    for (size_t i = 1; i < pages.size(); ++i) {
        printer.SetOrientation(pages[i]);
        printer.NewPage();
    }
    printer.EndDoc();
}

Lines Mapping(const plat::FakeSheet& sheet)
{
    Lines lines;
    for (const auto& r : sheet.Records)
        if (r.Kind == SurfaceCall::SetMapMode || r.Kind == SurfaceCall::SetWindowExt ||
            r.Kind == SurfaceCall::SetViewportExt || r.Kind == SurfaceCall::ScaleViewportExt ||
            r.Kind == SurfaceCall::SetViewportOrg)
            lines.push_back(r.ToString());
    return lines;
}

Lines MappingOf(int w, int h, int scale, int orgX, int orgY)
{
    auto pair = [](int a, int b) { return std::to_string(a) + "," + std::to_string(b); };
    return {"SetMapMode Anisotropic", "SetWindowExt " + pair(w, h), "SetViewportExt " + pair(w, h),
            "ScaleViewportExt " + std::to_string(scale) + ",100," + std::to_string(scale) + ",100",
            "SetViewportOrg " + pair(orgX, orgY)};
}

Lines Orientations(const FakeDocument& doc)
{
    Lines lines;
    for (const auto& sheet : doc.Sheets)
        lines.push_back(sheet.Orientation == PrinterOrientation::Landscape ? "landscape" : "portrait");
    return lines;
}

} // namespace

TEST_F(PrintingTest, AOnePageJobRunsBeforePrintDocumentAfterPrintWithTheMarginsTakenOff)
{
    InstallOnePrinter();
    TGmPrinter printer;
    printer.SetPrintCopies(3);
    printer.SetCollate(true);
    printer.SetPrintColor(gmMonochrome);
    printer.SetPaperSize(A4);
    Watch(printer);

    RunJob(printer, {gmPortrait});

    EXPECT_EQ(FullLog(), (Lines{"BeforePrint", "StartDoc <document>", "StartPage portrait", "EndPage", "EndDoc",
                                "AfterPrint"}));
    ASSERT_EQ(Fake->Documents().size(), 1u);
    const FakeDocument& doc = Fake->Documents()[0];
    EXPECT_EQ(doc.Result, FakeDocument::State::Sent);
    EXPECT_EQ(doc.Mode.dmCopies, 3);
    EXPECT_EQ(doc.Mode.dmCollate, plat::DMCOLLATE_TRUE);
    EXPECT_EQ(doc.Mode.dmColor, plat::DMCOLOR_MONOCHROME);
    EXPECT_EQ(doc.Mode.dmPaperSize, plat::DMPAPER_A4);
    ASSERT_EQ(doc.Sheets.size(), 1u);
    EXPECT_EQ(Mapping(doc.Sheets[0]), MappingOf(2481, 3507, 100, -65, -50));
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.GetJobPageNumber(), 1);
}

TEST_F(PrintingTest, WithoutPrinterTheJobFailsBeforeAnyEventAndSendsNothing)
{
    Install(std::make_unique<FakePrinterDevice>());
    TGmPrinter printer;
    Watch(printer);
    try {
        printer.BeginDoc();
        FAIL() << "BeginDoc started a job without a printer";
    } catch (const plat::EPrinter& e) {
        EXPECT_EQ(e.Message(), "Aucune imprimante par défaut sélectionnée");
    }
    EXPECT_TRUE(FullLog().empty());
    EXPECT_TRUE(Fake->Documents().empty());
    EXPECT_TRUE(Shown.empty());
    EXPECT_FALSE(printer.Printing());
}

TEST_F(PrintingTest, AnUnreachablePrinterGetsTheBoxAndNoJob)
{
    InstallOnePrinter();
    TGmPrinter printer;
    Watch(printer);
    Fake->Printer(0).Reachable = false;
    EXPECT_FALSE(printer.BeginDoc());
    EXPECT_EQ(Shown, Lines{"Unable to print... No Printer available."});
    EXPECT_TRUE(FullLog().empty());
    EXPECT_FALSE(printer.Printing());
}

TEST_F(PrintingTest, ASecondJobIsRefusedWhileOneRunsAndTheFirstGoesOn)
{
    InstallOnePrinter();
    TGmPrinter printer;
    Watch(printer);
    ASSERT_TRUE(printer.BeginDoc());
    EXPECT_FALSE(printer.BeginDoc());
    EXPECT_TRUE(printer.Printing());
    printer.EndDoc();
    EXPECT_EQ(FullLog(), (Lines{"BeforePrint", "StartDoc <document>", "StartPage portrait", "EndPage", "EndDoc",
                                "AfterPrint"}));
}

struct SheetRow {
    const char* name;
    std::vector<TGmOrientation> pages;
    Lines sheets;
    friend void PrintTo(const SheetRow& row, std::ostream* os) { *os << row.name; }
};

class SheetChanges : public PrintingTest, public testing::WithParamInterface<SheetRow> {};

TEST_P(SheetChanges, TurnTheSheetOnlyWhenThePageOrientationChanges)
{
    InstallOnePrinter();
    TGmPrinter printer;
    RunJob(printer, GetParam().pages);
    EXPECT_EQ(Orientations(Fake->Documents().at(0)), GetParam().sheets);
}

INSTANTIATE_TEST_SUITE_P(
    Job, SheetChanges,
    testing::Values(SheetRow{"ThreePortrait", {gmPortrait, gmPortrait, gmPortrait}, {"portrait", "portrait", "portrait"}},
                    SheetRow{"PortraitLandscapePortrait", {gmPortrait, gmLandscape, gmPortrait},
                             {"portrait", "landscape", "portrait"}},
                    SheetRow{"LandscapeFirst", {gmLandscape, gmLandscape}, {"landscape", "landscape"}}),
    [](const testing::TestParamInfo<SheetRow>& info) { return std::string(info.param.name); });

TEST_F(PrintingTest, ALandscapeSheetIsMappedWithTheTurnedPaperAndMargins)
{
    InstallOnePrinter();
    TGmPrinter printer;
    RunJob(printer, {gmPortrait, gmLandscape});
    const FakeDocument& doc = Fake->Documents().at(0);
    // Landscape margins of the A4 printer: left 50, top 58.
    EXPECT_EQ(Mapping(doc.Sheets.at(1)), MappingOf(3507, 2481, 100, -50, -58));
}

struct PlaceRow {
    const char* name;
    TGmPagesPerSheet perSheet;
    int page;      // 1-based page of the job
    Lines mapping;
    friend void PrintTo(const PlaceRow& row, std::ostream* os) { *os << row.name; }
};

class PagePlaces : public PrintingTest, public testing::WithParamInterface<PlaceRow> {};

TEST_P(PagePlaces, PutEachPageInItsPartOfTheSheet)
{
    InstallOnePrinter();
    TGmPrinter printer;
    printer.SetPagesPerSheet(GetParam().perSheet);
    std::vector<TGmOrientation> pages(static_cast<size_t>(GetParam().page), gmPortrait);
    RunJob(printer, pages);
    const FakeDocument& doc = Fake->Documents().at(0);
    // The last mapping set is the page's.
    Lines all = Mapping(doc.Sheets.back());
    Lines last(all.end() - 5, all.end());
    EXPECT_EQ(last, GetParam().mapping);
}

// A4 at 300: 2481 x 3507, margins left 65, top 50 (landscape: left 50, top 58).
INSTANTIATE_TEST_SUITE_P(
    Job, PagePlaces,
    testing::Values(PlaceRow{"FourUpTopLeft", gmFourPage, 1, MappingOf(1240, 1753, 49, -65, -50)},
                    PlaceRow{"FourUpTopRight", gmFourPage, 2, MappingOf(1241, 1753, 49, 1240 - 65, -50)},
                    PlaceRow{"FourUpBottomLeft", gmFourPage, 3, MappingOf(1240, 1754, 49, -65, 1753 - 50)},
                    PlaceRow{"FourUpBottomRight", gmFourPage, 4, MappingOf(1241, 1754, 49, 1240 - 65, 1753 - 50)},
                    PlaceRow{"FourUpFifthOnANewSheet", gmFourPage, 5, MappingOf(1240, 1753, 49, -65, -50)},
                    PlaceRow{"TwoUpLeftHalf", gmTwoPage, 1, MappingOf(1753, 2481, 70, -50, -58)},
                    PlaceRow{"TwoUpRightHalf", gmTwoPage, 2, MappingOf(1754, 2481, 70, 1753 - 50, -58)},
                    PlaceRow{"TwoUpThirdOnANewSheet", gmTwoPage, 3, MappingOf(1753, 2481, 70, -50, -58)}),
    [](const testing::TestParamInfo<PlaceRow>& info) { return std::string(info.param.name); });

TEST_F(PrintingTest, FourPagesShareASheetAndTheFifthStartsTheNext)
{
    InstallOnePrinter();
    TGmPrinter printer;
    printer.SetPagesPerSheet(gmFourPage);
    RunJob(printer, std::vector<TGmOrientation>(5, gmPortrait));
    EXPECT_EQ(Fake->Documents().at(0).Sheets.size(), 2u);
}

TEST_F(PrintingTest, TwoPortraitPagesASheetLieOnLandscapeSheets)
{
    InstallOnePrinter();
    TGmPrinter printer;
    printer.SetPagesPerSheet(gmTwoPage);
    RunJob(printer, std::vector<TGmOrientation>(4, gmPortrait));
    EXPECT_EQ(Orientations(Fake->Documents().at(0)), (Lines{"landscape", "landscape"}));
}

TEST_F(PrintingTest, AFailedSendEndsTheJobWithoutAfterPrint)
{
    InstallOnePrinter();
    TGmPrinter printer;
    Watch(printer);
    ASSERT_TRUE(printer.BeginDoc());
    Fake->FailNextEndDoc("Impossible d'envoyer le document");
    EXPECT_THROW(printer.EndDoc(), plat::EPrinter);
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(Fake->Documents().back().Result, FakeDocument::State::Dropped);
    EXPECT_EQ(FullLog(), (Lines{"BeforePrint", "StartDoc <document>", "StartPage portrait", "EndPage", "AbortDoc"}));

    ASSERT_TRUE(printer.BeginDoc());   // and the next job runs
    printer.EndDoc();
    EXPECT_EQ(Fake->Documents().back().Result, FakeDocument::State::Sent);
}

TEST_F(PrintingTest, APageThatFailsToDrawIsEndedFromTheCatchAndNothingIsSent)
{
    InstallOnePrinter();
    TGmPrinter printer;
    Watch(printer);
    ASSERT_TRUE(printer.BeginDoc());
    try {
        throw plat::EInvalidGraphic::BadBitmap();   // a picture that cannot be drawn
    } catch (...) {
        printer.AbortDoc();
    }
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(Fake->Printing());
    EXPECT_EQ(Fake->Documents().back().Result, FakeDocument::State::Dropped);
    EXPECT_EQ(FullLog(), (Lines{"BeforePrint", "StartDoc <document>", "StartPage portrait", "AbortDoc", "OnAbortPrint"}));
    printer.AbortDoc();   // nothing left to end
    EXPECT_TRUE(printer.BeginDoc());
    EXPECT_FALSE(printer.Aborted());
}

TEST_F(PrintingTest, ABeforePrintHandlerThatFailsLeavesNoJobOpen)
{
    InstallOnePrinter();
    TGmPrinter printer;
    printer.BeforePrint.Set([](plat::Object*) { throw plat::EPrinter("stop"); });
    EXPECT_THROW(printer.BeginDoc(), plat::EPrinter);
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(Fake->Documents().empty());
}

TEST_F(PrintingTest, ABeforePrintHandlerCanCancelTheJob)
{
    InstallOnePrinter();
    TGmPrinter printer;
    Watch(printer);
    printer.BeforePrint.Set([&](plat::Object*) { printer.AbortDoc(); });
    EXPECT_FALSE(printer.BeginDoc());
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(Fake->Documents().empty());
    EXPECT_EQ(FullLog(), Lines{"OnAbortPrint"});
}

TEST_F(PrintingTest, ABeforePrintHandlerChoosingAnotherPrinterPrintsThereFromItsDefaults)
{
    FakePrinter first, second;
    first.Names.Device = "First";
    first.IsDefault = true;
    second.Names.Device = "Second";
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{first, second}));
    TGmPrinter printer;
    printer.SetPrintCopies(4);
    Watch(printer);
    printer.BeforePrint.Set([&](plat::Object*) {
        Note("BeforePrint");
        plat::CurrentPrinter().SetPrinterIndex(1);
    });
    RunJob(printer, {gmPortrait});
    const FakeDocument& doc = Fake->Documents().at(0);
    EXPECT_EQ(doc.Printer, "Second");
    EXPECT_EQ(doc.Mode.dmCopies, 1);
    EXPECT_EQ(FullLog(), (Lines{"BeforePrint", "OnChangePrinter", "StartDoc <document>", "StartPage portrait",
                                "EndPage", "EndDoc", "AfterPrint"}));
}
