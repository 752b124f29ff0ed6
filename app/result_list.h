#pragma once

#include <QTreeWidget>

namespace tieba {

// The two-column report list of results. A right-button press anywhere in its rows area, on a
// row or below the rows, is announced after the list has updated its selection.
class ResultList final : public QTreeWidget {
    Q_OBJECT
public:
    explicit ResultList(QWidget* parent);

Q_SIGNALS:
    void rightButtonPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace tieba
