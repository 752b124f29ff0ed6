#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tieba {

class ResultList;
class StatusStrip;

// The program's one window: fixed 633 x 542 outside, every control at its place. Controls carry
// their names as objectName ("编辑框1", "按钮4", "超级列表框1", ...).
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    // `onCreated` runs once the window and its controls exist (the skin start-up).
    explicit MainWindow(const std::function<void()>& onCreated = {});

    QLineEdit* barNameBox() const { return barNameBox_; }      // 编辑框1
    QLineEdit* targetBox() const { return targetBox_; }        // 编辑框3
    QLineEdit* pageBox() const { return pageBox_; }            // 编辑框2
    QCheckBox* clearBeforeSearch() const { return clearBox_; } // 选择框1
    ResultList* resultList() const { return resultList_; }     // 超级列表框1
    QLabel* lastPageLabel() const { return lastPageLabel_; }   // 透明标签1
    StatusStrip* statusStrip() const { return statusStrip_; }  // 状态条1
    QMenu* listMenu() const { return listMenu_; }              // the hidden menu "e"

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    // Keeps the outer size, frame included, at 633 x 542 once the window system draws a frame.
    void fitOuterSize();

    QLineEdit* barNameBox_ = nullptr;
    QLineEdit* targetBox_ = nullptr;
    QLineEdit* pageBox_ = nullptr;
    QCheckBox* clearBox_ = nullptr;
    ResultList* resultList_ = nullptr;
    QLabel* lastPageLabel_ = nullptr;
    StatusStrip* statusStrip_ = nullptr;
    QMenu* listMenu_ = nullptr;
    QPushButton* buttons_[4] = {};
};

} // namespace tieba
