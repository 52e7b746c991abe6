// The recording canvas on a document: where a picture lands for a position, a stretch and an origin, what
// the resource table keeps of it, and the settings handed to each object.

#include "PagesFixture.h"

#include "model/GmCanvas.h"
#include "model/GmGraphicObject.h"
#include "model/units/GmFuncs.h"
#include "printing/GmPrinter.h"
#include "printing/GmPrinterInfo.h"
#include "resources/GmResourceTable.h"

#include "platform/core/Exceptions.h"

namespace {

constexpr Extended Tolerance = 1e-9L;

} // namespace

struct PlacementRow {
    const char* name;
    int width, height; // pixels
    Extended x, y, stretch;
    TGmRect expectedMm;
    friend void PrintTo(const PlacementRow& row, std::ostream* os) { *os << row.name; }
};

class Placements : public PagesTest, public testing::WithParamInterface<PlacementRow> {};

TEST_P(Placements, TakeThePictureAt96PixelsPerInchTimesTheStretch)
{
    const PlacementRow& row = GetParam();
    TGmPageList& list = MakeDocument();
    TGmGraphicObject* object =
        list.Canvas().Draw(Picture(row.width, row.height), gmMillimeters, row.x, row.y, row.stretch);
    const TGmRect mm = ConvertGmRect(object->Rect(), gmInches, gmMillimeters);
    EXPECT_NEAR(mm.Left, row.expectedMm.Left, Tolerance);
    EXPECT_NEAR(mm.Top, row.expectedMm.Top, Tolerance);
    EXPECT_NEAR(mm.Right, row.expectedMm.Right, Tolerance);
    EXPECT_NEAR(mm.Bottom, row.expectedMm.Bottom, Tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, Placements,
    testing::Values(PlacementRow{"NaturalSize", 960, 480, 10, 20, 1, {10, 20, 264, 147}},
                    PlacementRow{"HalfSize", 960, 480, 10, 20, 0.5L, {10, 20, 137, 83.5L}},
                    PlacementRow{"StretchZeroIsEmptyAtThePosition", 960, 480, 10, 20, 0, {10, 20, 10, 20}},
                    PlacementRow{"EmptyPicture", 0, 0, 10, 20, 1, {10, 20, 10, 20}},
                    // A4 scanned at 300 is far larger than the page: 25.83 x 36.54 inches.
                    PlacementRow{"ScanAt300", 2480, 3508, 0, 0, 1, {0, 0, 2480 / 96.0L * 25.4L, 3508 / 96.0L * 25.4L}},
                    PlacementRow{"NegativePositionAccepted", 96, 96, -30, -40, 2, {-30, -40, 20.8L, 10.8L}}),
    [](const testing::TestParamInfo<PlacementRow>& info) { return std::string(info.param.name); });

TEST_F(PagesTest, FromThePrinterMarginsZeroZeroIsTheFirstPrintablePoint)
{
    InstallPrinterWithMargins(75, 60); // 0.25 in, 0.2 in at 300 per inch
    TGmPageList& list = MakeDocument();
    list.Canvas().SetCoordsRelativeTo(gmFromPrinterMargins);
    TGmGraphicObject* object = list.Canvas().Draw(Picture(960, 480), gmMillimeters, 0, 0, 1.0L);
    EXPECT_NEAR(object->Rect().Left, 0.25L, Tolerance);
    EXPECT_NEAR(object->Rect().Top, 0.2L, Tolerance);
    EXPECT_NEAR(object->Rect().Right, 10.25L, Tolerance);
    EXPECT_NEAR(object->Rect().Bottom, 5.2L, Tolerance);
}

TEST_F(PagesTest, FromThePrinterMarginsUsesTheMarginsOfTheDocumentsPaper)
{
    // A printer that starts on Letter with 0.25 in margins and has 0.1 in margins on A4: an A4 document
    // prints on A4, so its picture must be placed from the A4 printable corner (it once took Letter's and
    // landed 0.15 in off on paper).
    auto device = plat::FakePrinterDevice::WithOnePrinter();
    plat::FakePrinter& printer = device->Printer(0);
    printer.Defaults.dmPaperSize = plat::DMPAPER_LETTER;
    printer.Portrait = plat::DeviceMetrics{2550, 3300, 2400, 3150, 75, 75, 300, 300};
    printer.PortraitByPaper[plat::DMPAPER_A4] = plat::DeviceMetrics{2481, 3507, 2421, 3447, 30, 30, 300, 300};
    Fake = device.get();
    plat::InstallPrinter(std::move(device));

    TGmPageList& list = MakeDocument();
    list.Canvas().SetCoordsRelativeTo(gmFromPrinterMargins);
    TGmGraphicObject* object = list.Canvas().Draw(Picture(96, 96), gmMillimeters, 0, 0, 1.0L);
    EXPECT_NEAR(object->Rect().Left, 0.1L, Tolerance);
    EXPECT_NEAR(object->Rect().Top, 0.1L, Tolerance);

    // The job then maps the page with the same margins: the picture's device origin is the printable corner.
    list.PrintPages(1, 1);
    ASSERT_EQ(Fake->Documents().size(), 1u);
    EXPECT_EQ(Fake->Documents()[0].Mode.dmPaperSize, plat::DMPAPER_A4);
    EXPECT_EQ(list.GmPrinter().PrinterInfo().GetPrinterMarginsInches(false).Left, 0.1L);
}

TEST_F(PagesTest, TheSamePictureIsStoredOnceWhenGraphicsAreCompared)
{
    TGmPageList& list = MakeDocument();
    TGmCanvas& canvas = list.Canvas();
    const plat::Bitmap picture = Picture(960, 480, 7);
    EXPECT_TRUE(canvas.GetCompareGraphics());

    TGmGraphicObject* a = canvas.Draw(picture, gmMillimeters, 0, 0, 1);
    TGmGraphicObject* b = canvas.Draw(picture, gmMillimeters, 10, 10, 1);
    EXPECT_EQ(list.ResourceTable().Pictures().Count(), 1);
    EXPECT_EQ(a->Graphic(), b->Graphic());
    EXPECT_NE(a->Graphic(), &picture); // the table keeps its own copy

    canvas.SetCompareGraphics(false);
    EXPECT_FALSE(list.ResourceTable().Pictures().CompareGraphics);
    canvas.Draw(picture, gmMillimeters, 0, 0, 1);
    canvas.Draw(picture, gmMillimeters, 0, 0, 1);
    EXPECT_EQ(list.ResourceTable().Pictures().Count(), 3);
    EXPECT_EQ(list.GetPage(1).Objects().Count(), 4);
}

TEST_F(PagesTest, StretchDrawKeepsTheCornersAsGivenAndHandsOnTheCopyMode)
{
    TGmPageList& list = MakeDocument();
    TGmCanvas& canvas = list.Canvas();
    EXPECT_EQ(canvas.GetCopyMode(), 0x00CC0020u);
    EXPECT_EQ(canvas.GetDefaultMeasurement(), gmMillimeters);
    EXPECT_EQ(canvas.GetCoordsRelativeTo(), gmFromPage);
    canvas.SetCopyMode(0x008800C6); // SRCAND
    TGmGraphicObject* object = canvas.StretchDraw(Picture(10, 10), gmInches, 3, 4, 1, 2);
    EXPECT_EQ(object->Rect(), MakeGmRect(3, 4, 1, 2));
    EXPECT_EQ(object->GetCopyMode(), 0x008800C6u);
}

TEST_F(PagesTest, GraphicSizeIsTheCanvasOwnAnswerInInches)
{
    TGmPageList& list = MakeDocument();
    TGmValueSize& size = list.Canvas().GetGraphicSize(Picture(960, 480));
    EXPECT_EQ(size.Width().AsInches(), 10);
    EXPECT_EQ(size.Height().AsInches(), 5);
    EXPECT_EQ(&list.Canvas().GetGraphicSize(Picture(96, 192)), &size);
    EXPECT_EQ(size.Height().AsInches(), 2);
}
