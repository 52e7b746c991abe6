#include "platform/surface/qt/PainterSurface.h"

#include "platform/graphics/Bitmap.h"
#include "platform/surface/RasterOp.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <functional>

using namespace plat;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);

// A white image and a surface on it; the surface is closed before pixels are read.
class Canvas {
public:
    Canvas(int w, int h) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(White);
        surface = std::make_unique<PainterSurface>(image);
    }
    PainterSurface& S() { return *surface; }
    const QImage& Done()
    {
        surface.reset();
        return image;
    }

    QImage image;
    std::unique_ptr<PainterSurface> surface;
};

// Pixels of r (device) all have colour c.
::testing::AssertionResult AllOf(const QImage& img, QRect r, QRgb c)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) != c)
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                     << img.pixel(x, y);
    return ::testing::AssertionSuccess();
}

// --- mapping ----------------------------------------------------------------------------------------------

struct MappingCase {
    const char* name;
    std::function<void(Surface&)> setup;
    Rect logical;
    QRect device; // the pixels the fill must cover exactly
};

class PainterMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(PainterMapping, FillLandsWhereTheMappingSays)
{
    Canvas c(320, 400);
    GetParam().setup(c.S());
    c.S().GetBrush().SetColor(clBlack);
    c.S().FillRect(GetParam().logical);
    const QImage& img = c.Done();
    QRect d = GetParam().device;
    EXPECT_TRUE(AllOf(img, d, Black));
    // The ring just outside stays white.
    EXPECT_TRUE(AllOf(img, QRect(d.left() - 1, d.top() - 1, d.width() + 2, 1), White));
    EXPECT_TRUE(AllOf(img, QRect(d.left() - 1, d.bottom() + 1, d.width() + 2, 1), White));
    EXPECT_TRUE(AllOf(img, QRect(d.left() - 1, d.top(), 1, d.height()), White));
    EXPECT_TRUE(AllOf(img, QRect(d.right() + 1, d.top(), 1, d.height()), White));
}

INSTANTIATE_TEST_SUITE_P(Painter, PainterMapping, ::testing::Values(
    MappingCase{"SixHundredPerInchOnNinetySix", [](Surface& s) {
                    s.SetMapMode(MapMode::Anisotropic);
                    s.SetWindowExt(600, 600);
                    s.SetViewportExt(96, 96);
                    s.SetViewportOrg(10, 10);
                }, {600, 600, 1200, 1800}, QRect(106, 106, 96, 192)},
    // A4 at zoom 30 in the paper view: the sheet is 238 x 337 pixels at (30, 30).
    MappingCase{"PaperViewA4Zoom30", [](Surface& s) {
                    s.SetMapMode(MapMode::Anisotropic);
                    s.SetWindowExt(4961, 7016);
                    s.SetViewportExt(238, 337);
                    s.SetViewportOrg(30, 30);
                }, {0, 0, 4961, 7016}, QRect(30, 30, 238, 337)},
    MappingCase{"TextModeWithOrigin", [](Surface& s) { s.SetViewportOrg(-5, -7); }, {6, 8, 10, 11}, QRect(1, 1, 4, 3)},
    MappingCase{"PrintScaleSeventy", [](Surface& s) {
                    s.SetMapMode(MapMode::Anisotropic);
                    s.SetWindowExt(100, 100);
                    s.SetViewportExt(100, 100);
                    s.ScaleViewportExt(70, 100, 70, 100);
                }, {100, 100, 200, 300}, QRect(70, 70, 70, 140)}),
    [](const auto& info) { return std::string(info.param.name); });

// --- figures ----------------------------------------------------------------------------------------------

TEST(PainterSurface, RectangleOutlineExcludesRightAndBottomEdges)
{
    Canvas c(12, 10);
    c.S().GetPen().SetWidth(0);
    c.S().GetBrush().SetColor(clRed);
    c.S().Rectangle({2, 2, 8, 6});
    c.S().GetPen().SetStyle(PenStyle::Clear);
    c.S().Rectangle({9, 2, 11, 4}); // no outline: only the fill
    const QImage& img = c.Done();
    EXPECT_TRUE(AllOf(img, QRect(2, 2, 6, 1), Black));  // top, x 2..7
    EXPECT_TRUE(AllOf(img, QRect(2, 5, 6, 1), Black));  // bottom at y 5
    EXPECT_TRUE(AllOf(img, QRect(7, 2, 1, 4), Black));  // right at x 7
    EXPECT_TRUE(AllOf(img, QRect(3, 3, 4, 2), Red));    // inside
    EXPECT_TRUE(AllOf(img, QRect(8, 2, 1, 5), White));
    EXPECT_TRUE(AllOf(img, QRect(2, 6, 7, 1), White));
    EXPECT_TRUE(AllOf(img, QRect(9, 2, 2, 2), Red));
}

struct PenCase {
    const char* name;
    PenKind kind;
    int width;
    PenStyle style;
    int thickness; // pixels across a horizontal line at a mapping of 4 pixels a unit
};

class PainterPenWidth : public ::testing::TestWithParam<PenCase> {};

TEST_P(PainterPenWidth, LineThicknessFollowsPenKind)
{
    const PenCase& p = GetParam();
    Canvas c(80, 60);
    c.S().SetMapMode(MapMode::Anisotropic);
    c.S().SetWindowExt(1, 1);
    c.S().SetViewportExt(4, 4);
    c.S().GetPen().SetKind(p.kind);
    c.S().GetPen().SetWidth(p.width);
    c.S().GetPen().SetStyle(p.style);
    c.S().MoveTo(2, 7);
    c.S().LineTo(15, 7);
    const QImage& img = c.Done();
    int thickness = 0;
    for (int y = 0; y < img.height(); ++y)
        thickness += img.pixel(30, y) == Black;
    EXPECT_EQ(thickness, p.thickness);
}

INSTANTIATE_TEST_SUITE_P(Painter, PainterPenWidth, ::testing::Values(
    PenCase{"WidthZeroIsOnePixel", PenKind::Default, 0, PenStyle::Solid, 1},
    PenCase{"CosmeticIgnoresWidth", PenKind::Cosmetic, 3, PenStyle::Solid, 1},
    PenCase{"GeometricScalesWithMapping", PenKind::GeometricSquareMiter, 3, PenStyle::Solid, 12},
    PenCase{"DefaultScalesWithMapping", PenKind::Default, 2, PenStyle::Solid, 8},
    PenCase{"ClearDrawsNothing", PenKind::Default, 1, PenStyle::Clear, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PainterSurface, GeometricPenHasSquareEnds)
{
    Canvas c(40, 20);
    c.S().GetPen().SetKind(PenKind::GeometricSquareMiter);
    c.S().GetPen().SetWidth(6);
    c.S().MoveTo(10, 10);
    c.S().LineTo(30, 10);
    const QImage& img = c.Done();
    // Square ends reach half the width beyond both ends, with corners (round ends would leave them white).
    EXPECT_EQ(img.pixel(7, 7), Black);
    EXPECT_EQ(img.pixel(32, 12), Black);
    EXPECT_EQ(img.pixel(5, 10), White);
}

TEST(PainterSurface, PenMixModeXorInvertsTwice)
{
    Canvas c(10, 10);
    c.S().GetBrush().SetStyle(BrushStyle::Clear);
    c.S().GetPen().SetColor(clWhite);
    c.S().GetPen().SetMode(PenMode::Xor);
    c.S().Rectangle({1, 1, 8, 8});
    c.S().GetPen().SetMode(PenMode::Not);
    c.S().Rectangle({1, 1, 8, 8});
    c.S().Rectangle({1, 1, 8, 8});
    const QImage& img = c.Done();
    EXPECT_EQ(img.pixel(1, 1), Black); // white xor white, then inverted twice
    EXPECT_EQ(img.pixel(4, 4), White);
}

// --- clipping ---------------------------------------------------------------------------------------------

void ClipTo(Surface& s, const Rect& r, bool intersect = false)
{
    ASSERT_TRUE(s.BeginPath());
    const Point p[] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom},
                       {r.Left, r.Top}, {r.Right, r.Top}};
    s.Polygon(p);
    s.EndPath();
    if (intersect)
        s.IntersectClipPath();
    else
        s.SelectClipPath();
}

TEST(PainterSurface, ClipPathReplacesTheClipAndFollowsTheMapping)
{
    Canvas c(80, 80);
    Surface& s = c.S();
    s.GetBrush().SetColor(clBlack);
    ClipTo(s, {0, 0, 10, 10});
    s.SetMapMode(MapMode::Anisotropic);
    s.SetWindowExt(1, 1);
    s.SetViewportExt(2, 2);
    ClipTo(s, {20, 20, 30, 30}); // device 40..59
    s.FillRect({0, 0, 40, 40});
    const QImage& img = c.Done();
    EXPECT_TRUE(AllOf(img, QRect(40, 40, 20, 20), Black));
    EXPECT_TRUE(AllOf(img, QRect(0, 0, 40, 40), White)); // the first clip is gone, not added to
    EXPECT_TRUE(AllOf(img, QRect(60, 0, 20, 80), White));
}

TEST(PainterSurface, RemoveClipAndIntersectKeepThePainterClip)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    painter.setClipRect(0, 0, 30, 40); // the widget's own bounds
    {
        PainterSurface s(painter);
        s.GetBrush().SetColor(clBlack);
        ClipTo(s, {20, 0, 40, 10});
        ClipTo(s, {0, 0, 25, 40}, true);
        s.FillRect({0, 0, 40, 40});
        EXPECT_EQ(image.pixel(22, 5), Black);
        EXPECT_EQ(image.pixel(27, 5), White);
        s.RemoveClip();
        s.FillRect({0, 20, 40, 40});
    }
    painter.end();
    EXPECT_TRUE(AllOf(image, QRect(0, 20, 30, 20), Black));
    EXPECT_TRUE(AllOf(image, QRect(30, 0, 10, 40), White));
}

TEST(PainterSurface, PainterTransformAtConstructionComesAfterTheMapping)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    painter.translate(30, 20); // a control painting on its parent at (30, 20)
    {
        PainterSurface s(painter);
        s.SetMapMode(MapMode::Anisotropic);
        s.SetWindowExt(2, 2);
        s.SetViewportExt(1, 1);
        Bitmap b(1, 1, PixelFormat::Bit24);
        b.SetPixel(0, 0, clRed);
        s.StretchBitmap({-20, -20, 20, 20}, b, SRCCOPY); // device -10..9, partly off the image
    }
    painter.end();
    EXPECT_TRUE(AllOf(image, QRect(20, 10, 20, 20), Red));
    EXPECT_TRUE(AllOf(image, QRect(0, 0, 20, 40), White));
    EXPECT_TRUE(AllOf(image, QRect(20, 30, 20, 10), White));
}

// --- bitmaps ----------------------------------------------------------------------------------------------

struct RopCase {
    const char* name;
    uint32_t rop;
    QRgb expected; // destination 0xF00FFF (r, g, b) with source 0x3CFF00
};

class PainterRasterOp : public ::testing::TestWithParam<RopCase> {};

TEST_P(PainterRasterOp, StretchDIBitsCombinesAsTheRopSays)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(0xF0, 0x0F, 0xFF));
    {
        PainterSurface s(image);
        s.GetBrush().SetColor(RGBColor(0x0F, 0xF0, 0x55));
        Bitmap b(1, 1, PixelFormat::Bit24);
        b.SetPixel(0, 0, RGBColor(0x3C, 0xFF, 0x00));
        s.StretchDIBits({0, 0, 4, 4}, {0, 0, 1, 1}, b, GetParam().rop);
    }
    EXPECT_TRUE(AllOf(image, QRect(0, 0, 4, 4), GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Painter, PainterRasterOp, ::testing::Values(
    RopCase{"SRCCOPY", SRCCOPY, qRgb(0x3C, 0xFF, 0x00)},
    RopCase{"SRCAND", SRCAND, qRgb(0x30, 0x0F, 0x00)},
    RopCase{"SRCPAINT", SRCPAINT, qRgb(0xFC, 0xFF, 0xFF)},
    RopCase{"SRCINVERT", SRCINVERT, qRgb(0xCC, 0xF0, 0xFF)},
    RopCase{"SRCERASE", SRCERASE, qRgb(0x0C, 0xF0, 0x00)},
    RopCase{"NOTSRCCOPY", NOTSRCCOPY, qRgb(0xC3, 0x00, 0xFF)},
    RopCase{"NOTSRCERASE", NOTSRCERASE, qRgb(0x03, 0x00, 0x00)},
    RopCase{"MERGEPAINT", MERGEPAINT, qRgb(0xF3, 0x0F, 0xFF)},
    RopCase{"MERGECOPY", MERGECOPY, qRgb(0x0C, 0xF0, 0x00)},
    RopCase{"PATCOPY", PATCOPY, qRgb(0x0F, 0xF0, 0x55)},
    RopCase{"PATINVERT", PATINVERT, qRgb(0xFF, 0xFF, 0xAA)},
    RopCase{"PATPAINT", PATPAINT, qRgb(0xFF, 0xFF, 0xFF)},
    RopCase{"DSTINVERT", DSTINVERT, qRgb(0x0F, 0xF0, 0x00)},
    RopCase{"BLACKNESS", BLACKNESS, qRgb(0, 0, 0)},
    RopCase{"WHITENESS", WHITENESS, qRgb(255, 255, 255)},
    RopCase{"UnknownCodeCopies", 0, qRgb(0x3C, 0xFF, 0x00)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PainterSurface, StretchIsNearestNeighbourAndFollowsMirroredDestinations)
{
    Bitmap b(2, 1, PixelFormat::Bit24);
    b.SetPixel(0, 0, clRed);
    b.SetPixel(1, 0, clBlue);
    Canvas c(12, 4);
    c.S().StretchBitmap({0, 0, 6, 2}, b, SRCCOPY);
    c.S().StretchBitmap({12, 2, 6, 4}, b, SRCCOPY); // right to left
    const QImage& img = c.Done();
    EXPECT_TRUE(AllOf(img, QRect(0, 0, 3, 2), Red));
    EXPECT_TRUE(AllOf(img, QRect(3, 0, 3, 2), qRgb(0, 0, 255)));
    EXPECT_TRUE(AllOf(img, QRect(9, 2, 3, 2), Red));
    EXPECT_TRUE(AllOf(img, QRect(6, 2, 3, 2), qRgb(0, 0, 255)));
}

TEST(PainterSurface, SourceOutsideTheBitmapDrawsOnlyWhatExists)
{
    Bitmap b(2, 2, PixelFormat::Bit24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            b.SetPixel(x, y, clRed);
    Canvas c(8, 8);
    c.S().StretchDIBits({0, 0, 8, 8}, {-2, 0, 2, 2}, b, SRCCOPY);
    const QImage& img = c.Done();
    EXPECT_TRUE(AllOf(img, QRect(0, 0, 4, 8), White));
    EXPECT_TRUE(AllOf(img, QRect(4, 0, 4, 8), Red));
}

TEST(PainterSurface, PdfEmbedsPicturesLosslesslyAndCopiesWithoutRasterOps)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        PainterSurface s(writer, "TPrinterCanvas");
        EXPECT_FALSE(s.SupportsRasterOps());
        Bitmap b(64, 64, PixelFormat::Bit24);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                b.SetPixel(x, y, RGBColor(x * 4, y * 4, (x * y) & 0xFF));
        s.StretchDIBits({0, 0, 640, 640}, {0, 0, 64, 64}, b, SRCAND);
    }
    const QByteArray bytes = pdf.data();
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
    EXPECT_FALSE(bytes.contains("/DCTDecode"));
}

TEST(PainterSurface, CoordinatesFarOutsideTheDeviceArePinned)
{
    constexpr int big = 2000000000;
    Canvas c(20, 20);
    Surface& s = c.S();
    s.SetMapMode(MapMode::Anisotropic);
    s.SetWindowExt(1, 1);
    s.SetViewportExt(1000, 1000); // every coordinate below overflows an int once mapped
    s.GetBrush().SetColor(clRed);
    s.Rectangle({-big, -big, big, big});
    s.GetPen().SetKind(PenKind::GeometricSquareMiter);
    s.GetPen().SetWidth(big);
    s.MoveTo(-big, 0);
    s.LineTo(big, 0);
    Bitmap b(1, 1, PixelFormat::Bit24);
    b.SetPixel(0, 0, clRed);
    s.StretchDIBits({-big, -big, big, big}, {0, 0, 1, 1}, b, SRCCOPY);
    const QImage& img = c.Done();
    EXPECT_EQ(img.pixel(10, 10), Red);
}

// --- text -------------------------------------------------------------------------------------------------

int InkIn(const QImage& img, QRect r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}

TEST(PainterSurface, TextStaysInsideItsClipRectangle)
{
    Canvas c(200, 40);
    c.S().GetFont().SetPixelsPerInch(96);
    c.S().GetFont().SetSize(18);
    c.S().GetFont().SetColor(clBlack);
    Rect clip{0, 0, 60, 40};
    c.S().TextOut(5, 5, &clip, "WWWWWWWWWW", {});
    const QImage& img = c.Done();
    EXPECT_GT(InkIn(img, QRect(5, 0, 55, 40)), 0);
    EXPECT_EQ(InkIn(img, QRect(60, 0, 140, 40)), 0);
}

TEST(PainterSurface, TextTopLeftAndAdvancesPlaceEachCharacter)
{
    Canvas c(200, 60);
    c.S().SetMapMode(MapMode::Anisotropic);
    c.S().SetWindowExt(2, 2);
    c.S().SetViewportExt(1, 1); // logical units are half pixels
    c.S().GetFont().SetPixelsPerInch(96);
    c.S().GetFont().SetSize(30); // 40 logical, 20 device pixels
    c.S().GetFont().SetColor(clBlack);
    const int advances[] = {160, 160};
    c.S().TextOut(20, 20, nullptr, "II", advances);
    const QImage& img = c.Done();
    EXPECT_EQ(InkIn(img, QRect(0, 0, 200, 10)), 0); // nothing above the top
    EXPECT_GT(InkIn(img, QRect(10, 10, 10, 25)), 0);
    EXPECT_EQ(InkIn(img, QRect(20, 0, 68, 60)), 0); // the gap the advance leaves
    EXPECT_GT(InkIn(img, QRect(90, 10, 10, 25)), 0);
}

} // namespace
