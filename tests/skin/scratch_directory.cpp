#include "tests/skin/scratch_directory.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tieba::testing {

namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory() {
    fs::create_directories(TIEBA_SKIN_SCRATCH);
    std::string pattern = std::string(TIEBA_SKIN_SCRATCH) + "/run-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch directory under " TIEBA_SKIN_SCRATCH);
    }
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
        if (entry.is_directory(ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }
    fs::remove_all(path_, ignored);
}

std::string ScratchDirectory::operator/(std::string_view name) const {
    return path_ + "/" + std::string(name);
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, std::string_view content, unsigned mode) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << content;
    }
    fs::permissions(path, static_cast<fs::perms>(mode), fs::perm_options::replace);
}

} // namespace tieba::testing
