// How late a timed-out accessWebPage returns after its deadline, with and without window
// events arriving during the wait, and how soon after the deadline the server sees the
// abandoned transfer's connection close; then how soon a cancel from another thread closes a
// transfer that has no deadline of its own (the wake-up path alone).

#include "bench/web/bench_stats.h"
#include "platform/curl_http_client.h"
#include "platform/event_pump.h"
#include "tests/support/loopback_http_server.h"
#include "web/access_web_page.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

using namespace tieba;
using namespace std::chrono_literals;
using bench::Clock;

// A window that gets an event every 15 ms: each wait ends early and the loop goes round again.
class TickingPump final : public platform::EventPump {
public:
    void dispatchPending() override {}
    void waitForEvents(Clock::time_point deadline) override {
        std::unique_lock lock(mutex_);
        woken_.wait_until(lock, std::min(deadline, Clock::now() + 15ms), [this] { return wake_; });
        wake_ = false;
    }
    void wake() override {
        {
            std::lock_guard lock(mutex_);
            wake_ = true;
        }
        woken_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool wake_ = false;
};

void measure(const char* label, int calls, double timeoutSeconds) {
    testing::LoopbackHttpServer server(
        [](const testing::RecordedRequest&) { return testing::silentReply(); });
    const std::string url = server.url("/silent");
    const auto timeout =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
    std::vector<double> overshoot;
    std::vector<double> cancelLatency;
    int wrong = 0;
    for (int i = 0; i < calls; ++i) {
        Text address = url;
        // The call's own deadline is a little after this, so these figures are upper bounds.
        const auto deadline = Clock::now() + timeout;
        const ByteSequence page = accessWebPage(address, {}, {}, {}, {}, {}, timeoutSeconds);
        overshoot.push_back(bench::microseconds(Clock::now() - deadline) / 1000);
        wrong += page != kTimeOutMessage;
        if (!server.waitForHangups(static_cast<std::size_t>(i) + 1, 5s)) {
            ++wrong;
            continue;
        }
        cancelLatency.push_back(bench::microseconds(server.hangups().back() - deadline) / 1000);
    }
    std::printf("%s: %d calls, time-out %.0f ms\n", label, calls, timeoutSeconds * 1000);
    bench::print("  return after deadline", bench::summarize(overshoot), "ms (goal <= 50)");
    bench::print("  server sees close after deadline", bench::summarize(cancelLatency),
                 "ms (goal <= 10)");
    if (wrong != 0) {
        std::printf("  WRONG: %d\n", wrong);
    }
}

void measureCancel(int calls) {
    testing::LoopbackHttpServer server(
        [](const testing::RecordedRequest&) { return testing::silentReply(); });
    std::vector<double> latency;
    for (int i = 0; i < calls; ++i) {
        platform::TransferCancel cancel;
        Clock::time_point cancelledAt;
        std::thread canceller([&] {
            server.waitForRequests(static_cast<std::size_t>(i) + 1, 5s);
            std::this_thread::sleep_for(20ms); // the transfer is waiting for an answer by now
            cancelledAt = Clock::now();
            cancel.cancel();
        });
        {
            const platform::InternetSession session({"bench", "", &cancel, 1 << 20});
            const platform::HttpConnection connection(session, "127.0.0.1", server.port());
            platform::HttpRequest request(connection, "GET", "/silent", 0x80004010u);
            request.send("", "");
        }
        canceller.join();
        if (server.waitForHangups(static_cast<std::size_t>(i) + 1, 5s)) {
            latency.push_back(bench::microseconds(server.hangups().back() - cancelledAt) / 1000);
        }
    }
    std::printf("cancel() from another thread, no deadline: %d transfers\n", calls);
    bench::print("  server sees close after cancel", bench::summarize(latency), "ms");
}

} // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::atoi(argv[1]) : 40;
    measure("quiet window", calls, 0.2);
    TickingPump pump;
    platform::installEventPump(&pump);
    measure("window event every 15 ms", calls, 0.2);
    platform::installEventPump(nullptr);
    measureCancel(calls);
    return 0;
}
