// Runs the window's test classes one after another in one application.
#include "app/qt_event_pump.h"

#include <QApplication>
#include <QTest>

#include <memory>

QObject* makeMainWindowTest();
QObject* makeSearchClientTest();

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const tieba::InstalledQtEventPump eventPump;
    int failures = 0;
    for (QObject* (*make)() : {makeMainWindowTest, makeSearchClientTest}) {
        const std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
