#include "app/main_window.h"

#include "app/character_height_label.h"
#include "app/gbk_qstring.h"
#include "app/list_menu.h"
#include "app/result_list.h"
#include "app/search_client.h"
#include "app/status_strip.h"
#include "app/window_texts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

// Resources of a static library are registered by hand, outside any namespace.
static void registerAppResources() {
    Q_INIT_RESOURCE(app_resources);
}

namespace tieba {
namespace {

constexpr int kOuterWidth = 633;
constexpr int kOuterHeight = 542;

QString text(WindowText which) {
    return fromGbk(windowText(which));
}

template <typename Widget>
Widget* place(Widget* widget, const char16_t* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromUtf16(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* transparentLabel(QWidget* parent, const QString& content) {
    auto* label = new QLabel(content, parent);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

// The first installed family of a kind wins; fontconfig fills in the rest.
QFont cjkFont(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont kaiFont() {
    return cjkFont({QString::fromUtf16(u"楷体_GB2312"), QStringLiteral("KaiTi"),
                    QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC")},
                   16);
}

QFont songFont() {
    return cjkFont({QString::fromUtf16(u"宋体"), QStringLiteral("SimSun"),
                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")},
                   12);
}

// The same picture the desktop's menu shows for the program.
QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QFont windowFont() {
    return cjkFont({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                    QStringLiteral("Sans Serif")},
                   12);
}

} // namespace

MainWindow::MainWindow(const std::function<void()>& onCreated)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    registerAppResources();
    setWindowTitle(text(WindowText::Title));
    setWindowIcon(programIcon());
    setFont(windowFont());
    setFixedSize(kOuterWidth, kOuterHeight);
    createControls();
    connectHandlers();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
    if (onCreated) {
        onCreated();
    }
}

void MainWindow::createControls() {
    place(transparentLabel(this, text(WindowText::BarNameCaption)), u"透明标签4", 16, 8, 48, 24);
    barNameBox_ = place(new QLineEdit(this), u"编辑框1", 64, 9, 120, 20);
    place(transparentLabel(this, text(WindowText::TargetCaption)), u"透明标签5", 8, 32, 56, 16);
    targetBox_ = place(new QLineEdit(this), u"编辑框3", 64, 33, 120, 20);
    buttons_[3] =
        place(new QPushButton(text(WindowText::ReadInfoButton), this), u"按钮4", 48, 56, 88, 33);
    pageBox_ =
        place(new QLineEdit(text(WindowText::PageBoxStart), this), u"编辑框2", 13, 97, 40, 20);
    clearBox_ = place(new QCheckBox(text(WindowText::ClearBeforeSearch), this), u"选择框1", 59, 98,
                      130, 20);
    clearBox_->setChecked(true);

    QLabel* hint = place(new CharacterHeightLabel(text(WindowText::LoadHint), this), u"透明标签6",
                         32, 128, 144, 32);
    hint->setFont(kaiFont());

    buttons_[0] =
        place(new QPushButton(text(WindowText::LoadButton), this), u"按钮1", 48, 160, 88, 32);
    buttons_[1] =
        place(new QPushButton(text(WindowText::PreviousButton), this), u"按钮2", 56, 230, 80, 25);
    buttons_[2] =
        place(new QPushButton(text(WindowText::NextButton), this), u"按钮3", 56, 264, 80, 25);

    resultList_ = place(new ResultList(this), u"超级列表框1", 193, 2, 435, 310);
    resultList_->setHeaderLabels({text(WindowText::TitleColumn), text(WindowText::AddressColumn)});

    // Stands over the list's top rows; clicks go through to the list.
    lastPageLabel_ = place(transparentLabel(this, QString()), u"透明标签1", 325, 33, 77, 20);
    lastPageLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* helpFrame = place(new QGroupBox(this), u"分组框1", 0, 312, 632, 152);
    auto* helpPicture = place(new QLabel(helpFrame), u"图片框2", 320, 8, 236, 129);
    helpPicture->setPixmap(QPixmap(QStringLiteral(":/help/help_picture.png")));

    QLabel* usageHelp =
        place(transparentLabel(this, text(WindowText::UsageHelp)), u"透明标签3", 8, 328, 312, 44);
    usageHelp->setFont(songFont());
    usageHelp->setWordWrap(true);
    QLabel* pagingHelp =
        place(transparentLabel(this, text(WindowText::PagingHelp)), u"透明标签2", 8, 368, 312, 56);
    pagingHelp->setWordWrap(true);
    usageHelp->raise();
    pagingHelp->raise();

    statusStrip_ = place(new StatusStrip(this, 330, 200), u"状态条1", 0, 465, 410, 20);
    statusStrip_->setPartText(1, text(WindowText::StatusMotto));

    listMenu_ = new QMenu(text(WindowText::ListMenuCaption), this);
    listMenu_->setObjectName(QStringLiteral("e"));
    QAction* copyAddress = listMenu_->addAction(text(WindowText::CopyAddressItem));
    copyAddress->setObjectName(QStringLiteral("copySelectedPostAddress"));
    connect(copyAddress, &QAction::triggered, this, [this] { copySelectedPostAddress(*this); });
}

void MainWindow::connectHandlers() {
    connect(buttons_[0], &QPushButton::clicked, this, [this] { loadResults(*this); });
    connect(buttons_[1], &QPushButton::clicked, this, [this] { previousPage(*this); });
    connect(buttons_[2], &QPushButton::clicked, this, [this] { nextPage(*this); });
    connect(buttons_[3], &QPushButton::clicked, this, [this] { readSearchInfo(*this); });
    connect(resultList_, &ResultList::rightButtonPressed, this, [this] { showListMenu(*this); });
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitOuterSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fitOuterSize(); // the frame's size is known once the window manager has framed the window
}

void MainWindow::fitOuterSize() {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client(kOuterWidth - frame.width(), kOuterHeight - frame.height());
    if (client != size() && client.width() > 0 && client.height() > 0) {
        setFixedSize(client);
    }
}

} // namespace tieba
