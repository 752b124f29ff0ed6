#include "skin/library/skin_document.h"
#include "skin/skin_blocks.h"
#include "tests/skin/scratch_directory.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>

namespace tieba {
namespace {

using skinlib::readSkinDocument;
using skinlib::settingOf;

struct BlockCase {
    const char* name;
    int number;
    std::size_t length;
};

class SkinBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(SkinBlock, HoldsOneReadableSkinPaddedToItsLength) {
    const BlockCase& c = GetParam();
    const auto block = skinBlock(c.number);
    ASSERT_EQ(block.size(), c.length);

    const auto skin = readSkinDocument(block);
    ASSERT_TRUE(skin.has_value());
    EXPECT_TRUE(settingOf(*skin, "name").has_value());
    EXPECT_NE(skin->styleSheet.find("QPushButton"), std::string::npos);
    for (const char* role : {"Window", "WindowText", "Base", "Text", "Button", "ButtonText",
                             "Highlight", "HighlightedText"}) {
        EXPECT_TRUE(settingOf(*skin, std::string("palette.") + role).has_value()) << role;
    }
    // Everything after the document is padding the reader never sees.
    const auto end = std::find(block.begin(), block.end(), 0);
    ASSERT_NE(end, block.end());
    EXPECT_TRUE(std::all_of(end, block.end(), [](unsigned char b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SkinBlock,
    ::testing::Values(BlockCase{"skin01", 1, 15574}, BlockCase{"skin02", 2, 9533},
                      BlockCase{"skin03", 3, 19786}, BlockCase{"skin04", 4, 19497},
                      BlockCase{"skin05", 5, 17699}, BlockCase{"skin06", 6, 41098},
                      BlockCase{"skin07", 7, 12564}, BlockCase{"skin08", 8, 18930},
                      BlockCase{"skin09", 9, 13192}, BlockCase{"skin10", 10, 24409},
                      BlockCase{"skin11", 11, 30738}, BlockCase{"skin12", 12, 8321},
                      BlockCase{"skin13", 13, 26370}, BlockCase{"skin14", 14, 15733},
                      BlockCase{"skin15", 15, 12105}, BlockCase{"skin16", 16, 23603},
                      BlockCase{"skin17", 17, 20863}, BlockCase{"skin18", 18, 16746},
                      BlockCase{"skin19", 19, 11676}, BlockCase{"skin20", 20, 17997},
                      BlockCase{"skin21", 21, 12882}, BlockCase{"skin22", 22, 37461},
                      BlockCase{"skin23", 23, 30958}, BlockCase{"skin24", 24, 25715},
                      BlockCase{"skin25", 25, 34523}, BlockCase{"skin26", 26, 28961},
                      BlockCase{"skin27", 27, 29447}, BlockCase{"skin28", 28, 15562},
                      BlockCase{"skin29", 29, 20738}, BlockCase{"skin30", 30, 18765},
                      BlockCase{"skin31", 31, 31134}, BlockCase{"skin32", 32, 44110},
                      BlockCase{"skin33", 33, 20275}),
    testing::CaseName());

TEST(SkinBlocks, HoldTheirBytesTogetherAndNothingOutsideOneTo33) {
    std::size_t total = 0;
    for (int number = 1; number <= kSkinCount; ++number) {
        total += skinBlock(number).size();
    }
    EXPECT_EQ(total, 726965u);
    for (const int outside : {-1, 0, 34, 1000}) {
        EXPECT_TRUE(skinBlock(outside).empty()) << outside;
    }
}

TEST(SkinBlocks, AreThirtyThreeDifferentThemes) {
    std::set<std::string> names;
    std::set<std::string> looks;
    for (int number = 1; number <= kSkinCount; ++number) {
        const auto skin = readSkinDocument(skinBlock(number));
        ASSERT_TRUE(skin.has_value()) << number;
        names.insert(settingOf(*skin, "name").value_or(""));
        looks.insert(settingOf(*skin, "palette.Window").value_or("") +
                     settingOf(*skin, "palette.Highlight").value_or("") + skin->styleSheet);
    }
    EXPECT_EQ(names.size(), 33u);
    EXPECT_EQ(looks.size(), 33u);
}

TEST(SkinLibraryBlock, IsTheBuiltSharedObjectPaddedTo88576Bytes) {
    const auto block = skinLibraryBlock();
    ASSERT_EQ(block.size(), 88576u);
    const std::string bytes(block.begin(), block.end());
    EXPECT_EQ(bytes.substr(0, 4), "\x7F"
                                  "ELF");
    EXPECT_EQ(bytes[16], 3) << "not a shared object (ET_DYN)";
    EXPECT_EQ(bytes, testing::contentOf(TIEBA_SKIN_BUILT_LIBRARY));
}

} // namespace
} // namespace tieba
