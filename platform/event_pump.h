#pragma once

#include <chrono>

namespace tieba::platform {

// The GUI thread's event loop as the core sees it. Encoding and the web wait dispatch pending
// window events through it so that the window keeps answering; without a GUI nothing is pending.
class EventPump {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~EventPump() = default;

    // Runs every event already waiting, without waiting for new ones.
    virtual void dispatchPending() = 0;

    // Blocks until an event arrives, wake() has been called since the last wait, or the
    // deadline passes. A GUI's pump may dispatch the events that end the wait right there.
    virtual void waitForEvents(Clock::time_point deadline) = 0;

    // Ends the current or next waitForEvents early. Safe from any thread.
    virtual void wake() = 0;
};

// The pump in use: the installed one, or a quiet one with no events that only waits.
EventPump& currentEventPump();

// Installs the GUI's pump; nullptr restores the quiet one. The caller keeps ownership and keeps
// the pump alive until it is uninstalled.
void installEventPump(EventPump* pump);

} // namespace tieba::platform
