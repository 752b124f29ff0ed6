#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"
#include "text/codepage_conversion.h"

#include <gtest/gtest.h>

#include <functional>

namespace tieba {
namespace {

using testing::gbk;

struct ConversionCase {
    const char* name;
    std::function<Text(std::string_view)> convert;
    std::string input;
    std::string expected;
};

class Conversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, GivesTheExpectedBytes) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(c.convert(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Conversion,
    ::testing::Values(
        ConversionCase{"gbkToUtf8", gbkToUtf8, "\xD6\xD0", "\xE4\xB8\xAD"},
        ConversionCase{"utf8ToGbk", utf8ToGbk, "\xE4\xB8\xAD", "\xD6\xD0"},
        ConversionCase{"asciiGbkToUtf8", gbkToUtf8, "ab 1~", "ab 1~"},
        ConversionCase{"asciiUtf8ToGbk", utf8ToGbk, "ab 1~", "ab 1~"},
        ConversionCase{"asciiBig5ToGbk", big5ToGbk, "ab 1~", "ab 1~"},
        ConversionCase{"emptyGbkToUtf8", gbkToUtf8, "", ""},
        ConversionCase{"emptyBig5", big5ToGbk, "", ""},
        ConversionCase{"stopsAtZero", gbkToUtf8, std::string("a\0b", 3), "a"},
        ConversionCase{"euroAt80", gbkToUtf8, "\x80", "\xE2\x82\xAC"},
        // Hangul U+AC00 and the emoji are missing from GBK: one '?' each, neighbours intact.
        ConversionCase{"utf8MissingFromGbk", utf8ToGbk, "a\xEA\xB0\x80\xF0\x9F\x98\x80z", "a??z"},
        ConversionCase{"invalidUtf8", utf8ToGbk,
                       "a\xFF"
                       "b",
                       "a?b"},
        ConversionCase{"truncatedGbk", gbkToUtf8, "a\xD6", "a?"},
        ConversionCase{"big5Simplified", big5ToGbk, "\xB0\xEA", "\xB9\xFA"},
        ConversionCase{"big5Traditional", big5ToGbkTraditional, "\xB0\xEA", "\x87\xF8"},
        // Big5 A145 (U+2027, hyphenation point) is missing from GBK: the text goes on after it.
        ConversionCase{"big5MissingFromGbk", big5ToGbkTraditional,
                       "a\xA1\x45"
                       "b",
                       "a?b"},
        ConversionCase{"simplifyKeepsSymbols", toSimplifiedChinese, gbk("「國」ab"),
                       gbk("「国」ab")},
        // 0x80 and 0xFF stand alone in the code page, so the character after them is whole.
        ConversionCase{"simplifyAfterEuro", toSimplifiedChinese, "\x80" + gbk("國"),
                       "\x80" + gbk("国")},
        ConversionCase{"simplifyAfterLoneFF", toSimplifiedChinese, "\xFF" + gbk("國a"),
                       "\xFF" + gbk("国a")},
        ConversionCase{"simplifyKeepsSimplified", toSimplifiedChinese, gbk("中国 x"),
                       gbk("中国 x")}),
    testing::CaseName());

TEST(Utf16Form, DefaultsDifferBetweenDecoderAndEncoder) {
    // Decoding without a code page reads UTF-8; encoding without one writes GBK.
    EXPECT_EQ(multiByteToUtf16("\xE4\xB8\xAD"), u"中");
    EXPECT_EQ(utf16ToMultiByte(u"中"), "\xD6\xD0");
    EXPECT_EQ(utf16ToMultiByte(u"中", CodePage::Utf8), "\xE4\xB8\xAD");
    EXPECT_EQ(multiByteToUtf16("\xB0\xEA", CodePage::Big5), u"國");
}

TEST(Utf16Form, EncodingStopsAtTheFirstZeroUnit) {
    EXPECT_EQ(utf16ToMultiByte(std::u16string(u"a\0b", 3)), "a");
    EXPECT_EQ(multiByteToUtf16(""), u"");
}

TEST(Simplification, KeepsTheByteLengthOfEveryText) {
    const std::string traditional = gbk("這個軟體會搜尋貼吧裡的帖子，「繁體」轉換。");
    const std::string simplified = toSimplifiedChinese(traditional);
    EXPECT_EQ(simplified.size(), traditional.size());
    EXPECT_EQ(simplified, gbk("这个软体会搜寻贴吧里的帖子，「繁体」转换。"));
}

} // namespace
} // namespace tieba
