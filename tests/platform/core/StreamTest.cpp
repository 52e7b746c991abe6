#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

#include <gtest/gtest.h>

namespace {

TEST(Stream, ShortReadIsAReadError)
{
    plat::MemoryStream s({1, 2, 3});
    uint8_t buf[4];
    try {
        s.ReadBuffer(buf, 4);
        FAIL();
    } catch (const plat::EReadError& e) {
        EXPECT_EQ(e.Message(), "Erreur de lecture du flux");
    }
}

TEST(Stream, LittleEndianIntegers)
{
    plat::MemoryStream s;
    s.WriteInt32LE(-2);
    s.WriteInt32LE(0x01020304);
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}));
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInt32LE(), -2);
    EXPECT_EQ(s.ReadInt32LE(), 0x01020304);
    EXPECT_THROW(s.ReadInt32LE(), plat::EReadError);
}

TEST(Stream, MissingFileNamesPathAndReason)
{
    try {
        plat::FileStream f("/nonexistent/x.bmp", plat::FileStream::Mode::OpenRead);
        FAIL();
    } catch (const plat::EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'ouvrir le fichier \"/nonexistent/x.bmp\". "
                               "Le fichier spécifié est introuvable");
    }
    EXPECT_THROW(plat::FileStream("/nonexistent/y.bmp", plat::FileStream::Mode::Create), plat::EFCreateError);
}

} // namespace
