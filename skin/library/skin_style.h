#pragma once

class QStyle;

namespace tieba::skinlib {

// The style a skin is worn with: Fusion, which draws every part that a style sheet leaves alone
// from the palette, with check boxes drawn from the skin's palette as well. Plain Fusion frames
// them in a shade of the window colour, which vanishes on dark skins.
QStyle* newSkinStyle();

bool isSkinStyle(const QStyle* style);

} // namespace tieba::skinlib
