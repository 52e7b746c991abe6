#include "platform/core/Convert.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

TEST(Convert, IntegersAcceptSignsBlanksAndHex)
{
    EXPECT_EQ(plat::StrToInt("720"), 720);
    EXPECT_EQ(plat::StrToInt("  -5"), -5);
    EXPECT_EQ(plat::StrToInt("+7"), 7);
    EXPECT_EQ(plat::StrToInt("$FF"), 255);
    EXPECT_EQ(plat::StrToInt("-2147483648"), INT32_MIN);
}

TEST(Convert, BadIntegersNameTheText)
{
    for (const char* bad : {"", "-", "+", "12a", "2147483648", "1 2", "0.5"}) {
        try {
            plat::StrToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const plat::EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' n'est pas une valeur entière correcte");
        }
    }
}

TEST(Convert, FloatsUseThePointWhateverTheLocale)
{
    // A comma locale must not change what is read or written.
    const char* old = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(plat::StrToFloat("12.346"), 12.346L);
    EXPECT_EQ(plat::FormatFixed(12.3456L, 3), "12.346");
    EXPECT_EQ(plat::FormatFixed(-0.25L, 3), "-0.250");
    EXPECT_EQ(plat::FormatFixed(0.0004L, 3), "0.000");
    EXPECT_EQ(plat::FormatFixed(-0.0L, 3), "0.000");    // once printed "0.0-0"
    EXPECT_EQ(plat::FormatFixed(-0.0004L, 3), "0.000");
    EXPECT_EQ(plat::FormatFixed(7, 3), "7.000");
    EXPECT_EQ(plat::FormatFixed(1e300L, 0).size(), 301u); // no fixed-size buffer to overflow
    if (old)
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_THROW(plat::StrToFloat("12,5"), plat::EConvertError);
    try {
        plat::StrToFloat("abc");
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' n'est pas une valeur en virgule flottante correcte");
    }
}

TEST(Convert, ThousandsGrouping)
{
    EXPECT_EQ(plat::GroupThousands(524288, "\u202f"), "524\u202f288");
    EXPECT_EQ(plat::GroupThousands(999, " "), "999");
    EXPECT_EQ(plat::GroupThousands(16777216, "."), "16.777.216");
}

TEST(MessageForDisplay, PeriodOnlyAfterCharactersAboveIt)
{
    EXPECT_EQ(plat::MessageForDisplay("Image bitmap incorrecte"), "Image bitmap incorrecte.");
    EXPECT_EQ(plat::MessageForDisplay("Extension de fichier image inconnue (.xyz)"),
              "Extension de fichier image inconnue (.xyz)");
    EXPECT_EQ(plat::MessageForDisplay("Done!"), "Done!");
    EXPECT_EQ(plat::MessageForDisplay("Unable to print... No Printer available."),
              "Unable to print... No Printer available.");
    EXPECT_EQ(plat::MessageForDisplay("code 7"), "code 7.");
}

} // namespace
