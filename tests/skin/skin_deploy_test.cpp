#include "skin/skin_blocks.h"
#include "skin/skin_library_file.h"
#include "tests/skin/scratch_directory.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace tieba {
namespace {

namespace fs = std::filesystem;
using testing::contentOf;
using testing::ScratchDirectory;

unsigned modeOf(const std::string& path) {
    struct stat entry {};
    return ::lstat(path.c_str(), &entry) == 0 ? (entry.st_mode & 07777u) : 0u;
}

std::string libraryBytes() {
    const auto block = skinLibraryBlock();
    return std::string(block.begin(), block.end());
}

class DeploySkinLibrary : public ::testing::Test {
protected:
    ScratchDirectory scratch;
    const std::string library = scratch / "SkinH_EL.dll";
};

TEST_F(DeploySkinLibrary, FirstDeployWritesTheWholeFileMarkedReadOnlyForEveryone) {
    const mode_t previousMask = ::umask(0);
    const DeployOutcome outcome = deploySkinLibraryInto(scratch.path(), skinLibraryBlock());
    ::umask(previousMask);

    EXPECT_EQ(outcome, DeployOutcome::Written);
    EXPECT_EQ(fs::file_size(library), 88576u);
    EXPECT_EQ(contentOf(library), libraryBytes());
    EXPECT_EQ(modeOf(library), 0444u) << "exactly read-only, whatever the umask";
}

TEST_F(DeploySkinLibrary, SecondDeployFindsTheFileAndWritesNothing) {
    ASSERT_EQ(deploySkinLibraryInto(scratch.path(), skinLibraryBlock()), DeployOutcome::Written);
    const auto written = fs::last_write_time(library);
    EXPECT_EQ(deploySkinLibraryInto(scratch.path(), skinLibraryBlock()),
              DeployOutcome::AlreadyThere);
    EXPECT_EQ(fs::last_write_time(library), written);
}

TEST_F(DeploySkinLibrary, MissingDirectoryFailsLeavingNothingAndALaterDeployWrites) {
    const std::string missing = scratch / "not-yet";
    EXPECT_EQ(deploySkinLibraryInto(missing, skinLibraryBlock()), DeployOutcome::Failed);
    EXPECT_FALSE(fs::exists(missing));

    fs::create_directory(missing);
    EXPECT_EQ(deploySkinLibraryInto(missing, skinLibraryBlock()), DeployOutcome::Written);
}

// A write cut short (here by a file-size limit) must not leave a broken library behind that
// every later start would find and keep. Runs in a child process, which exits 0 when sound.
[[noreturn]] void deployUnderFileSizeLimit(const ScratchDirectory& scratch) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const DeployOutcome outcome = deploySkinLibraryInto(scratch.path(), skinLibraryBlock());
    const bool sound = outcome == DeployOutcome::Failed && !fs::exists(scratch / "SkinH_EL.dll");
    fs::remove_all(scratch.path()); // exit skips the fixture's own cleanup
    std::exit(sound ? 0 : 1);
}

TEST_F(DeploySkinLibrary, WriteCutShortLeavesNoFileBehind) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(deployUnderFileSizeLimit(scratch), ::testing::ExitedWithCode(0), "");
}

struct ExistingCase {
    const char* name;
    enum class Kind { File, Directory, DanglingLink } kind;
    std::string content;
    unsigned mode;
};

class ExistingEntry : public ::testing::TestWithParam<ExistingCase> {};

TEST_P(ExistingEntry, IsLeftAloneWhateverItHolds) {
    const ExistingCase& c = GetParam();
    ScratchDirectory scratch;
    const std::string entry = scratch / "SkinH_EL.dll";
    switch (c.kind) {
    case ExistingCase::Kind::File:
        testing::writeFile(entry, c.content, c.mode);
        break;
    case ExistingCase::Kind::Directory:
        fs::create_directory(entry);
        fs::permissions(entry, static_cast<fs::perms>(c.mode), fs::perm_options::replace);
        break;
    case ExistingCase::Kind::DanglingLink:
        fs::create_symlink(scratch / "nowhere", entry);
        break;
    }
    const unsigned mode = modeOf(entry);

    EXPECT_EQ(deploySkinLibraryInto(scratch.path(), skinLibraryBlock()),
              DeployOutcome::AlreadyThere);
    EXPECT_EQ(modeOf(entry), mode);
    if (c.kind == ExistingCase::Kind::File) {
        EXPECT_EQ(contentOf(entry), c.content);
    }
    EXPECT_FALSE(fs::exists(scratch / "nowhere"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExistingEntry,
    ::testing::Values(ExistingCase{"otherContent", ExistingCase::Kind::File, "not a library", 0640},
                      ExistingCase{"emptyFile", ExistingCase::Kind::File, "", 0600},
                      ExistingCase{"writableByAll", ExistingCase::Kind::File, "x", 0666},
                      ExistingCase{"directory", ExistingCase::Kind::Directory, "", 0755},
                      ExistingCase{"danglingLink", ExistingCase::Kind::DanglingLink, "", 0}),
    testing::CaseName());

TEST(SkinLibraryPath, IsTheProgramsDirectoryAndTheFileName) {
    EXPECT_EQ(skinLibraryPath("/opt/tieba/bin"), "/opt/tieba/bin/SkinH_EL.dll");
    EXPECT_EQ(skinLibraryPath(""), "/SkinH_EL.dll"); // a program in the root directory
    EXPECT_EQ(programDirectory(), fs::canonical(TIEBA_SKIN_TEST_BINARY_DIR).string());
}

} // namespace
} // namespace tieba
