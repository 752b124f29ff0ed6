#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"
#include "text/delimited_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace tieba {
namespace {

using testing::gbk;

struct BetweenCase {
    const char* name;
    std::string text;
    std::string left;
    std::string right;
    std::optional<int> start;
    std::optional<bool> caseSensitive;
    std::string expected;
};

class TextBetween : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetween, CutsBetweenDelimiters) {
    const BetweenCase& c = GetParam();
    EXPECT_EQ(textBetween(c.text, c.left, c.right, c.start, c.caseSensitive), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextBetween,
    ::testing::Values(
        BetweenCase{"plain", "<b>x</b><b>y</b>", "<b>", "</b>", {}, {}, "x"},
        BetweenCase{"fromStart", "<b>x</b><b>y</b>", "<b>", "</b>", 2, {}, "y"},
        BetweenCase{"anyCaseByDefault", "<B>x</B>", "<b>", "</b>", {}, {}, "x"},
        BetweenCase{"caseSensitive", "<B>x</B><b>y</b>", "<b>", "</b>", {}, true, "y"},
        BetweenCase{"leftMissing", "x</b>", "<b>", "</b>", {}, {}, ""},
        BetweenCase{"rightMissingAfterLeft", "</b><b>x", "<b>", "</b>", {}, {}, ""},
        BetweenCase{"rightEmpty", "<b>x", "<b>", "", {}, {}, ""},
        BetweenCase{"leftEmpty", "abc</b>", "", "</b>", {}, {}, "abc"},
        BetweenCase{
            "quoteMarker", "href=\"/p/1\" x", gbk("href=#引号"), gbk("#引号"), {}, {}, "/p/1"},
        BetweenCase{"gbkRight",
                    gbk("pn=7\" class=\"last\">尾页"),
                    "pn=",
                    gbk("\" class=\"last\">尾页"),
                    {},
                    {},
                    "7"},
        // The right delimiter's letters must not match a trail byte ("薬" is CB 61).
        BetweenCase{"trailByteNotADelimiter", gbk("[薬a]"), "[", "a", {}, {}, gbk("薬")}),
    testing::CaseName());

struct BeforeCase {
    const char* name;
    std::string text;
    std::string delimiter;
    std::optional<int> start;
    std::optional<bool> caseInsensitive;
    std::string expected;
};

class TextBefore : public ::testing::TestWithParam<BeforeCase> {};

TEST_P(TextBefore, CutsBeforeTheDelimiter) {
    const BeforeCase& c = GetParam();
    EXPECT_EQ(textBefore(c.text, c.delimiter, c.start, c.caseInsensitive), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, TextBefore,
                         ::testing::Values(BeforeCase{"cookie", "a=1; path=/", ";", {}, {}, "a=1"},
                                           BeforeCase{"missingGivesEmpty", "a=1", ";", {}, {}, ""},
                                           BeforeCase{"startPastFirst", "a;b;c", ";", 3, {}, "a;b"},
                                           BeforeCase{"startBelowOne", "a;b", ";", -3, {}, "a"},
                                           BeforeCase{"exactByDefault", "aXb", "x", {}, {}, ""},
                                           BeforeCase{
                                               "caseInsensitive", "aXb", "x", {}, true, "a"}),
                         testing::CaseName());

} // namespace
} // namespace tieba
