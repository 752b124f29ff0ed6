#include "skin/skin.h"

#include "skin/skin_system.h"

namespace tieba {

void deploySkinLibrary() {
    installedSkinSystem().deployLibrary();
}

void applySkin(int number) {
    applySkinWith(installedSkinSystem(), number);
}

void enableSkinAero() {
    enableSkinAeroWith(installedSkinSystem());
}

void startSkin() {
    startSkinWith(installedSkinSystem());
}

} // namespace tieba
