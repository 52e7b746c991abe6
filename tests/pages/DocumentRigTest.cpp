// A one-page document printed through the real CUPS and IPP printer of the print rig, the way the program
// prints: the page list's job loop, the canvas placing a picture from the printable corner, and the events
// a caller sees. Skipped when the rig does not run (scripts/print-rig.sh start).

#include "../platform/printer/PdfTools.h"
#include "../printing/RigJobs.h"

#include "model/GmCanvas.h"
#include "pages/GmPageList.h"
#include "printing/GmPrinter.h"
#include "printing/GmPrinterInfo.h"

#include "platform/core/Rounding.h"
#include "platform/graphics/Bitmap.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/printer/cups/CupsPrinterDevice.h"

#include <gtest/gtest.h>


namespace {

namespace fs = std::filesystem;

class DocumentOnTheRig : public testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::is_directory(rigjobs::RigDir() / "jobs"))
            GTEST_SKIP() << "the print rig does not run (scripts/print-rig.sh start)";
        if (!pdftools::HaveTools())
            GTEST_SKIP() << "poppler-utils missing";
        auto device = std::make_unique<plat::CupsPrinterDevice>();
        plat::CupsPrinterDevice* cups = device.get();
        m_previous = plat::InstallPrinter(std::move(device));
        m_installed = true;
        m_queue = cups->IndexOf("Vantric_IPP");
        if (m_queue < 0 || !cups->CreateIC("", "Vantric_IPP", ""))
            GTEST_SKIP() << "the rig's queue Vantric_IPP is missing or does not answer";
    }

    void TearDown() override
    {
        if (m_installed)
            plat::InstallPrinter(std::move(m_previous));
    }

    int m_queue = -1;

private:
    std::unique_ptr<plat::PrinterDevice> m_previous;
    bool m_installed = false;
};

TEST_F(DocumentOnTheRig, OnePagePrintsOnceWithItsEventsAndThePictureWhereTheOffsetsPutIt)
{
    // A 96 x 96 picture is one inch at 96 pixels per inch: solid blue, so the page shows where it lands.
    plat::Bitmap picture(96, 96, plat::PixelFormat::Bit24);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x)
            picture.SetPixel(x, y, plat::RGBColor(0, 0, 255));

    TGmPageList document;
    document.NewPage();
    TGmPrinter& printer = document.GmPrinter();
    printer.SetPrinterIndex(m_queue);
    const std::string title = rigjobs::UniqueTitle("document");
    printer.SetTitle(title);

    std::vector<std::string> events;
    printer.BeforePrint.Set([&](plat::Object*) { events.push_back("BeforePrint"); });
    printer.AfterPrint.Set([&](plat::Object*) { events.push_back("AfterPrint"); });
    document.OnPrintProgress.Set([&](plat::Object*, int printed, int total) {
        events.push_back("Progress " + std::to_string(printed) + "/" + std::to_string(total));
    });

    // As the copy command lays the page out: 20 mm right of and 30 mm below the printable corner.
    document.Canvas().SetCoordsRelativeTo(gmFromPrinterMargins);
    document.Canvas().Draw(picture, gmMillimeters, 20, 30, 1.0L);
    document.PrintPages(1, document.PageCount());

    EXPECT_EQ(events, (std::vector<std::string>{"BeforePrint", "Progress 1/1", "AfterPrint"}));
    EXPECT_FALSE(printer.Printing());

    auto job = rigjobs::WaitForJob(title);
    ASSERT_TRUE(job) << "the printer never received " << title;
    auto dir = pdftools::TempDir("rig-document");
    fs::copy_file(job->second, dir / "received.pdf", fs::copy_options::overwrite_existing);
    auto page = pdftools::Rasterise(dir / "received.pdf", 100);
    ASSERT_TRUE(page);

    TGmRect margins = printer.PrinterInfo().GetPrinterMarginsInches(false);
    const int left = plat::RoundToInt((margins.Left + 20 / 25.4L) * 100);
    const int top = plat::RoundToInt((margins.Top + 30 / 25.4L) * 100);
    for (auto [x, y] : {std::pair{left + 3, top + 3}, std::pair{left + 96, top + 3}, std::pair{left + 3, top + 96},
                        std::pair{left + 96, top + 96}})
        EXPECT_TRUE(page->IsColor(x, y, 0, 0, 255, 40)) << "inside at " << x << "," << y;
    for (auto [x, y] : {std::pair{left - 3, top + 50}, std::pair{left + 50, top - 3},
                        std::pair{left + 103, top + 50}, std::pair{left + 50, top + 103}})
        EXPECT_TRUE(page->IsColor(x, y, 255, 255, 255, 40)) << "outside at " << x << "," << y;
    fs::remove_all(dir);
}

} // namespace
