#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

namespace tieba::bench {

using Clock = std::chrono::steady_clock;

inline double microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

struct Summary {
    double median = 0;
    double p90 = 0;
    double worst = 0;
    double mean = 0;
    double total = 0;
};

inline Summary summarize(std::vector<double> samples) {
    Summary s;
    if (samples.empty()) {
        return s;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    s.median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    s.p90 = samples[std::min(n - 1, n * 9 / 10)];
    s.worst = samples.back();
    s.total = std::accumulate(samples.begin(), samples.end(), 0.0);
    s.mean = s.total / static_cast<double>(n);
    return s;
}

inline void print(const char* label, const Summary& s, const char* unit) {
    std::printf("%-34s median %9.1f  p90 %9.1f  worst %9.1f  mean %9.1f %s\n", label, s.median,
                s.p90, s.worst, s.mean, unit);
}

} // namespace tieba::bench
