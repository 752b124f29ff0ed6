// The build step that pads the library file: exact lengths, and a clear stop when it grows.
#include "tests/skin/run_program.h"
#include "tests/skin/scratch_directory.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>

namespace tieba {
namespace {

using namespace std::string_literals;

struct PadCase {
    const char* name;
    std::string content;
    std::string length;
    int exitStatus;
    std::string result;  // the file afterwards
    std::string message; // found on standard error
};

class PadFile : public ::testing::TestWithParam<PadCase> {};

TEST_P(PadFile, FillsWithZerosToTheLengthOrStopsTheBuild) {
    const PadCase& c = GetParam();
    testing::ScratchDirectory scratch;
    const std::string file = scratch / "SkinH_EL.dll";
    testing::writeFile(file, c.content, 0755);

    const testing::ProgramRun run =
        testing::runProgram(TIEBA_SKIN_PACK, {"pad", file, c.length}, scratch.path(), false);

    EXPECT_EQ(run.exitStatus, c.exitStatus);
    EXPECT_EQ(testing::contentOf(file), c.result);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PadFile,
    ::testing::Values(PadCase{"shorter",
                              "\x7F"
                              "ELF",
                              "8", 0,
                              "\x7F"
                              "ELF\0\0\0\0"s,
                              ""},
                      PadCase{"exact", "12345678", "8", 0, "12345678", ""},
                      PadCase{"longer", "123456789", "8", 1, "123456789",
                              "is 9 bytes, more than the 8 bytes it must fit in"},
                      PadCase{"badLength", "1", "8x", 1, "1", "\"8x\" is no length"}),
    testing::CaseName());

} // namespace
} // namespace tieba
