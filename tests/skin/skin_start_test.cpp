// Starts of the program as a whole, from directories of the tests' choosing: a small program
// that starts like the real one is copied there and run. And the library lookup behind it.
#include "skin/skin_blocks.h"
#include "skin/skin_library_loader.h"
#include "tests/skin/run_program.h"
#include "tests/skin/scratch_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace tieba {
namespace {

namespace fs = std::filesystem;
using testing::contentOf;
using testing::ProgramRun;
using testing::ScratchDirectory;

const std::string kBuiltLibraryDirectory =
    fs::path(TIEBA_SKIN_BUILT_LIBRARY).parent_path().string();

// The look a start ends with when its own directory holds no usable library: the installed copy
// where one is installed on this machine, else the default look.
bool installedCopyExists() {
    return fs::exists(std::string(TIEBA_SKIN_LIBRARY_DIR) + "/SkinH_EL.dll");
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(programDirectory);
        fs::copy_file(TIEBA_SKIN_START_PROBE, program);
        fs::permissions(programDirectory, fs::perms(0755), fs::perm_options::replace);
    }

    ProgramRun start(bool unprivileged = false) {
        return testing::runProgram(program, {}, scratch.path(), unprivileged);
    }

    void expectDefaultLookWithOneLine(const ProgramRun& run) {
        if (installedCopyExists()) {
            EXPECT_EQ(run.out, "look=skinned aero=on\n");
            EXPECT_EQ(run.err, "");
            return;
        }
        EXPECT_EQ(run.out, "look=default aero=off\n");
        EXPECT_EQ(lineCount(run.err), 1) << run.err;
        EXPECT_NE(run.err.find("SkinH_EL.dll"), std::string::npos) << run.err;
    }

    ScratchDirectory scratch;
    const std::string programDirectory = scratch / "bin";
    const std::string program = programDirectory + "/tieba-search";
    const std::string library = programDirectory + "/SkinH_EL.dll";
};

TEST_F(ProgramStart, FirstStartPlacesTheLibraryAndWearsSkinNine) {
    const ProgramRun run = start();

    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "look=skinned aero=on\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(fs::file_size(library), 88576u);
    EXPECT_EQ(fs::status(library).permissions(), fs::perms(0444));
    const auto block = skinLibraryBlock();
    EXPECT_EQ(contentOf(library), std::string(block.begin(), block.end()));
}

TEST_F(ProgramStart, SecondStartLeavesAnotherFileOfThatNameUntouched) {
    testing::writeFile(library, "not the skin library", 0640);
    const auto written = fs::last_write_time(library);

    const ProgramRun run = start();

    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(contentOf(library), "not the skin library");
    EXPECT_EQ(fs::status(library).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::last_write_time(library), written);
    expectDefaultLookWithOneLine(run);
}

TEST_F(ProgramStart, ReadOnlyProgramDirectoryStillStarts) {
    fs::permissions(programDirectory, fs::perms(0555), fs::perm_options::replace);

    const ProgramRun run = start(true);

    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_FALSE(fs::exists(library));
    expectDefaultLookWithOneLine(run);
}

TEST(InstalledSkinLibraryDirectories, AreTheProgramsOwnThenTheInstalledOne) {
    EXPECT_EQ(installedSkinLibraryDirectories(),
              (std::vector<std::string>{fs::canonical(TIEBA_SKIN_TEST_BINARY_DIR).string(),
                                        TIEBA_SKIN_LIBRARY_DIR}));
}

TEST(LoadSkinLibrary, TriesEachDirectoryInTurn) {
    ScratchDirectory empty;
    ScratchDirectory broken;
    testing::writeFile(broken / "SkinH_EL.dll", "not an ELF file", 0444);
    const std::string built = kBuiltLibraryDirectory + "/SkinH_EL.dll";

    for (const std::string& first : {empty.path(), broken.path()}) {
        const SkinLibraryLoad load = loadSkinLibrary({first, kBuiltLibraryDirectory});
        ASSERT_TRUE(load.loaded.has_value()) << load.failure;
        EXPECT_EQ(load.loaded->path, built);
    }
    const SkinLibraryLoad own = loadSkinLibrary({kBuiltLibraryDirectory, empty.path()});
    ASSERT_TRUE(own.loaded.has_value()) << own.failure;
    EXPECT_EQ(own.loaded->path, built);
}

TEST(LoadSkinLibrary, CopyWithoutBothEntryPointsIsPassedOver) {
    ScratchDirectory half;
    fs::copy_file(TIEBA_HALF_SKIN_LIBRARY, half / "SkinH_EL.dll");

    const SkinLibraryLoad alone = loadSkinLibrary({half.path()});
    EXPECT_FALSE(alone.loaded.has_value());
    EXPECT_NE(alone.failure.find("lacks SkinH_SetAero"), std::string::npos) << alone.failure;

    const SkinLibraryLoad next = loadSkinLibrary({half.path(), kBuiltLibraryDirectory});
    EXPECT_TRUE(next.loaded.has_value()) << next.failure;
}

TEST(LoadSkinLibrary, FailureIsOneLineNamingTheFileAndEveryPlace) {
    ScratchDirectory a;
    ScratchDirectory b;
    const SkinLibraryLoad load = loadSkinLibrary({a.path(), b.path()});

    ASSERT_FALSE(load.loaded.has_value());
    EXPECT_EQ(load.failure.find('\n'), std::string::npos);
    EXPECT_EQ(load.failure.rfind("SkinH_EL.dll", 0), 0u) << load.failure;
    EXPECT_NE(load.failure.find(a.path()), std::string::npos) << load.failure;
    EXPECT_NE(load.failure.find(b.path()), std::string::npos) << load.failure;
}

} // namespace
} // namespace tieba
