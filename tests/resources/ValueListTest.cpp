#include "StreamBytes.h"

#include "resources/GmBrush.h"
#include "resources/GmReader.h"
#include "resources/GmValueList.h"
#include "resources/GmWriter.h"

#include "model/units/GmFuncs.h"

#include "platform/core/Convert.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ValueListStream, BrushRecordIsFourteenBytesOfText)
{
    TGmBrush brush;
    brush.Color = 255;
    brush.Style = plat::BrushStyle::Solid;
    TGmValueList record;
    brush.SaveToValueList(record);
    plat::MemoryStream out;
    record.SaveToStream(out);
    EXPECT_EQ(BytesOf(out), LE32(14) + "CL=255\r\nST=0\r\n");

    out.SetPosition(0);
    TGmValueList back;
    back.LoadFromStream(out);
    EXPECT_EQ(back.Items(), (std::vector<std::string>{"CL=255", "ST=0"}));
    EXPECT_EQ(out.GetPosition(), out.GetSize());
}

TEST(ValueListStream, EmptyListIsALengthOfZeroAndReplacesContentOnReading)
{
    TGmValueList empty;
    plat::MemoryStream out;
    empty.SaveToStream(out);
    EXPECT_EQ(BytesOf(out), LE32(0));

    TGmValueList target;
    target.SetInteger("A", 1);
    out.SetPosition(0);
    target.LoadFromStream(out);
    EXPECT_EQ(target.Count(), 0);
}

struct LinesCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

class ValueListLines : public testing::TestWithParam<LinesCase> {};

TEST_P(ValueListLines, LineEndsAreCrLfLoneCrOrLoneLf)
{
    plat::MemoryStream in = StreamOf(Block(GetParam().text));
    TGmValueList list;
    list.LoadFromStream(in);
    EXPECT_EQ(list.Items(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Endings, ValueListLines, testing::Values(
    LinesCase{"CrLf", "A=1\r\nB=2\r\n", {"A=1", "B=2"}},
    LinesCase{"LoneCr", "A=1\rB=2\r", {"A=1", "B=2"}},
    LinesCase{"LoneLf", "A=1\nB=2\n", {"A=1", "B=2"}},
    LinesCase{"LfCrIsTwoEnds", "A=1\n\rB=2", {"A=1", "", "B=2"}},
    LinesCase{"NoFinalEnd", "A=1\r\nB=2", {"A=1", "B=2"}},
    LinesCase{"ObjectRecordLeadingEmptyLines", "\r\n\r\nID=13\r\n", {"", "", "ID=13"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueList, LookupIgnoresCaseAndLinesWithoutEquals)
{
    TGmValueList list;
    list.Add("");
    list.Add("noequals");
    list.SetInteger("Cl", 7);
    list.SetInteger("cl", -8); // same name: replaced in place, not appended
    list.SetString("FN", "Times New Roman");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"", "noequals", "cl=-8", "FN=Times New Roman"}));
    EXPECT_EQ(list.GetInteger("CL", 0), -8);
    EXPECT_EQ(list.GetInteger("noequals", 5), 5);
    list.SetString("fn", "");
    EXPECT_EQ(list.GetString("FN", "Arial"), "Arial");
    EXPECT_EQ(list.Count(), 3);
}

TEST(ValueList, BadValuesRaiseTheConversionErrors)
{
    TGmValueList list;
    list.SetString("I", "12x");
    list.SetString("F", "1,5");
    list.SetString("Huge", "1e5000");
    list.SetString("Big", "2147483648");
    auto message = [&](auto read) {
        try {
            read();
        } catch (const plat::EConvertError& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { list.GetInteger("I", 0); }), "'12x' n'est pas une valeur entière correcte");
    EXPECT_EQ(message([&] { list.GetInteger("Big", 0); }), "'2147483648' n'est pas une valeur entière correcte");
    EXPECT_EQ(message([&] { list.GetExtended("F", 0); }),
              "'1,5' n'est pas une valeur en virgule flottante correcte");
    EXPECT_EQ(message([&] { list.GetExtended("Huge", 0); }),
              "'1e5000' n'est pas une valeur en virgule flottante correcte");
}

struct ExtendedCase {
    const char* name;
    Extended value;
    std::string text;
};

class ExtendedValues : public testing::TestWithParam<ExtendedCase> {};

TEST_P(ExtendedValues, ThreeDecimalsWithAPoint)
{
    TGmValueList list;
    list.SetExtended("FA", GetParam().value);
    EXPECT_EQ(list.GetValue("FA"), GetParam().text);
    EXPECT_EQ(list.GetExtended("FA", -1), plat::StrToFloat(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Format, ExtendedValues, testing::Values(
    ExtendedCase{"RoundsToThousandths", 12.3456L, "12.346"},
    ExtendedCase{"Zero", 0, "0.000"},
    ExtendedCase{"LeadingZero", 0.25L, "0.250"},
    ExtendedCase{"Negative", -1.5L, "-1.500"},
    ExtendedCase{"TinyNegativeHasNoSign", -0.0001L, "0.000"},
    ExtendedCase{"ExactHalfToEven", 2.0625L, "2.062"},
    ExtendedCase{"Large", 1e20L, "100000000000000000000.000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExtendedValues, InfiniteOrUndefinedIsRefusedNotWritten)
{
    TGmValueList list;
    EXPECT_THROW(list.SetExtended("FA", INFINITY), plat::EConvertError);
    EXPECT_THROW(list.SetExtended("FA", NAN), plat::EConvertError);
    EXPECT_EQ(list.Count(), 0);
}

struct RectCase {
    const char* name;
    TGmRect rect;
    std::string text;
};

class RectValues : public testing::TestWithParam<RectCase> {};

TEST_P(RectValues, ThousandthsOfAnInch)
{
    TGmValueList list;
    SetRectValue(list, "XY", GetParam().rect);
    EXPECT_EQ(list.GetValue("XY"), GetParam().text);
    TGmRect back;
    GetRectValue(list, "XY", TGmRect{}, back);
    plat::StringList items;
    items.SetCommaText(GetParam().text);
    EXPECT_EQ(back.Left, plat::StrToInt(items.Get(0)) / 1000.0L);
    EXPECT_EQ(back.Bottom, plat::StrToInt(items.Get(3)) / 1000.0L);
}

INSTANTIATE_TEST_SUITE_P(Form, RectValues, testing::Values(
    RectCase{"Example", {1, 0.5L, 3.25L, 2}, "1000,500,3250,2000"},
    RectCase{"HalvesToEven", {0.0005L, 0.0015L, 0.0025L, -0.0005L}, "0,2,2,0"},
    RectCase{"Negative", {-1, -0.001L, 0, 0.0004L}, "-1000,-1,0,0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RectValues, ReadingRulesAndErrors)
{
    TGmValueList list;
    TGmRect fallback{9, 9, 9, 9};
    TGmRect r;
    GetRectValue(list, "XY", fallback, r);
    EXPECT_EQ(r, fallback);

    list.SetString("XY", " 1000 , 500,3250,2000");
    GetRectValue(list, "XY", fallback, r);
    EXPECT_EQ(r, (TGmRect{1, 0.5L, 3.25L, 2}));

    list.SetString("XY", "1,2,3");
    try {
        GetRectValue(list, "XY", fallback, r);
        FAIL();
    } catch (const plat::EListError& e) {
        EXPECT_EQ(e.Message(), "Indice de liste hors limites (3)");
    }
    list.SetString("XY", "1,2,x,4");
    EXPECT_THROW(GetRectValue(list, "XY", fallback, r), plat::EConvertError);
    EXPECT_EQ(r, (TGmRect{1, 0.5L, 3.25L, 2})); // untouched by the failed reads

    // A coordinate that cannot be written as a 32-bit integer is refused rather than written unreadable.
    EXPECT_THROW(SetRectValue(list, "XY", TGmRect{0, 0, 3e6L, 1}), plat::EConvertError);
    EXPECT_EQ(list.GetValue("XY"), "1,2,x,4");
}

TEST(FontStyleText, LettersInFixedOrder)
{
    EXPECT_EQ(FontStyleToText(plat::fsBold | plat::fsUnderline), "b,u");
    EXPECT_EQ(FontStyleToText(plat::fsUnderline | plat::fsItalic | plat::fsBold | plat::fsStrikeOut), "b,i,u");
    EXPECT_EQ(FontStyleToText(plat::fsStrikeOut), "");
    EXPECT_EQ(FontStyleToText(0), "");
    EXPECT_EQ(TextToFontStyle("U,b"), plat::fsBold | plat::fsUnderline);
    EXPECT_EQ(TextToFontStyle("i, x ,s,bold"), plat::fsItalic);
    EXPECT_EQ(TextToFontStyle(""), 0);
}

struct ReadErrorCase {
    const char* name;
    std::string bytes;
};

class ReaderErrors : public testing::TestWithParam<ReadErrorCase> {};

TEST_P(ReaderErrors, DamagedStreamIsAReadErrorAndLeavesTheListAlone)
{
    plat::MemoryStream in = StreamOf(GetParam().bytes);
    TGmValueList list;
    list.SetInteger("KEEP", 1);
    try {
        list.LoadFromStream(in);
        FAIL();
    } catch (const plat::EReadError& e) {
        EXPECT_EQ(e.Message(), "Erreur de lecture du flux");
    }
    EXPECT_EQ(list.Items(), std::vector<std::string>{"KEEP=1"});
}

INSTANTIATE_TEST_SUITE_P(Truncated, ReaderErrors, testing::Values(
    ReadErrorCase{"Nothing", ""},
    ReadErrorCase{"InsideLength", std::string("\x05\x00", 2)},
    ReadErrorCase{"InsideBlock", LE32(10) + "A=1\r\n"},
    ReadErrorCase{"NegativeLength", LE32(-1) + "A=1\r\n"},
    ReadErrorCase{"LengthFarPastTheEnd", LE32(0x7FFFFFFF) + "A"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriterReader, StreamBlocksCopyAllOfTheSourceAndOnlyTheirLength)
{
    plat::MemoryStream source = StreamOf("abcdef");
    source.SetPosition(4); // WriteStream takes the source from its start whatever its position
    plat::MemoryStream out;
    TGmWriter writer(out);
    writer.WriteStream(source);
    writer.WriteInteger(-2);
    writer.WriteStream(*std::make_unique<plat::MemoryStream>());
    EXPECT_EQ(BytesOf(out), LE32(6) + "abcdef" + LE32(-2) + LE32(0));

    out.SetPosition(0);
    TGmReader reader(out);
    plat::MemoryStream target;
    reader.ReadStream(target);
    EXPECT_EQ(BytesOf(target), "abcdef");
    EXPECT_EQ(reader.ReadInteger(), -2);
    plat::MemoryStream empty;
    reader.ReadStream(empty);
    EXPECT_EQ(empty.GetSize(), 0);
    EXPECT_THROW(reader.ReadInteger(), plat::EReadError);
}

} // namespace
