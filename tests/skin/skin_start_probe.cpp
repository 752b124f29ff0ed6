// A small program that starts like the real one: a QApplication, a window like the main window,
// and the skin start-up of its creation event. It reports the look it ended up with, so that the
// tests can run it from directories of their choosing.
#include "skin/skin.h"
#include "tests/skin/mock_main_window.h"

#include <QApplication>
#include <QGroupBox>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const tieba::testing::MockMainWindow mock = tieba::testing::makeMockMainWindow(false);
    const std::unique_ptr<QWidget> window(mock.window);
    tieba::startSkin();
    window->show();
    QApplication::processEvents();
    std::printf("look=%s aero=%s\n", app.styleSheet().isEmpty() ? "default" : "skinned",
                mock.helpBox->graphicsEffect() != nullptr ? "on" : "off");
    return 0;
}
