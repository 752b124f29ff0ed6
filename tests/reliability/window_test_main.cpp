// The window's reliability tests in one application with the window's event pump installed.
#include "app/qt_event_pump.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    const tieba::InstalledQtEventPump eventPump;
    return RUN_ALL_TESTS();
}
