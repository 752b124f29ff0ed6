#pragma once

#include "skin/library/skinh_el_api.h"
#include "skin/shared_library.h"

#include <optional>
#include <string>
#include <vector>

namespace tieba {

// A loaded skin library with both entry points found.
struct LoadedSkinLibrary {
    SharedLibrary library;
    std::string path; // the copy that was loaded
    SkinAttachResFunction* attachRes = nullptr;
    SkinSetAeroFunction* setAero = nullptr;
};

struct SkinLibraryLoad {
    std::optional<LoadedSkinLibrary> loaded;
    // When nothing loaded: one line naming the library file and why each copy failed.
    std::string failure;
};

// Loads the first usable copy of SkinH_EL.dll from `directories`, in their order. A copy that
// cannot be loaded or lacks an entry point is passed over.
SkinLibraryLoad loadSkinLibrary(const std::vector<std::string>& directories);

// Where the program looks for the library: its own directory first, then the directory the
// installation puts the library in, beside the program's other libraries.
std::vector<std::string> installedSkinLibraryDirectories();

} // namespace tieba
