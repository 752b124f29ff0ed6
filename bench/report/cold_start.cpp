// Cold start to the window shown, and resident memory then: each run starts a new process that
// builds the main window exactly as the program's start-up does and ends at the window's first
// paint. The baseline starts the same way with a bare QApplication and an empty QWidget. Runs
// alternate between the two so that both see the same machine load. Time counts from just before
// the process is spawned; /proc/self/stat's start time (10 ms ticks) gives a second reading.
// Runs under QT_QPA_PLATFORM=offscreen; prints a JSON line last.
//   cold_start [runs of each, default 15]

#include "app/main_window.h"
#include "app/qt_event_pump.h"
#include "app/search_state.h"
#include "bench/web/bench_stats.h"
#include "skin/skin.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace tieba;

long long nowNs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// "VmRSS:   12345 kB" => 12345
long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::atol(line.c_str() + std::strlen(field));
        }
    }
    return -1;
}

// Milliseconds since the kernel started this process (field 22 of /proc/self/stat, in ticks
// since boot, against CLOCK_BOOTTIME).
double msSinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat;
    std::getline(statFile, stat);
    std::istringstream fields(stat.substr(stat.rfind(')') + 2)); // the name may hold blanks
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double startMs = std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    return static_cast<double>(nowNs(CLOCK_BOOTTIME)) / 1e6 - startMs;
}

// Ends the process's loop at the first paint of `window`, reporting the figures on stdout.
class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget* window, long long launchNs) : window_(window), launchNs_(launchNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && watched == window_ && event->type() == QEvent::Paint) {
            done_ = true;
            const double ms = static_cast<double>(nowNs(CLOCK_MONOTONIC) - launchNs_) / 1e6;
            std::printf("%.3f %.3f %ld %ld\n", ms, msSinceProcessStart(), statusKb("VmRSS:"),
                        statusKb("VmHWM:"));
            std::fflush(stdout);
            QTimer::singleShot(0, [] { QApplication::quit(); });
        }
        return false;
    }

private:
    QWidget* window_;
    long long launchNs_;
    bool done_ = false;
};

int runChild(bool program, long long launchNs, int argc, char** argv) {
    QApplication application(argc, argv);
    if (!program) {
        QWidget window;
        FirstPaint watch(&window, launchNs);
        window.installEventFilter(&watch);
        window.show();
        return QApplication::exec();
    }
    // As app/main.cpp does.
    tieba::initSearchState();
    std::atexit(tieba::releaseSearchState);
    const tieba::InstalledQtEventPump eventPump;
    tieba::MainWindow window(tieba::startSkin);
    FirstPaint watch(&window, launchNs);
    window.installEventFilter(&watch);
    window.show();
    return QApplication::exec();
}

struct Sample {
    double ms = 0;
    double msFromStat = 0;
    double rssKb = 0;
    double hwmKb = 0;
};

bool runOnce(bool program, Sample& sample) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string launch = std::to_string(nowNs(CLOCK_MONOTONIC));
    std::string self = "/proc/self/exe";
    std::string child = "--child";
    std::string mode = program ? "window" : "bare";
    std::string launchArg = launch;
    char* args[] = {self.data(), child.data(), mode.data(), launchArg.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return false;
    }
    std::istringstream fields(text);
    return static_cast<bool>(fields >> sample.ms >> sample.msFromStat >> sample.rssKb >>
                             sample.hwmKb);
}

struct Series {
    std::vector<double> ms, msFromStat, rssKb, hwmKb;
    void add(const Sample& s) {
        ms.push_back(s.ms);
        msFromStat.push_back(s.msFromStat);
        rssKb.push_back(s.rssKb);
        hwmKb.push_back(s.hwmKb);
    }
};

double median(const std::vector<double>& samples) {
    return bench::summarize(samples).median;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) {
        const bool program = std::strcmp(argv[2], "window") == 0;
        const long long launchNs = std::atoll(argv[3]);
        int childArgc = 1;
        return runChild(program, launchNs, childArgc, argv);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    Sample sample;
    runOnce(true, sample); // warm the file cache for both
    runOnce(false, sample);
    Series window;
    Series bare;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        for (const bool program : {true, false}) {
            if (runOnce(program, sample)) {
                (program ? window : bare).add(sample);
            } else {
                ++failures;
            }
        }
    }
    std::printf("%d runs of each, medians\n", runs);
    std::printf("%-30s %9s %14s %10s %10s\n", "", "shown ms", "ms (proc stat)", "VmRSS KiB",
                "VmHWM KiB");
    for (const auto& [label, s] : {std::pair{"main window (as the program)", &window},
                                   std::pair{"bare QApplication + QWidget", &bare}}) {
        std::printf("%-30s %9.1f %14.1f %10.0f %10.0f\n", label, median(s->ms),
                    median(s->msFromStat), median(s->rssKb), median(s->hwmKb));
    }
    if (failures != 0) {
        std::printf("FAILED RUNS: %d\n", failures);
    }
    std::printf("{\"window_ms\": %.3f, \"bare_ms\": %.3f, \"window_stat_ms\": %.3f, "
                "\"bare_stat_ms\": %.3f, \"window_rss_kb\": %.0f, \"bare_rss_kb\": %.0f, "
                "\"window_hwm_kb\": %.0f, \"bare_hwm_kb\": %.0f, \"failures\": %d}\n",
                median(window.ms), median(bare.ms), median(window.msFromStat),
                median(bare.msFromStat), median(window.rssKb), median(bare.rssKb),
                median(window.hwmKb), median(bare.hwmKb), failures);
    return failures == 0 ? 0 : 1;
}
