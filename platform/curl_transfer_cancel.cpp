#include "platform/curl_transfer_cancel.h"

#include <algorithm>

namespace tieba::platform {

TransferCancel::TransferCancel(std::optional<Clock::time_point> deadline) : deadline_(deadline) {}

void TransferCancel::cancel() {
    cancelled_.store(true, std::memory_order_release);
    // Under the lock a handle cannot be destroyed between the look-up and the wake-up.
    std::lock_guard lock(mutex_);
    for (CURLM* multi : waiting_) {
        curl_multi_wakeup(multi);
    }
}

bool TransferCancel::cancelled() const {
    return cancelled_.load(std::memory_order_acquire) || (deadline_ && Clock::now() >= *deadline_);
}

void TransferCancel::attach(CURLM* multi) {
    std::lock_guard lock(mutex_);
    waiting_.push_back(multi);
}

void TransferCancel::detach(CURLM* multi) {
    std::lock_guard lock(mutex_);
    waiting_.erase(std::remove(waiting_.begin(), waiting_.end(), multi), waiting_.end());
}

} // namespace tieba::platform
