// A picture object drawn on a real image through the QPainter surface: its pixels land exactly in the
// rectangle GetDeviceRect gives, on the screen's path and on the printer's.

#include "model/GmGraphicObject.h"

#include "resources/GmResourceTable.h"

#include "platform/graphics/Bitmap.h"
#include "platform/surface/qt/PainterSurface.h"

#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct ImageCase {
    const char* Name;
    const char* SurfaceClass;
    int Ppi;            // the objects' resolution
    int LogicalPerPixel; // logical units per image pixel (the paper view draws at 600 into 96 or so)
};

void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.Name; }

class PictureOnImage : public testing::TestWithParam<ImageCase> {};

TEST_P(PictureOnImage, PixelsFillTheDeviceRectangleAndNothingElse)
{
    const ImageCase& c = GetParam();
    // Left half red, right half blue.
    plat::Bitmap picture(4, 2, plat::PixelFormat::Bit24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            picture.SetPixel(x, y, x < 2 ? plat::clRed : plat::clBlue);
    TGmResourceTable table;
    TGmGraphicObject object(table);
    object.SetGraphic(&picture);
    object.SetRect(gmInches, MakeGmRect(0.5L, 0.25L, 1.5L, 0.75L));

    TGmDrawData data;
    data.PpiX = data.PpiY = c.Ppi;
    const plat::Rect logical = object.GetDeviceRect(c.Ppi, c.Ppi);
    const plat::Rect r{logical.Left / c.LogicalPerPixel, logical.Top / c.LogicalPerPixel,
                       logical.Right / c.LogicalPerPixel, logical.Bottom / c.LogicalPerPixel};
    ASSERT_EQ(r, (plat::Rect{50, 25, 150, 75}));

    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        plat::PainterSurface surface(image, c.SurfaceClass);
        if (c.LogicalPerPixel != 1) {
            surface.SetMapMode(plat::MapMode::Anisotropic);
            surface.SetWindowExt(c.LogicalPerPixel, c.LogicalPerPixel);
            surface.SetViewportExt(1, 1);
        }
        object.Draw(surface, data);
    }

    int wrong = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb expected = qRgb(255, 255, 255);
            if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
                expected = x < (r.Left + r.Right) / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
            if (image.pixel(x, y) != expected && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << image.pixel(x, y);
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Objects, PictureOnImage, testing::Values(
    ImageCase{"ScreenOnePixelAUnit", "TPainterCanvas", 100, 1},
    ImageCase{"PaperViewMapping", "TPainterCanvas", 600, 6},
    ImageCase{"PrinterSheet", "TPrinterCanvas", 100, 1}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
