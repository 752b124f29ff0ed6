// The skin tests need a QApplication, as the program has one when its window is created.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // A blinking text cursor would make two renderings of the same look differ.
    QApplication::setCursorFlashTime(0);
    return RUN_ALL_TESTS();
}
