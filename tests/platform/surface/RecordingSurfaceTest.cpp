#include "platform/surface/RasterOp.h"
#include "platform/surface/RecordingSurface.h"

#include "platform/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plat;

namespace {

struct TextFormCase {
    const char* name;
    std::function<void(Surface&)> call;
    const char* expected;
};

class RecordingTextForm : public ::testing::TestWithParam<TextFormCase> {};

// The text forms are what other tests assert on; each kind of argument list is pinned down once.
TEST_P(RecordingTextForm, LogsCallWithArguments)
{
    RecordingSurface s;
    GetParam().call(s);
    ASSERT_EQ(s.Records().size(), 1u);
    EXPECT_EQ(s.Records()[0].ToString(), GetParam().expected);
}

const Point triangle[] = {{0, 0}, {10, 0}, {5, 8}};

INSTANTIATE_TEST_SUITE_P(Recording, RecordingTextForm, ::testing::Values(
    TextFormCase{"MapMode", [](Surface& s) { s.SetMapMode(MapMode::Anisotropic); }, "SetMapMode Anisotropic"},
    TextFormCase{"Extent", [](Surface& s) { s.SetWindowExt(4961, 7016); }, "SetWindowExt 4961,7016"},
    TextFormCase{"Scale", [](Surface& s) { s.ScaleViewportExt(70, 100, 70, 100); },
                 "ScaleViewportExt 70,100,70,100"},
    TextFormCase{"Polygon", [](Surface& s) { s.Polygon(triangle); }, "Polygon 0,0 10,0 5,8"},
    TextFormCase{"Rectangle", [](Surface& s) { s.Rectangle({0, 0, 4961, 7016}); }, "Rectangle 0,0,4961,7016"},
    TextFormCase{"Pixel", [](Surface& s) { s.SetPixel(236, 472, clSilver); }, "SetPixel 236,472 C0C0C0"},
    TextFormCase{"DIBits", [](Surface& s) {
                     Bitmap b; // an empty bitmap is enough for the arguments
                     s.StretchDIBits({600, 1200, 1800, 2400}, {0, 0, 960, 480}, b, SRCCOPY);
                 }, "StretchDIBits 600,1200,1800,2400 src 0,0,960,480 rop CC0020"},
    TextFormCase{"TextWithClipAndAdvances", [](Surface& s) {
                     Rect clip{0, 0, 50, 20};
                     int adv[] = {7, 8};
                     s.TextOut(10, 20, &clip, "ab", adv);
                 }, "TextOut 10,20 clip 0,0,50,20 adv 7,8 \"ab\""},
    TextFormCase{"PlainText", [](Surface& s) { s.TextOut(1, 2, nullptr, "Page 1", {}); }, "TextOut 1,2 \"Page 1\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordingSurface, SnapshotKeepsStateAtTimeOfCall)
{
    RecordingSurface s("TPrinterCanvas");
    EXPECT_EQ(s.ClassName(), "TPrinterCanvas");
    s.GetPen().SetWidth(4);
    s.SetCopyMode(SRCAND);
    s.GetFont().SetPixelsPerInch(600);
    s.Lock();
    s.Rectangle({0, 0, 1, 1});
    s.Unlock();
    s.GetPen().SetWidth(9);
    s.SetCopyMode(SRCCOPY);
    s.Rectangle({0, 0, 1, 1});

    const SurfaceSnapshot& first = s.Records()[0].State;
    EXPECT_EQ(first.Pen.GetWidth(), 4);
    EXPECT_EQ(first.CopyMode, SRCAND);
    EXPECT_EQ(first.Font.GetPixelsPerInch(), 600);
    EXPECT_EQ(first.LockCount, 1);
    EXPECT_EQ(s.Records()[1].State.Pen.GetWidth(), 9);
    EXPECT_EQ(s.Records()[1].State.LockCount, 0);
}

// The clip as the paper view and the print job build it: a path traced as a polygon, then selected.
class RecordingPath : public ::testing::Test {
protected:
    void TraceRect(const Rect& r)
    {
        const Point p[] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom},
                           {r.Left, r.Top}, {r.Right, r.Top}};
        s.Polygon(p);
    }
    RecordingSurface s;
};

TEST_F(RecordingPath, FiguresInPathGiveBoundsAndDrawNothing)
{
    ASSERT_TRUE(s.BeginPath());
    TraceRect({300, 300, 4661, 6716});
    s.EndPath();
    EXPECT_EQ(s.LastPathBounds(), (Rect{300, 300, 4661, 6716}));
    EXPECT_TRUE(s.DrawingLines().empty());
    EXPECT_TRUE(s.Records()[1].State.InPath);
}

TEST_F(RecordingPath, ClipIsMappedWhenSelected)
{
    s.SetMapMode(MapMode::Anisotropic);
    s.SetWindowExt(600, 600);
    s.SetViewportExt(96, 96);
    s.SetViewportOrg(10, 20);
    ASSERT_TRUE(s.BeginPath());
    TraceRect({0, 0, 600, 1200});
    s.EndPath();
    s.SelectClipPath();
    EXPECT_EQ(s.ClipBounds(), (Rect{10, 20, 106, 212}));
    s.RemoveClip();
    EXPECT_FALSE(s.ClipBounds());
}

TEST_F(RecordingPath, FailingBeginPathLeavesNoPathAndNoClip)
{
    s.SetBeginPathFails(true);
    EXPECT_FALSE(s.BeginPath());
    TraceRect({0, 0, 10, 10});
    s.EndPath();
    s.SelectClipPath();
    EXPECT_FALSE(s.LastPathBounds());
    EXPECT_FALSE(s.ClipBounds());
    // Outside a path the polygon draws.
    EXPECT_EQ(s.DrawingLines().size(), 1u);
}

TEST_F(RecordingPath, EmptyPathHasNoBounds)
{
    ASSERT_TRUE(s.BeginPath());
    s.EndPath();
    EXPECT_FALSE(s.LastPathBounds());
}

TEST(RecordingSurface, RestoreStateBringsBackPenMappingAndClip)
{
    RecordingSurface s;
    s.BeginPath();
    s.Rectangle({0, 0, 10, 10});
    s.EndPath();
    s.SelectClipPath();
    s.SaveState();
    s.GetPen().SetWidth(7);
    s.SetMapMode(MapMode::Anisotropic);
    s.SetViewportExt(5, 5);
    s.RemoveClip();
    s.RestoreState();
    EXPECT_EQ(s.GetPen().GetWidth(), 1);
    EXPECT_EQ(s.GetMapMode(), MapMode::Text);
    EXPECT_EQ(s.ClipBounds(), (Rect{0, 0, 10, 10}));
    s.RestoreState(); // unbalanced: nothing happens
    EXPECT_EQ(s.ClipBounds(), (Rect{0, 0, 10, 10}));
}

} // namespace
