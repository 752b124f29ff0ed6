#include "skin/library/skin_document.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tieba::skinlib {
namespace {

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    std::string bytes;
    bool isSkin;
    std::string skinName = {};   // the "name" setting, when a skin
    std::string styleSheet = {}; // when a skin
};

class ReadSkinDocument : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadSkinDocument, ReadsTheTextBeforeTheFirstZero) {
    const ReadCase& c = GetParam();
    const auto* data = reinterpret_cast<const unsigned char*>(c.bytes.data());
    const auto skin = readSkinDocument({data, c.bytes.size()});
    ASSERT_EQ(skin.has_value(), c.isSkin);
    if (skin) {
        EXPECT_EQ(settingOf(*skin, "name").value_or("<none>"), c.skinName);
        EXPECT_EQ(skin->styleSheet, c.styleSheet);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadSkinDocument,
    ::testing::Values(
        ReadCase{"plain", "TIEBA-SKIN 1\nname: a\n\nQLabel {}\n", true, "a", "QLabel {}\n"},
        ReadCase{"paddingIgnored", "TIEBA-SKIN 1\nname: a\n\nQLabel {}\0name: b\n\nQWidget {}"s,
                 true, "a", "QLabel {}"},
        ReadCase{"zeroEndsTheHeader", "TIEBA-SKIN 1\nname: a\0\n\nQWidget {}"s, true, "a", ""},
        ReadCase{"windowsLineEnds", "TIEBA-SKIN 1\r\nname: a \r\n\r\nQLabel {}", true, "a",
                 "QLabel {}"},
        ReadCase{"noStyleSheet", "TIEBA-SKIN 1\nname: a\n", true, "a", ""},
        ReadCase{"valueWithColons", "TIEBA-SKIN 1\nname: a:b: c\n\n", true, "a:b: c", ""},
        ReadCase{"laterSettingWins", "TIEBA-SKIN 1\nname: a\nname: b\n\nx", true, "b", "x"},
        ReadCase{"onlyTheMagicLine", "TIEBA-SKIN 1", true, "<none>", ""},
        ReadCase{"empty", "", false}, ReadCase{"onlyPadding", std::string(64, '\0'), false},
        ReadCase{"otherVersion", "TIEBA-SKIN 2\nname: a\n\nQLabel {}", false},
        ReadCase{"magicNotFirst", "\nTIEBA-SKIN 1\nname: a\n\n", false},
        ReadCase{"magicAfterZero", "\0TIEBA-SKIN 1\nname: a\n\n"s, false},
        ReadCase{"headerLineWithoutColon", "TIEBA-SKIN 1\nname a\n\nQLabel {}", false},
        ReadCase{"headerLineWithoutKey", "TIEBA-SKIN 1\n : a\n\nQLabel {}", false},
        ReadCase{"windowsLibrary", "MZ\x90\0\x03\0\0\0"s, false}),
    testing::CaseName());

} // namespace
} // namespace tieba::skinlib
