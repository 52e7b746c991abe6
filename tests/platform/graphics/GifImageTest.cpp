// GIF pictures: the first frame decoded for drawing, where reading stops, and damaged files.

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/graphics/GifImage.h"
#include "platform/graphics/JpegImage.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using plat::GifImage;

void Put16(std::vector<uint8_t>& v, unsigned x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

// A plain GIF LZW encoder for the fixtures: the encoder's string table, and the decoder's lagging entry
// count to know when the code size grows.
std::vector<uint8_t> Lzw(const std::vector<uint8_t>& indexes, unsigned minCodeSize)
{
    const int clear = 1 << minCodeSize, endOfData = clear + 1;
    std::map<std::pair<int, uint8_t>, int> table;
    int size = 0, decoderNext = 0, encoderNext = 0;
    bool first = true;
    std::vector<uint8_t> out;
    uint32_t bits = 0;
    int count = 0;
    auto emit = [&](int code) {
        bits |= static_cast<uint32_t>(code) << count;
        count += size;
        while (count >= 8) {
            out.push_back(static_cast<uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
        if (code == clear) {
            size = static_cast<int>(minCodeSize) + 1;
            decoderNext = encoderNext = endOfData + 1;
            table.clear();
            first = true;
            return;
        }
        if (code != endOfData) {
            if (!first)
                ++decoderNext;
            first = false;
            if (decoderNext == (1 << size) && size < 12)
                ++size;
        }
    };
    size = static_cast<int>(minCodeSize) + 1;
    emit(clear);
    if (!indexes.empty()) {
        int w = indexes[0];
        for (size_t i = 1; i < indexes.size(); ++i) {
            const auto key = std::make_pair(w, indexes[i]);
            if (auto it = table.find(key); it != table.end()) {
                w = it->second;
                continue;
            }
            emit(w);
            if (encoderNext < 4096)
                table[key] = encoderNext++;
            else
                emit(clear);
            w = indexes[i];
        }
        emit(w);
    }
    emit(endOfData);
    if (count)
        out.push_back(static_cast<uint8_t>(bits));
    return out;
}

struct Frame {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<uint8_t> Indexes;  // in storage order
    bool Interlaced = false;
    int Transparent = -1;
    std::vector<uint8_t> Lzw;      // given as is when not empty
    unsigned MinCodeSize = 2;
};

// Colour table of four entries: 0 black, 1 red, 2 green, 3 blue.
std::vector<uint8_t> MakeGif(int screenW, int screenH, const std::vector<Frame>& frames, bool trailer = true)
{
    std::vector<uint8_t> v = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(v, static_cast<unsigned>(screenW));
    Put16(v, static_cast<unsigned>(screenH));
    v.insert(v.end(), {0x81, 0, 0});
    v.insert(v.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    for (const Frame& f : frames) {
        if (f.Transparent >= 0)
            v.insert(v.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(f.Transparent), 0});
        v.push_back(0x2C);
        Put16(v, static_cast<unsigned>(f.Left));
        Put16(v, static_cast<unsigned>(f.Top));
        Put16(v, static_cast<unsigned>(f.Width));
        Put16(v, static_cast<unsigned>(f.Height));
        v.push_back(f.Interlaced ? 0x40 : 0);
        v.push_back(static_cast<uint8_t>(f.MinCodeSize));
        const std::vector<uint8_t> data = f.Lzw.empty() ? Lzw(f.Indexes, f.MinCodeSize) : f.Lzw;
        for (size_t at = 0; at < data.size(); at += 255) {
            const size_t n = std::min<size_t>(255, data.size() - at);
            v.push_back(static_cast<uint8_t>(n));
            v.insert(v.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
        }
        v.push_back(0);
    }
    if (trailer)
        v.push_back(0x3B);
    return v;
}

const plat::Color Colours[4] = {plat::clBlack, plat::clRed, 0x00FF00, plat::clBlue};

Frame Simple(int w, int h, std::vector<uint8_t> indexes)
{
    Frame f;
    f.Width = w;
    f.Height = h;
    f.Indexes = std::move(indexes);
    return f;
}

GifImage Load(const std::vector<uint8_t>& bytes)
{
    plat::MemoryStream s(bytes);
    GifImage g;
    g.LoadFromStream(s);
    return g;
}

TEST(Gif, DecodesTheFirstFrameAndStopsAtTheTrailer)
{
    const std::vector<uint8_t> file =
        MakeGif(3, 2, {Simple(3, 2, {1, 2, 3, 0, 1, 2}), Simple(3, 2, {0, 0, 0, 0, 0, 0})});
    plat::MemoryStream s(file);
    s.SetPosition(s.GetSize());
    s.WriteInt32LE(5);
    s.SetPosition(0);
    GifImage gif;
    gif.LoadFromStream(s);
    EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(file.size()));
    EXPECT_EQ(gif.FrameCount(), 2);
    ASSERT_EQ(gif.GetWidth(), 3);
    ASSERT_EQ(gif.GetHeight(), 2);
    const uint8_t expected[6] = {1, 2, 3, 0, 1, 2};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(gif.GetBitmap().GetPixel(i % 3, i / 3), Colours[expected[i]]) << i;
    plat::MemoryStream out;
    gif.SaveToStream(out);
    EXPECT_EQ(out.Bytes(), file);
}

TEST(Gif, StringCodesIncludingTheOneBeingDefined)
{
    // Six pixels of index 0 coded as clear, 0, 6 ("00", defined by its own use), 7 ("000"), end:
    // 3-bit codes, then 4 bits once the table reaches 8 entries.
    Frame f = Simple(6, 1, {});
    f.Lzw = {0x84, 0x5F};
    const GifImage gif = Load(MakeGif(6, 1, {f}));
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(gif.GetBitmap().GetPixel(x, 0), plat::clBlack);

    // A larger picture whose string table fills up: codes grow to 12 bits, the encoder clears the
    // full table and starts again.
    const int w = 200, h = 100;
    std::vector<uint8_t> indexes(static_cast<size_t>(w * h));
    for (size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = static_cast<uint8_t>((i * 7 + i / 13) % 4);
    const GifImage big = Load(MakeGif(w, h, {Simple(w, h, indexes)}));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(big.GetBitmap().GetPixel(x, y), Colours[indexes[static_cast<size_t>(y * w + x)]]) << x << "," << y;
}

TEST(Gif, InterlacedRowsComeBackInOrder)
{
    const int h = 11;
    const int order[h] = {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9};
    Frame f = Simple(1, h, {});
    for (int i = 0; i < h; ++i)
        f.Indexes.push_back(static_cast<uint8_t>(order[i] % 4));
    f.Interlaced = true;
    const GifImage gif = Load(MakeGif(1, h, {f}));
    for (int y = 0; y < h; ++y)
        EXPECT_EQ(gif.GetBitmap().GetPixel(0, y), Colours[y % 4]) << y;
}

TEST(Gif, TransparentPixelsAndTheScreenAroundTheFrameAreWhite)
{
    Frame f = Simple(2, 2, {1, 0, 0, 1});
    f.Left = 1;
    f.Transparent = 0;
    const GifImage gif = Load(MakeGif(4, 2, {f}));
    const plat::Bitmap& b = gif.GetBitmap();
    EXPECT_EQ(b.GetPixel(0, 0), plat::clWhite);
    EXPECT_EQ(b.GetPixel(1, 0), plat::clRed);
    EXPECT_EQ(b.GetPixel(2, 0), plat::clWhite);
    EXPECT_EQ(b.GetPixel(3, 1), plat::clWhite);
}

TEST(Gif, OtherPicturesTakeItsBitmap)
{
    const GifImage gif = Load(MakeGif(2, 1, {Simple(2, 1, {3, 1})}));
    plat::Bitmap b;
    b.Assign(&gif);
    EXPECT_EQ(b.GetPixel(0, 0), plat::clBlue);
    plat::JpegImage jpeg;  // the conversion the resource table makes for foreign pictures
    jpeg.Assign(&gif);
    EXPECT_EQ(jpeg.GetWidth(), 2);
    EXPECT_FALSE(jpeg.Data().empty());
}

TEST(Gif, LaterFramesCutShortKeepTheFirst)
{
    std::vector<uint8_t> file = MakeGif(2, 1, {Simple(2, 1, {1, 2}), Simple(2, 1, {1, 2})}, false);
    file.resize(file.size() - 3);
    const GifImage gif = Load(file);
    EXPECT_EQ(gif.GetBitmap().GetPixel(1, 0), 0x00FF00);
}

struct BadGifCase {
    const char* Name;
    std::vector<uint8_t> (*Make)();
    const char* Message;
};

class GifDamage : public testing::TestWithParam<BadGifCase> {};

TEST_P(GifDamage, FailsClearlyAndKeepsThePicture)
{
    GifImage gif = Load(MakeGif(2, 1, {Simple(2, 1, {1, 2})}));
    plat::MemoryStream s(GetParam().Make());
    try {
        gif.LoadFromStream(s);
        FAIL();
    } catch (const plat::Exception& e) {
        EXPECT_EQ(e.Message(), GetParam().Message);
    }
    EXPECT_EQ(gif.GetBitmap().GetPixel(1, 0), 0x00FF00);
}

const char* const Bad = "Image GIF incorrecte";
const char* const Short = "Erreur de lecture du flux";

INSTANTIATE_TEST_SUITE_P(
    Files, GifDamage,
    testing::Values(
        BadGifCase{"NotAGif", [] { return std::vector<uint8_t>{'G', 'I', 'F', '9', '0', 'a', 0, 0, 0, 0, 0, 0, 0}; }, Bad},
        BadGifCase{"NoFrame", [] { return MakeGif(2, 1, {}); }, Bad},
        BadGifCase{"CodeSizeTooLarge", [] { Frame f = Simple(2, 1, {1, 2}); f.MinCodeSize = 9; return MakeGif(2, 1, {f}); }, Bad},
        BadGifCase{"CodeNotInTheTable", [] { Frame f = Simple(6, 1, {}); f.Lzw = {0xC4, 0x01}; return MakeGif(6, 1, {f}); }, Bad},
        BadGifCase{"HugeScreenInATinyFile", [] { return MakeGif(60000, 60000, {Simple(2, 1, {1, 2})}); }, Bad},
        BadGifCase{"EmptyFrame", [] { return MakeGif(2, 1, {Simple(0, 1, {})}); }, Bad},
        BadGifCase{"CutInTheHeader", [] { return std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a', 2}; }, Short},
        BadGifCase{"CutInTheFirstFrame",
                   [] { auto v = MakeGif(2, 1, {Simple(2, 1, {1, 2})}, false); v.resize(v.size() - 2); return v; },
                   Short}),
    [](const testing::TestParamInfo<BadGifCase>& i) { return i.param.Name; });

} // namespace
