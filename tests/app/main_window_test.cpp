// The window as it opens: sizes, places, texts and the start state.
#include "app/search_state.h"
#include "tests/app/window_test_support.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QTest>

namespace tieba {
namespace {

using testing::control;
using testing::qs;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        initSearchState();
        searchState() = SearchState();
        window_ = std::make_unique<MainWindow>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void hasFixedOuterSizeAndTitle() {
        QCOMPARE(window_->frameGeometry().size(), QSize(633, 542));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QCOMPARE(window_->windowTitle(), qs(u"<墨枢>快速搜索软件  の 【←Q→】"));
        const Qt::WindowFlags flags = window_->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void placesEveryControl_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("content");
        const auto row = [](const char16_t* name, QRect geometry, const char16_t* content) {
            QTest::newRow(qs(name).toUtf8().constData()) << qs(name) << geometry << qs(content);
        };
        row(u"透明标签4", {16, 8, 48, 24}, u"贴吧名：");
        row(u"编辑框1", {64, 9, 120, 20}, u"");
        row(u"透明标签5", {8, 32, 56, 16}, u"搜索目标：");
        row(u"编辑框3", {64, 33, 120, 20}, u"");
        row(u"按钮4", {48, 56, 88, 33}, u"读取信息");
        row(u"编辑框2", {13, 97, 40, 20}, u"1");
        row(u"选择框1", {59, 98, 130, 20}, u"搜索前是否清空列表");
        row(u"透明标签6", {32, 128, 144, 32}, u"请先读取信息\n再载入");
        row(u"按钮1", {48, 160, 88, 32}, u"载入");
        row(u"按钮2", {56, 230, 80, 25}, u"上一页");
        row(u"按钮3", {56, 264, 80, 25}, u"下一页");
        row(u"超级列表框1", {193, 2, 435, 310}, u"");
        row(u"透明标签1", {325, 33, 77, 20}, u"");
        row(u"分组框1", {0, 312, 632, 152}, u"");
        row(u"图片框2", {320, 8, 236, 129}, u"");
        row(u"透明标签3", {8, 328, 312, 44}, u"");
        row(u"透明标签2", {8, 368, 312, 56}, u"");
        row(u"状态条1", {0, 465, 410, 20}, u"");
    }

    void placesEveryControl() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, content);
        auto* widget = window_->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->geometry(), geometry);
        if (auto* label = qobject_cast<QLabel*>(widget); label && !content.isEmpty()) {
            QCOMPARE(label->text(), content);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QCOMPARE(button->text(), content);
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(box->text(), content);
        }
    }

    void picturesAndHelpAreFilled() {
        QVERIFY(!control<QLabel>(*window_, u"图片框2")->pixmap().isNull());
        QCOMPARE(control<QLabel>(*window_, u"图片框2")->parent(),
                 control<QGroupBox>(*window_, u"分组框1"));
        QVERIFY(!control<QLabel>(*window_, u"透明标签3")->text().isEmpty());
        QVERIFY(!control<QLabel>(*window_, u"透明标签2")->text().isEmpty());
        QCOMPARE(control<QLabel>(*window_, u"透明标签6")->font().pixelSize(), 16);
        QCOMPARE(control<QLabel>(*window_, u"透明标签3")->font().pixelSize(), 12);
    }

    void startsEmpty() {
        QCOMPARE(searchState().pageNumber, 0);
        QVERIFY(control<QCheckBox>(*window_, u"选择框1")->isChecked());
        QCOMPARE(control<QLineEdit>(*window_, u"编辑框2")->text(), qs(u"1"));
        QVERIFY(control<QLabel>(*window_, u"透明标签1")->text().isEmpty());
        QCOMPARE(window_->resultList()->topLevelItemCount(), 0);
    }

    void listHasTwoHeadedColumns() {
        ResultList* list = window_->resultList();
        QCOMPARE(list->columnCount(), 2);
        QCOMPARE(list->headerItem()->text(0), qs(u"标题："));
        QCOMPARE(list->headerItem()->text(1), qs(u"地址："));
        QCOMPARE(list->columnWidth(0), 230);
        QCOMPARE(list->columnWidth(1), 200);
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    void statusBarHasTwoParts() {
        StatusStrip* status = window_->statusStrip();
        QVERIFY(status->partText(0).isEmpty());
        QCOMPARE(status->partText(1), qs(u"伟大是一种职业——Q"));
        QCOMPARE(status->findChild<QLabel*>(QStringLiteral("part0"))->width(), 330);
        QCOMPARE(status->findChild<QLabel*>(QStringLiteral("part1"))->width(), 200);
    }

    void hiddenMenuHasTheCopyItem() {
        QMenu* menu = window_->listMenu();
        QCOMPARE(menu->title(), QStringLiteral("e"));
        QVERIFY(!menu->isVisible());
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), qs(u"复制选中贴地址"));
    }

private:
    std::unique_ptr<MainWindow> window_;
};

} // namespace
} // namespace tieba

QObject* makeMainWindowTest() {
    return new tieba::MainWindowTest;
}

#include "main_window_test.moc"
