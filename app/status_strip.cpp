#include "app/status_strip.h"

#include <QLabel>

namespace tieba {

StatusStrip::StatusStrip(QWidget* parent, int part0Width, int part1Width) : QFrame(parent) {
    const int widths[2] = {part0Width, part1Width};
    int left = 0;
    for (int part = 0; part < 2; ++part) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("part%1").arg(part));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setIndent(3);
        label->setGeometry(left, 0, widths[part], 20);
        left += widths[part];
        parts_[part] = label;
    }
}

void StatusStrip::setPartText(int part, const QString& text) {
    parts_[part]->setText(text);
}

QString StatusStrip::partText(int part) const {
    return parts_[part]->text();
}

} // namespace tieba
