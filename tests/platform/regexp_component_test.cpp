#include "platform/regexp_component.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tieba::platform {
namespace {

// UTF-8 form of UTF-16 units, for readable failure messages.
std::string readable(std::u16string_view units) {
    std::string out;
    for (const char16_t unit : units) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else {
            out += "\\u" + std::to_string(static_cast<unsigned>(unit));
        }
    }
    return out;
}

using Found = std::vector<std::pair<std::size_t, std::string>>; // FirstIndex, Value

Found foundOf(const RegExpMatchCollection& matches) {
    Found found;
    for (std::size_t i = 0; i < matches.items.size(); ++i) {
        found.emplace_back(matches.items[i].whole.begin, readable(matchValue(matches, i)));
    }
    return found;
}

struct MatchCase {
    const char* name;
    std::u16string pattern;
    std::u16string subject;
    bool ignoreCase;
    bool multiline;
    bool global;
    Found expected;
};

class MatchRules : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchRules, FindsTheExpectedMatches) {
    const MatchCase& c = GetParam();
    const RegExpInstance instance{c.ignoreCase, c.multiline, c.global, c.pattern};
    const std::optional<RegExpMatchCollection> matches = executeRegExp(instance, c.subject);
    ASSERT_TRUE(matches);
    EXPECT_EQ(foundOf(*matches), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MatchRules,
    ::testing::Values(
        // Line rules: "." takes a CR but never a LF; line anchors only at LF.
        MatchCase{"dotStopsAtLineFeedOnly", u"a.b", u"a\nb a\rb", false, true, true, {{4, "a\rb"}}},
        MatchCase{
            "caretAfterLineFeedOnly", u"^x", u"x\nx\rx", false, true, true, {{0, "x"}, {2, "x"}}},
        MatchCase{
            "dollarBeforeLineFeedOnly", u"x$", u"x\rx\nx", false, true, true, {{2, "x"}, {4, "x"}}},
        MatchCase{"caretWithoutMultiline", u"^x", u"x\nx", false, false, true, {{0, "x"}}},
        MatchCase{"dollarWithoutMultilineOnlyAtEnd", u"x$", u"x\n", false, false, true, {}},
        // ASCII-only classes, as the original component has them.
        MatchCase{"digitIsAscii", u"\\d+", u"１2３4", false, true, true, {{1, "2"}, {3, "4"}}},
        MatchCase{"wordIsAscii", u"\\w+", u"é中ab", false, true, true, {{2, "ab"}}},
        MatchCase{"spaceIsAscii", u"\\s", u"\u3000 ", false, true, true, {{1, " "}}},
        MatchCase{"boundaryIsAscii", u"\\bb", u"中b éb", false, true, true, {{1, "b"}, {4, "b"}}},
        // Case folding reaches beyond ASCII.
        MatchCase{"foldAscii", u"ab", u"xAB", true, true, true, {{1, "AB"}}},
        MatchCase{"foldFullWidth", u"ａ", u"Ａ", true, true, true, {{0, "\\u65313"}}},
        MatchCase{"foldGreek", u"σ", u"Σς", true, true, true, {{0, "\\u931"}, {1, "\\u962"}}},
        MatchCase{"foldCyrillic", u"[д]", u"Д", true, true, true, {{0, "\\u1044"}}},
        MatchCase{"noFoldWhenCaseSensitive", u"ａb", u"ＡB", false, true, true, {}},
        // Global runs go left to right without overlap; an empty match moves on by one.
        MatchCase{"noOverlap", u"aa", u"aaaaa", false, true, true, {{0, "aa"}, {2, "aa"}}},
        MatchCase{"firstOnlyWithoutGlobal", u"a", u"aaa", false, true, false, {{0, "a"}}},
        MatchCase{"lazy", u"<.*?>", u"<a><b>", false, true, true, {{0, "<a>"}, {3, "<b>"}}},
        MatchCase{
            "emptyMatchesAdvance", u"x*", u"ab", false, true, true, {{0, ""}, {1, ""}, {2, ""}}},
        MatchCase{"emptyAfterNonEmpty",
                  u"b*",
                  u"abc",
                  false,
                  true,
                  true,
                  {{0, ""}, {1, "b"}, {2, ""}, {3, ""}}},
        // Indexes count UTF-16 units; a surrogate pair is one character for ".".
        MatchCase{"indexCountsUnits", u"b", u"中文b", false, true, true, {{2, "b"}}},
        MatchCase{"surrogatePairIsOneCharacter",
                  u"^.a",
                  u"\U0001F600a",
                  false,
                  true,
                  true,
                  {{0, "\\u55357\\u56832a"}}},
        // JScript's dialect.
        MatchCase{"unicodeEscape", u"\\u4E2D", u"a中", false, true, true, {{1, "\\u20013"}}},
        MatchCase{
            "negatedEmptyClassTakesLineFeed", u"a[^]b", u"a\nb", false, true, true, {{0, "a\nb"}}}),
    testing::CaseName());

TEST(MatchGroups, UnsetGroupIsEmptyAndCounted) {
    const RegExpInstance instance{false, true, true, u"(x)|(y)"};
    const std::optional<RegExpMatchCollection> matches = executeRegExp(instance, u"y");
    ASSERT_TRUE(matches);
    ASSERT_EQ(matches->items.size(), 1U);
    EXPECT_EQ(matches->groupCount, 2U);
    EXPECT_FALSE(matches->items[0].groups[0]);
    EXPECT_EQ(subMatchValue(*matches, 0, 0), u"");
    EXPECT_EQ(subMatchValue(*matches, 0, 1), u"y");
    EXPECT_EQ(subMatchValue(*matches, 0, 2), u"");
    EXPECT_EQ(matchValue(*matches, 1), u"");
}

TEST(EngineFailure, RejectedPatternOrBadSubjectGivesNoCollection) {
    EXPECT_FALSE(executeRegExp(RegExpInstance{true, true, true, u"a("}, u"a("));
    EXPECT_FALSE(replaceRegExp(RegExpInstance{true, true, true, u"[a"}, u"a", u"b"));
    // A lone surrogate is not UTF-16; the engine refuses rather than reading past it.
    const std::u16string lone(1, char16_t{0xD800});
    EXPECT_FALSE(executeRegExp(RegExpInstance{true, true, true, u"a"}, u"a" + lone));
    // Runaway backtracking stops at the engine's limit instead of hanging.
    EXPECT_FALSE(executeRegExp(RegExpInstance{false, true, true, u"(a+)+$"},
                               std::u16string(40, u'a') + u"!"));
}

TEST(Singleline, WriteIsRefusedAndDotStillStopsAtLineFeed) {
    RegExpInstance instance{false, false, true, u"a.b"};
    EXPECT_FALSE(setSingleline(instance, true));
    const std::optional<RegExpMatchCollection> matches = executeRegExp(instance, u"a\nb");
    ASSERT_TRUE(matches);
    EXPECT_TRUE(matches->items.empty());
}

struct ReplaceCase {
    const char* name;
    std::u16string pattern;
    std::u16string subject;
    std::u16string replacement;
    bool global;
    std::u16string expected;
};

class ReplaceRules : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceRules, SubstitutesAsTheComponentDoes) {
    const ReplaceCase& c = GetParam();
    const RegExpInstance instance{true, true, c.global, c.pattern};
    const std::optional<std::u16string> replaced =
        replaceRegExp(instance, c.subject, c.replacement);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(readable(*replaced), readable(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceRules,
    ::testing::Values(
        ReplaceCase{"groupsAndDollar", u"(a)(b)", u"xaby", u"[$2$1$$]", true, u"x[ba$]y"},
        ReplaceCase{"wholeMatch", u"b", u"abc", u"[$&]", true, u"a[b]c"},
        ReplaceCase{"beforeAndAfter", u"b", u"abc", u"[$`|$']", true, u"a[a|c]c"},
        ReplaceCase{"oneDigitWhenTwoExceedGroups", u"(a)(b)", u"xaby", u"$12", true, u"xa2y"},
        ReplaceCase{"twoDigitsWhenThatGroupExists", u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)",
                    u"abcdefghijkl", u"$12$1", true, u"la"},
        ReplaceCase{"leadingZero", u"(a)", u"a", u"<$01>", true, u"<a>"},
        ReplaceCase{"zeroStaysLiteral", u"(a)", u"a", u"$0", true, u"$0"},
        ReplaceCase{"missingGroupStaysLiteral", u"a", u"a", u"$1", true, u"$1"},
        ReplaceCase{"otherCharacterStaysLiteral", u"a", u"a", u"$x$", true, u"$x$"},
        ReplaceCase{"unsetGroupIsEmpty", u"(x)|(y)", u"y", u"[$1]", true, u"[]"},
        ReplaceCase{"firstOnlyWithoutGlobal", u"a", u"aAa", u"b", false, u"bAa"},
        ReplaceCase{"everyMatchIgnoringCase", u"a", u"aAa", u"b", true, u"bbb"},
        ReplaceCase{"emptyMatches", u"x*", u"ab", u"-", true, u"-a-b-"},
        ReplaceCase{"twoByteCharacters", u"文", u"中文字", u"<$&>", true, u"中<文>字"}),
    testing::CaseName());

struct LiteralCase {
    const char* name;
    std::u16string pattern;
    std::u16string subject;
    std::size_t from;
    std::optional<UnitSpan> expected;
};

class LiteralSearch : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(LiteralSearch, FindsThePlainTextInAnyCase) {
    const LiteralCase& c = GetParam();
    const std::optional<Pcre2Pattern> pattern =
        Pcre2Pattern::compile(c.pattern, {.ignoreCase = true, .multiline = false, .literal = true});
    ASSERT_TRUE(pattern);
    Pcre2Search search(*pattern, c.subject);
    const SearchResult result = search.find(c.from);
    ASSERT_NE(result.outcome, SearchOutcome::Failed);
    if (c.expected) {
        ASSERT_EQ(result.outcome, SearchOutcome::Found);
        EXPECT_EQ(result.match.whole, *c.expected);
    } else {
        EXPECT_EQ(result.outcome, SearchOutcome::NotFound);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LiteralSearch,
    ::testing::Values(LiteralCase{"syntaxIsText", u"a.(b", u"axxb a.(B", 0, UnitSpan{5, 9}},
                      LiteralCase{"fromOffset", u"ab", u"abAB", 1, UnitSpan{2, 4}},
                      LiteralCase{"foldsNonAscii", u"ａσ", u"ＡΣ", 0, UnitSpan{0, 2}},
                      LiteralCase{"emptyFoundAtOffset", u"", u"abc", 2, UnitSpan{2, 2}},
                      LiteralCase{"emptyFoundAtEnd", u"", u"abc", 3, UnitSpan{3, 3}},
                      LiteralCase{"pastEnd", u"", u"abc", 4, std::nullopt},
                      // An offset inside a surrogate pair moves on to the next character.
                      LiteralCase{"insideSurrogatePair", u"", u"\U0001F600a", 1, UnitSpan{2, 2}}),
    testing::CaseName());

} // namespace
} // namespace tieba::platform
