#include "platform/surface/FontEngine.h"
#include "platform/surface/Metafile.h"
#include "platform/surface/RasterOp.h"
#include "platform/surface/RecordingSurface.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace plat;

namespace {

Bitmap SmallBitmap()
{
    Bitmap b(4, 2, PixelFormat::Bit24);
    b.SetPixel(0, 0, clRed);
    b.SetPixel(3, 1, clBlue);
    return b;
}

// One of everything a page draws, with state changes in between.
void DrawScene(Surface& s, const Bitmap& picture)
{
    s.GetPen().SetWidth(4);
    s.GetPen().SetKind(PenKind::GeometricSquareMiter);
    s.GetBrush().SetColor(clSilver);
    const Point triangle[] = {{10, 10}, {200, 10}, {100, 150}};
    s.Polygon(triangle);
    s.GetPen().SetWidth(0);
    s.GetBrush().SetStyle(BrushStyle::Clear);
    s.Rectangle({0, 0, 500, 700});
    s.MoveTo(0, 350);
    s.LineTo(500, 350);
    s.SetPixel(7, 8, clTeal);
    s.GetBrush().SetStyle(BrushStyle::Solid);
    s.FillRect({20, 20, 40, 40});
    s.SetCopyMode(SRCAND);
    s.StretchDIBits({600, 100, 900, 250}, {0, 0, 4, 2}, picture, s.GetCopyMode());
    s.StretchBitmap({50, 600, 90, 620}, picture, SRCCOPY);
    s.GetFont().SetPixelsPerInch(600);
    s.GetFont().SetSize(12);
    Rect clip{0, 0, 300, 800};
    const int advances[] = {50, 60, 55};
    s.TextOut(30, 760, &clip, "Abc", advances);
}

// What a drawing record did, with the state it drew with.
std::vector<std::string> Drawn(const RecordingSurface& s)
{
    std::vector<std::string> out;
    for (const auto& r : s.Records()) {
        if (r.State.InPath)
            continue;
        switch (r.Kind) {
        case SurfaceCall::Polygon: case SurfaceCall::Rectangle: case SurfaceCall::LineTo:
        case SurfaceCall::SetPixel: case SurfaceCall::FillRect: case SurfaceCall::StretchBitmap:
        case SurfaceCall::StretchDIBits: case SurfaceCall::TextOut:
            out.push_back(r.ToString() + " | pen " + std::to_string(r.State.Pen.GetWidth()) + " kind "
                          + std::to_string(static_cast<int>(r.State.Pen.GetKind())) + " brush "
                          + std::to_string(r.State.Brush.GetColor()) + "/"
                          + std::to_string(static_cast<int>(r.State.Brush.GetStyle())) + " font "
                          + std::to_string(r.State.Font.GetPixelHeight()) + " rop "
                          + std::to_string(r.State.CopyMode));
            break;
        default:
            break;
        }
    }
    return out;
}

class MetafileReplay : public ::testing::Test {
protected:
    void Record(Metafile& mf)
    {
        MetafileSurface ms(mf);
        DrawScene(ms, picture);
    }
    Bitmap picture = SmallBitmap();
};

TEST_F(MetafileReplay, ReplayAtFrameSizeEqualsDirectDrawing)
{
    RecordingSurface direct;
    DrawScene(direct, picture);

    Metafile mf(1000, 1000);
    Record(mf);
    RecordingSurface replayed;
    replayed.StretchDraw({0, 0, 1000, 1000}, mf);

    EXPECT_EQ(Drawn(replayed), Drawn(direct));
}

TEST_F(MetafileReplay, ReplayScalesCoordinatesPensAndFontsAndRestoresTheSurface)
{
    Metafile mf(1000, 1000);
    Record(mf);
    RecordingSurface s;
    s.GetPen().SetWidth(3);
    s.StretchDraw({100, 100, 2100, 600}, mf); // x twice, y half

    auto lines = s.DrawingLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Polygon 120,105 500,105 300,175");
    EXPECT_EQ(lines[1], "Rectangle 100,100,1100,450");
    EXPECT_EQ(lines[5], "StretchDIBits 1300,150,1900,225 src 0,0,4,2 rop 8800C6");
    EXPECT_EQ(lines[7], "TextOut 160,480 clip 100,100,700,500 adv 100,120,110 \"Abc\"");
    const auto& rec = s.Records();
    auto polygon = std::find_if(rec.begin(), rec.end(), [](auto& r) { return r.Kind == SurfaceCall::Polygon; });
    EXPECT_EQ(polygon->State.Pen.GetWidth(), 8);
    auto text = std::find_if(rec.begin(), rec.end(), [](auto& r) { return r.Kind == SurfaceCall::TextOut; });
    EXPECT_EQ(text->State.Font.GetPixelsPerInch(), 300);
    // Replaying leaves the surface's own state as it was.
    EXPECT_EQ(s.GetPen().GetWidth(), 3);
    EXPECT_EQ(s.GetCopyMode(), SRCCOPY);
}

TEST_F(MetafileReplay, RecordingAppliesTheSurfaceMapping)
{
    Metafile mf;
    {
        MetafileSurface ms(mf);
        ms.SetMapMode(MapMode::Anisotropic);
        ms.SetWindowExt(600, 600);
        ms.SetViewportExt(96, 96);
        ms.Rectangle({0, 0, 600, 1200});
    }
    // A metafile without a frame takes the extent of what was drawn.
    EXPECT_EQ(mf.GetWidth(), 96);
    EXPECT_EQ(mf.GetHeight(), 192);
    RecordingSurface s;
    s.StretchDraw({0, 0, 96, 192}, mf);
    EXPECT_EQ(s.DrawingLines(), (std::vector<std::string>{"Rectangle 0,0,96,192"}));
}

TEST_F(MetafileReplay, RecordedClipNarrowsTheSurfaceClipOnlyDuringReplay)
{
    Metafile mf(100, 100);
    {
        MetafileSurface ms(mf);
        ms.BeginPath();
        ms.Rectangle({10, 10, 50, 50});
        ms.EndPath();
        ms.SelectClipPath();
        ms.FillRect({0, 0, 100, 100});
    }
    RecordingSurface s;
    s.BeginPath();
    s.Rectangle({0, 0, 30, 30});
    s.EndPath();
    s.SelectClipPath();
    s.StretchDraw({0, 0, 100, 100}, mf);
    auto fill = std::find_if(s.Records().begin(), s.Records().end(),
                             [](auto& r) { return r.Kind == SurfaceCall::FillRect; });
    ASSERT_NE(fill, s.Records().end());
    EXPECT_EQ(s.Count(SurfaceCall::IntersectClipPath), 1);
    EXPECT_EQ(s.ClipBounds(), (Rect{0, 0, 30, 30}));
}

TEST(MetafileSurface, PathBoundsAndDrawnBounds)
{
    Metafile mf;
    MetafileSurface ms(mf);
    EXPECT_EQ(ms.ClassName(), "TMetafileCanvas");
    ASSERT_TRUE(ms.BeginPath());
    const Point p[] = {{300, 300}, {4661, 300}, {4661, 6716}, {300, 6716}, {300, 300}, {4661, 300}};
    ms.Polygon(p);
    ms.EndPath();
    EXPECT_EQ(ms.PathBounds(), (Rect{300, 300, 4661, 6716}));
    EXPECT_FALSE(ms.DrawnBounds());

    // A picture traces no figure, but it is drawn.
    ASSERT_TRUE(ms.BeginPath());
    ms.StretchBitmap({600, 1200, 1800, 2400}, SmallBitmap(), SRCCOPY);
    ms.EndPath();
    EXPECT_FALSE(ms.PathBounds());
    EXPECT_EQ(ms.DrawnBounds(), (Rect{600, 1200, 1800, 2400}));
}

TEST(MetafileSurface, MeasuresThroughTheFontEngineAtTheFontResolution)
{
    Metafile mf;
    MetafileSurface ms(mf);
    ms.GetFont().SetPixelsPerInch(600);
    ms.GetFont().SetSize(12);
    EXPECT_EQ(ms.GetTextMetrics().Height, CurrentFontEngine().Metrics(ms.GetFont()).Height);
    EXPECT_GT(ms.GetTextMetrics().Height, 90); // 12 points at 600 per inch is 100 pixels
}

// ---------------------------------------------------------------------------------------------------------
// Stream form

std::vector<uint8_t> Saved(const Metafile& mf)
{
    MemoryStream out;
    mf.SaveToStream(out);
    return out.Bytes();
}

TEST_F(MetafileReplay, StreamRoundTripKeepsEveryRecord)
{
    Metafile mf(1000, 1000);
    Record(mf);
    std::vector<uint8_t> bytes = Saved(mf);

    Metafile back;
    MemoryStream in(bytes);
    back.LoadFromStream(in);
    EXPECT_EQ(back.GetWidth(), 1000);
    EXPECT_EQ(back.GetHeight(), 1000);
    EXPECT_EQ(Saved(back), bytes);

    RecordingSurface a, b;
    mf.Draw(a, {0, 0, 500, 500});
    back.Draw(b, {0, 0, 500, 500});
    EXPECT_EQ(Drawn(a), Drawn(b));
    auto dib = [](const RecordingSurface& s) {
        return std::find_if(s.Records().begin(), s.Records().end(),
                            [](auto& r) { return r.Kind == SurfaceCall::StretchDIBits; });
    };
    EXPECT_EQ(back.Records().size(), mf.Records().size());
    EXPECT_NE(dib(b), b.Records().end());
}

TEST_F(MetafileReplay, PicturesReadBackToBackFromOneStream)
{
    Metafile first(1000, 1000), second(10, 20);
    Record(first);
    {
        MetafileSurface ms(second);
        ms.Rectangle({1, 2, 3, 4});
    }
    MemoryStream s;
    first.SaveToStream(s);
    second.SaveToStream(s);
    s.WriteInt32LE(0x55AA);
    s.SetPosition(0);

    Metafile a, b;
    a.LoadFromStream(s);
    b.LoadFromStream(s);
    EXPECT_EQ(a.Records().size(), first.Records().size());
    EXPECT_EQ(b.GetHeight(), 20);
    EXPECT_EQ(s.ReadInt32LE(), 0x55AA);
}

// A metafile of one record; corruptions are applied to its bytes.
std::vector<uint8_t> OneRectangle()
{
    Metafile mf(10, 10);
    {
        MetafileSurface ms(mf);
        ms.Rectangle({1, 2, 3, 4});
    }
    return Saved(mf);
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Offsets in the saved form: header 20 bytes; then SelectPen (5 ints), SelectBrush (2 ints), Rectangle.
constexpr size_t FirstRecord = 20;
constexpr size_t PenPayload = FirstRecord + 6;

struct BadStreamCase {
    const char* name;
    std::function<std::vector<uint8_t>()> bytes;
    bool truncated; // EReadError rather than "Métafichier incorrect"
};

class MetafileBadStream : public ::testing::TestWithParam<BadStreamCase> {};

TEST_P(MetafileBadStream, IsRejectedAndLeavesTheMetafileUnchanged)
{
    Metafile mf(3, 4);
    {
        MetafileSurface ms(mf);
        ms.SetPixel(1, 1, clRed);
    }
    const std::vector<uint8_t> before = Saved(mf);

    MemoryStream in(GetParam().bytes());
    if (GetParam().truncated) {
        EXPECT_THROW(mf.LoadFromStream(in), EReadError);
    } else {
        try {
            mf.LoadFromStream(in);
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Métafichier incorrect");
        }
    }
    EXPECT_EQ(Saved(mf), before);
}

INSTANTIATE_TEST_SUITE_P(Metafile, MetafileBadStream, ::testing::Values(
    BadStreamCase{"Empty", [] { return std::vector<uint8_t>{}; }, true},
    BadStreamCase{"HeaderCut", [] { auto b = OneRectangle(); b.resize(12); return b; }, true},
    BadStreamCase{"RecordCut", [] { auto b = OneRectangle(); b.resize(b.size() - 3); return b; }, true},
    BadStreamCase{"CountBeyondData", [] { auto b = OneRectangle(); PutU32(b, 16, 5000); return b; }, true},
    BadStreamCase{"LengthBeyondData", [] { auto b = OneRectangle(); PutU32(b, FirstRecord + 2, 1 << 30); return b; },
                  true},
    // A placeable Windows metafile and an enhanced one are foreign data.
    BadStreamCase{"WindowsMetafile", [] {
                      std::vector<uint8_t> b{0xD7, 0xCD, 0xC6, 0x9A, 0, 0};
                      b.resize(64);
                      return b;
                  }, false},
    BadStreamCase{"EnhancedMetafile", [] {
                      std::vector<uint8_t> b{1, 0, 0, 0, 108, 0, 0, 0};
                      b.resize(108);
                      std::memcpy(&b[40], " EMF", 4);
                      return b;
                  }, false},
    BadStreamCase{"LaterVersion", [] { auto b = OneRectangle(); b[4] = 2; return b; }, false},
    BadStreamCase{"HugeCount", [] { auto b = OneRectangle(); PutU32(b, 16, 0xFFFFFFFF); return b; }, false},
    BadStreamCase{"NegativeFrame", [] { auto b = OneRectangle(); PutU32(b, 8, 0xFFFFFFFF); return b; }, false},
    BadStreamCase{"UnknownKind", [] { auto b = OneRectangle(); b[FirstRecord] = 99; return b; }, false},
    BadStreamCase{"IntCountBeyondPayload", [] { auto b = OneRectangle(); PutU32(b, PenPayload, 1000); return b; },
                  false},
    BadStreamCase{"PenStyleOutOfRange", [] { auto b = OneRectangle(); PutU32(b, PenPayload + 4 + 8, 77); return b; },
                  false},
    BadStreamCase{"WrongArgumentCount", [] {
                      // The pen record claims four integers: the fifth is then left over in its payload.
                      auto b = OneRectangle();
                      PutU32(b, PenPayload, 4);
                      return b;
                  }, false},
    BadStreamCase{"GarbageBitmap", [] {
                      Metafile mf(10, 10);
                      {
                          MetafileSurface ms(mf);
                          ms.StretchBitmap({0, 0, 4, 2}, SmallBitmap(), SRCCOPY);
                      }
                      auto b = Saved(mf);
                      // The BMP data starts with "BM"; spoil its header size field.
                      for (size_t i = FirstRecord; i + 1 < b.size(); ++i)
                          if (b[i] == 'B' && b[i + 1] == 'M') {
                              PutU32(b, i + 14, 7);
                              break;
                          }
                      return b;
                  }, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Metafile, AssignCopiesAndNullEmpties)
{
    Metafile a(5, 6);
    {
        MetafileSurface ms(a);
        ms.SetPixel(1, 1, clRed);
    }
    Metafile b;
    b.Assign(&a);
    EXPECT_EQ(Saved(b), Saved(a));
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.GetWidth(), 0);
    EXPECT_EQ(a.ClassName(), "TMetafile");
    Bitmap bmp;
    EXPECT_THROW(b.Assign(&bmp), EConvertError);
}

} // namespace
