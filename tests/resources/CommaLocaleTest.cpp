// Values must be written and read with "." whatever the user's locale, and without changing the locale of
// the process while doing so.

#include "StreamBytes.h"

#include "resources/GmFont.h"
#include "resources/GmFontList.h"
#include "resources/GmValueList.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <string>
#include <sys/stat.h>

namespace {

// A French locale (decimal comma). When the system has not generated it, compile it into a folder of the
// test's own from the locale sources.
bool SelectCommaLocale()
{
    if (std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        return true;
    std::string dir = testing::TempDir() + "vantric-locales";
    ::mkdir(dir.c_str(), 0700);
    std::string command = "localedef -i fr_FR -f UTF-8 " + dir + "/fr_FR.UTF-8 >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1)
        return false;
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr;
}

class CommaLocale : public testing::Test {
protected:
    void SetUp() override
    {
        if (!SelectCommaLocale())
            GTEST_SKIP() << "no French locale available (install the locales package)";
        std::locale::global(std::locale(std::setlocale(LC_ALL, nullptr)));
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", 1.5);
        ASSERT_STREQ(buf, "1,5") << "the locale in force must really use a decimal comma";
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

TEST_F(CommaLocale, FontAngleWrittenWithAPointAndReadBackRounded)
{
    TGmFont font;
    font.Angle = 12.3456L;
    font.Name = "Arial";
    TGmFontList fonts;
    fonts.AddFont(font);
    plat::MemoryStream stream;
    fonts.SaveToStream(stream);
    EXPECT_NE(BytesOf(stream).find("FA=12.346\r\n"), std::string::npos);

    stream.SetPosition(0);
    TGmFontList back;
    back.LoadFromStream(stream);
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.GetFont(0)->Angle, 12.346L);

    TGmValueList list;
    list.SetString("FA", "-0.5");
    EXPECT_EQ(list.GetExtended("FA", 0), -0.5L);
    list.SetString("FA", "0,5");
    EXPECT_THROW(list.GetExtended("FA", 0), plat::EConvertError);

    // The process's locale is the user's throughout.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "fr_FR.UTF-8");
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 2.5);
    EXPECT_STREQ(buf, "2,5");
}

} // namespace
