// The byte search stands in for the UTF-16 one only on well-formed GBK with ASCII delimiters;
// these tests hold up the facts that make the two agree there.
#include "extract/delimited_runs.h"
#include "platform/pcre2_regexp.h"
#include "tests/support/case_name.h"
#include "text/codepage_conversion.h"

#include <gtest/gtest.h>

#include <random>

namespace tieba {
namespace {

// The rule written plainly, one character at a time.
bool wellFormedByWalk(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0x00 || lead == 0x80 || lead == 0xFF) {
            return false;
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (i + 1 == text.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) {
            return false;
        }
        i += 2;
    }
    return true;
}

struct FormCase {
    const char* name;
    std::string text;
    bool expected;
};

class WellFormedGbk : public ::testing::TestWithParam<FormCase> {};

TEST_P(WellFormedGbk, FollowsTheCharacterRule) {
    const FormCase& c = GetParam();
    EXPECT_EQ(isWellFormedGbk(c.text), c.expected);
    EXPECT_EQ(wellFormedByWalk(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WellFormedGbk,
    ::testing::Values(
        FormCase{"empty", "", true}, FormCase{"ascii", "<a href=\"x\">", true},
        FormCase{"twoByte",
                 "a\xD6\xD0"
                 "b",
                 true},
        FormCase{"trailLetter", "\x81\x41\xD6\xD0", true}, FormCase{"trail80", "\x81\x80", true},
        FormCase{"lead80", "\x80\x41", false}, FormCase{"byteFF", "a\xFF", false},
        FormCase{"trailFF", "\x81\xFF", false}, FormCase{"loneLeadAtEnd", "ab\xD6", false},
        FormCase{"trailBelow40", "\xD6\"", false}, FormCase{"trail7F", "\xD6\x7F", false},
        FormCase{"zeroByte", std::string("a\0b", 3), false},
        // A run of high bytes across the 64-byte steps pairs on from its start.
        FormCase{"oddRunAcrossSteps", std::string(63, 'a') + "\xD6\xD0\xD6" + "A", true},
        FormCase{"oddRunAcrossStepsWithoutTrail", std::string(63, 'a') + "\xD6\xD0\xD6" + " ",
                 false},
        FormCase{"leadAtStepEnd", std::string(63, 'a') + "\xD6", false},
        FormCase{"trailOpensPlainStep", std::string(63, 'a') + "\xD6" + std::string(70, 'A'), true},
        FormCase{"lineFeedOpensPlainStep", std::string(63, 'a') + "\xD6" + std::string(70, '\n'),
                 false},
        FormCase{"lead80AfterLongRun", std::string(70, '\xD6') + "\x80\x41", false},
        FormCase{"trail80AfterLongRun", std::string(71, '\xD6') + "\x80", true}),
    testing::CaseName());

TEST(WellFormedGbkGenerated, AgreesWithTheWalk) {
    const unsigned char alphabet[] = {0x00, 0x0A, 0x20, 0x3F, 0x40, 0x41, 0x7E,
                                      0x7F, 0x80, 0x81, 0xA1, 0xD6, 0xFE, 0xFF};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> mostlyHigh(0, 9);
    for (int round = 0; round < 20000; ++round) {
        std::string text(length(random), 'a');
        // Half of the texts mostly high bytes, so that long runs occur; the other half mostly
        // ASCII, so that runs end next to plain stretches.
        const unsigned char usual = round % 2 == 0 ? 0xD6 : 'a';
        for (char& byte : text) {
            const unsigned char chosen = mostlyHigh(random) < 7 ? usual : alphabet[pick(random)];
            byte = static_cast<char>(chosen);
        }
        ASSERT_EQ(isWellFormedGbk(text), wellFormedByWalk(text)) << "round " << round;
    }
}

// Every well-formed two-byte code: one decodes to one non-ASCII character and back to itself,
// and none matches an ASCII character in any case. Bytes searched, hits cut and delimiters
// folded are then the same in the GBK bytes as in the UTF-16 form.
TEST(WellFormedGbkCodes, AreOneNonAsciiCharacterThatFoldsToNoAsciiOne) {
    std::string codes;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) {
                codes += static_cast<char>(lead);
                codes += static_cast<char>(trail);
            }
        }
    }
    ASSERT_TRUE(isWellFormedGbk(codes));
    const Utf16Text units = multiByteToUtf16(codes, CodePage::Gbk);
    ASSERT_EQ(units.size(), codes.size() / 2);
    for (const char16_t unit : units) {
        ASSERT_GE(unit, 0x80) << "a code decodes to ASCII or to the replacement";
    }
    EXPECT_EQ(utf16ToMultiByte(units, CodePage::Gbk), codes);

    for (char16_t ascii = 0x01; ascii < 0x80; ++ascii) {
        const std::optional<platform::Pcre2Pattern> pattern = platform::Pcre2Pattern::compile(
            std::u16string(1, ascii), {.ignoreCase = true, .multiline = false, .literal = true});
        ASSERT_TRUE(pattern);
        platform::Pcre2Search search(*pattern, units);
        EXPECT_EQ(search.find(0).outcome, platform::SearchOutcome::NotFound)
            << "a GBK character folds to ASCII " << static_cast<int>(ascii);
    }
}

struct ApplicableCase {
    const char* name;
    std::string text;
    std::string left;
    std::string right;
    bool applies;
};

class ByteSearchApplies : public ::testing::TestWithParam<ApplicableCase> {};

TEST_P(ByteSearchApplies, OnlyWhereItAgreesWithTheUnitSearch) {
    const ApplicableCase& c = GetParam();
    EXPECT_EQ(findDelimitedRunsInGbk(c.text, c.left, c.right).has_value(), c.applies);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ByteSearchApplies,
    ::testing::Values(ApplicableCase{"asciiDelimiters", "<b>\xD6\xD0</b>", "<b>", "</b>", true},
                      ApplicableCase{"twoByteDelimiter", "<b>x</b>", "\xD6\xD0", "</b>", false},
                      ApplicableCase{"emptyDelimiter", "<b>x</b>", "", "</b>", false},
                      ApplicableCase{"illFormedText", "<b>\x80</b>", "<b>", "</b>", false}),
    testing::CaseName());

TEST(ByteSearch, FindsRunsOnlyAtCharacterStarts) {
    // "乤" is 81 61 and "乥" 81 62: their trail bytes must not serve as delimiters.
    const std::string text = "\x81\x61x]a\x81\x62y"
                             "b\n"
                             "a1b";
    const std::optional<std::vector<ByteSpan>> runs = findDelimitedRunsInGbk(text, "A", "B");
    ASSERT_TRUE(runs);
    EXPECT_EQ(*runs, (std::vector<ByteSpan>{{5, 8}, {11, 12}}));
}

} // namespace
} // namespace tieba
