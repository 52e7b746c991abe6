// The picture holder: the kind chosen by extension, its error messages, the bitmap view, saving and
// assignment.

#include "BmpFixtures.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Pen.h"
#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/JpegImage.h"
#include "platform/graphics/Picture.h"
#include "platform/surface/Metafile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using plat::Picture;

class PictureFiles : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::path(testing::TempDir()) / ("pictures-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const fs::path p = m_dir / name;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    static std::vector<uint8_t> Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path m_dir;
};

std::vector<uint8_t> BmpBytes()
{
    fixtures::BmpLayout s;
    s.Width = 2;
    s.Rows = {{{255, 0, 0}, {0, 0, 255}}};
    return fixtures::MakeBmp(s);
}

std::vector<uint8_t> JpegBytes()
{
    plat::Bitmap b(8, 8);
    plat::JpegImage j;
    j.Assign(&b);
    return j.Data();
}

std::vector<uint8_t> IcoBytes()
{
    fixtures::IconEntrySpec e;
    e.Image.Width = 4;
    e.Image.Rows.assign(4, std::vector<fixtures::Rgb>(4, fixtures::Rgb{0, 0, 255}));
    return fixtures::MakeIco({e});
}

std::vector<uint8_t> GifBytes()
{
    return {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
            0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B};
}

std::vector<uint8_t> MetafileBytes()
{
    plat::Metafile m(10, 10);
    {
        plat::MetafileSurface surface(m);
        surface.Rectangle(plat::Rect{1, 1, 5, 5});
    }
    plat::MemoryStream s;
    m.SaveToStream(s);
    return s.Bytes();
}

struct KindCase {
    const char* Name;
    const char* File;
    std::vector<uint8_t> (*Bytes)();
    const char* ClassName;
};

class PictureKind : public PictureFiles, public testing::WithParamInterface<KindCase> {};

TEST_P(PictureKind, ExtensionChoosesTheKind)
{
    Picture p;
    p.LoadFromFile(Write(GetParam().File, GetParam().Bytes()));
    ASSERT_NE(p.GetGraphic(), nullptr);
    EXPECT_EQ(p.GetGraphic()->ClassName(), GetParam().ClassName);
    EXPECT_GT(p.GetWidth(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, PictureKind,
    testing::Values(KindCase{"Bmp", "a.bmp", BmpBytes, "TBitmap"},
                    KindCase{"BmpUpperCase", "A.BMP", BmpBytes, "TBitmap"},
                    KindCase{"Ico", "a.ico", IcoBytes, "TIcon"},
                    KindCase{"Jpg", "a.jpg", JpegBytes, "TJPEGImage"},
                    KindCase{"JpegMixedCase", "a.JPeg", JpegBytes, "TJPEGImage"},
                    KindCase{"Gif", "a.gif", GifBytes, "TGIFImage"},
                    KindCase{"Wmf", "a.wmf", MetafileBytes, "TMetafile"},
                    KindCase{"Emf", "a.emf", MetafileBytes, "TMetafile"}),
    [](const testing::TestParamInfo<KindCase>& i) { return i.param.Name; });

TEST_F(PictureFiles, FailuresKeepTheHeldPictureAndSayWhy)
{
    Picture p;
    p.LoadFromFile(Write("keep.bmp", BmpBytes()));
    int changes = 0;
    p.OnChange.Set([&](plat::Object*) { ++changes; });
    auto messageOf = [&](const std::string& path) {
        try {
            p.LoadFromFile(path);
        } catch (const plat::Exception& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf(Write("photo.PNG", BmpBytes())), "Extension de fichier image inconnue (.PNG)");
    EXPECT_EQ(messageOf(Write("noextension", BmpBytes())), "Extension de fichier image inconnue (.)");
    fs::create_directories(m_dir / "dir.bmp");
    EXPECT_EQ(messageOf((m_dir / "dir.bmp" / "plain").string()), "Extension de fichier image inconnue (.)");
    const std::string missing = PathOf("missing.bmp");
    EXPECT_EQ(messageOf(missing),
              "Impossible d'ouvrir le fichier \"" + missing + "\". Le fichier spécifié est introuvable");
    EXPECT_EQ(messageOf(Write("bad.bmp", {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 99, 0, 0, 0})),
              "Image bitmap incorrecte");
    std::vector<uint8_t> cut = BmpBytes();
    cut.resize(cut.size() - 2);
    EXPECT_EQ(messageOf(Write("cut.bmp", cut)), "Erreur de lecture du flux");
    EXPECT_EQ(messageOf(Write("bad.jpg", BmpBytes())).rfind("Erreur JPEG #", 0), 0u);

    EXPECT_EQ(changes, 0);
    EXPECT_EQ(p.GetGraphic()->ClassName(), "TBitmap");
    EXPECT_EQ(p.GetBitmap().GetPixel(1, 0), plat::clBlue);
}

TEST_F(PictureFiles, BitmapViewOfAnotherKindIsANewEmptyBitmap)
{
    Picture p;
    p.LoadFromFile(Write("photo.jpg", JpegBytes()));
    plat::Bitmap& view = p.GetBitmap();
    EXPECT_TRUE(view.Empty());
    EXPECT_EQ(p.GetGraphic(), &view);

    Picture nothing;
    EXPECT_TRUE(nothing.GetBitmap().Empty());
    EXPECT_NE(nothing.GetGraphic(), nullptr);
}

TEST_F(PictureFiles, SavingWritesThePicturesOwnFormatWhateverTheName)
{
    Picture p;
    p.LoadFromFile(Write("in.bmp", BmpBytes()));
    p.SaveToFile(PathOf("out.jpg"));
    const std::vector<uint8_t> saved = Read(PathOf("out.jpg"));
    ASSERT_GE(saved.size(), 2u);
    EXPECT_EQ(saved[0], 'B');
    EXPECT_EQ(saved[1], 'M');

    // A run-length-encoded file opened and saved again comes back byte for byte.
    const std::vector<uint8_t> rle =
        fixtures::MakeRle(8, 2, 1, {{0, 0, 0}, {255, 255, 255}}, {2, 1, 0, 1}, 4);
    Picture q;
    q.LoadFromFile(Write("rle.bmp", rle));
    Picture held;
    held.Assign(&q);
    held.SaveToFile(PathOf("rle-out.bmp"));
    EXPECT_EQ(Read(PathOf("rle-out.bmp")), rle);

    Picture jpeg;
    jpeg.LoadFromFile(Write("in.jpg", JpegBytes()));
    jpeg.SaveToFile(PathOf("out.bmp"));
    EXPECT_EQ(Read(PathOf("out.bmp")), JpegBytes());

    Picture empty;
    empty.GetBitmap();
    empty.SaveToFile(PathOf("empty.bmp"));
    EXPECT_TRUE(fs::exists(PathOf("empty.bmp")));
    EXPECT_EQ(fs::file_size(PathOf("empty.bmp")), 0u);
    EXPECT_THROW(empty.SaveToFile((m_dir / "no-such-dir" / "x.bmp").string()), plat::EFCreateError);
}

TEST(Picture, AssignCopiesAndNothingEmpties)
{
    plat::Bitmap source(3, 2);
    Picture p;
    int changes = 0;
    p.OnChange.Set([&](plat::Object*) { ++changes; });
    p.Assign(&source);
    source.SetPixel(0, 0, plat::clRed);  // later changes of the source do not reach the copy
    EXPECT_EQ(p.GetBitmap().GetPixel(0, 0), plat::clWhite);
    EXPECT_NE(&p.GetBitmap(), &source);

    Picture q;
    q.Assign(&p);
    p.GetBitmap().SetSize(1, 1);
    EXPECT_EQ(q.GetWidth(), 3);
    plat::Bitmap out;
    out.Assign(&q);
    EXPECT_EQ(out.GetWidth(), 3);

    p.Assign(nullptr);
    EXPECT_EQ(p.GetGraphic(), nullptr);
    EXPECT_EQ(p.GetWidth(), 0);
    EXPECT_EQ(changes, 3);  // assign, resize of the held bitmap, empty
    plat::Pen pen;
    EXPECT_THROW(p.Assign(&pen), plat::EConvertError);
}

} // namespace
