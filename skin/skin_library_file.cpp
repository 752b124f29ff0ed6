#include "skin/skin_library_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tieba {
namespace {

constexpr mode_t kMarkedMode = 0444;

bool writeWhole(int fd, std::span<const unsigned char> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::string> programDirectory() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
        return std::nullopt;
    }
    const std::string program(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = program.rfind('/');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    return program.substr(0, slash);
}

std::string skinLibraryPath(std::string_view directory) {
    std::string path(directory);
    path += '/';
    path += kSkinLibraryFileName;
    return path;
}

DeployOutcome deploySkinLibraryInto(std::string_view directory,
                                    std::span<const unsigned char> file) {
    const std::string path = skinLibraryPath(directory);
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) == 0) {
        return DeployOutcome::AlreadyThere;
    }
    // O_EXCL: an entry that appeared since the look above is another's and stays untouched.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return DeployOutcome::Failed;
    }
    const bool written = writeWhole(fd, file);
    // fchmod marks the file we created, never an entry put in its place meanwhile.
    ::fchmod(fd, kMarkedMode);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(path.c_str());
        return DeployOutcome::Failed;
    }
    return DeployOutcome::Written;
}

} // namespace tieba
