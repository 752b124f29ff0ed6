#pragma once

#include <QLabel>

namespace tieba {

// A transparent label whose lines stand one character height apart, as the window's fixed-height
// labels were laid out; a CJK font's own line spacing would push the last line out of the label.
class CharacterHeightLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tieba
