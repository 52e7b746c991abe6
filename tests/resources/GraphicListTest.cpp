#include "StreamBytes.h"

#include "resources/GmGraphicList.h"
#include "resources/GmResourceTable.h"
#include "resources/GraphicCompare_p.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"
#include "platform/surface/Metafile.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

plat::Bitmap Page(int width = 16, int height = 8, uint8_t seed = 1)
{
    plat::Bitmap b(width, height, plat::PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            b.ScanLine(y)[x] = static_cast<uint8_t>(seed + x * 7 + y * 13);
    return b;
}

// A picture of a kind the table does not store, whose saving is counted and whose writer seeks back to
// fill in a length, as container formats do.
class PatchingPicture : public plat::Graphic {
public:
    PLAT_CLASS_NAME(TPatchingPicture)
    PatchingPicture(int w, int h, std::string payload) : m_w(w), m_h(h), m_payload(std::move(payload)) {}
    int GetWidth() const override { return m_w; }
    int GetHeight() const override { return m_h; }
    bool Empty() const override { return m_payload.empty(); }
    void SaveToStream(plat::Stream& s) const override
    {
        ++saves;
        int64_t slot = s.GetPosition();
        s.WriteInt32LE(-1);
        s.WriteBuffer(m_payload.data(), m_payload.size());
        int64_t end = s.GetPosition();
        s.SetPosition(slot);
        s.WriteInt32LE(static_cast<int32_t>(m_payload.size()));
        s.SetPosition(end);
    }
    void LoadFromStream(plat::Stream&) override {}
    void Draw(plat::Surface&, const plat::Rect&) const override {}
    std::unique_ptr<plat::Graphic> NewEmpty() const override { return std::make_unique<PatchingPicture>(0, 0, ""); }
    mutable int saves = 0;

private:
    int m_w, m_h;
    std::string m_payload;
};

// A bitmap of the program's own (a scan, say): stored as a plain bitmap.
class ScannedBitmap : public plat::Bitmap {
public:
    using plat::Bitmap::Bitmap;
    std::string ClassName() const override { return "TScannedBitmap"; }
};

TEST(GraphicsEqual, SizesFirstThenSavedBytes)
{
    PatchingPicture a(10, 10, "abc"), wider(11, 10, "abc"), taller(10, 11, "abc");
    EXPECT_FALSE(GraphicsEqual(a, wider));
    EXPECT_FALSE(GraphicsEqual(a, taller));
    EXPECT_EQ(a.saves + wider.saves + taller.saves, 0) << "pictures of different sizes are never saved";

    PatchingPicture same(10, 10, "abc"), other(10, 10, "abd"), longer(10, 10, "abcd");
    EXPECT_TRUE(GraphicsEqual(a, same));
    EXPECT_FALSE(GraphicsEqual(a, other));
    EXPECT_FALSE(GraphicsEqual(a, longer));
    EXPECT_FALSE(GraphicsEqual(longer, a));
}

TEST(GraphicsEqual, BitmapsDifferingInOneByte)
{
    plat::Bitmap a = Page();
    plat::Bitmap b = Page();
    EXPECT_TRUE(GraphicsEqual(a, b));
    b.ScanLine(7)[47] ^= 0x01; // the very last pixel byte
    EXPECT_FALSE(GraphicsEqual(a, b));
    b.ScanLine(7)[47] ^= 0x01;
    b.ScanLine(0)[0] ^= 0x80;
    EXPECT_FALSE(GraphicsEqual(a, b));
}

TEST(ComparingStream, JudgesTheFinalBytesOfAWriterThatSeeks)
{
    const std::vector<uint8_t> reference{3, 0, 0, 0, 'a', 'b', 'c'};
    gm_detail::ComparingStream s(reference);
    PatchingPicture p(1, 1, "abc");
    p.SaveToStream(s); // writes ff ff ff ff first, then patches it
    EXPECT_TRUE(s.Equal());
    EXPECT_EQ(s.DifferingPages(), 0u);

    gm_detail::ComparingStream straight(reference);
    straight.WriteBuffer(reference.data(), 4);
    EXPECT_FALSE(straight.Equal()); // a prefix is not the whole
    straight.WriteBuffer(reference.data() + 4, 3);
    EXPECT_TRUE(straight.Equal());
    straight.WriteBuffer("z", 1);
    EXPECT_FALSE(straight.Equal());
}

TEST(ComparingStream, ReadsBackWhatWasWrittenAcrossPages)
{
    std::vector<uint8_t> reference(3 * gm_detail::ComparingStream::PageSize + 100);
    for (size_t i = 0; i < reference.size(); ++i)
        reference[i] = static_cast<uint8_t>(i * 31);
    gm_detail::ComparingStream s(reference);
    s.SetPosition(10); // a gap of zeros first
    std::vector<uint8_t> body(reference.begin() + 10, reference.end());
    body[5000] ^= 0xFF;
    s.WriteBuffer(body.data(), body.size());
    EXPECT_FALSE(s.Equal());
    EXPECT_EQ(s.DifferingPages(), 2u); // the gap's page and the changed byte's page

    std::vector<uint8_t> all(reference.size());
    s.SetPosition(0);
    s.ReadBuffer(all.data(), all.size());
    std::vector<uint8_t> expected(10, 0);
    expected.insert(expected.end(), body.begin(), body.end());
    EXPECT_EQ(all, expected);

    s.SetPosition(0);
    s.WriteBuffer(reference.data(), reference.size()); // rewriting everything mends it
    EXPECT_TRUE(s.Equal());
    EXPECT_EQ(s.DifferingPages(), 0u);
}

struct DedupCase {
    const char* name;
    bool compare;
    int entries;
};

class GraphicDeduplication : public testing::TestWithParam<DedupCase> {};

TEST_P(GraphicDeduplication, SameBitmapTwice)
{
    TGmGraphicList list;
    list.CompareGraphics = GetParam().compare;
    plat::Bitmap page = Page();
    plat::Bitmap copy = Page();
    plat::Graphic* first = list.AddGraphic(&page);
    plat::Graphic* second = list.AddGraphic(&copy);
    EXPECT_EQ(list.Count(), GetParam().entries);
    EXPECT_EQ(first == second, GetParam().entries == 1);
    EXPECT_NE(first, &page);
    EXPECT_EQ(list.IndexOfGraphic(&copy), 0);
}

INSTANTIATE_TEST_SUITE_P(CompareGraphics, GraphicDeduplication, testing::Values(
    DedupCase{"On", true, 1},
    DedupCase{"Off", false, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GraphicList, StoresCopiesOfTheThreeKindsOnly)
{
    TGmGraphicList list;
    PatchingPicture foreign(4, 4, "data");
    EXPECT_EQ(list.AddGraphic(&foreign), nullptr);
    EXPECT_EQ(list.AddGraphic(nullptr), nullptr);
    EXPECT_EQ(list.Count(), 0);

    ScannedBitmap scan(3, 2);
    scan.SetPixel(1, 1, plat::clRed);
    plat::Graphic* stored = list.AddGraphic(&scan);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->ClassName(), "TBitmap");
    scan.SetPixel(1, 1, plat::clBlue); // the stored copy is the list's own
    EXPECT_EQ(static_cast<plat::Bitmap*>(stored)->GetPixel(1, 1), plat::clRed);

    plat::JpegImage jpeg;
    jpeg.Assign(&scan);
    plat::Graphic* storedJpeg = list.AddGraphic(&jpeg);
    ASSERT_NE(storedJpeg, nullptr);
    EXPECT_NE(dynamic_cast<plat::JpegImage*>(storedJpeg), nullptr);

    plat::Metafile drawing(5, 5);
    {
        plat::MetafileSurface canvas(drawing);
        canvas.Rectangle({0, 0, 5, 5});
    }
    plat::Graphic* storedMetafile = list.AddGraphic(&drawing);
    ASSERT_NE(storedMetafile, nullptr);
    EXPECT_NE(dynamic_cast<plat::Metafile*>(storedMetafile), nullptr);

    EXPECT_EQ(TGmGraphicList::GraphicKind(storedJpeg), 0);
    EXPECT_EQ(TGmGraphicList::GraphicKind(storedMetafile), 1);
    EXPECT_EQ(TGmGraphicList::GraphicKind(stored), 2);
    EXPECT_EQ(TGmGraphicList::GraphicKind(&foreign), 2);
    EXPECT_EQ(list.GetGraphic(-1), nullptr);
    EXPECT_EQ(list.GetGraphic(1), storedJpeg);
    EXPECT_THROW(list.GetGraphic(3), plat::EListError);
}

TEST(PictureListStream, EndPositionIsTheTotalSizeWhenWrittenAtTheStart)
{
    TGmGraphicList list;
    plat::Bitmap page = Page();
    list.AddGraphic(&page);
    plat::MemoryStream stream;
    list.SaveToStream(stream);
    plat::MemoryStream bmp;
    page.SaveToStream(bmp);
    EXPECT_EQ(BytesOf(stream), LE32(1) + '\x02' + LE32(static_cast<int32_t>(stream.GetSize())) + BytesOf(bmp));
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());

    stream.SetPosition(0);
    TGmGraphicList back;
    back.AddGraphic(&page); // not emptied first, and no comparison on reading
    back.LoadFromStream(stream);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_TRUE(GraphicsEqual(*back.GetGraphic(1), page));
}

TEST(PictureListStream, WrittenInsideAStreamItRecordsItsOwnEndNotTheStreamSize)
{
    TGmGraphicList list;
    plat::Bitmap page = Page();
    list.AddGraphic(&page);
    plat::MemoryStream stream(std::vector<uint8_t>(10000, 0xEE));
    stream.SetPosition(10);
    list.SaveToStream(stream);
    const int64_t end = stream.GetPosition();
    EXPECT_LT(end, 10000);
    stream.SetPosition(15);
    EXPECT_EQ(stream.ReadInt32LE(), end);

    stream.SetPosition(10);
    TGmGraphicList back;
    back.LoadFromStream(stream);
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(stream.GetPosition(), end);
}

std::string PictureEntry(uint8_t kind, int64_t startOfEntry, const std::string& data)
{
    return std::string(1, static_cast<char>(kind)) + LE32(static_cast<int32_t>(startOfEntry + 5 + data.size())) + data;
}

TEST(PictureListStream, UnknownKindIsSkippedByItsEndPosition)
{
    plat::MemoryStream bmp;
    Page().SaveToStream(bmp);
    std::string bytes = LE32(2);
    bytes += PictureEntry(7, static_cast<int64_t>(bytes.size()), "not a picture at all");
    bytes += PictureEntry(2, static_cast<int64_t>(bytes.size()), BytesOf(bmp));
    bytes += "after";
    plat::MemoryStream in = StreamOf(bytes);
    TGmGraphicList list;
    list.LoadFromStream(in);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(GraphicsEqual(*list.GetGraphic(0), Page()));
    EXPECT_EQ(in.GetPosition(), static_cast<int64_t>(bytes.size() - 5));
}

TEST(PictureListStream, EmptyBitmapReadsBackEmpty)
{
    TGmGraphicList list;
    plat::Bitmap empty;
    list.AddGraphic(&empty);
    plat::MemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(BytesOf(stream), LE32(1) + '\x02' + LE32(9));
    stream.SetPosition(0);
    TGmGraphicList back;
    back.LoadFromStream(stream);
    ASSERT_EQ(back.Count(), 1);
    EXPECT_TRUE(back.GetGraphic(0)->Empty());
}

struct BadPictureCase {
    const char* name;
    std::string bytes;
};

class BadPictureLists : public testing::TestWithParam<BadPictureCase> {};

TEST_P(BadPictureLists, FailWithoutStoringAnything)
{
    plat::MemoryStream in = StreamOf(GetParam().bytes);
    TGmGraphicList list;
    EXPECT_THROW(list.LoadFromStream(in), plat::Exception);
    EXPECT_EQ(list.Count(), 0);
}

std::string CutBmp()
{
    plat::MemoryStream bmp;
    Page().SaveToStream(bmp);
    std::string data = BytesOf(bmp);
    return data.substr(0, data.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadPictureLists, testing::Values(
    BadPictureCase{"EndBeforeTheData", LE32(1) + '\x02' + LE32(4) + "xxxx"},
    BadPictureCase{"EndPastTheStream", LE32(1) + '\x07' + LE32(1000) + "xxxx"},
    BadPictureCase{"NegativeEnd", LE32(1) + '\x07' + LE32(-5)},
    BadPictureCase{"NegativeCount", LE32(-1)},
    // The end position cuts the bitmap short: it may not read on into what follows.
    BadPictureCase{"PictureCutByItsEnd", LE32(1) + PictureEntry(2, 4, CutBmp()) + std::string(4000, '\0')},
    BadPictureCase{"DamagedBitmap", LE32(1) + PictureEntry(2, 4, "BMnot really a bitmap")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureListStream, EveryShortPrefixIsAReadError)
{
    TGmGraphicList list;
    plat::Bitmap a = Page(), b = Page(5, 3, 9);
    list.AddGraphic(&a);
    list.AddGraphic(&b);
    plat::MemoryStream stream;
    list.SaveToStream(stream);
    const std::string bytes = BytesOf(stream);
    for (size_t n = 0; n < bytes.size(); ++n) {
        plat::MemoryStream in = StreamOf(bytes.substr(0, n));
        TGmGraphicList back;
        EXPECT_THROW(back.LoadFromStream(in), plat::EReadError) << n;
    }
}

TEST(ResourceTable, ClearEmptiesEveryListAndNumberingRestarts)
{
    TGmResourceTable table;
    EXPECT_TRUE(table.Pictures().CompareGraphics);
    TGmBrush brush;
    table.Brushes().AddBrush(brush);
    table.Fonts().AddFont(TGmFont());
    table.Pens().AddPen(TGmPen());
    plat::Bitmap page = Page();
    table.Pictures().AddGraphic(&page);
    TGmMemo memo;
    table.Memos().AddMemo(&memo);
    table.Clear();
    EXPECT_EQ(table.Brushes().Count() + table.Fonts().Count() + table.Pens().Count() + table.Pictures().Count()
                  + table.Memos().Count(), 0);
    plat::Graphic* stored = table.Pictures().AddGraphic(&page);
    EXPECT_EQ(table.Pictures().GetGraphic(0), stored);
}

} // namespace
