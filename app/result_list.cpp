#include "app/result_list.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace tieba {

ResultList::ResultList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setColumnWidth(0, 230);
    setColumnWidth(1, 200);
    header()->setStretchLastSection(false);
}

void ResultList::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::RightButton) {
        Q_EMIT rightButtonPressed();
    }
}

} // namespace tieba
