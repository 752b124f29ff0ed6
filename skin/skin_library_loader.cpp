#include "skin/skin_library_loader.h"

#include "skin/skin_library_file.h"

#include <string_view>

#ifndef TIEBA_SKIN_LIBRARY_DIR
#error "TIEBA_SKIN_LIBRARY_DIR must name the directory the skin library is installed in"
#endif

namespace tieba {
namespace {

template <typename Function>
Function* entryPoint(const SharedLibrary& library, const char* name) {
    return reinterpret_cast<Function*>(library.symbol(name));
}

} // namespace

SkinLibraryLoad loadSkinLibrary(const std::vector<std::string>& directories) {
    std::string reasons;
    for (const std::string& directory : directories) {
        const std::string path = skinLibraryPath(directory);
        SharedLibrary::Opened opened = SharedLibrary::open(path);
        std::string reason = std::move(opened.failure);
        if (opened.library) {
            auto* attachRes =
                entryPoint<SkinAttachResFunction>(*opened.library, kSkinAttachResName);
            auto* setAero = entryPoint<SkinSetAeroFunction>(*opened.library, kSkinSetAeroName);
            if (attachRes != nullptr && setAero != nullptr) {
                return {LoadedSkinLibrary{std::move(*opened.library), path, attachRes, setAero},
                        {}};
            }
            reason =
                path + ": lacks " + (attachRes == nullptr ? kSkinAttachResName : kSkinSetAeroName);
        }
        reasons += (reasons.empty() ? "" : "; ") + reason;
    }
    std::string failure(kSkinLibraryFileName);
    failure += ": no usable copy (";
    failure += reasons.empty() ? std::string("no place to look") : reasons;
    failure += "); the window keeps its default look";
    // One line, whatever the loader's reasons hold.
    for (char& c : failure) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return {std::nullopt, failure};
}

std::vector<std::string> installedSkinLibraryDirectories() {
    std::vector<std::string> directories;
    if (std::optional<std::string> own = programDirectory()) {
        directories.push_back(std::move(*own));
    }
    directories.emplace_back(TIEBA_SKIN_LIBRARY_DIR);
    return directories;
}

} // namespace tieba
