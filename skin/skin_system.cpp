#include "skin/skin_system.h"

#include "skin/skin_blocks.h"
#include "skin/skin_library_file.h"

#include <cstdio>
#include <span>
#include <utility>
#include <vector>

namespace tieba {
namespace {

// The library of this process, loaded once at the first call and never again: a failed load
// is reported once and not retried with every skin call. Written only by its initialisation.
const LoadedSkinLibrary* installedSkinLibrary() {
    static const SkinLibraryLoad load = [] {
        SkinLibraryLoad attempt = loadSkinLibrary(installedSkinLibraryDirectories());
        if (!attempt.loaded) {
            std::fprintf(stderr, "%s\n", attempt.failure.c_str());
        }
        return attempt;
    }();
    return load.loaded ? &*load.loaded : nullptr;
}

} // namespace

void applySkinWith(const SkinSystem& system, int number) {
    system.deployLibrary();
    // A copy, as the library may work on the bytes it is given.
    const std::span<const unsigned char> block = skinBlock(number);
    const std::vector<unsigned char> copy(block.begin(), block.end());
    system.attachSkin(copy.empty() ? nullptr : copy.data(), static_cast<int>(copy.size()));
}

void enableSkinAeroWith(const SkinSystem& system) {
    system.deployLibrary();
    system.setAero(1);
}

void startSkinWith(const SkinSystem& system) {
    applySkinWith(system, kProgramSkin);
    enableSkinAeroWith(system);
}

SkinSystem skinSystemFor(std::function<std::optional<std::string>()> directory,
                         std::function<const LoadedSkinLibrary*()> library) {
    return {
        .deployLibrary =
            [directory = std::move(directory)] {
                if (const std::optional<std::string> place = directory()) {
                    deploySkinLibraryInto(*place, skinLibraryBlock());
                }
            },
        .attachSkin =
            [library](const unsigned char* data, int length) {
                if (const LoadedSkinLibrary* loaded = library()) {
                    loaded->attachRes(data, length, "", 0, 0, 0);
                }
            },
        .setAero =
            [library](int on) {
                if (const LoadedSkinLibrary* loaded = library()) {
                    loaded->setAero(on);
                }
            },
    };
}

SkinSystem installedSkinSystem() {
    return skinSystemFor(programDirectory, installedSkinLibrary);
}

} // namespace tieba
