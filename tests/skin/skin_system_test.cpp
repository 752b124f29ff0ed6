#include "skin/skin_blocks.h"
#include "skin/skin_system.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tieba {
namespace {

// Records what the skin steps ask of the outside world, in order.
struct Recorder {
    std::vector<std::string> calls;
    bool gotData = false;
    std::vector<unsigned char> attached;

    SkinSystem system() {
        return {
            .deployLibrary = [this] { calls.push_back("deploy"); },
            .attachSkin =
                [this](const unsigned char* data, int length) {
                    calls.push_back("attach " + std::to_string(length));
                    gotData = data != nullptr;
                    if (data != nullptr && length > 0) {
                        attached.assign(data, data + length);
                    }
                },
            .setAero = [this](int on) { calls.push_back("aero " + std::to_string(on)); },
        };
    }
};

TEST(StartSkin, DeploysAttachesSkinNineDeploysAgainThenSwitchesAeroOn) {
    Recorder recorder;
    startSkinWith(recorder.system());

    EXPECT_EQ(recorder.calls,
              (std::vector<std::string>{"deploy", "attach 13192", "deploy", "aero 1"}));
    const auto nine = skinBlock(9);
    EXPECT_EQ(recorder.attached, std::vector<unsigned char>(nine.begin(), nine.end()));
}

struct NumberCase {
    const char* name;
    int number;
    int length; // 0: no data at all
};

class ApplySkin : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ApplySkin, DeploysThenAttachesTheSkinOfThatNumberOrNoData) {
    const NumberCase& c = GetParam();
    Recorder recorder;
    applySkinWith(recorder.system(), c.number);

    EXPECT_EQ(recorder.calls,
              (std::vector<std::string>{"deploy", "attach " + std::to_string(c.length)}));
    EXPECT_EQ(recorder.gotData, c.length > 0);
}

INSTANTIATE_TEST_SUITE_P(Table, ApplySkin,
                         ::testing::Values(NumberCase{"zero", 0, 0}, NumberCase{"first", 1, 15574},
                                           NumberCase{"last", 33, 20275},
                                           NumberCase{"thirtyFour", 34, 0},
                                           NumberCase{"negative", -9, 0}),
                         testing::CaseName());

TEST(SkinSystemFor, AsksForTheLibraryOnlyAfterEachDeployAndGoesOnWithoutOne) {
    std::vector<std::string> calls;
    const SkinSystem system = skinSystemFor(
        [&calls]() -> std::optional<std::string> {
            calls.push_back("directory");
            return std::nullopt; // the program's directory is unknown: nothing is placed
        },
        [&calls]() -> const LoadedSkinLibrary* {
            calls.push_back("library");
            return nullptr; // no copy loads: the calls do nothing
        });
    startSkinWith(system);

    EXPECT_EQ(calls, (std::vector<std::string>{"directory", "library", "directory", "library"}));
}

} // namespace
} // namespace tieba
