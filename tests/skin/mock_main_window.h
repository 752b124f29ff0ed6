#pragma once

#include <QWidget>

class QGroupBox;
class QHeaderView;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tieba::testing {

// A stand-in for the program's main window with the same kinds of controls at the same places:
// edit boxes, push buttons, a check box, transparent labels, a two-column report list, a group
// box holding a picture, a two-part status bar. Skins are judged on it.
struct MockMainWindow {
    QWidget* window = nullptr; // owns everything below
    QLineEdit* barName = nullptr;
    QPushButton* loadButton = nullptr;
    QTreeWidget* resultList = nullptr;
    QHeaderView* resultHeader = nullptr;
    QGroupBox* helpBox = nullptr;
};

// A new window without parent; the caller deletes `window`. With `rows`, the list holds a few
// results and one is selected.
MockMainWindow makeMockMainWindow(bool rows);

} // namespace tieba::testing
