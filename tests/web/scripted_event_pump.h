#pragma once

#include "platform/event_pump.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace tieba::testing {

// A GUI thread's event loop in miniature: events posted from any thread run in dispatchPending
// on the waiting thread, where a handler may call back into the code under test; a pump that
// dispatches while waiting runs them inside waitForEvents too, as Qt's does. Every wait's
// deadline is kept for inspection.
class ScriptedEventPump final : public platform::EventPump {
public:
    explicit ScriptedEventPump(bool dispatchesWhileWaiting = false)
        : dispatchesWhileWaiting_(dispatchesWhileWaiting) {}

    void post(std::function<void()> event) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        changed_.notify_all();
    }

    void dispatchPending() override {
        std::deque<std::function<void()>> ready;
        {
            std::lock_guard lock(mutex_);
            ready.swap(events_);
        }
        for (auto& event : ready) {
            event(); // may wait on this pump again: no lock held here
        }
    }

    void waitForEvents(Clock::time_point deadline) override {
        {
            std::unique_lock lock(mutex_);
            deadlines_.push_back(deadline);
            changed_.wait_until(lock, deadline, [this] { return woken_ || !events_.empty(); });
            woken_ = false;
        }
        if (dispatchesWhileWaiting_) {
            dispatchPending();
        }
    }

    void wake() override {
        {
            std::lock_guard lock(mutex_);
            woken_ = true;
        }
        changed_.notify_all();
    }

    std::vector<Clock::time_point> deadlines() const {
        std::lock_guard lock(mutex_);
        return deadlines_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> events_;
    std::vector<Clock::time_point> deadlines_;
    bool woken_ = false;
    const bool dispatchesWhileWaiting_;
};

// Installs a pump for the lifetime of a test.
class InstalledPump {
public:
    explicit InstalledPump(platform::EventPump& pump) { platform::installEventPump(&pump); }
    ~InstalledPump() { platform::installEventPump(nullptr); }
    InstalledPump(const InstalledPump&) = delete;
    InstalledPump& operator=(const InstalledPump&) = delete;
};

} // namespace tieba::testing
