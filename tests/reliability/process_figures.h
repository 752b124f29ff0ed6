#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

// What the process uses, read from /proc/self: memory in KiB and the number of its threads.
namespace tieba::testing {

// A "Vm..." line of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when missing.
long statusKiB(std::string_view field);
inline long residentKiB() {
    return statusKiB("VmRSS");
}
inline long peakResidentKiB() {
    return statusKiB("VmHWM");
}

// Lowers the peak (VmHWM) to the present resident size, so a later peak belongs to what ran in
// between. False when the kernel refuses; the peak then keeps its earlier height.
bool resetPeakResident();

// Entries of /proc/self/task.
int threadCount();

// Waits up to `limit` for the thread count to drop to `count` or below; the count at the end.
int waitForThreadCount(int count, std::chrono::milliseconds limit);

// A search count for a long run: the value of the environment variable `name` when it holds a
// positive number, else `fallback`. Only the tests read it.
int runLength(const char* name, int fallback);

} // namespace tieba::testing
