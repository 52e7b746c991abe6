// Printing into PDF: pictures keep every pixel whatever their format, sheets take their paper and
// orientation, a failed write leaves nothing behind; and the IPP attributes a settings block is sent with.

#include "PdfTools.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/printer/cups/CupsPrinterDevice.h"
#include "platform/printer/cups/PdfFilePrinterDevice.h"
#include "platform/surface/Surface.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plat;

namespace {

// Pseudo-random pixels: any re-encoding, shift or lossy step shows.
Bitmap NoisyBitmap(int w, int h, PixelFormat format)
{
    Bitmap b(w, h, format);
    if (format == PixelFormat::Bit1 || format == PixelFormat::Bit4 || format == PixelFormat::Bit8) {
        std::vector<PaletteEntry> palette;
        int entries = format == PixelFormat::Bit1 ? 2 : format == PixelFormat::Bit4 ? 16 : 256;
        for (int i = 0; i < entries; ++i)
            palette.push_back(PaletteEntry{static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i * 11),
                                           static_cast<uint8_t>(i * 5), 0});
        b.SetPalette(palette);
    }
    uint32_t seed = 2024;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            Color c = static_cast<Color>(seed >> 8) & 0xFFFFFF;
            if (b.GetPixelFormat() <= PixelFormat::Bit8) {
                // Pick a palette colour so that the pixel holds exactly one entry.
                const auto& palette = b.GetPalette();
                const PaletteEntry& e = palette[(seed >> 24) % palette.size()];
                c = RGBColor(e.Red, e.Green, e.Blue);
            }
            b.SetPixel(x, y, c);
        }
    return b;
}

Bitmap SolidBitmap(int w, int h, Color c)
{
    Bitmap b(w, h, PixelFormat::Bit24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, c);
    return b;
}

class PdfPrinting : public testing::Test {
protected:
    void SetUp() override
    {
        if (!pdftools::HaveTools())
            GTEST_SKIP() << "poppler-utils missing";
        Dir = pdftools::TempDir("pdfprint-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        Path = Dir / "out.pdf";
        Device = std::make_unique<PdfFilePrinterDevice>(Path.string(), 300);
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    std::filesystem::path Dir, Path;
    std::unique_ptr<PdfFilePrinterDevice> Device;
};

struct PictureRow {
    const char* name;
    PixelFormat format;
    Rect source;   // the part of a 61 x 43 bitmap drawn
    friend void PrintTo(const PictureRow& row, std::ostream* os) { *os << row.name; }
};

class PdfPictureFormats : public PdfPrinting, public testing::WithParamInterface<PictureRow> {};

TEST_P(PdfPictureFormats, KeepEveryPixelOfThePartDrawn)
{
    Bitmap bitmap = NoisyBitmap(61, 43, GetParam().format);
    const Rect& s = GetParam().source;
    Device->BeginDoc();
    Device->Canvas().StretchDIBits(Rect{100, 100, 100 + 3 * s.Width(), 100 + 3 * s.Height()}, s, bitmap, 0x00CC0020);
    Device->EndDoc();

    EXPECT_EQ(pdftools::PictureEncodings(Path), std::vector<std::string>{"image"});
    auto pictures = pdftools::Pictures(Path);
    ASSERT_EQ(pictures.size(), 1u);
    const pdftools::Image& img = pictures[0];
    ASSERT_EQ(img.Width, s.Width());
    ASSERT_EQ(img.Height, s.Height());
    int wrong = 0;
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) {
            Color c = bitmap.GetPixel(s.Left + x, s.Top + y);
            if (!img.IsColor(x, y, RedOf(c), GreenOf(c), BlueOf(c), 0))
                ++wrong;
        }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pdf, PdfPictureFormats,
    testing::Values(PictureRow{"Rgb24Whole", PixelFormat::Bit24, Rect{0, 0, 61, 43}},
                    PictureRow{"Rgb24Part", PixelFormat::Bit24, Rect{5, 7, 50, 40}},
                    PictureRow{"Rgb32", PixelFormat::Bit32, Rect{0, 0, 61, 43}},
                    PictureRow{"Indexed8", PixelFormat::Bit8, Rect{3, 0, 61, 43}},
                    PictureRow{"Indexed4OffByte", PixelFormat::Bit4, Rect{1, 2, 60, 43}},
                    PictureRow{"Mono1OffByte", PixelFormat::Bit1, Rect{3, 0, 58, 43}},
                    PictureRow{"Rgb16", PixelFormat::Bit16, Rect{0, 0, 61, 43}}),
    [](const testing::TestParamInfo<PictureRow>& info) { return std::string(info.param.name); });

TEST_F(PdfPrinting, PicturesLandWhereTheMappingPutsThemOnEachSheet)
{
    Bitmap red = SolidBitmap(30, 20, RGBColor(255, 0, 0));
    Bitmap blue = SolidBitmap(30, 20, RGBColor(0, 0, 255));
    Device->BeginDoc();
    // Half scale: logical (600, 300)-(1200, 700) is device (300, 150)-(600, 350) at 300 pixels per inch.
    Surface& canvas = Device->Canvas();
    canvas.SetMapMode(MapMode::Anisotropic);
    canvas.SetWindowExt(2, 2);
    canvas.SetViewportExt(1, 1);
    canvas.StretchBitmap(Rect{600, 300, 1200, 700}, red, 0x00CC0020);
    Device->EndPage();
    PrinterNames names;
    DevMode landscape = *Device->GetPrinter(names);
    landscape.dmOrientation = DMORIENT_LANDSCAPE;
    Device->ResetDC(landscape);
    Device->StartPage();
    canvas.SetMapMode(MapMode::Text);
    canvas.StretchBitmap(Rect{3000, 100, 3300, 400}, blue, 0x00CC0020);
    Device->EndDoc();

    auto page1 = pdftools::Rasterise(Path, 100, 1);
    auto page2 = pdftools::Rasterise(Path, 100, 2);
    ASSERT_TRUE(page1 && page2);
    EXPECT_NEAR(page1->Width, 827, 1);    // A4 portrait at 100
    EXPECT_NEAR(page2->Width, 1169, 1);   // A4 landscape
    // Device (300, 150)-(600, 350) at 300 is (100, 50)-(200, 117) at 100: inside red, outside white.
    EXPECT_TRUE(page1->IsColor(102, 52, 255, 0, 0));
    EXPECT_TRUE(page1->IsColor(197, 114, 255, 0, 0));
    EXPECT_TRUE(page1->IsColor(97, 52, 255, 255, 255));
    EXPECT_TRUE(page1->IsColor(203, 114, 255, 255, 255));
    // (3000, 100)-(3300, 400) is (1000, 33)-(1100, 133).
    EXPECT_TRUE(page2->IsColor(1003, 36, 0, 0, 255));
    EXPECT_TRUE(page2->IsColor(1097, 130, 0, 0, 255));
    EXPECT_TRUE(page2->IsColor(996, 36, 255, 255, 255));
}

TEST_F(PdfPrinting, AFileThatCannotBeWrittenFailsTheJobAndLeavesNothing)
{
    auto missing = Dir / "gone" / "out.pdf";
    Device->SetPath(missing.string());
    EXPECT_EQ(Device->CreateIC("PDF", PdfFilePrinterDevice::PrinterName, ""), nullptr);
    Device->BeginDoc();
    Device->Canvas().StretchBitmap(Rect{0, 0, 10, 10}, SolidBitmap(2, 2, 0), 0x00CC0020);
    EXPECT_THROW(Device->EndDoc(), EFCreateError);
    EXPECT_FALSE(Device->Printing());
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_TRUE(std::filesystem::is_empty(Dir));
}

struct AttributeRow {
    const char* name;
    std::function<void(DevMode&)> set;
    std::vector<PrinterOrientation> sheets;
    std::string key;
    std::string value;   // empty: not sent
    friend void PrintTo(const AttributeRow& row, std::ostream* os) { *os << row.name; }
};

class CupsJobAttributes : public testing::TestWithParam<AttributeRow> {};

TEST_P(CupsJobAttributes, FollowTheSettingsBlock)
{
    DevMode mode;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX | DM_COLLATE;
    GetParam().set(mode);
    auto attributes = CupsPrinterDevice::JobAttributes(mode, GetParam().sheets);
    auto it = attributes.find(GetParam().key);
    if (GetParam().value.empty())
        EXPECT_EQ(it, attributes.end());
    else
        EXPECT_EQ(it == attributes.end() ? "(absent)" : it->second, GetParam().value);
}

const std::vector<PrinterOrientation> Portrait{PrinterOrientation::Portrait};
const PrinterOrientation L = PrinterOrientation::Landscape, P = PrinterOrientation::Portrait;

INSTANTIATE_TEST_SUITE_P(
    Cups, CupsJobAttributes,
    testing::Values(
        AttributeRow{"CopiesAsSet", [](DevMode& m) { m.dmCopies = 3; }, Portrait, "copies", "3"},
        AttributeRow{"CopiesZeroPrintsOnce", [](DevMode& m) { m.dmCopies = 0; }, Portrait, "copies", "1"},
        AttributeRow{"CopiesNegativePrintsOnce", [](DevMode& m) { m.dmCopies = -5; }, Portrait, "copies", "1"},
        AttributeRow{"Collated", [](DevMode& m) { m.dmCollate = DMCOLLATE_TRUE; }, Portrait,
                     "multiple-document-handling", "separate-documents-collated-copies"},
        AttributeRow{"Uncollated", [](DevMode& m) { m.dmCollate = DMCOLLATE_FALSE; }, Portrait,
                     "multiple-document-handling", "separate-documents-uncollated-copies"},
        AttributeRow{"Monochrome", [](DevMode& m) { m.dmColor = DMCOLOR_MONOCHROME; }, Portrait, "print-color-mode", "monochrome"},
        AttributeRow{"ColorWhenUnknown", [](DevMode& m) { m.dmColor = 0; }, Portrait, "print-color-mode", "color"},
        AttributeRow{"Draft", [](DevMode& m) { m.dmPrintQuality = DMRES_DRAFT; }, Portrait, "print-quality", "3"},
        AttributeRow{"High", [](DevMode& m) { m.dmPrintQuality = DMRES_HIGH; }, Portrait, "print-quality", "5"},
        AttributeRow{"ResolutionIsNormal", [](DevMode& m) { m.dmPrintQuality = 600; }, Portrait, "print-quality", "4"},
        AttributeRow{"LongEdge", [](DevMode& m) { m.dmDuplex = DMDUP_VERTICAL; }, Portrait, "sides", "two-sided-long-edge"},
        AttributeRow{"ShortEdge", [](DevMode& m) { m.dmDuplex = DMDUP_HORIZONTAL; }, Portrait, "sides", "two-sided-short-edge"},
        AttributeRow{"MediaA4", [](DevMode& m) { m.dmPaperSize = DMPAPER_A4; }, Portrait, "media", "iso_a4_210x297mm"},
        AttributeRow{"MediaLetter", [](DevMode& m) { m.dmPaperSize = DMPAPER_LETTER; }, Portrait, "media", "na_letter_8.5x11in"},
        AttributeRow{"MediaCustomLeftToPrinter", [](DevMode& m) { m.dmPaperSize = -1; }, Portrait, "media", ""},
        AttributeRow{"NoColorField", [](DevMode& m) { m.dmFields &= ~DM_COLOR; }, Portrait, "print-color-mode", ""},
        AttributeRow{"Landscape", [](DevMode&) {}, std::vector<PrinterOrientation>{L, L}, "orientation-requested", "4"},
        AttributeRow{"PortraitSheets", [](DevMode&) {}, std::vector<PrinterOrientation>{P, P}, "orientation-requested", "3"},
        AttributeRow{"MixedSheetsEachAsTheyAre", [](DevMode&) {}, std::vector<PrinterOrientation>{P, L},
                     "orientation-requested", ""}),
    [](const testing::TestParamInfo<AttributeRow>& info) { return std::string(info.param.name); });

} // namespace
