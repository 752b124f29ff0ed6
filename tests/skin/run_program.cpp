#include "tests/skin/run_program.h"

#include "tests/skin/scratch_directory.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

extern char** environ;

namespace tieba::testing {
namespace {

constexpr uid_t kNobody = 65534;

// The caller's environment with a home of the run's own and a headless Qt.
std::vector<std::string> environmentFor(const std::string& home) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        if (!variable.starts_with("HOME=") && !variable.starts_with("XDG_") &&
            !variable.starts_with("QT_QPA_PLATFORM=")) {
            environment.emplace_back(variable);
        }
    }
    environment.push_back("HOME=" + home);
    environment.push_back("XDG_CACHE_HOME=" + home + "/cache");
    environment.push_back("XDG_CONFIG_HOME=" + home + "/config");
    environment.push_back("XDG_RUNTIME_DIR=" + home + "/runtime");
    environment.push_back("QT_QPA_PLATFORM=offscreen");
    return environment;
}

} // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratch, bool unprivileged) {
    namespace fs = std::filesystem;
    // A run as nobody must reach the program and its home.
    fs::permissions(scratch,
                    fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    fs::perm_options::add);
    const std::string home = scratch + "/home";
    for (const char* sub : {"", "/cache", "/config", "/runtime"}) {
        fs::create_directories(home + sub);
        fs::permissions(home + sub,
                        sub == std::string("/runtime") ? fs::perms::owner_all : fs::perms::all);
    }
    if (unprivileged && ::geteuid() == 0) {
        for (const char* sub : {"", "/cache", "/config", "/runtime"}) {
            [[maybe_unused]] const int ignored = ::chown((home + sub).c_str(), kNobody, kNobody);
        }
    }
    const std::string outPath = scratch + "/run.out";
    const std::string errPath = scratch + "/run.err";
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);

    std::vector<std::string> environment = environmentFor(home);
    std::vector<char*> envp;
    for (std::string& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(126);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out);
    ::close(err);
    int status = 0;
    ProgramRun run;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.exitStatus = WEXITSTATUS(status);
    }
    run.out = contentOf(outPath);
    run.err = contentOf(errPath);
    return run;
}

} // namespace tieba::testing
