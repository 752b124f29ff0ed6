#include "app/qt_event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

#include <chrono>

namespace tieba {

QtEventPump::QtEventPump() : dispatcher_(QAbstractEventDispatcher::instance()) {}

QtEventPump::~QtEventPump() = default;

void QtEventPump::dispatchPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(Clock::time_point deadline) {
    const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (remaining.count() <= 0 || dispatcher_ == nullptr) {
        return;
    }
    // The timer's event ends the wait at the deadline when nothing else arrives.
    QTimer deadlineTimer;
    deadlineTimer.setTimerType(Qt::PreciseTimer);
    deadlineTimer.setSingleShot(true);
    deadlineTimer.start(remaining);
    dispatcher_->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::wake() {
    if (dispatcher_ != nullptr) {
        dispatcher_->wakeUp();
    }
}

InstalledQtEventPump::InstalledQtEventPump() {
    platform::installEventPump(&pump_);
}

InstalledQtEventPump::~InstalledQtEventPump() {
    platform::installEventPump(nullptr);
}

} // namespace tieba
