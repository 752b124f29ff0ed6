// The skin library itself, loaded the way the program loads it, working on this test's
// QApplication and a window like the program's.
#include "skin/skin_blocks.h"
#include "skin/skin_library_loader.h"
#include "tests/skin/mock_main_window.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsOpacityEffect>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tieba {
namespace {

// Loaded once and kept, as the program keeps it.
const SkinLibraryLoad& builtLibrary() {
    static const SkinLibraryLoad load =
        loadSkinLibrary({std::filesystem::path(TIEBA_SKIN_BUILT_LIBRARY).parent_path().string()});
    return load;
}

QByteArray fingerprint(const QImage& image) {
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                    QCryptographicHash::Sha1);
}

// Collects Qt's warnings, such as a style sheet it cannot parse, while it lives.
class QtWarnings {
public:
    QtWarnings() : previous_(qInstallMessageHandler(&QtWarnings::collect)) { collected().clear(); }
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;
    ~QtWarnings() { qInstallMessageHandler(previous_); }

    static std::vector<std::string>& collected() {
        static std::vector<std::string> messages;
        return messages;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg) {
            collected().push_back(message.toStdString());
        }
    }

    QtMessageHandler previous_;
};

class SkinLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(builtLibrary().loaded.has_value()) << builtLibrary().failure;
        defaultStyle = QApplication::style()->name();
        mock = testing::makeMockMainWindow(true);
        window.reset(mock.window);
        window->show();
    }

    void TearDown() override {
        window.reset();
        if (builtLibrary().loaded) {
            library().setAero(0);
            library().attachRes(nullptr, 0, "", 0, 0, 0);
        }
    }

    static const LoadedSkinLibrary& library() { return *builtLibrary().loaded; }

    int attach(int number) {
        const auto block = skinBlock(number);
        return library().attachRes(block.data(), static_cast<int>(block.size()), "", 0, 0, 0);
    }

    QImage rendering() {
        QApplication::processEvents();
        return window->grab().toImage();
    }

    QString defaultStyle;
    testing::MockMainWindow mock;
    std::unique_ptr<QWidget> window;
};

TEST_F(SkinLibrary, SkinNineRestylesTheRunningApplication) {
    const QImage before = rendering();
    ASSERT_EQ(attach(9), kSkinDone);

    EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("QHeaderView::section")));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0xee, 0xf2, 0xf8));
    EXPECT_EQ(mock.barName->palette().color(QPalette::Highlight), QColor(0x1f, 0x4e, 0x9c));
    const QImage after = rendering();
    EXPECT_NE(after, before);
    // The header's cobalt band lies along the bottom of the first section.
    const QPoint band =
        mock.resultHeader->mapTo(window.get(), QPoint(10, mock.resultHeader->height() - 1));
    EXPECT_EQ(after.pixelColor(band), QColor(0x1f, 0x4e, 0x9c));
}

TEST_F(SkinLibrary, NoDataPutsTheDefaultLookBackStyleIncluded) {
    // A style other than the Fusion that skins wear, so that its return shows.
    QApplication::setStyle(QStringLiteral("Windows"));
    const QColor windowsWindowColour = QApplication::palette().color(QPalette::Window);
    const QImage before = rendering();
    const unsigned char someByte = 0;
    for (const unsigned char* data : {static_cast<const unsigned char*>(nullptr), &someByte}) {
        ASSERT_EQ(attach(9), kSkinDone);
        ASSERT_NE(rendering(), before);
        EXPECT_EQ(library().attachRes(data, 0, "", 0, 0, 0), kSkinDone);

        EXPECT_TRUE(qApp->styleSheet().isEmpty());
        EXPECT_EQ(QApplication::style()->name(), QStringLiteral("windows"));
        EXPECT_EQ(QApplication::palette().color(QPalette::Window), windowsWindowColour);
        EXPECT_EQ(rendering(), before);
    }
    QApplication::setStyle(defaultStyle);
}

TEST_F(SkinLibrary, BytesThatHoldNoSkinLeaveTheLookAsItWas) {
    ASSERT_EQ(attach(9), kSkinDone);
    const QString styleSheet = qApp->styleSheet();
    const std::string notASkin = "MZ this is no skin";

    EXPECT_EQ(library().attachRes(reinterpret_cast<const unsigned char*>(notASkin.data()),
                                  static_cast<int>(notASkin.size()), "", 0, 0, 0),
              kSkinNotASkin);
    EXPECT_EQ(qApp->styleSheet(), styleSheet);
}

TEST_F(SkinLibrary, EverySkinDressesTheWindowSilentlyAndLooksItsOwn) {
    std::set<QByteArray> renderings{fingerprint(rendering())};
    for (int number = 1; number <= kSkinCount; ++number) {
        SCOPED_TRACE(number);
        QtWarnings warnings;
        ASSERT_EQ(attach(number), kSkinDone);
        renderings.insert(fingerprint(rendering()));
        EXPECT_EQ(QtWarnings::collected(), std::vector<std::string>{});
    }
    EXPECT_EQ(renderings.size(), 34u) << "the default look and 33 skins, all different";
}

TEST_F(SkinLibrary, AeroCastsShadowsUnderPanelsNowAndLaterAndTakesOnlyItsOwnAway) {
    auto* ownEffect = new QGraphicsOpacityEffect;
    mock.loadButton->setGraphicsEffect(ownEffect);
    ASSERT_EQ(attach(9), kSkinDone);
    ASSERT_EQ(library().setAero(1), kSkinDone);

    const auto* boxShadow =
        qobject_cast<QGraphicsDropShadowEffect*>(mock.helpBox->graphicsEffect());
    ASSERT_NE(boxShadow, nullptr);
    EXPECT_EQ(boxShadow->color(), QColor::fromString("#552a4b7c"));
    EXPECT_NE(qobject_cast<QGraphicsDropShadowEffect*>(mock.resultList->graphicsEffect()), nullptr);
    EXPECT_EQ(mock.resultHeader->graphicsEffect(), nullptr);
    EXPECT_EQ(mock.barName->graphicsEffect(), nullptr);
    EXPECT_EQ(mock.loadButton->graphicsEffect(), ownEffect);

    auto* later = new QGroupBox(window.get());
    later->show();
    EXPECT_NE(later->graphicsEffect(), nullptr);

    ASSERT_EQ(library().setAero(0), kSkinDone);
    EXPECT_EQ(mock.helpBox->graphicsEffect(), nullptr);
    EXPECT_EQ(mock.resultList->graphicsEffect(), nullptr);
    EXPECT_EQ(later->graphicsEffect(), nullptr);
    EXPECT_EQ(mock.loadButton->graphicsEffect(), ownEffect);
}

TEST_F(SkinLibrary, AeroShadowsTakeTheColourOfTheSkinWornNext) {
    ASSERT_EQ(library().setAero(1), kSkinDone);
    ASSERT_EQ(attach(10), kSkinDone); // a dark skin with black shadows

    const auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(mock.helpBox->graphicsEffect());
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->color(), QColor::fromString("#a0000000"));
}

} // namespace
} // namespace tieba
