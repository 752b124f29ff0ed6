// The floors under the time-out and cancellation figures, measured the way those are: how late a
// bare condition-variable wait returns after a 200 ms deadline, and how soon after a client
// closes its socket (a request sent, no answer yet) the same loopback server sees the hang-up.
// Prints a JSON line last.
//   wait_floor [samples, default 20]

#include "bench/web/bench_stats.h"
#include "tests/support/loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

using namespace tieba;
using namespace std::chrono_literals;
using bench::Clock;

std::vector<double> waitOvershoot(int samples) {
    std::mutex mutex;
    std::condition_variable never;
    std::vector<double> late;
    for (int i = 0; i < samples; ++i) {
        const auto deadline = Clock::now() + 200ms;
        std::unique_lock lock(mutex);
        while (never.wait_until(lock, deadline) != std::cv_status::timeout) {
        }
        late.push_back(bench::microseconds(Clock::now() - deadline) / 1000);
    }
    return late;
}

std::vector<double> closeSeen(int samples) {
    testing::LoopbackHttpServer server(
        [](const testing::RecordedRequest&) { return testing::silentReply(); });
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(server.port()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const std::string request = "GET /silent HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    std::vector<double> latency;
    for (int i = 0; i < samples; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0 ||
            connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            send(fd, request.data(), request.size(), 0) != static_cast<ssize_t>(request.size())) {
            std::fprintf(stderr, "loopback connection failed\n");
            std::exit(1);
        }
        server.waitForRequests(static_cast<std::size_t>(i) + 1, 5s);
        std::this_thread::sleep_for(20ms); // as the cancel figure waits before cancelling
        const auto closedAt = Clock::now();
        close(fd);
        if (server.waitForHangups(static_cast<std::size_t>(i) + 1, 5s)) {
            latency.push_back(bench::microseconds(server.hangups().back() - closedAt) / 1000);
        }
    }
    return latency;
}

} // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const bench::Summary wait = bench::summarize(waitOvershoot(samples));
    const bench::Summary close = bench::summarize(closeSeen(samples));
    std::printf("%d samples each\n", samples);
    bench::print("bare wait_until, late by", wait, "ms");
    bench::print("socket close, server sees it after", close, "ms");
    std::printf("{\"wait_late_median_ms\": %.4f, \"close_seen_median_ms\": %.4f}\n", wait.median,
                close.median);
    return 0;
}
