// Print settings: the translation to and from the printer's block, the defaults without a block, the
// printer choice.

#include "PrintingFixture.h"

#include <functional>

using plat::DevMode;
using plat::FakePrinter;
using plat::FakePrinterDevice;

namespace {

DevMode& Block()
{
    plat::PrinterNames names;
    return *plat::CurrentPrinter().GetPrinter(names);
}

} // namespace

TEST_F(PrintingTest, WithoutPrinterSettingsReadTheirDefaultsAndWritesChangeNothing)
{
    Install(std::make_unique<FakePrinterDevice>());
    TGmPrinter printer;
    // The main window's design settings, written at start.
    printer.SetCollate(true);
    printer.SetDuplex(gmVertDuplex);
    printer.SetPrintCopies(0);
    printer.SetPrintColor(gmMonochrome);
    printer.SetDitherType(gmGrayScale);
    printer.SetPrintQuality(gmHigh);
    printer.SetPaperSize(A3);

    EXPECT_FALSE(printer.GetCollate());
    EXPECT_EQ(printer.GetDuplex(), gmSimplex);
    EXPECT_EQ(printer.GetPrintCopies(), 1);
    EXPECT_EQ(printer.GetPrintColor(), gmColor);
    EXPECT_EQ(printer.GetDitherType(), gmNone);
    EXPECT_EQ(printer.GetPrintQuality(), gmMedium);
    EXPECT_EQ(printer.GetTitle(), "<document>");
    EXPECT_FALSE(printer.GetReversePrintOrder());
}

struct SettingRow {
    const char* name;
    std::function<void(TGmPrinter&)> write;
    uint32_t field;
    std::function<int(const DevMode&)> member;
    int stored;                               // the block's value after the write
    std::function<int(TGmPrinter&)> read;     // the setting read back, as an integer
    int readBack;
    friend void PrintTo(const SettingRow& row, std::ostream* os) { *os << row.name; }
};

class SettingTranslation : public PrintingTest, public testing::WithParamInterface<SettingRow> {};

TEST_P(SettingTranslation, WritesTheBlockAndReadsItBack)
{
    InstallOnePrinter();
    // A block that carries nothing yet, so that the field bit is the write's doing.
    Fake->Printer(0).Defaults.dmFields = 0;
    Fake->Printer(0).Defaults.dmDitherType = 99;
    TGmPrinter printer;
    const SettingRow& row = GetParam();
    row.write(printer);
    EXPECT_EQ(row.member(Block()), row.stored);
    EXPECT_EQ(Block().dmFields & row.field, row.field);
    EXPECT_EQ(row.read(printer), row.readBack);
}

auto Collate = [](const DevMode& m) { return int{m.dmCollate}; };
auto Duplex = [](const DevMode& m) { return int{m.dmDuplex}; };
auto Copies = [](const DevMode& m) { return int{m.dmCopies}; };
auto Color = [](const DevMode& m) { return int{m.dmColor}; };
auto Dither = [](const DevMode& m) { return static_cast<int>(m.dmDitherType); };
auto Quality = [](const DevMode& m) { return int{m.dmPrintQuality}; };
auto Paper = [](const DevMode& m) { return int{m.dmPaperSize}; };

SettingRow CollateRow(const char* name, bool v, int stored)
{
    return {name, [v](TGmPrinter& p) { p.SetCollate(v); }, plat::DM_COLLATE, Collate, stored,
            [](TGmPrinter& p) { return int{p.GetCollate()}; }, v ? 1 : 0};
}
SettingRow DuplexRow(const char* name, TGmDuplexType v, int stored)
{
    return {name, [v](TGmPrinter& p) { p.SetDuplex(v); }, plat::DM_DUPLEX, Duplex, stored,
            [](TGmPrinter& p) { return int{p.GetDuplex()}; }, v};
}
SettingRow CopiesRow(const char* name, int v, int stored)
{
    return {name, [v](TGmPrinter& p) { p.SetPrintCopies(v); }, plat::DM_COPIES, Copies, stored,
            [](TGmPrinter& p) { return p.GetPrintCopies(); }, stored};
}
SettingRow ColorRow(const char* name, TGmPrintColor v, int stored)
{
    return {name, [v](TGmPrinter& p) { p.SetPrintColor(v); }, plat::DM_COLOR, Color, stored,
            [](TGmPrinter& p) { return int{p.GetPrintColor()}; }, v};
}
SettingRow DitherRow(const char* name, TGmDitherType v, int stored)
{
    return {name, [v](TGmPrinter& p) { p.SetDitherType(v); }, plat::DM_DITHERTYPE, Dither, stored,
            [](TGmPrinter& p) { return int{p.GetDitherType()}; }, v};
}
SettingRow QualityRow(const char* name, TGmPrintQuality v, int stored)
{
    return {name, [v](TGmPrinter& p) { p.SetPrintQuality(v); }, plat::DM_PRINTQUALITY, Quality, stored,
            [](TGmPrinter& p) { return int{p.GetPrintQuality()}; }, v};
}
SettingRow PaperRow(const char* name, TGmPaperSize v, int stored)
{
    return {name, [v](TGmPrinter& p) { p.SetPaperSize(v); }, plat::DM_PAPERSIZE, Paper, stored,
            [stored](TGmPrinter&) { return stored; }, stored};
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingTranslation,
    testing::Values(CollateRow("CollateTrue", true, 1), CollateRow("CollateFalse", false, 0),
                    DuplexRow("Simplex", gmSimplex, 1), DuplexRow("HorzDuplex", gmHorzDuplex, 3),
                    DuplexRow("VertDuplex", gmVertDuplex, 2),
                    CopiesRow("CopiesZero", 0, 0), CopiesRow("Copies99", 99, 99),
                    CopiesRow("CopiesCutTo16Bits", 70000, 4464), CopiesRow("CopiesNegative", -5, -5),
                    CopiesRow("CopiesWrapToNegative", 40000, -25536),
                    ColorRow("Color", gmColor, 2), ColorRow("Monochrome", gmMonochrome, 1),
                    DitherRow("DitherNone", gmNone, 1), DitherRow("DitherCourse", gmCourse, 2),
                    DitherRow("DitherFine", gmFine, 3), DitherRow("DitherLineArt", gmLineArt, 4),
                    DitherRow("DitherGrayScale", gmGrayScale, 10),
                    QualityRow("Draft", gmDraft, -1), QualityRow("Low", gmLow, -2),
                    QualityRow("Medium", gmMedium, -3), QualityRow("High", gmHigh, -4),
                    PaperRow("PaperA4", A4, 9), PaperRow("PaperCustom", Custom, -1),
                    PaperRow("PaperC5", C5, 28), PaperRow("PaperA6", A6, 70), PaperRow("PaperLedger", Ledger, 4),
                    PaperRow("PaperEnvelope14", Envelope_14, 23)),
    [](const testing::TestParamInfo<SettingRow>& info) { return std::string(info.param.name); });

struct OddBlockRow {
    const char* name;
    std::function<void(DevMode&)> store;
    std::function<int(TGmPrinter&)> read;
    int expected;
    friend void PrintTo(const OddBlockRow& row, std::ostream* os) { *os << row.name; }
};

class OddBlockValues : public PrintingTest, public testing::WithParamInterface<OddBlockRow> {};

TEST_P(OddBlockValues, ReadAsTheirFallback)
{
    InstallOnePrinter();
    TGmPrinter printer;
    GetParam().store(Block());
    EXPECT_EQ(GetParam().read(printer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, OddBlockValues,
    testing::Values(
        OddBlockRow{"QualityInDotsPerInch", [](DevMode& m) { m.dmPrintQuality = 600; },
                    [](TGmPrinter& p) { return int{p.GetPrintQuality()}; }, gmMedium},
        OddBlockRow{"ColorZero", [](DevMode& m) { m.dmColor = 0; },
                    [](TGmPrinter& p) { return int{p.GetPrintColor()}; }, gmColor},
        OddBlockRow{"DuplexZero", [](DevMode& m) { m.dmDuplex = 0; },
                    [](TGmPrinter& p) { return int{p.GetDuplex()}; }, gmSimplex},
        OddBlockRow{"DitherErrorDiffusion", [](DevMode& m) { m.dmDitherType = plat::DMDITHER_ERRORDIFFUSION; },
                    [](TGmPrinter& p) { return int{p.GetDitherType()}; }, gmNone},
        OddBlockRow{"CollateTwo", [](DevMode& m) { m.dmCollate = 2; },
                    [](TGmPrinter& p) { return int{p.GetCollate()}; }, 0}),
    [](const testing::TestParamInfo<OddBlockRow>& info) { return std::string(info.param.name); });

TEST_F(PrintingTest, ABlockThePrinterRefusesIsReplacedByItsDefaultsWithoutAMessage)
{
    InstallOnePrinter();
    TGmPrinter printer;
    Fake->Printer(0).Defaults.dmCopies = 2;
    Fake->Printer(0).RejectsBlocks = true;
    printer.SetPrintCopies(9);
    EXPECT_EQ(Block(), Fake->Printer(0).Defaults);
    EXPECT_TRUE(Shown.empty());
}

TEST_F(PrintingTest, ChoosingAPrinterStartsItFromItsDefaults)
{
    FakePrinter first, second;
    first.Names.Device = "First";
    first.IsDefault = true;
    second.Names.Device = "Second";
    second.Portrait = plat::DeviceMetrics{2550, 3300, 2400, 3200, 75, 50, 300, 300};
    Install(std::make_unique<FakePrinterDevice>(std::vector<FakePrinter>{first, second}));
    TGmPrinter printer;
    Watch(printer);
    printer.SetPrintColor(gmMonochrome);
    printer.SetPrintCopies(5);
    printer.SetCollate(true);

    printer.SetPrinterIndex(0);   // the same printer: its settings are dropped all the same
    EXPECT_EQ(printer.GetPrintColor(), gmColor);
    EXPECT_EQ(printer.GetPrintCopies(), 1);
    EXPECT_FALSE(printer.GetCollate());

    printer.SetPrinterIndex(1);
    EXPECT_EQ(printer.GetPrinterIndex(), 1);
    EXPECT_EQ(printer.PrinterInfo().PhysicalWidth(), 2550);
    EXPECT_EQ(printer.GetPrinters(), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(FullLog(), (std::vector<std::string>{"OnChangePrinter", "OnChangePrinter"}));
}

TEST_F(PrintingTest, AQualityChangeReadsTheMetricsAgain)
{
    InstallOnePrinter();
    TGmPrinter printer;
    EXPECT_EQ(printer.PrinterInfo().LogPixelsX(), 300);
    Fake->Printer(0).Portrait = plat::DeviceMetrics{4961, 7016, 4800, 6900, 80, 60, 600, 600};
    EXPECT_EQ(printer.PrinterInfo().LogPixelsX(), 300);   // cached until something re-reads them
    printer.SetPrintQuality(gmHigh);
    EXPECT_EQ(printer.PrinterInfo().LogPixelsX(), 600);
}

TEST_F(PrintingTest, SettingsChangedDuringAJobGoIntoTheBlockWithoutReapplyingIt)
{
    InstallOnePrinter();
    TGmPrinter printer;
    ASSERT_TRUE(printer.BeginDoc());
    // A printer refusing blocks would reload its defaults if the block were made current now.
    Fake->Printer(0).RejectsBlocks = true;
    printer.SetPrintColor(gmMonochrome);
    EXPECT_EQ(Block().dmColor, plat::DMCOLOR_MONOCHROME);
    printer.EndDoc();
}

TEST(IsPrinterCanvas, TellsThePrintersSurfaceByItsClassNameInAnyCase)
{
    EXPECT_TRUE(IsPrinterCanvas(plat::RecordingSurface("TPrinterCanvas")));
    EXPECT_TRUE(IsPrinterCanvas(plat::RecordingSurface("tPRINTERcanvas")));
    EXPECT_FALSE(IsPrinterCanvas(plat::RecordingSurface("TCanvas")));
}
