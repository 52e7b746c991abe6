// A page drawn on an image with Qt's fonts, as the paper view draws it: 600 logical units per inch mapped
// to the image's 100 pixels per inch. The picture and the header and footer captions must land where the
// placement rules put them.

#include "pages/GmFooter.h"
#include "pages/GmHeader.h"
#include "pages/GmPageList.h"

#include "model/GmCanvas.h"
#include "model/units/GmDrawHelpers.h"
#include "resources/GmFontMapper.h"

#include "platform/graphics/Bitmap.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/printer/FakePrinterDevice.h"
#include "platform/surface/FontEngine.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/surface/qt/PainterSurface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int Logical = 600; // units per inch the page is drawn at
constexpr int Device = 100;  // pixels per inch of the image

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0; // inclusive
};

bool Dark(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 384; }

// The box of the dark pixels in [x0, x1) x [y0, y1), none when there are none.
std::optional<Box> DarkBox(const QImage& image, int x0, int y0, int x1, int y1)
{
    std::optional<Box> box;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (Dark(image.pixel(x, y))) {
                if (!box)
                    box = Box{x, y, x, y};
                box->left = std::min(box->left, x);
                box->right = std::max(box->right, x);
                box->top = std::min(box->top, y);
                box->bottom = std::max(box->bottom, y);
            }
    return box;
}

int ToDevice(Extended inches) { return static_cast<int>(std::lround(static_cast<double>(inches * Device))); }

// Width and height in inches of Text in Font, as the caption measures it.
std::pair<Extended, Extended> Measure(const plat::Font& font, const std::string& text)
{
    plat::RecordingSurface surface;
    surface.GetFont().SetPixelsPerInch(Logical);
    surface.GetFont().Assign(&font);
    Extended w = 0, h = 0;
    FontMapper().MeasureTextInches(surface, text, w, h);
    return {w, h};
}

} // namespace

TEST(PageDrawing, ThePictureAndTheCaptionsLandWhereThePlacementRulesPutThem)
{
    auto previous = plat::InstallPrinter(plat::FakePrinterDevice::WithOnePrinter());
    {
        TGmPageList list;
        list.NewPage();
        plat::Bitmap picture(192, 96, plat::PixelFormat::Bit24); // 2 x 1 inches at 96 per inch
        for (int y = 0; y < picture.GetHeight(); ++y)
            for (int x = 0; x < picture.GetWidth(); ++x)
                picture.SetPixel(x, y, 0x0000FF); // red
        list.Canvas().Draw(picture, gmInches, 2, 3, 1);
        list.Header().SetVisible(true);
        list.Header().CaptionLeft().SetCaption("ENTETE");
        list.Footer().SetVisible(true);
        list.Footer().CaptionRight().SetCaption("PIED");

        const plat::Font& font = list.Header().CaptionLeft().Font();
        const std::string face = plat::CurrentFontEngine().ResolvedFamily(font);
        RecordProperty("CaptionFace", face);
        EXPECT_FALSE(face.empty());

        const TGmPage& page = list.GetPage(1);
        QImage image(ToDevice(page.Width()), ToDevice(page.Height()), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            plat::PainterSurface surface(image);
            surface.SetMapMode(plat::MapMode::Anisotropic);
            surface.SetWindowExt(Logical, Logical);
            surface.SetViewportExt(Device, Device);
            page.Draw(surface, Logical, Logical, false);
        }

        // The picture: 2..4 in across, 3..4 in down.
        EXPECT_EQ(image.pixel(300, 350), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(202, 302), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(397, 397), qRgb(255, 0, 0));
        for (QPoint outside : {QPoint(197, 350), QPoint(403, 350), QPoint(300, 297), QPoint(300, 403)})
            EXPECT_EQ(image.pixel(outside), qRgb(255, 255, 255)) << outside.x() << "," << outside.y();

        const Extended lineHeight = FontHeightInches(font);
        const Extended pageWidth = page.Width(), pageHeight = page.Height();

        // Header: from the top margin down by the font's line height; the caption stands on the bottom
        // edge from the left margin, the line runs along that edge.
        const int headerBottom = ToDevice(0.5L + lineHeight);
        const auto [headerW, headerH] = Measure(font, "ENTETE");
        const auto header = DarkBox(image, 0, 0, image.width(), headerBottom - 1);
        ASSERT_TRUE(header.has_value());
        EXPECT_NEAR(header->left, 50, 3);
        EXPECT_NEAR(header->right, 50 + ToDevice(headerW), 4);
        EXPECT_GE(header->top, headerBottom - ToDevice(headerH) - 1);
        EXPECT_LE(header->bottom, headerBottom);
        const auto headerLine = DarkBox(image, 0, headerBottom - 1, image.width(), headerBottom + 2);
        ASSERT_TRUE(headerLine.has_value());
        EXPECT_NEAR(headerLine->left, 50, 1);
        EXPECT_NEAR(headerLine->right, ToDevice(pageWidth - 0.5L), 1);

        // Footer: from the bottom margin up by the line height; the right caption hangs from the top edge
        // and ends at the right margin, the line runs along the top edge.
        const int footerTop = ToDevice(pageHeight - 0.5L - lineHeight);
        const auto [footerW, footerH] = Measure(list.Footer().CaptionRight().Font(), "PIED");
        const auto footer = DarkBox(image, 0, footerTop + 2, image.width(), image.height());
        ASSERT_TRUE(footer.has_value());
        EXPECT_NEAR(footer->right, ToDevice(pageWidth - 0.5L), 4);
        EXPECT_NEAR(footer->left, ToDevice(pageWidth - 0.5L - footerW), 4);
        EXPECT_LE(footer->bottom, footerTop + ToDevice(footerH) + 1);
        const auto footerLine = DarkBox(image, 0, footerTop - 1, image.width(), footerTop + 2);
        ASSERT_TRUE(footerLine.has_value());
        EXPECT_NEAR(footerLine->left, 50, 1);
        EXPECT_NEAR(footerLine->right, ToDevice(pageWidth - 0.5L), 1);

        // Nothing else was drawn between the picture and the footer.
        EXPECT_FALSE(DarkBox(image, 0, 420, image.width(), footerTop - 2).has_value());
    }
    plat::InstallPrinter(std::move(previous));
}
