#pragma once

#include <string>
#include <vector>

namespace tieba::testing {

struct ProgramRun {
    int exitStatus = -1; // the exit code, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `arguments`, headless, and waits for it. `scratch` is a writable directory
// for its output and its home. With `unprivileged`, a root caller runs it as nobody, so that file
// permissions bind it as they bind an ordinary user.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratch, bool unprivileged);

} // namespace tieba::testing
