#include "extract/regex_object.h"
#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"

#include <gtest/gtest.h>

#include <memory>

namespace tieba {
namespace {

using testing::gbk;

TEST(RegexObjectBeforeExecute, ReadsGiveEmptyTextOrZero) {
    const RegexObject regex;
    EXPECT_EQ(regex.getPattern(), "");
    EXPECT_EQ(regex.replaceMatches("x"), "");
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchCount(), 0);
    int position = 99;
    EXPECT_EQ(regex.matchText(1, &position), "");
    EXPECT_EQ(position, -2); // no subject yet
}

TEST(RegexObjectExecute, RejectedPatternLeavesEveryReadEmpty) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("b", "abc"));
    EXPECT_FALSE(regex.execute("a(", "a(b"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchCount(), 0);
    EXPECT_EQ(regex.matchText(1), "");
    EXPECT_EQ(regex.subMatchText(1, 1), "");
    EXPECT_EQ(regex.replaceMatches("x"), "");
    // The pattern was written before the component refused to run it.
    EXPECT_EQ(regex.getPattern(), "a(");
    int position = 99;
    regex.matchText(1, &position);
    EXPECT_EQ(position, 0);
}

TEST(RegexObjectExecute, NoMatchIsStillASuccessfulRun) {
    RegexObject regex;
    EXPECT_TRUE(regex.execute("z", "abc"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchCount(), 0);
    EXPECT_EQ(regex.replaceMatches("x"), "abc");
}

TEST(RegexObjectExecute, DefaultsIgnoreCaseAndReturnEveryMatch) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("a(b)", "xAB ab"));
    ASSERT_EQ(regex.matchCount(), 2);
    EXPECT_EQ(regex.matchText(1), "AB");
    EXPECT_EQ(regex.subMatchText(2, 1), "b");
    EXPECT_EQ(regex.subMatchCount(), 1);
    EXPECT_EQ(regex.matchText(0), "");
    EXPECT_EQ(regex.matchText(3), "");
    EXPECT_EQ(regex.subMatchText(1, 2), "");
    EXPECT_EQ(regex.getPattern(), "a(b)");
    EXPECT_EQ(regex.replaceMatches("[$1]"), "x[B] [b]");
}

TEST(RegexObjectExecute, OptionsReachTheEngine) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("^a", "A\na", true, false, true));
    EXPECT_EQ(regex.matchCount(), 0); // case-sensitive, and "^" only at the start
    ASSERT_TRUE(regex.execute("^a", "a\na", false, true, false));
    EXPECT_EQ(regex.matchCount(), 1); // not global
    EXPECT_EQ(regex.replaceMatches("b"), "b\na");
}

TEST(RegexObjectExecute, UnsetGroupIsEmptyText) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("(x)|(y)", "y"));
    EXPECT_EQ(regex.subMatchText(1, 1), "");
    EXPECT_EQ(regex.subMatchText(1, 2), "y");
    EXPECT_EQ(regex.subMatchCount(), 2);
}

TEST(RegexObjectExecute, TwoByteCharactersStayWholeAndComeBackAsGbk) {
    RegexObject regex;
    // "乤" is 81 61: its trail byte is the letter 'a', which the pattern must not find.
    ASSERT_TRUE(regex.execute("a.", gbk("乤中a文")));
    ASSERT_EQ(regex.matchCount(), 1);
    EXPECT_EQ(regex.matchText(1), gbk("a文"));
    ASSERT_TRUE(regex.execute(gbk("(中.)"), gbk("x中文")));
    EXPECT_EQ(regex.subMatchText(1, 1), gbk("中文"));
}

TEST(RegexObjectLifetime, CreatingAndDestroyingManyObjectsIsSafe) {
    for (int i = 0; i < 200; ++i) {
        auto regex = std::make_unique<RegexObject>();
        if (i % 2 == 0) {
            regex->execute("a", "aaa");
        }
    }
    RegexObject reused;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(reused.execute("a", std::string(static_cast<std::size_t>(i), 'a')));
        EXPECT_EQ(reused.matchCount(), i);
    }
}

struct PositionCase {
    const char* name;
    std::string pattern;
    std::string subject;
    std::optional<bool> caseSensitive;
    int matchIndex;
    int groupIndex; // 0: the whole match
    std::string expectedText;
    int expectedPosition;
};

class BytePosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(BytePosition, SearchesFromTheCharacterIndex) {
    const PositionCase& c = GetParam();
    RegexObject regex;
    regex.execute(c.pattern, c.subject, c.caseSensitive);
    int position = 99;
    const Text text = c.groupIndex == 0 ? regex.matchText(c.matchIndex, &position)
                                        : regex.subMatchText(c.matchIndex, c.groupIndex, &position);
    EXPECT_EQ(text, c.expectedText);
    EXPECT_EQ(position, c.expectedPosition);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BytePosition,
    ::testing::Values(
        PositionCase{"ascii", "b", "abc", {}, 1, 0, "b", 1},
        // The second "a" has index 1; the search starts at the first byte and finds the first.
        PositionCase{"earlierCopy", "a", "aa", {}, 2, 0, "a", 0},
        PositionCase{"twoByteInFront", "b", gbk("中b"), {}, 1, 0, "b", 2},
        PositionCase{"twoByteCharactersInFront", "b", gbk("中文字b"), {}, 1, 0, "b", 6},
        // Index 2 as a byte position falls inside "中": the search starts at "文" instead.
        PositionCase{"indexInsideACharacter", "b", gbk("中文b"), {}, 1, 0, "b", 4},
        PositionCase{"earlierCopyBetween", "a", gbk("中a中a"), {}, 2, 0, "a", 2},
        // "乤" is 81 61: the 'a' at its trail byte is never reported.
        PositionCase{"trailByteNeverReported", "a", gbk("中乤a"), {}, 1, 0, "a", 4},
        // The search ignores case when the pattern respects it, and the other way round.
        PositionCase{"caseRuleReversedWhenSensitive", "a", "Aa", true, 1, 0, "a", 0},
        PositionCase{"caseRuleReversedWhenIgnoring", "a", "aA", {}, 2, 0, "A", 1},
        PositionCase{"groupSearchedFromMatchIndex", "x(b)", gbk("中bxb"), {}, 1, 1, "b", 2},
        PositionCase{"indexOutsideMatches", "b", "abc", {}, 2, 0, "", 0},
        PositionCase{"indexOutsideGroups", "b", "abc", {}, 1, 1, "", 0},
        PositionCase{"emptySubject", "b", "", {}, 1, 0, "", -2},
        PositionCase{"emptyMatchAtEnd", "$", "ab", {}, 1, 0, "", 0}),
    testing::CaseName());

} // namespace
} // namespace tieba
