#include "extract/regex_escape.h"
#include "extract/regex_object.h"
#include "extract/text_pairs.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

namespace tieba {
namespace {

struct EscapeCase {
    const char* name;
    std::string text;
    std::string expected;
};

class EscapeRegexText : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeRegexText, EscapesEveryRegexCharacterOnce) {
    const EscapeCase& c = GetParam();
    EXPECT_EQ(escapeRegexText(c.text), c.expected);
}

// The trail bytes of "乕" (81 5B), "乗" (81 5C) and "亅" (81 7C) equal '[', '\' and '|'.
INSTANTIATE_TEST_SUITE_P(
    Table, EscapeRegexText,
    ::testing::Values(EscapeCase{"dotAndBrackets", "a.b[1]", "a\\.b\\[1\\]"},
                      EscapeCase{"braces", "{x}", "\\{x\\}"},
                      EscapeCase{"groupAndQuestion", "(?)", "\\(\\?\\)"},
                      EscapeCase{"anchorsBarBackslash", "^a$|b\\", "\\^a\\$\\|b\\\\"},
                      EscapeCase{"starAndPlus", "*+", "\\*\\+"},
                      EscapeCase{"backslashBeforeParenthesis", "\\(", "\\\\\\("},
                      EscapeCase{"empty", "", ""},
                      EscapeCase{"trailBytesCopiedWhole", "\x81\x5B[\x81\x5C\\\x81\x7C|",
                                 "\x81\x5B\\[\x81\x5C\\\\\x81\x7C\\|"},
                      EscapeCase{"programDelimitersUnchanged",
                                 "class=\"p_title\">\n<a class=\"bluelink\" href=\"",
                                 "class=\"p_title\">\n<a class=\"bluelink\" href=\""}),
    testing::CaseName());

TEST(EscapeRegexTextAsPattern, MatchesExactlyItself) {
    const std::string specials = "\\^$.|?*+()[]{}";
    for (const char special : specials) {
        const std::string text = std::string("a") + special + "b";
        RegexObject regex;
        ASSERT_TRUE(regex.execute(escapeRegexText(text), "xab a" + text + "b")) << text;
        ASSERT_EQ(regex.matchCount(), 1) << text;
        EXPECT_EQ(regex.matchText(1), text);
    }
}

struct PairsCase {
    const char* name;
    std::string text;
    std::optional<int> count;
    std::optional<int> start;
    std::optional<bool> caseSensitive;
    std::string expected;
};

class ReplaceTextPairs : public ::testing::TestWithParam<PairsCase> {};

TEST_P(ReplaceTextPairs, AppliesThePairsInOrder) {
    const PairsCase& c = GetParam();
    // The second pair works on what the first one made.
    EXPECT_EQ(replaceTextPairs(c.text, c.count, c.start, c.caseSensitive, "a", "b", "b", "c"),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ReplaceTextPairs,
                         ::testing::Values(PairsCase{"chained", "ab", {}, {}, {}, "cc"},
                                           PairsCase{"countPerPair", "aaab", 2, {}, {}, "ccab"},
                                           PairsCase{"start", "aab", {}, 2, {}, "acc"},
                                           PairsCase{"startZeroIsFirst", "ab", {}, 0, {}, "cc"},
                                           PairsCase{
                                               "caseIgnoredByDefault", "AB", {}, {}, {}, "cc"},
                                           PairsCase{"caseSensitive", "AaB", {}, {}, true, "AcB"},
                                           PairsCase{"trailByteUntouched",
                                                     "\x81\x61"
                                                     "a",
                                                     {},
                                                     {},
                                                     {},
                                                     "\x81\x61"
                                                     "c"}),
                         testing::CaseName());

TEST(ReplaceTextPairsOmitted, EmptyFindChangesNothing) {
    EXPECT_EQ(replaceTextPairs("abc", {}, {}, {}, "", "x"), "abc");
    EXPECT_EQ(replaceTextPairs("abc", {}, {}, {}, "b", "x", "", "y", Text("c")), "ax");
}

} // namespace
} // namespace tieba
