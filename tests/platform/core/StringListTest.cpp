#include "platform/core/Exceptions.h"
#include "platform/core/StringList.h"

#include <gtest/gtest.h>

using plat::StringList;

namespace {

struct CommaCase {
    const char* name;
    std::string text;
    std::vector<std::string> items;
};

class CommaTextRead : public testing::TestWithParam<CommaCase> {};

TEST_P(CommaTextRead, SplitsLikeTheStoredForm)
{
    StringList list;
    list.SetCommaText(GetParam().text);
    EXPECT_EQ(list.Items(), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Rules, CommaTextRead, testing::Values(
    CommaCase{"MarginValues", "720,720,720,720,\"12632256,1,2,4\",\"12632256,1,2,4\"",
              {"720", "720", "720", "720", "12632256,1,2,4", "12632256,1,2,4"}},
    CommaCase{"LeadingBlanksSkipped", "  \t a,b", {"a", "b"}},
    CommaCase{"BlankEndsBareItem", "a b,c", {"a", "b", "c"}},
    CommaCase{"BlanksAroundComma", "a , b", {"a", "b"}},
    CommaCase{"DoubledQuotes", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
    CommaCase{"TrailingCommaAddsEmpty", "a,", {"a", ""}},
    CommaCase{"TrailingCommaThenBlankAddsNothing", "a, ", {"a"}},
    CommaCase{"EmptyMiddleItem", "a,,b", {"a", "", "b"}},
    CommaCase{"TwoQuotesIsOneEmptyItem", "\"\"", {""}},
    CommaCase{"EmptyText", "", {}},
    CommaCase{"UnclosedQuoteRunsToEnd", "\"abc", {"abc"}},
    CommaCase{"TextAfterClosingQuoteIsNextItem", "\"ab\"cd", {"ab", "cd"}}),
    [](const auto& info) { return std::string(info.param.name); });

class CommaTextWrite : public testing::TestWithParam<CommaCase> {};

TEST_P(CommaTextWrite, QuotesOnlyWhatNeedsIt)
{
    StringList list;
    for (const auto& item : GetParam().items)
        list.Add(item);
    EXPECT_EQ(list.GetCommaText(), GetParam().text);
    StringList back;
    back.SetCommaText(list.GetCommaText());
    EXPECT_EQ(back.Items(), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Rules, CommaTextWrite, testing::Values(
    CommaCase{"Bare", "1,2,3", {"1", "2", "3"}},
    CommaCase{"CommaInside", "720,\"12632256,1,2,4\"", {"720", "12632256,1,2,4"}},
    CommaCase{"SpaceInside", "\"a b\"", {"a b"}},
    CommaCase{"QuoteInside", "\"a\"\"b\"", {"a\"b"}},
    CommaCase{"OneEmptyItem", "\"\"", {""}},
    CommaCase{"EmptyAmongOthers", "a,,b", {"a", "", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StringList, TextSplitsAtEveryLineEnd)
{
    StringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("\r\n\r\nID=13\r\n");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"", "", "ID=13"}));
}

TEST(StringList, ValuesIgnoreCaseAndKeepFirstWriteOrder)
{
    StringList list{"", ""};
    list.SetValue("CL", "255");
    list.SetValue("ST", "0");
    list.SetValue("cl", "7");
    EXPECT_EQ(list.GetText(), "\r\n\r\ncl=7\r\nST=0\r\n"); // the line keeps its place
    EXPECT_EQ(list.GetValue("st"), "0");
    list.SetValue("ST", "");
    EXPECT_EQ(list.IndexOfName("ST"), -1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, IndexOutsideRaisesListError)
{
    StringList list{"a"};
    try {
        list.Get(4);
        FAIL();
    } catch (const plat::EListError& e) {
        EXPECT_EQ(e.Message(), "Indice de liste hors limites (4)");
    }
}

} // namespace
