// Printing through the real CUPS and IPP printer of the print rig (scripts/print-rig.sh): what the printer
// receives for the settings made, where a picture lands on the paper, and the failures a user must see.
// Skipped when the rig does not run.

#include "../platform/printer/PdfTools.h"

#include "PrintingFixture.h"
#include "RigJobs.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Rounding.h"
#include "platform/graphics/Bitmap.h"
#include "platform/printer/cups/CupsPrinterDevice.h"
#include "platform/surface/Surface.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

namespace fs = std::filesystem;
using rigjobs::Attributes;
using rigjobs::RigDir;
using rigjobs::UniqueTitle;
using rigjobs::WaitForJob;

namespace {

// A 96 x 96 picture (one inch at its natural 96 pixels per inch): a red frame 12 pixels wide round noise.
plat::Bitmap FramedPicture()
{
    plat::Bitmap b(96, 96, plat::PixelFormat::Bit24);
    uint32_t seed = 99;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            seed = seed * 1664525u + 1013904223u;
            bool frame = x < 12 || y < 12 || x >= 84 || y >= 84;
            b.SetPixel(x, y, frame ? plat::RGBColor(255, 0, 0) : static_cast<plat::Color>(seed >> 8) & 0xFFFFFF);
        }
    return b;
}

class PrintRig : public PrintingTest {
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        if (!fs::is_directory(RigDir() / "jobs"))
            GTEST_SKIP() << "the print rig does not run (scripts/print-rig.sh start)";
        auto device = std::make_unique<plat::CupsPrinterDevice>();
        Cups = device.get();
        m_previous = plat::InstallPrinter(std::move(device));
        m_installed = true;
        if (Cups->IndexOf("Vantric_IPP") < 0 || !Cups->CreateIC("", "Vantric_IPP", ""))
            GTEST_SKIP() << "the rig's queue Vantric_IPP is missing or does not answer";
        Printer = std::make_unique<TGmPrinter>();
        Printer->SetPrinterIndex(Cups->IndexOf("Vantric_IPP"));
    }

    void TearDown() override
    {
        Printer.reset();
        if (m_installed)
            plat::InstallPrinter(std::move(m_previous));
        PrintingTest::TearDown();
    }

    // One A4 portrait page with picture drawn G and H millimetres from the printable area's corner at its
    // natural size, as the page list draws it.
    void PrintPage(const std::string& title, const plat::Bitmap& picture, Extended g, Extended h,
                   TGmOrientation orientation = gmPortrait)
    {
        Printer->SetTitle(title);
        Printer->SetOrientation(orientation);
        Printer->SetPaperSize(A4);
        ASSERT_TRUE(Printer->BeginDoc());
        TGmPrinterInfo& info = Printer->PrinterInfo();
        TGmRect margins = info.GetPrinterMarginsInches(orientation == gmLandscape);
        const int ppiX = info.PixelsPerInchX(), ppiY = info.PixelsPerInchY();
        Extended left = margins.Left + g / 25.4L, top = margins.Top + h / 25.4L;
        plat::Rect dest{plat::RoundToInt(left * ppiX), plat::RoundToInt(top * ppiY),
                        plat::RoundToInt((left + picture.GetWidth() / 96.0L) * ppiX),
                        plat::RoundToInt((top + picture.GetHeight() / 96.0L) * ppiY)};
        Printer->Canvas().StretchDIBits(dest, plat::Rect{0, 0, picture.GetWidth(), picture.GetHeight()}, picture,
                                        0x00CC0020);
        Printer->EndDoc();
    }

    plat::CupsPrinterDevice* Cups = nullptr;
    std::unique_ptr<TGmPrinter> Printer;

private:
    std::unique_ptr<plat::PrinterDevice> m_previous;
    bool m_installed = false;
};

struct SettingsRow {
    const char* name;
    int copies;
    bool collate;
    TGmPrintColor color;
    TGmPrintQuality quality;
    TGmDuplexType duplex;
    TGmPaperSize paper;
    Attributes expected;          // IPP_* values the printer must receive ("": none, the printer's default)
    std::string mediaSize;        // "x-dimension=... y-dimension=..." of the media received
    friend void PrintTo(const SettingsRow& row, std::ostream* os) { *os << row.name; }
};

class PrintRigSettings : public PrintRig, public testing::WithParamInterface<SettingsRow> {};

TEST_P(PrintRigSettings, ReachThePrinterAsSet)
{
    const SettingsRow& row = GetParam();
    Printer->SetCollate(row.collate);
    Printer->SetDuplex(row.duplex);
    Printer->SetPrintCopies(row.copies);
    Printer->SetPrintColor(row.color);
    Printer->SetPrintQuality(row.quality);
    Watch(*Printer);
    std::string title = UniqueTitle(row.name);
    Printer->SetTitle(title);
    Printer->SetOrientation(gmPortrait);
    Printer->SetPaperSize(row.paper);
    ASSERT_TRUE(Printer->BeginDoc());
    Printer->EndDoc();
    EXPECT_EQ(FullLog(), (std::vector<std::string>{"BeforePrint", "AfterPrint"}));
    EXPECT_GT(Cups->LastJobId(), 0);

    auto job = WaitForJob(title);
    ASSERT_TRUE(job) << "the printer received no job named " << title;
    Attributes& got = job->first;
    for (const auto& [key, value] : row.expected)
        EXPECT_EQ(got.count(key) ? got[key] : "", value) << key;
    const std::string media = got.count("IPP_MEDIA_COL") ? got["IPP_MEDIA_COL"] : "";
    EXPECT_NE(media.find(row.mediaSize), std::string::npos) << media;
}

INSTANTIATE_TEST_SUITE_P(
    Rig, PrintRigSettings,
    testing::Values(
        SettingsRow{"ThreeCollatedMonochromeHighLongEdgeA4", 3, true, gmMonochrome, gmHigh, gmVertDuplex, A4,
                    {{"IPP_COPIES", "3"},
                     {"IPP_MULTIPLE_DOCUMENT_HANDLING", "separate-documents-collated-copies"},
                     {"IPP_PRINT_COLOR_MODE", "monochrome"},
                     {"IPP_PRINT_QUALITY", "high"},
                     {"IPP_SIDES", "two-sided-long-edge"}},
                    "x-dimension=21000 y-dimension=29700"},
        SettingsRow{"TwoUncollatedColourDraftShortEdgeA5", 2, false, gmColor, gmDraft, gmHorzDuplex, A5,
                    {{"IPP_COPIES", "2"},
                     {"IPP_MULTIPLE_DOCUMENT_HANDLING", "separate-documents-uncollated-copies"},
                     {"IPP_PRINT_COLOR_MODE", "color"},
                     {"IPP_PRINT_QUALITY", "draft"},
                     {"IPP_SIDES", "two-sided-short-edge"}},
                    "x-dimension=14800 y-dimension=21000"},
        // The copy count the main window starts with: one copy is printed, not none.
        SettingsRow{"NoCopiesPrintsOneOnLetter", 0, true, gmColor, gmMedium, gmSimplex, Letter,
                    {{"IPP_COPIES", ""}, {"IPP_PRINT_QUALITY", "normal"}, {"IPP_SIDES", "one-sided"}},
                    "x-dimension=21590 y-dimension=27940"}),
    [](const testing::TestParamInfo<SettingsRow>& info) { return std::string(info.param.name); });

TEST_F(PrintRig, APictureArrivesUnchangedWhereTheMappingPutsIt)
{
    if (!pdftools::HaveTools())
        GTEST_SKIP() << "poppler-utils missing";
    plat::Bitmap picture = FramedPicture();
    std::string title = UniqueTitle("picture");
    PrintPage(title, picture, 20, 30);
    auto job = WaitForJob(title);
    ASSERT_TRUE(job);

    auto dir = pdftools::TempDir("rig-picture");
    fs::copy_file(job->second, dir / "received.pdf", fs::copy_options::overwrite_existing);
    auto pictures = pdftools::Pictures(dir / "received.pdf");
    ASSERT_EQ(pictures.size(), 1u);
    ASSERT_EQ(pictures[0].Width, 96);
    ASSERT_EQ(pictures[0].Height, 96);
    int wrong = 0;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            plat::Color c = picture.GetPixel(x, y);
            wrong += !pictures[0].IsColor(x, y, plat::RedOf(c), plat::GreenOf(c), plat::BlueOf(c), 0);
        }
    EXPECT_EQ(wrong, 0);

    // At 100 pixels per inch the picture covers one inch from the printable corner (left margin 3.4 mm,
    // top 1.02 mm for A4 on the rig's printer) moved 20 mm right and 30 mm down.
    auto page = pdftools::Rasterise(dir / "received.pdf", 100);
    ASSERT_TRUE(page);
    TGmRect margins = Printer->PrinterInfo().GetPrinterMarginsInches(false);
    const int left = plat::RoundToInt((margins.Left + 20 / 25.4L) * 100);
    const int top = plat::RoundToInt((margins.Top + 30 / 25.4L) * 100);
    EXPECT_NEAR(left, 92, 1);
    EXPECT_NEAR(top, 122, 1);
    for (auto [x, y] : {std::pair{left + 2, top + 2}, std::pair{left + 97, top + 2}, std::pair{left + 2, top + 97},
                        std::pair{left + 97, top + 97}})
        EXPECT_TRUE(page->IsColor(x, y, 255, 0, 0, 40)) << "inside at " << x << "," << y;
    for (auto [x, y] : {std::pair{left - 3, top + 50}, std::pair{left + 50, top - 3}, std::pair{left + 103, top + 50},
                        std::pair{left + 50, top + 103}})
        EXPECT_TRUE(page->IsColor(x, y, 255, 255, 255, 40)) << "outside at " << x << "," << y;
    fs::remove_all(dir);
}

TEST_F(PrintRig, ALandscapePageIsPlacedFromThePrintersOwnPrintableCorner)
{
    if (!pdftools::HaveTools())
        GTEST_SKIP() << "poppler-utils missing";
    std::string title = UniqueTitle("landscape");
    PrintPage(title, FramedPicture(), 20, 30, gmLandscape);
    auto job = WaitForJob(title);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->first["IPP_ORIENTATION_REQUESTED"].empty() ? "landscape" : job->first["IPP_ORIENTATION_REQUESTED"],
              "landscape");
    auto dir = pdftools::TempDir("rig-landscape");
    fs::copy_file(job->second, dir / "received.pdf", fs::copy_options::overwrite_existing);
    auto page = pdftools::Rasterise(dir / "received.pdf", 100);
    fs::remove_all(dir);
    ASSERT_TRUE(page);
    ASSERT_LT(page->Width, page->Height) << "the paper comes out upright";
    // The printer lays the landscape page's top along the paper's left edge. Its printable corner is then
    // 3.4 mm from the left (the paper's left margin) and 11.68 mm from the bottom (the bottom margin) of
    // A4 on the rig's printer; the picture's inch square starts 30 mm right of that and 20 mm above it.
    const int left = plat::RoundToInt((3.4L + 30) / 25.4L * 100);
    const int bottom = plat::RoundToInt((297 - 11.68L - 20) / 25.4L * 100);
    const int top = bottom - 100;
    for (auto [x, y] : {std::pair{left + 3, top + 3}, std::pair{left + 96, top + 3}, std::pair{left + 3, bottom - 3},
                        std::pair{left + 96, bottom - 3}})
        EXPECT_TRUE(page->IsColor(x, y, 255, 0, 0, 40)) << "inside at " << x << "," << y;
    for (auto [x, y] : {std::pair{left - 4, top + 50}, std::pair{left + 50, top - 4}, std::pair{left + 104, top + 50},
                        std::pair{left + 50, bottom + 4}})
        EXPECT_TRUE(page->IsColor(x, y, 255, 255, 255, 40)) << "outside at " << x << "," << y;
}

TEST_F(PrintRig, ADocumentTheQueueRefusesIsAFailureNotAPrint)
{
    int index = Cups->IndexOf("Vantric_Reject");
    if (index < 0 || std::system("command -v cupsreject >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no Vantric_Reject queue";
    Printer->SetPrinterIndex(index);
    Watch(*Printer);
    ASSERT_TRUE(Printer->BeginDoc());
    // The queue stops taking jobs while the document is being made.
    ASSERT_EQ(std::system("cupsreject Vantric_Reject"), 0);
    try {
        Printer->EndDoc();
        ADD_FAILURE() << "a refused document was reported printed";
    } catch (const plat::EPrinter& e) {
        EXPECT_NE(e.Message().find("a refusé le document"), std::string::npos) << e.Message();
    }
    std::system("cupsaccept Vantric_Reject");
    EXPECT_FALSE(Printer->Printing());
    EXPECT_FALSE(Cups->Printing());
    EXPECT_EQ(FullLog(), std::vector<std::string>{"BeforePrint"});
}

TEST_F(PrintRig, APrinterThatDoesNotAnswerGetsTheBoxAndNoJob)
{
    int index = Cups->IndexOf("Vantric_Dead");
    if (index < 0)
        GTEST_SKIP() << "no Vantric_Dead queue";
    Printer->SetPrinterIndex(index);
    Watch(*Printer);
    EXPECT_FALSE(Printer->BeginDoc());
    EXPECT_EQ(Shown, std::vector<std::string>{"Unable to print... No Printer available."});
    EXPECT_TRUE(FullLog().empty());
}

} // namespace
