#include "app/character_height_label.h"

#include <QPainter>

namespace tieba {

void CharacterHeightLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics(font());
    const int pitch = font().pixelSize() > 0 ? font().pixelSize() : metrics.height();
    const QStringList lines = text().split(QLatin1Char('\n'));
    for (int line = 0; line < lines.size(); ++line) {
        // The baseline sits where a character of that height ends, less the descent.
        const int baseline = (line + 1) * pitch - metrics.descent() / 2;
        painter.drawText(0, baseline, lines[line]);
    }
}

} // namespace tieba
