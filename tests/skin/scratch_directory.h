#pragma once

#include <string>
#include <string_view>

namespace tieba::testing {

// A fresh directory under the build tree (not /tmp, which may forbid loading libraries), removed
// with everything in it, read-only parts included, when the test ends.
class ScratchDirectory {
public:
    ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory();

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const;

private:
    std::string path_;
};

// The whole content of a file; empty when it cannot be read.
std::string contentOf(const std::string& path);

// Writes `content` to a new file with the given mode.
void writeFile(const std::string& path, std::string_view content, unsigned mode);

} // namespace tieba::testing
