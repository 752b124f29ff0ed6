#pragma once

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <vector>

// Stopping a running HTTP exchange from another thread, or when its deadline passes.
namespace tieba::platform {

class TransferCancel {
public:
    using Clock = std::chrono::steady_clock;

    // Without a deadline only cancel() stops the transfers.
    explicit TransferCancel(std::optional<Clock::time_point> deadline = {});

    TransferCancel(const TransferCancel&) = delete;
    TransferCancel& operator=(const TransferCancel&) = delete;

    // Safe from any thread: every transfer watching this ends at once, and later ones never start.
    void cancel();

    // True after cancel() or once the deadline has passed.
    bool cancelled() const;

    std::optional<Clock::time_point> deadline() const { return deadline_; }

    // For the HTTP layer: a multi handle that cancel() must wake while it waits. A handle is
    // detached before it is destroyed.
    void attach(CURLM* multi);
    void detach(CURLM* multi);

private:
    const std::optional<Clock::time_point> deadline_;
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::vector<CURLM*> waiting_;
};

} // namespace tieba::platform
