// How long the window's event loop goes unserved while accessWebPage waits for a slow page: a
// 5 ms Qt timer's gaps between ticks during the requests, against the same timer's gaps with the
// loop idle for as long. Runs under QT_QPA_PLATFORM=offscreen; prints a JSON line last.
//   event_loop_stall [requests, default 10]

#include "app/qt_event_pump.h"
#include "bench/web/bench_stats.h"
#include "tests/support/loopback_http_server.h"
#include "web/access_web_page.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tieba;
using namespace std::chrono_literals;
using bench::Clock;

constexpr auto kTick = 5ms;

// Records the gaps between a timer's ticks while `recording` is set.
struct TickGaps {
    bool recording = false;
    Clock::time_point last{};
    std::vector<double> gapsMs;

    void start() {
        recording = true;
        last = Clock::now();
    }
    void stop() { recording = false; }
    void tick() {
        const auto now = Clock::now();
        if (recording) {
            gapsMs.push_back(bench::microseconds(now - last) / 1000);
        }
        last = now;
    }
};

void printLine(const char* label, const bench::Summary& s) {
    std::printf("%-28s median %7.2f  p90 %7.2f  worst %7.2f ms\n", label, s.median, s.p90, s.worst);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int requests = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const tieba::InstalledQtEventPump eventPump;

    // A slow page: ten parts 50 ms apart, about half a second each.
    const std::vector<std::string> parts(10, std::string(2048, 'p'));
    testing::LoopbackHttpServer server(
        [&](const testing::RecordedRequest&) { return testing::chunkedReply(parts, 50ms); });
    const std::string url = server.url("/slow");
    const std::string page(parts.size() * parts.front().size(), 'p');

    TickGaps gaps;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] { gaps.tick(); });
    ticker.start(kTick);

    // Busy: every request in turn from inside the loop, as a button's handler would.
    int wrong = 0;
    Clock::duration busyTime{};
    QTimer::singleShot(0, [&] {
        const auto begin = Clock::now();
        for (int i = 0; i < requests; ++i) {
            Text address = url;
            gaps.start();
            const ByteSequence fetched = accessWebPage(address, {}, {}, {}, {}, {}, 10.0);
            gaps.stop();
            wrong += fetched != page;
        }
        busyTime = Clock::now() - begin;
        QApplication::quit();
    });
    QApplication::exec();
    const std::vector<double> busy = std::move(gaps.gapsMs);

    // Idle: the same timer, nothing else, for as long.
    gaps.gapsMs.clear();
    gaps.start();
    QTimer::singleShot(std::chrono::duration_cast<std::chrono::milliseconds>(busyTime),
                       [] { QApplication::quit(); });
    QApplication::exec();
    gaps.stop();
    const std::vector<double> idle = std::move(gaps.gapsMs);

    const bench::Summary b = bench::summarize(busy);
    const bench::Summary i = bench::summarize(idle);
    std::printf(
        "%d requests of a %zu-byte page sent in 10 parts 50 ms apart; timer every %lld ms\n",
        requests, page.size(), static_cast<long long>(kTick.count()));
    printLine("gaps during requests", b);
    printLine("gaps, loop idle", i);
    if (wrong != 0) {
        std::printf("WRONG PAGES: %d\n", wrong);
    }
    std::printf("{\"busy_median_ms\": %.3f, \"busy_p90_ms\": %.3f, \"busy_worst_ms\": %.3f, "
                "\"idle_median_ms\": %.3f, \"idle_p90_ms\": %.3f, \"idle_worst_ms\": %.3f, "
                "\"ticks_busy\": %zu, \"ticks_idle\": %zu, \"wrong\": %d}\n",
                b.median, b.p90, b.worst, i.median, i.p90, i.worst, busy.size(), idle.size(),
                wrong);
    return wrong == 0 ? 0 : 1;
}
