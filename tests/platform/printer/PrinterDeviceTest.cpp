// The printer device's own rules, driven through the fake: the current printer and its block, the job
// states and their errors, the sheets a document holds.

#include "platform/core/Exceptions.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/printer/FakePrinterDevice.h"
#include "platform/printer/PaperSizes.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plat;

namespace {

FakePrinter Named(const std::string& name, bool isDefault = false)
{
    FakePrinter p;
    p.Names.Device = name;
    p.IsDefault = isDefault;
    return p;
}

std::unique_ptr<FakePrinterDevice> TwoPrinters()
{
    FakePrinter second = Named("Second", true);
    second.Defaults.dmColor = DMCOLOR_MONOCHROME;
    second.Portrait = DeviceMetrics{4961, 7016, 4801, 6890, 80, 24, 600, 600};
    return std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{Named("First"), second});
}

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

} // namespace

TEST(PrinterDevice, FirstReadOfTheIndexSelectsTheDefault)
{
    auto device = TwoPrinters();
    EXPECT_EQ(device->PrinterCount(), 2);
    EXPECT_EQ(device->GetPrinterIndex(), 1);
    device->SetPrinterIndex(0);
    EXPECT_EQ(device->GetPrinterIndex(), 0);
    device->SetPrinterIndex(-1);
    EXPECT_EQ(device->GetPrinterIndex(), 1);
    EXPECT_THROW(device->SetPrinterIndex(2), EListError);
}

TEST(PrinterDevice, GetPrinterHandsOutTheBlockItselfAndEachPrinterKeepsItsOwn)
{
    auto device = TwoPrinters();
    PrinterNames names;
    DevMode* second = device->GetPrinter(names);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(names.Device, "Second");
    EXPECT_EQ(second->dmColor, DMCOLOR_MONOCHROME);
    second->dmCopies = 7;

    device->SetPrinterIndex(0);
    DevMode* first = device->GetPrinter(names);
    EXPECT_EQ(names.Device, "First");
    EXPECT_EQ(first->dmCopies, 1);

    device->SetPrinterIndex(1);
    EXPECT_EQ(device->GetPrinter(names), second);
    EXPECT_EQ(device->GetCopies(), 7);
}

TEST(PrinterDevice, SetPrinterWithNoBlockReloadsTheDefaults)
{
    auto device = TwoPrinters();
    PrinterNames names;
    DevMode* block = device->GetPrinter(names);
    block->dmCopies = 12;
    block->dmOrientation = DMORIENT_LANDSCAPE;
    device->SetPrinter(names, nullptr);
    EXPECT_EQ(*device->GetPrinter(names), device->Printer(1).Defaults);
}

TEST(PrinterDevice, SetPrinterByNameMakesThatPrinterCurrentWithTheBlockGiven)
{
    auto device = TwoPrinters();
    DevMode mode = device->Printer(0).Defaults;
    mode.dmCopies = 3;
    device->SetPrinter(device->Entry(0), &mode);
    EXPECT_EQ(device->GetPrinterIndex(), 0);
    EXPECT_EQ(device->GetCopies(), 3);
}

TEST(PrinterDevice, ARefusedBlockLeavesTheCurrentOneAsItWas)
{
    auto device = TwoPrinters();
    device->Printer(1).RejectsBlocks = true;
    PrinterNames names;
    DevMode* block = device->GetPrinter(names);
    DevMode before = *block;
    DevMode other = before;
    other.dmCopies = 40;
    EXPECT_THROW(device->SetPrinter(names, &other), EPrinter);
    EXPECT_EQ(*device->GetPrinter(names), before);
}

TEST(PrinterDevice, CopiesAreKeptAsASigned16BitValue)
{
    auto device = TwoPrinters();
    device->SetCopies(70000);
    EXPECT_EQ(device->GetCopies(), 70000 - 65536);
    device->SetCopies(-5);
    EXPECT_EQ(device->GetCopies(), -5);
}

TEST(PrinterDevice, MetricsFollowTheBlocksOrientationWithTheMarginsTurned)
{
    auto device = TwoPrinters();
    // Unequal side margins (left 100, right 61) and resolutions.
    device->Printer(1).Portrait = DeviceMetrics{4961, 7016, 4800, 6890, 100, 24, 600, 300};
    DeviceMetrics portrait = device->GetMetrics();
    EXPECT_EQ(portrait.PhysicalOffsetX, 100);

    device->SetOrientation(PrinterOrientation::Landscape);
    DeviceMetrics landscape = device->GetMetrics();
    EXPECT_EQ(landscape.PhysicalWidth, 7016);
    EXPECT_EQ(landscape.PhysicalHeight, 4961);
    EXPECT_EQ(landscape.HorzRes, 6890);
    EXPECT_EQ(landscape.VertRes, 4800);
    EXPECT_EQ(landscape.PhysicalOffsetX, 24);             // the portrait top
    EXPECT_EQ(landscape.PhysicalOffsetY, 4961 - 4800 - 100); // the portrait right
    EXPECT_EQ(landscape.LogPixelsX, 300);
    EXPECT_EQ(landscape.LogPixelsY, 600);
    EXPECT_EQ(device->GetDeviceCaps(PHYSICALOFFSETY), 61);

    // A printer turning landscape the other way: the landscape top lies along the paper's left edge.
    device->Printer(1).OrientationCapability = 270;
    landscape = device->GetMetrics();
    EXPECT_EQ(landscape.PhysicalOffsetX, 7016 - 6890 - 24);   // the portrait bottom
    EXPECT_EQ(landscape.PhysicalOffsetY, 100);                // the portrait left
}

TEST(PrinterDevice, AnUnknownOrUnreachablePrinterGivesNoInformationContext)
{
    auto device = TwoPrinters();
    EXPECT_NE(device->CreateIC("FakeDriver", "First", "FAKE:"), nullptr);
    device->Printer(0).Reachable = false;
    EXPECT_EQ(device->CreateIC("FakeDriver", "First", "FAKE:"), nullptr);
    EXPECT_EQ(device->CreateIC("FakeDriver", "Nobody", "FAKE:"), nullptr);
    EXPECT_EQ(device->DeviceCapabilities("Nobody", "", DC_ORIENTATION), -1);
    EXPECT_EQ(device->DeviceCapabilities("First", "", DC_ORIENTATION), 90);
}

TEST(PrinterDevice, ADocumentHoldsTheSheetsStartedAndTheirOrientation)
{
    auto device = TwoPrinters();
    device->SetTitle("<document>");
    device->BeginDoc();
    EXPECT_TRUE(device->Printing());
    EXPECT_EQ(device->Canvas().ClassName(), "TPrinterCanvas");
    device->Canvas().Rectangle(Rect{1, 2, 3, 4});
    DevMode turned = device->Printer(1).Defaults;
    turned.dmOrientation = DMORIENT_LANDSCAPE;
    device->EndPage();
    device->ResetDC(turned);
    device->StartPage();
    device->NewPage();
    device->EndDoc();
    EXPECT_FALSE(device->Printing());

    ASSERT_EQ(device->Documents().size(), 1u);
    const FakeDocument& doc = device->Documents()[0];
    EXPECT_EQ(doc.Title, "<document>");
    EXPECT_EQ(doc.Printer, "Second");
    EXPECT_EQ(doc.Result, FakeDocument::State::Sent);
    ASSERT_EQ(doc.Sheets.size(), 3u);
    EXPECT_EQ(doc.Sheets[0].Orientation, PrinterOrientation::Portrait);
    EXPECT_EQ(doc.Sheets[0].Lines(), std::vector<std::string>{"Rectangle 1,2,3,4"});
    EXPECT_EQ(doc.Sheets[1].Orientation, PrinterOrientation::Landscape);
    EXPECT_EQ(doc.Sheets[2].Orientation, PrinterOrientation::Landscape);
    EXPECT_EQ(device->PageNumber(), 3);
}

TEST(PrinterDevice, AFailedSendDropsTheDocumentAndEndsTheJob)
{
    auto device = TwoPrinters();
    device->BeginDoc();
    device->FailNextEndDoc("refused");
    EXPECT_EQ(MessageOf([&] { device->EndDoc(); }), "refused");
    EXPECT_FALSE(device->Printing());
    EXPECT_EQ(device->Documents().back().Result, FakeDocument::State::Dropped);
    device->BeginDoc();   // the next job is not refused
    device->EndDoc();
    EXPECT_EQ(device->Documents().back().Result, FakeDocument::State::Sent);
}

TEST(PrinterDevice, AbortDropsTheDocumentAndIsHarmlessWhenIdle)
{
    auto device = TwoPrinters();
    device->Abort();
    device->BeginDoc();
    device->Abort();
    EXPECT_FALSE(device->Printing());
    EXPECT_TRUE(device->Aborted());
    EXPECT_EQ(device->Documents().back().Result, FakeDocument::State::Dropped);
    EXPECT_EQ(device->Calls().back(), "AbortDoc");
}

struct ErrorCase {
    const char* name;
    std::function<void(FakePrinterDevice&)> action;
    const char* message;
    friend void PrintTo(const ErrorCase& row, std::ostream* os) { *os << row.name; }
};

class PrinterDeviceErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(PrinterDeviceErrors, RaiseTheirFrenchText)
{
    auto device = TwoPrinters();
    EXPECT_EQ(MessageOf([&] { GetParam().action(*device); }), GetParam().message);
}

const char* const NoDefault = "Aucune imprimante par défaut sélectionnée";
const char* const InProgress = "Impression en cours";
const char* const NotPrinting = "L'imprimante n'imprime pas pour l'instant";
const char* const NotSupported = "Opération non supportée par l'imprimante sélectionnée";

INSTANTIATE_TEST_SUITE_P(
    Device, PrinterDeviceErrors,
    testing::Values(
        ErrorCase{"IndexWithNoPrinter", [](FakePrinterDevice&) { FakePrinterDevice none; none.GetPrinterIndex(); }, NoDefault},
        ErrorCase{"IndexWithNoDefault",
                  [](FakePrinterDevice&) {
                      FakePrinterDevice device({Named("A"), Named("B")});
                      device.GetPrinterIndex();
                  },
                  NoDefault},
        ErrorCase{"BeginDocWithNoPrinter", [](FakePrinterDevice&) { FakePrinterDevice none; none.BeginDoc(); }, NoDefault},
        ErrorCase{"BeginDocTwice", [](FakePrinterDevice& d) { d.BeginDoc(); d.BeginDoc(); }, InProgress},
        ErrorCase{"OrientationWhilePrinting",
                  [](FakePrinterDevice& d) { d.BeginDoc(); d.SetOrientation(PrinterOrientation::Landscape); },
                  InProgress},
        ErrorCase{"CopiesWhilePrinting", [](FakePrinterDevice& d) { d.BeginDoc(); d.SetCopies(3); }, InProgress},
        ErrorCase{"IndexWhilePrinting", [](FakePrinterDevice& d) { d.BeginDoc(); d.SetPrinterIndex(0); }, InProgress},
        ErrorCase{"EndDocNotBegun", [](FakePrinterDevice& d) { d.EndDoc(); }, NotPrinting},
        ErrorCase{"NewPageNotBegun", [](FakePrinterDevice& d) { d.NewPage(); }, NotPrinting},
        ErrorCase{"RefusedBlock",
                  [](FakePrinterDevice& d) {
                      d.Printer(1).RejectsBlocks = true;
                      PrinterNames names;
                      DevMode* mode = d.GetPrinter(names);
                      d.SetPrinter(names, mode);
                  },
                  NotSupported}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(CurrentPrinter, IsAMachineWithoutPrintersUntilADeviceIsInstalled)
{
    auto previous = InstallPrinter(nullptr);
    EXPECT_EQ(CurrentPrinter().PrinterCount(), 0);
    PrinterNames names;
    EXPECT_EQ(CurrentPrinter().GetPrinter(names), nullptr);
    EXPECT_THROW(CurrentPrinter().BeginDoc(), EPrinter);

    InstallPrinter(FakePrinterDevice::WithOnePrinter());
    EXPECT_EQ(CurrentPrinter().Printers(), std::vector<std::string>{"Fake Printer"});
    InstallPrinter(std::move(previous));
}

TEST(PaperSizes, KnowTheSelfDescribingMediaNamesAndPixelSizes)
{
    auto a4 = PaperByDmPaper(DMPAPER_A4);
    ASSERT_TRUE(a4);
    EXPECT_EQ(a4->MediaName, "iso_a4_210x297mm");
    EXPECT_EQ(MicronsToPixels(a4->WidthMicrons, 600), 4961);
    EXPECT_EQ(MicronsToPixels(a4->HeightMicrons, 600), 7016);
    EXPECT_EQ(PaperByDmPaper(DMPAPER_LETTER)->MediaName, "na_letter_8.5x11in");
    EXPECT_EQ(MicronsToPixels(PaperByDmPaper(DMPAPER_LETTER)->WidthMicrons, 300), 2550);
    EXPECT_FALSE(PaperByDmPaper(-1));
    EXPECT_EQ(PaperBySize(210000, 297000)->DmPaper, DMPAPER_A4);
    EXPECT_EQ(PaperByMediaName("na_ledger_11x17in")->DmPaper, DMPAPER_TABLOID);
    EXPECT_EQ(MicronsToPixels(-12700, 300), -150);
}
