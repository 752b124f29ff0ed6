#include "platform/event_pump.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace tieba::platform {
namespace {

// No GUI: there is never an event to dispatch; a wait ends at the deadline or at wake().
class QuietEventPump final : public EventPump {
public:
    void dispatchPending() override {}

    void waitForEvents(Clock::time_point deadline) override {
        std::unique_lock lock(mutex_);
        woken_.wait_until(lock, deadline, [this] { return wakePending_; });
        wakePending_ = false;
    }

    void wake() override {
        {
            std::lock_guard lock(mutex_);
            wakePending_ = true;
        }
        woken_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool wakePending_ = false;
};

QuietEventPump& quietPump() {
    static QuietEventPump pump;
    return pump;
}

std::atomic<EventPump*> installedPump{nullptr};

} // namespace

EventPump& currentEventPump() {
    EventPump* pump = installedPump.load(std::memory_order_acquire);
    return pump != nullptr ? *pump : quietPump();
}

void installEventPump(EventPump* pump) {
    installedPump.store(pump, std::memory_order_release);
}

} // namespace tieba::platform
