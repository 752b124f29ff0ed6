#include "extract/extract_all_between.h"
#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"

#include <gtest/gtest.h>

namespace tieba {
namespace {

using testing::gbk;

struct ExtractCase {
    const char* name;
    std::string text;
    std::string left;
    std::string right;
    TextList expected;
    std::optional<int> maxLength = {};
    std::optional<Text> prefix = {};
    std::optional<Text> suffix = {};
    std::optional<bool> keepLeft = {};
    std::optional<bool> keepRight = {};
};

class ExtractAllBetween : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractAllBetween, CollectsTheExpectedHits) {
    const ExtractCase& c = GetParam();
    TextList hits;
    const int count = extractAllBetween(c.text, c.left, c.right, hits, c.maxLength, c.prefix,
                                        c.suffix, c.keepLeft, c.keepRight);
    EXPECT_EQ(hits, c.expected);
    EXPECT_EQ(count, static_cast<int>(hits.size()));
}

// "乤" is 81 61 and "乥" 81 62: trail bytes that equal 'a' and 'b'.
INSTANTIATE_TEST_SUITE_P(
    Matching, ExtractAllBetween,
    ::testing::Values(
        ExtractCase{"anyCase", "<B>x</B> <b>y</b>", "<b>", "</b>", {"x", "y"}},
        ExtractCase{"shortestRun", "<b>x</b>y</b>", "<b>", "</b>", {"x"}},
        ExtractCase{"rightDelimiterUsedUp", "a1a2a3a", "a", "a", {"1", "3"}},
        ExtractCase{"noHitAcrossLineFeed", "<b>a\nb</b>", "<b>", "</b>", {}},
        ExtractCase{"leftWithoutRightOnItsLine", "<b>a\n<b>c</b>", "<b>", "</b>", {"c"}},
        ExtractCase{"carriageReturnInsideHit", "<b>a\rb</b>", "<b>", "</b>", {"a\rb"}},
        ExtractCase{"rightBeginsWithLineFeed", "<b>x\n</b>", "<b>", "\n</b>", {"x"}},
        // A failed left delimiter is tried again one character on, inside itself.
        ExtractCase{"overlappingLeftDelimiters", "\n\n\nx", "\n\n", "x", {""}},
        ExtractCase{"emptyText", "", "<b>", "</b>", {}},
        ExtractCase{"emptyRun", "<b></b>", "<b>", "</b>", {""}},
        ExtractCase{
            "twoByteHits", gbk("<b>中文</b><b>字</b>"), "<b>", "</b>", {gbk("中文"), gbk("字")}},
        ExtractCase{"nonAsciiDelimitersInAnyCase",
                    gbk("【ＡΣд1】 【ａσД2】"),
                    gbk("【ａσД"),
                    gbk("】"),
                    {"1", "2"}},
        ExtractCase{"trailByteIsNoLeftDelimiter", "\x81\x61x]", "a", "]", {}},
        ExtractCase{"trailByteIsNoRightDelimiter",
                    "ax\x81\x62y"
                    "b",
                    "a",
                    "b",
                    {"x\x81\x62y"}},
        // Every regex character in a delimiter is plain text.
        ExtractCase{"dotIsLiteral", "axb1.a.b2.", "a.b", ".", {"2"}},
        ExtractCase{"barIsLiteral", "a1| b|c2|", "b|c", "|", {"2"}},
        ExtractCase{"anchorsAreLiteral", "x^a1$ ^a2$", "^a", "$", {"1", "2"}},
        ExtractCase{"parenthesesAreLiteral", "f(x) g(y)", "(", ")", {"x", "y"}},
        ExtractCase{"backslashIsLiteral", "a\\(b\\(c", "\\(", "\\(", {"b"}},
        ExtractCase{"quantifiersAreLiteral", "a+?1*{2}", "+?", "*{", {"1"}},
        // Empty delimiters: an empty hit at every character, as the pattern "(.*?)" gives.
        ExtractCase{"emptyDelimiters", "ab", "", "", {"", "", ""}}),
    testing::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Shaping, ExtractAllBetween,
    ::testing::Values(
        ExtractCase{"maxLengthDropsLongerHits", "<b>abc</b><b>abcd</b>", "<b>", "</b>", {"abc"}, 3},
        ExtractCase{
            "maxLengthCountsBytes", gbk("<b>中文</b><b>中a</b>"), "<b>", "</b>", {gbk("中a")}, 3},
        ExtractCase{"negativeMaxLengthKeepsNothing", "<b>a</b>", "<b>", "</b>", {}, -1},
        ExtractCase{"prefixAndSuffix", "<b>a</b>", "<b>", "</b>", {"[a]"}, {}, "[", "]"},
        ExtractCase{"bothDelimitersBack",
                    "<B>a</B>",
                    "<b>",
                    "</b>",
                    {"<b>[a]</b>"},
                    0,
                    "[",
                    "]",
                    true,
                    true},
        ExtractCase{"withLimitOnlyLeftComesBack",
                    "<b>a</b>",
                    "<b>",
                    "</b>",
                    {"<b>[a]"},
                    5,
                    "[",
                    "]",
                    true,
                    true},
        ExtractCase{
            "withLimitRightAlone", "<b>a</b>", "<b>", "</b>", {"a</b>"}, 5, {}, {}, false, true},
        ExtractCase{
            "limitAppliesToTheBareHit", "<b>ab</b>", "<b>", "</b>", {"<b>ab"}, 2, {}, {}, true}),
    testing::CaseName());

TEST(ExtractAllBetweenHits, MayHoldTheTextsThemselves) {
    TextList hits{"<b>x</b><b>y</b>", "<b>", "</b>"};
    EXPECT_EQ(extractAllBetween(hits[0], hits[1], hits[2], hits), 2);
    EXPECT_EQ(hits, (TextList{"x", "y"}));
}

TEST(ExtractAllBetweenHits, AreEmptiedFirstEvenWithoutMatches) {
    TextList hits{"old", "older"};
    EXPECT_EQ(extractAllBetween("nothing here", "<b>", "</b>", hits), 0);
    EXPECT_TRUE(hits.empty());
    hits = {"old"};
    EXPECT_EQ(extractAllBetween("<b>new</b>", "<b>", "</b>", hits), 1);
    EXPECT_EQ(hits, TextList{"new"});
}

} // namespace
} // namespace tieba
