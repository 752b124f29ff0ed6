#pragma once

#include <QFrame>

class QLabel;

namespace tieba {

// A status bar of two parts side by side, of fixed widths, as the window's bottom line.
class StatusStrip final : public QFrame {
    Q_OBJECT
public:
    StatusStrip(QWidget* parent, int part0Width, int part1Width);

    void setPartText(int part, const QString& text);
    QString partText(int part) const;

private:
    QLabel* parts_[2];
};

} // namespace tieba
