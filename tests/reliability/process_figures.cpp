#include "tests/reliability/process_figures.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace tieba::testing {

long statusKiB(std::string_view field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':') {
            const std::size_t digits = line.find_first_of("0123456789", field.size());
            long value = -1;
            if (digits != std::string::npos) {
                std::from_chars(line.data() + digits, line.data() + line.size(), value);
            }
            return value;
        }
    }
    return -1;
}

bool resetPeakResident() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

int threadCount() {
    int count = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end;
         it.increment(error)) {
        ++count;
    }
    return count;
}

int waitForThreadCount(int count, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    int now = threadCount();
    while (now > count && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        now = threadCount();
    }
    return now;
}

int runLength(const char* name, int fallback) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return fallback;
    }
    const std::string_view text(value);
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count > 0 ? count : fallback;
}

} // namespace tieba::testing
