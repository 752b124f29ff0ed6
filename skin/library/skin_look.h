#pragma once

#include "skin/library/skin_document.h"

#include <QColor>

class QApplication;

namespace tieba::skinlib {

// Dresses the running application in a skin: the Fusion style, the skin's palette and its style
// sheet. The look the application had before its first skin is kept on the application object
// itself, so that wearDefaultLook can put it back.
void wearSkin(QApplication& app, const SkinDocument& skin);

// Back to the look from before the first skin; nothing changes when none was worn.
void wearDefaultLook(QApplication& app);

// The colour of Aero's shadows under the skin being worn ("shadow: #AARRGGBB").
QColor shadowColour(const QApplication& app);

} // namespace tieba::skinlib
