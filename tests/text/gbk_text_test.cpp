#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"
#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace tieba {
namespace {

using testing::gbk;

struct FindCase {
    const char* name;
    std::string text;
    std::string sought;
    std::optional<int> start;
    LetterCase letterCase;
    int expected;
};

class FindText : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindText, FindsOnlyAtCharacterStarts) {
    const FindCase& c = GetParam();
    EXPECT_EQ(findText(c.text, c.sought, c.start, c.letterCase), c.expected);
}

// "中" is D6 D0 and "薬" is CB 61: its trail byte is the letter 'a'.
INSTANTIATE_TEST_SUITE_P(
    Table, FindText,
    ::testing::Values(
        FindCase{"plain", "abcabc", "c", {}, LetterCase::Sensitive, 3},
        FindCase{"fromStart", "abcabc", "c", 4, LetterCase::Sensitive, 6},
        FindCase{"startBelowOne", "abc", "a", -5, LetterCase::Sensitive, 1},
        FindCase{"startPastEnd", "abc", "a", 4, LetterCase::Sensitive, -1},
        FindCase{"missing", "abc", "d", {}, LetterCase::Sensitive, -1},
        FindCase{"caseDiffers", "ABC", "b", {}, LetterCase::Sensitive, -1},
        FindCase{"caseIgnored", "ABC", "b", {}, LetterCase::Ignored, 2},
        FindCase{"positionCountsBytes", gbk("中a"), "a", {}, LetterCase::Sensitive, 3},
        FindCase{"trailByteIsNoMatch", gbk("薬"), "a", {}, LetterCase::Sensitive, -1},
        FindCase{"trailByteIsNoFoldedMatch", gbk("薬"), "A", {}, LetterCase::Ignored, -1},
        FindCase{"trailByteSkippedThenFound", gbk("薬a"), "a", {}, LetterCase::Sensitive, 3},
        // Two-byte characters compare exactly even when their trail bytes are letters.
        FindCase{"noFoldInsideTwoByte", "\xCB\x41", "\xCB\x61", {}, LetterCase::Ignored, -1},
        FindCase{"twoByteSought", gbk("一中二"), gbk("中"), {}, LetterCase::Ignored, 3},
        // A start inside a character makes the walk begin there.
        FindCase{"startInsideCharacter",
                 "\xCB"
                 "aa",
                 "a", 2, LetterCase::Sensitive, 2},
        FindCase{"emptySoughtFound", "abc", "", 3, LetterCase::Sensitive, 1},
        FindCase{"emptySoughtEmptyText", "", "", {}, LetterCase::Sensitive, -1},
        FindCase{"emptySoughtPastEnd", "abc", "", 4, LetterCase::Sensitive, -1},
        FindCase{"soughtLongerThanRest", "ab", "abc", {}, LetterCase::Sensitive, -1},
        FindCase{"loneLeadByteAtEnd", "ab\xD6", "\xD6", {}, LetterCase::Sensitive, 3}),
    testing::CaseName());

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string sought;
    std::string replacement;
    std::optional<int> count;
    std::optional<int> start;
    LetterCase letterCase;
    std::string expected;
};

class ReplaceText : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceText, ReplacesWithTheCharacterWalk) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replaceText(c.text, c.sought, c.replacement, c.count, c.start, c.letterCase),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceText,
    ::testing::Values(
        ReplaceCase{"all", "a.b.c", ".", "\\.", {}, {}, LetterCase::Sensitive, "a\\.b\\.c"},
        ReplaceCase{"count", "aaaa", "a", "b", 2, {}, LetterCase::Sensitive, "bbaa"},
        ReplaceCase{"countZero", "aaaa", "a", "b", 0, {}, LetterCase::Sensitive, "aaaa"},
        ReplaceCase{"fromStart", "aaaa", "a", "b", {}, 3, LetterCase::Sensitive, "aabb"},
        ReplaceCase{"startZeroIsOne", "aa", "a", "b", {}, 0, LetterCase::Sensitive, "bb"},
        ReplaceCase{"startPastEnd", "aa", "a", "b", {}, 9, LetterCase::Sensitive, "aa"},
        ReplaceCase{"emptySought", "abc", "", "x", {}, {}, LetterCase::Sensitive, "abc"},
        ReplaceCase{"caseIgnored", "aAa", "A", "-", {}, {}, LetterCase::Ignored, "---"},
        ReplaceCase{"noOverlap", "aaa", "aa", "b", {}, {}, LetterCase::Sensitive, "ba"},
        ReplaceCase{"trailBytesKept",
                    "\xCB"
                    "a[a",
                    "a",
                    "x",
                    {},
                    {},
                    LetterCase::Sensitive,
                    "\xCB"
                    "a[x"},
        ReplaceCase{
            "bracketTrailKept", "\x81[[", "[", "\\[", {}, {}, LetterCase::Sensitive, "\x81[\\["},
        ReplaceCase{
            "removal", "http://x/http://", "http://", "", {}, {}, LetterCase::Sensitive, "x/"}),
    testing::CaseName());

TEST(TextShaping, LowerChangesOnlyAsciiCapitals) {
    EXPECT_EQ(lowerAscii("AbC-Z"), "abc-z");
    // "乑" is 81 5A: its trail byte looks like a capital Z and must stay.
    EXPECT_EQ(lowerAscii("\x81\x5A"
                         "A"),
              "\x81\x5A"
              "a");
}

TEST(TextShaping, TrimRemovesSpacesAndIdeographicSpacesAtBothEnds) {
    const std::string ideographicSpace = "\xA1\xA1";
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks(ideographicSpace + " x" + ideographicSpace), "x");
    EXPECT_EQ(trimBlanks(ideographicSpace + "   "), "");
    EXPECT_EQ(trimBlanks(""), "");
    // B0 A1 is a character, so its A1 does not pair with the A1 after it into a blank.
    EXPECT_EQ(trimBlanks("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
}

TEST(TextShaping, LeftAndRightPartsClampTheirCount) {
    EXPECT_EQ(leftPart("abc", 2), "ab");
    EXPECT_EQ(leftPart("abc", 0), "");
    EXPECT_EQ(leftPart("abc", -1), "");
    EXPECT_EQ(leftPart("abc", 9), "abc");
    EXPECT_EQ(rightPart("abc", 2), "bc");
    EXPECT_EQ(rightPart("abc", -2), "");
    EXPECT_EQ(rightPart("abc", 9), "abc");
}

TEST(TextShaping, TextOfStopsAtTheFirstZeroByte) {
    EXPECT_EQ(textOf(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(textOf(""), "");
}

} // namespace
} // namespace tieba
