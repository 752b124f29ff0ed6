#include "platform/curl_runtime.h"

#include <array>
#include <cstddef>
#include <mutex>

namespace tieba::platform::curl {
namespace {

// libcurl's global state and the cookie share live as long as the program. Handles from several
// worker threads use the share at once; libcurl serialises them through these callbacks.
class Runtime {
public:
    Runtime() {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        share_ = curl_share_init();
        curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &Runtime::lock);
        curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &Runtime::unlock);
        curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
    ~Runtime() {
        curl_share_cleanup(share_);
        curl_global_cleanup();
    }
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    CURLSH* share() const { return share_; }

private:
    static std::mutex& mutexFor(curl_lock_data data, void* self) {
        auto& mutexes = static_cast<Runtime*>(self)->mutexes_;
        const auto index = static_cast<std::size_t>(data);
        return mutexes[index < mutexes.size() ? index : 0];
    }
    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        mutexFor(data, self).lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self) { mutexFor(data, self).unlock(); }

    std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes_;
    CURLSH* share_ = nullptr;
};

} // namespace

CURLSH* cookieShare() {
    static Runtime runtime;
    return runtime.share();
}

} // namespace tieba::platform::curl
