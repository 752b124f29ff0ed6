// Start-up: window services, the search state, the window with its skin, the message loop.
#include "app/main_window.h"
#include "app/qt_event_pump.h"
#include "app/search_state.h"
#include "skin/skin.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Lets a desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tieba-search"));
    tieba::initSearchState();
    std::atexit(tieba::releaseSearchState);

    const tieba::InstalledQtEventPump eventPump;
    tieba::MainWindow window(tieba::startSkin);
    window.show();
    // Closing the window leaves none, which ends the loop.
    return QApplication::exec();
}
