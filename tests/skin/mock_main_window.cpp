#include "tests/skin/mock_main_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

namespace tieba::testing {
namespace {

template <typename Widget>
Widget* place(Widget* widget, int left, int top, int width, int height) {
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* label(QWidget* parent, const char* utf8, int left, int top, int width, int height) {
    return place(new QLabel(QString::fromUtf8(utf8), parent), left, top, width, height);
}

QPixmap helpPicture() {
    QPixmap picture(236, 129);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 129);
    sky.setColorAt(0, QColor(0x3b, 0x6e, 0xb5));
    sky.setColorAt(1, QColor(0xa9, 0xc8, 0xec));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, QString::fromUtf8("帮助图片"));
    return picture;
}

} // namespace

MockMainWindow makeMockMainWindow(bool rows) {
    MockMainWindow mock;
    auto* window = new QWidget;
    mock.window = window;
    window->setWindowTitle(QString::fromUtf8("<墨枢>快速搜索软件  の 【←Q→】"));
    window->setFixedSize(627, 513); // the client area of a 633 x 542 frame

    // The group box first, so that the transparent help labels stand on it.
    mock.helpBox = place(new QGroupBox(window), 0, 312, 632, 152);
    auto* picture = place(new QLabel(mock.helpBox), 320, 8, 236, 129);
    picture->setPixmap(helpPicture());

    label(window, "贴吧名：", 16, 8, 48, 24);
    mock.barName = place(new QLineEdit(window), 64, 9, 120, 20);
    label(window, "搜索目标：", 8, 32, 56, 16);
    place(new QLineEdit(window), 64, 33, 120, 20);
    place(new QPushButton(QString::fromUtf8("读取信息"), window), 48, 56, 88, 33);
    place(new QLineEdit(QStringLiteral("1"), window), 13, 97, 40, 20);
    auto* clearFirst =
        place(new QCheckBox(QString::fromUtf8("搜索前是否清空列表"), window), 59, 98, 130, 20);
    clearFirst->setChecked(true);
    QLabel* hint = label(window, "请先读取信息\n再载入", 32, 128, 144, 32);
    QFont kai(QStringLiteral("KaiTi"));
    kai.setPixelSize(16);
    hint->setFont(kai);
    mock.loadButton = place(new QPushButton(QString::fromUtf8("载入"), window), 48, 160, 88, 32);
    place(new QPushButton(QString::fromUtf8("上一页"), window), 56, 230, 80, 25);
    place(new QPushButton(QString::fromUtf8("下一页"), window), 56, 264, 80, 25);

    mock.resultList = place(new QTreeWidget(window), 193, 2, 435, 310);
    mock.resultList->setRootIsDecorated(false);
    mock.resultList->setColumnCount(2);
    mock.resultList->setHeaderLabels({QString::fromUtf8("标题："), QString::fromUtf8("地址：")});
    mock.resultList->setColumnWidth(0, 230);
    mock.resultList->setColumnWidth(1, 200);
    mock.resultHeader = mock.resultList->header();
    if (rows) {
        const char* titles[] = {"【公告】本吧吧规", "求助：新手入门看什么", "今日签到楼",
                                "分享一个好用的小工具", "关于搜索功能的讨论"};
        int post = 7700001;
        for (const char* title : titles) {
            auto* row = new QTreeWidgetItem(mock.resultList);
            row->setText(0, QString::fromUtf8(title));
            row->setText(1, QStringLiteral("/p/%1").arg(post += 137));
        }
        mock.resultList->setCurrentItem(mock.resultList->topLevelItem(1));
    }
    label(window, "", 325, 33, 77, 20);

    QLabel* help3 = label(window, "在上面填好贴吧名和搜索目标，\n先点“读取信息”，再点“载入”。", 8,
                          328, 312, 44);
    QFont song(QStringLiteral("SimSun"));
    song.setPixelSize(12);
    help3->setFont(song);
    label(window, "右键点列表中的帖子，可以复制它的完整地址。\n“上一页”“下一页”翻动搜索结果。", 8,
          368, 312, 56);

    auto* status = place(new QStatusBar(window), 0, 465, 410, 20);
    status->setSizeGripEnabled(false);
    auto* part0 = new QLabel(QString::fromUtf8("共 12 页"));
    part0->setFixedWidth(330);
    status->addWidget(part0);
    status->addWidget(new QLabel(QString::fromUtf8("伟大是一种职业——Q")));
    return mock;
}

} // namespace tieba::testing
