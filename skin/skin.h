#pragma once

// The program's skin: the library file beside the executable, skin 9 and the Aero look.
// Call these on the GUI thread once the QApplication exists.

namespace tieba {

// Makes sure SkinH_EL.dll is in the program's directory; an existing entry is left alone.
void deploySkinLibrary();

// Deploys the library, then wears skin `number` (1 to 33); any other number attaches no skin
// data, which puts the default look back.
void applySkin(int number);

// Deploys the library, then switches on the Aero look (soft shadows under panels).
void enableSkinAero();

// The main window's creation event: applySkin(9), then enableSkinAero(). Never stops the
// program; without a loadable library the window keeps its default look.
void startSkin();

} // namespace tieba
