#include "StreamBytes.h"

#include "resources/GmBrushList.h"
#include "resources/GmCustomMemoList.h"
#include "resources/GmFontList.h"
#include "resources/GmPenList.h"
#include "resources/GmReader.h"
#include "resources/GmValueList.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TGmBrush MakeBrush(plat::Color color, plat::BrushStyle style = plat::BrushStyle::Solid)
{
    TGmBrush b;
    b.Color = color;
    b.Style = style;
    return b;
}

TGmPen MakePen(plat::Color color, int width, plat::PenStyle style = plat::PenStyle::Solid,
               plat::PenMode mode = plat::PenMode::Copy)
{
    TGmPen p;
    p.Color = color;
    p.Width = width;
    p.Style = style;
    p.Mode = mode;
    return p;
}

TEST(ResourceRecords, NewRecordsAndMissingKeysHaveDifferentDefaults)
{
    TGmBrush brush;
    EXPECT_EQ(brush.Color, plat::clWhite);
    EXPECT_EQ(brush.Style, plat::BrushStyle::Clear);
    TGmPen pen;
    EXPECT_TRUE(pen.Color == 0 && pen.Width == 0 && pen.Style == plat::PenStyle::Solid && pen.Mode == plat::PenMode::Black);
    TGmFont font;
    EXPECT_TRUE(font.Size == 12 && font.Color == 0 && font.Name.empty() && font.Charset == 1);

    const TGmValueList empty;
    brush.LoadFromValueList(empty);
    EXPECT_EQ(brush.Color, 16777215);
    EXPECT_EQ(brush.Style, plat::BrushStyle::Solid);
    pen.LoadFromValueList(empty);
    EXPECT_EQ(pen.Color, 0);
    EXPECT_EQ(pen.Width, 1);
    EXPECT_EQ(pen.Style, plat::PenStyle::Solid);
    EXPECT_EQ(pen.Mode, plat::PenMode::Copy);
    font.Style = plat::fsBold;
    font.Angle = 5;
    font.LoadFromValueList(empty);
    EXPECT_EQ(font.Color, 16777215);
    EXPECT_EQ(font.Style, 0);
    EXPECT_EQ(font.Angle, 0);
    EXPECT_EQ(font.Size, 10);
    EXPECT_EQ(font.Charset, 1);
    EXPECT_EQ(font.Name, "Arial");
}

TEST(ResourceRecords, KeysInWritingOrder)
{
    TGmValueList list;
    MakePen(plat::clSilver, 3, plat::PenStyle::Dot, plat::PenMode::Xor).SaveToValueList(list);
    EXPECT_EQ(list.GetText(), "CL=12632256\r\nSZ=3\r\nST=2\r\nPM=14\r\n");

    TGmFont font;
    font.Style = plat::fsBold | plat::fsUnderline;
    font.Angle = -45;
    font.Size = 9;
    font.Charset = 0;
    font.Name = "Liberation Sans";
    list.Clear();
    font.SaveToValueList(list);
    EXPECT_EQ(list.GetText(), "CL=0\r\nST=b,u\r\nFA=-45.000\r\nSZ=9\r\nCS=0\r\nFN=Liberation Sans\r\n");

    // No style and no name write no line, and read back as none and "Arial".
    font.Style = 0;
    font.Name.clear();
    list.Clear();
    font.SaveToValueList(list);
    EXPECT_EQ(list.IndexOfName("ST"), -1);
    EXPECT_EQ(list.IndexOfName("FN"), -1);
    TGmFont back;
    back.LoadFromValueList(list);
    EXPECT_EQ(back.Name, "Arial");
}

TEST(ResourceRecords, AFailedRecordLeavesTheRecordAsItWas)
{
    TGmValueList list;
    list.SetInteger("CL", 255);
    list.SetInteger("SZ", 4);
    list.SetString("FA", "north");
    TGmFont font;
    font.Name = "Keep";
    EXPECT_THROW(font.LoadFromValueList(list), plat::EConvertError);
    EXPECT_EQ(font.Name, "Keep");
    EXPECT_EQ(font.Color, 0);
    list.SetString("PM", "copy");
    TGmPen pen;
    EXPECT_THROW(pen.LoadFromValueList(list), plat::EConvertError);
    EXPECT_EQ(pen.Color, 0);
}

TEST(ResourceRecords, AssignFromPlatformObjects)
{
    plat::Font platformFont;
    platformFont.SetName("DejaVu Serif");
    platformFont.SetSize(14);
    platformFont.SetStyle(plat::fsItalic);
    platformFont.SetColor(plat::clRed);
    platformFont.SetCharset(0);
    TGmFont font;
    font.Angle = 30;
    int changes = 0;
    font.OnChange.Set([&](plat::Object*) { ++changes; });
    font.Assign(&platformFont);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(font.Name == "DejaVu Serif" && font.Size == 14 && font.Style == plat::fsItalic
                && font.Color == plat::clRed && font.Charset == 0 && font.Angle == 0);

    plat::Pen platformPen;
    platformPen.SetWidth(3);
    platformPen.SetStyle(plat::PenStyle::DashDot);
    TGmPen pen;
    pen.Assign(&platformPen);
    EXPECT_TRUE(PensEqual(pen, MakePen(plat::clBlack, 3, plat::PenStyle::DashDot, plat::PenMode::Copy)));

    EXPECT_THROW(pen.Assign(&font), plat::EConvertError);
}

// Six distinct brushes; entry 5 is then made equal to entry 3.
class BrushListFixture : public testing::Test {
protected:
    void SetUp() override
    {
        for (plat::Color c : {10, 11, 12, 13, 14, 15})
            list.AddBrush(MakeBrush(c));
        ASSERT_EQ(list.Count(), 6);
        list.GetBrush(5)->Color = 13;
    }
    TGmBrushList list;
};

TEST_F(BrushListFixture, AddAnswersTheFirstEqualEntry)
{
    TGmBrush probe = MakeBrush(13);
    EXPECT_EQ(list.AddBrush(probe), list.GetBrush(3));
    EXPECT_EQ(list.IndexOfBrush(probe), 3);
    EXPECT_EQ(list.Count(), 6);

    TGmBrush fresh = MakeBrush(13, plat::BrushStyle::Cross);
    TGmBrush* stored = list.AddBrush(fresh);
    EXPECT_NE(stored, &fresh);
    EXPECT_EQ(list.IndexOfBrush(fresh), 6);
    fresh.Color = 99; // the caller's brush stays the caller's
    EXPECT_EQ(stored->Color, 13);
}

TEST_F(BrushListFixture, IndexesOutsideTheListAreListErrors)
{
    EXPECT_EQ(list.GetBrush(-1), nullptr);
    for (int bad : {6, -2}) {
        try {
            list.GetBrush(bad);
            FAIL() << bad;
        } catch (const plat::EListError& e) {
            EXPECT_EQ(e.Message(), "Indice de liste hors limites (" + std::to_string(bad) + ")");
        }
    }
    TGmFontList fonts;
    EXPECT_THROW(fonts.GetFont(-1), plat::EListError); // fonts have no "none"
    TGmPenList pens;
    EXPECT_EQ(pens.GetPen(-1), nullptr);
    list.Clear();
    TGmBrush* first = list.AddBrush(MakeBrush(1));
    EXPECT_EQ(first, list.GetBrush(0));
}

TEST(ResourceListStreams, BrushAndFontListsAreEmptiedPenListsAreNot)
{
    plat::MemoryStream stream;
    {
        TGmBrushList brushes;
        brushes.AddBrush(MakeBrush(1));
        brushes.AddBrush(MakeBrush(2));
        brushes.SaveToStream(stream);
        TGmPenList pens;
        pens.AddPen(MakePen(5, 4));
        pens.AddPen(MakePen(6, 4));
        pens.SaveToStream(stream);
    }
    EXPECT_EQ(BytesOf(stream).substr(0, 4 + 4 + 12), LE32(2) + LE32(12) + "CL=1\r\nST=0\r\n");

    stream.SetPosition(0);
    TGmBrushList brushes;
    brushes.AddBrush(MakeBrush(2));
    brushes.AddBrush(MakeBrush(77));
    brushes.LoadFromStream(stream);
    ASSERT_EQ(brushes.Count(), 2);
    EXPECT_EQ(brushes.GetBrush(0)->Color, 1);
    EXPECT_EQ(brushes.GetBrush(1)->Color, 2);

    TGmPenList pens;
    pens.AddPen(MakePen(6, 4)); // equal to the second record: nothing is added for it
    pens.AddPen(MakePen(7, 4));
    pens.LoadFromStream(stream);
    ASSERT_EQ(pens.Count(), 3);
    EXPECT_EQ(pens.GetPen(0)->Color, 6);
    EXPECT_EQ(pens.GetPen(1)->Color, 7);
    EXPECT_EQ(pens.GetPen(2)->Color, 5);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
}

TEST(ResourceListStreams, EqualRecordsBecomeOneEntry)
{
    std::string record = Block("CL=3\r\nST=6\r\n");
    plat::MemoryStream in = StreamOf(LE32(3) + record + Block("") + record);
    TGmBrushList brushes;
    brushes.LoadFromStream(in);
    ASSERT_EQ(brushes.Count(), 2);
    EXPECT_TRUE(BrushesEqual(*brushes.GetBrush(0), MakeBrush(3, plat::BrushStyle::Cross)));
    EXPECT_TRUE(BrushesEqual(*brushes.GetBrush(1), MakeBrush(16777215, plat::BrushStyle::Solid)));
}

TEST(Memos, AddByIdentityThenCopyThroughTheRequest)
{
    TGmCustomMemoList memos;
    int requests = 0;
    memos.OnNeedRichEdit.Set([&](plat::Object* sender, std::unique_ptr<TGmMemo>& memo) {
        EXPECT_EQ(sender, &memos);
        ++requests;
        if (requests == 2)
            memo = std::make_unique<TGmMemo>(false);
    });
    TGmMemo outside;
    outside.Text = "Bonjour";
    TGmMemo* first = memos.AddMemo(&outside);
    EXPECT_NE(first, &outside);
    EXPECT_EQ(first->Text, "Bonjour");
    EXPECT_TRUE(TGmCustomMemoList::IsRichEdit(*first));
    EXPECT_EQ(memos.AddMemo(first), first);
    EXPECT_EQ(memos.Count(), 1);
    TGmMemo* second = memos.AddMemo(&outside); // another copy: memos are not compared by content
    EXPECT_FALSE(TGmCustomMemoList::IsRichEdit(*second));
    EXPECT_EQ(memos.Count(), 2);
    EXPECT_EQ(memos.IndexOfMemo(&outside), -1);
    EXPECT_EQ(memos.GetMemo(-1), nullptr);
}

TEST(Memos, TextRoundTripsAndReadingAdds)
{
    TGmCustomMemoList memos;
    TGmMemo a;
    a.Text = "ligne 1\r\nligne 2\r";
    TGmMemo b;
    b.Text = "";
    memos.AddMemo(&a);
    memos.AddMemo(&b);
    plat::MemoryStream stream;
    memos.SaveToStream(stream);
    EXPECT_EQ(BytesOf(stream), LE32(2) + LE32(1) + Block(a.Text) + LE32(1) + Block(""));

    stream.SetPosition(0);
    memos.LoadFromStream(stream);
    ASSERT_EQ(memos.Count(), 4);
    EXPECT_EQ(memos.GetMemo(2)->Text, a.Text);
    EXPECT_EQ(memos.GetMemo(3)->Text, "");

    // A plain memo's record (flag 0) reads back as text too.
    plat::MemoryStream plain = StreamOf(LE32(1) + LE32(0x100) + Block("texte"));
    TGmCustomMemoList other;
    other.LoadFromStream(plain);
    ASSERT_EQ(other.Count(), 1);
    EXPECT_EQ(other.GetMemo(0)->Text, "texte");
}

// Every list, written with two entries, must refuse every shorter prefix of its stream with the read
// error, and a negative count.
struct TruncationCase {
    const char* name;
    std::function<std::unique_ptr<TGmResourceList>()> make;
};

class TruncatedLists : public testing::TestWithParam<TruncationCase> {};

TEST_P(TruncatedLists, EveryShortPrefixIsAReadError)
{
    auto full = GetParam().make();
    plat::MemoryStream stream;
    full->SaveToStream(stream);
    const std::string bytes = BytesOf(stream);
    for (size_t n = 0; n < bytes.size(); ++n) {
        plat::MemoryStream in = StreamOf(bytes.substr(0, n));
        auto list = GetParam().make();
        list->Clear();
        EXPECT_THROW(list->LoadFromStream(in), plat::EReadError) << "prefix of " << n << " bytes";
    }
    plat::MemoryStream negative = StreamOf(LE32(-1));
    EXPECT_THROW(GetParam().make()->LoadFromStream(negative), plat::EReadError);
}

INSTANTIATE_TEST_SUITE_P(Lists, TruncatedLists, testing::Values(
    TruncationCase{"Brushes", [] {
        auto l = std::make_unique<TGmBrushList>();
        l->AddBrush(MakeBrush(1));
        l->AddBrush(MakeBrush(2));
        return l;
    }},
    TruncationCase{"Pens", [] {
        auto l = std::make_unique<TGmPenList>();
        l->AddPen(MakePen(1, 1));
        l->AddPen(MakePen(2, 2));
        return l;
    }},
    TruncationCase{"Fonts", [] {
        auto l = std::make_unique<TGmFontList>();
        TGmFont f;
        l->AddFont(f);
        f.Name = "Arial";
        l->AddFont(f);
        return l;
    }},
    TruncationCase{"Memos", [] {
        auto l = std::make_unique<TGmCustomMemoList>();
        TGmMemo m;
        m.Text = "abc";
        l->AddMemo(&m);
        l->AddMemo(&m);
        return l;
    }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
