#pragma once

#include "platform/event_pump.h"

class QAbstractEventDispatcher;

namespace tieba {

// The GUI thread's Qt event loop behind the core's event pump: encoding and the web wait keep
// the window answering through it, and handlers may run nested inside them.
class QtEventPump final : public platform::EventPump {
public:
    QtEventPump(); // on the GUI thread, after the application object exists
    ~QtEventPump() override;
    QtEventPump(const QtEventPump&) = delete;
    QtEventPump& operator=(const QtEventPump&) = delete;

    void dispatchPending() override;
    // Waits in Qt's dispatcher; the events that end the wait are dispatched there.
    void waitForEvents(Clock::time_point deadline) override;
    void wake() override;

private:
    QAbstractEventDispatcher* dispatcher_;
};

// Installs a QtEventPump for as long as it lives.
class InstalledQtEventPump {
public:
    InstalledQtEventPump();
    ~InstalledQtEventPump();
    InstalledQtEventPump(const InstalledQtEventPump&) = delete;
    InstalledQtEventPump& operator=(const InstalledQtEventPump&) = delete;

private:
    QtEventPump pump_;
};

} // namespace tieba
