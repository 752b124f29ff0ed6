#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tieba {

inline constexpr std::string_view kSkinLibraryFileName = "SkinH_EL.dll";

// The directory that holds the running program's executable, without a trailing separator:
// "/opt/tieba/bin/tieba-search" => "/opt/tieba/bin", "/tieba-search" => "". Read from
// /proc/self/exe, so it needs no QApplication; nothing when that link cannot be read.
std::optional<std::string> programDirectory();

// "/opt/tieba/bin" => "/opt/tieba/bin/SkinH_EL.dll"
std::string skinLibraryPath(std::string_view directory);

enum class DeployOutcome {
    AlreadyThere, // an entry of that name exists, whatever it is or holds
    Written,
    Failed, // nothing is left behind
};

// Makes sure the skin library file is in `directory`. An existing entry is left alone. Otherwise
// the file is created exclusively, filled with `file`, and marked.
//
// Linux has no hidden attribute. The nearest sound equivalent of "exactly hidden" is an exact
// mode: the file is made read-only for everyone (0444), whatever the umask gave it, so that it is
// not changed by mistake. A file that could not be written whole is removed again, so that the
// next deploy tries afresh instead of finding a broken library forever.
DeployOutcome deploySkinLibraryInto(std::string_view directory,
                                    std::span<const unsigned char> file);

} // namespace tieba
