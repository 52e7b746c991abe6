#include "platform/surface/qt/QtFontEngine.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

TEST(QtFontEngine, ArialResolvesToAnInstalledFace)
{
    Font f; // "Arial"
    std::string face = CurrentFontEngine().ResolvedFamily(f);
    EXPECT_FALSE(face.empty());
    RecordProperty("ArialResolvesTo", face);
    std::cout << "Arial resolves to " << face << "\n";
}

TEST(QtFontEngine, MetricsFollowTheFontResolution)
{
    Font f;
    f.SetSize(12);
    f.SetPixelsPerInch(96);
    TextMetric screen = CurrentFontEngine().Metrics(f);
    f.SetPixelsPerInch(600);
    TextMetric fine = CurrentFontEngine().Metrics(f);
    EXPECT_EQ(fine.Height, fine.Ascent + fine.Descent);
    // 12 points are 16 pixels at 96 per inch and 100 at 600: the cell is somewhat taller than the em.
    EXPECT_GE(fine.Height, 100);
    EXPECT_LE(fine.Height, 130);
    EXPECT_NEAR(fine.Height / static_cast<double>(screen.Height), 6.25, 0.5);

    Size wide = CurrentFontEngine().Extent(f, "WWW");
    Size narrow = CurrentFontEngine().Extent(f, "iii");
    EXPECT_GT(wide.Width, narrow.Width);
    EXPECT_EQ(wide.Height, fine.Height);
}

TEST(QtFontEngine, MalformedTextIsMeasuredNotRejected)
{
    Font f;
    EXPECT_GT(CurrentFontEngine().Extent(f, std::string_view("\xC3\x28\xFF", 3)).Width, 0);
}

} // namespace
