// Printer metrics: the defaults without a printer, what is read from a printer, and the orientation rules.

#include "PrintingFixture.h"

using plat::DeviceMetrics;
using plat::FakePrinter;
using plat::FakePrinterDevice;

namespace {

// A4 at 600 x 300 pixels per inch with unequal margins all round: left 100, top 24, right 61, bottom 102.
FakePrinter UnevenPrinter()
{
    FakePrinter p;
    p.IsDefault = true;
    p.Portrait = DeviceMetrics{4961, 3508, 4800, 3382, 100, 24, 600, 300};
    return p;
}

} // namespace

TEST_F(PrintingTest, WithoutPrinterTheMetricsAreA4At300)
{
    Install(std::make_unique<FakePrinterDevice>());
    TGmPrinter printer;
    TGmPrinterInfo& info = printer.PrinterInfo();
    EXPECT_EQ(info.PhysicalWidth(), 2481);
    EXPECT_EQ(info.PhysicalHeight(), 3507);
    EXPECT_EQ(info.PrintableWidth(), 2358);
    EXPECT_EQ(info.PrintableHeight(), 3407);
    EXPECT_EQ(info.GetPrinterMargins(false), (plat::Rect{65, 50, 58, 50}));
    EXPECT_EQ(info.GetPrinterMargins(true), (plat::Rect{50, 58, 50, 65}));
    EXPECT_EQ(info.PixelsPerInchX(), 300);
    EXPECT_EQ(info.PixelsPerInchY(), 300);
    EXPECT_EQ(info.LandscapeRotation(), 1);
    EXPECT_EQ(info.PaperWidthInches(), 2481.0L / 300);
    EXPECT_EQ(info.GetPrinterMarginsInches(false).Left, 65.0L / 300);
    EXPECT_FALSE(info.PrinterAvailable());
    EXPECT_TRUE(Shown.empty());
}

TEST_F(PrintingTest, MetricsFromThePrinterComputeTheRightMarginFromTheWidth)
{
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{UnevenPrinter()}));
    TGmPrinter printer;
    TGmPrinterInfo& info = printer.PrinterInfo();
    EXPECT_EQ(info.GetPrinterMargins(false), (plat::Rect{100, 24, 61, 102}));
    EXPECT_EQ(info.GetPrinterMargins(true), (plat::Rect{24, 61, 102, 100}));
    EXPECT_EQ(info.LogPixelsX(), 600);
    EXPECT_EQ(info.LogPixelsY(), 300);
    EXPECT_TRUE(info.PrinterAvailable());
}

TEST_F(PrintingTest, APrinterTurningLandscapeBy270GetsItsMarginsTurnedThatWay)
{
    FakePrinter p = UnevenPrinter();
    p.OrientationCapability = 270;
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{p}));
    TGmPrinter printer;
    EXPECT_EQ(printer.PrinterInfo().GetPrinterMargins(true), (plat::Rect{102, 100, 24, 61}));
    // The same turn as the device's own landscape metrics, so that the mapping meets the printable corner.
    Fake->SetOrientation(plat::PrinterOrientation::Landscape);
    plat::DeviceMetrics landscape = Fake->GetMetrics();
    EXPECT_EQ(landscape.PhysicalOffsetX, 102);
    EXPECT_EQ(landscape.PhysicalOffsetY, 100);
}

TEST_F(PrintingTest, MetricsAreMeasuredInPortraitAndTheBlockKeepsItsOrientation)
{
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{UnevenPrinter()}));
    TGmPrinter printer;
    Fake->SetOrientation(plat::PrinterOrientation::Landscape);
    printer.PrinterInfo().RefreshMetrics();
    EXPECT_EQ(printer.PrinterInfo().PhysicalWidth(), 4961);
    EXPECT_EQ(printer.PrinterInfo().MarginLeft(), 100);
    EXPECT_EQ(Fake->GetOrientation(), plat::PrinterOrientation::Landscape);
}

TEST_F(PrintingTest, PaperAndResolutionFollowTheBlocksOrientation)
{
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{UnevenPrinter()}));
    TGmPrinter printer;
    TGmPrinterInfo& info = printer.PrinterInfo();
    EXPECT_EQ(info.PaperWidthInches(), 4961.0L / 600);
    EXPECT_EQ(info.PixelsPerInchX(), 600);

    Fake->SetOrientation(plat::PrinterOrientation::Landscape);
    EXPECT_EQ(info.PaperWidthInches(), 3508.0L / 300);
    EXPECT_EQ(info.PaperHeightInches(), 4961.0L / 600);
    EXPECT_EQ(info.PixelsPerInchX(), 300);
    EXPECT_EQ(info.PixelsPerInchY(), 600);
    // Turned margins (24, 61, 102, 100), left and right over the landscape horizontal resolution.
    TGmRect inches = info.GetPrinterMarginsInches(true);
    EXPECT_EQ(inches.Left, 24.0L / 300);
    EXPECT_EQ(inches.Top, 61.0L / 600);
    EXPECT_EQ(inches.Right, 102.0L / 300);
    EXPECT_EQ(inches.Bottom, 100.0L / 600);
}

TEST_F(PrintingTest, APrinterUnreachableAtCreationKeepsTheDefaultMetrics)
{
    FakePrinter offline = UnevenPrinter();
    offline.Reachable = false;
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{offline}));
    TGmPrinter printer;
    EXPECT_TRUE(printer.PrinterInfo().NoPrinter());
    EXPECT_EQ(printer.PrinterInfo().PhysicalWidth(), 2481);

    Fake->Printer(0).Reachable = true;
    printer.PrinterInfo().RefreshMetrics();
    EXPECT_EQ(printer.PrinterInfo().PhysicalWidth(), 2481);
}

TEST_F(PrintingTest, PrintersWithoutADefaultGiveTheDefaultMetricsAndNoError)
{
    FakePrinter a, b;
    a.Names.Device = "A";
    b.Names.Device = "B";
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{a, b}));
    TGmPrinter printer;
    EXPECT_EQ(printer.PrinterInfo().PhysicalWidth(), 2481);
    EXPECT_FALSE(printer.PrinterInfo().PrinterAvailable());
    EXPECT_EQ(printer.GetPrintCopies(), 1);
}

TEST_F(PrintingTest, LandscapeRotationComesFromTheDevicesAnswer)
{
    for (auto [answer, rotation] : {std::pair{90, 1}, std::pair{270, 2}, std::pair{0, 0}}) {
        FakePrinter p = UnevenPrinter();
        p.OrientationCapability = answer;
        Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{p}));
        TGmPrinter printer;
        EXPECT_EQ(printer.PrinterInfo().LandscapeRotation(), rotation) << "device answers " << answer;
    }
}
