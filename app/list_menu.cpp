#include "app/list_menu.h"

#include "app/forum_address.h"
#include "app/gbk_qstring.h"
#include "app/main_window.h"
#include "app/result_list.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

namespace tieba {

void showListMenu(MainWindow& window) {
    window.listMenu()->exec(QCursor::pos() + QPoint(3, 3));
}

void copySelectedPostAddress(MainWindow& window) {
    const ResultList* list = window.resultList();
    int firstSelected = -1;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (list->topLevelItem(row)->isSelected()) {
            firstSelected = row;
            break;
        }
    }
    Text address = forumBaseAddress();
    if (firstSelected >= 0) {
        address += toGbk(list->topLevelItem(firstSelected)->text(1));
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(fromGbk(address));
    }
}

} // namespace tieba
