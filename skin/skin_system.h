#pragma once

#include "skin/skin_library_loader.h"

#include <functional>
#include <optional>
#include <string>

namespace tieba {

// What the skin steps do outside the program: place the library file, and call the library's
// two entry points. The program uses installedSkinSystem(); tests put recorders in its place.
struct SkinSystem {
    std::function<void()> deployLibrary;
    std::function<void(const unsigned char* data, int length)> attachSkin; // SkinH_AttachRes
    std::function<void(int on)> setAero;                                   // SkinH_SetAero
};

// Deploys the library, then attaches a copy of skin `number`: no data and length 0 for a
// number outside 1 to 33.
void applySkinWith(const SkinSystem& system, int number);

// Deploys the library, then switches Aero on.
void enableSkinAeroWith(const SkinSystem& system);

// What the main window's creation event does: skin 9, then Aero.
void startSkinWith(const SkinSystem& system);

// A system that deploys into the directory `directory()` names (nothing when it names none) and
// calls the library that `library()` hands out (nothing when that is null). `library` is asked
// only after a deploy step, so it can load the library at its first call.
SkinSystem skinSystemFor(std::function<std::optional<std::string>()> directory,
                         std::function<const LoadedSkinLibrary*()> library);

// The program's own: its directory, and the library loaded at the first call from the places of
// installedSkinLibraryDirectories(), kept loaded until the program ends. When no copy loads,
// one line on standard error names the library file and the program goes on with its default
// look.
SkinSystem installedSkinSystem();

} // namespace tieba
