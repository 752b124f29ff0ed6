#pragma once

class QApplication;

namespace tieba::skinlib {

// The Aero look: group boxes and item views float on soft drop shadows in the skin's shadow
// colour, now and for every such widget shown later. Off takes our shadows away again and leaves
// any effect the program set itself alone.
void setAeroShadows(QApplication& app, bool on);

// Gives the shadows already cast the colour of the skin being worn.
void recolourAeroShadows(const QApplication& app);

} // namespace tieba::skinlib
