#pragma once

#include <functional>
#include <thread>

// Worker threads that their call no longer waits for: finished ones, whose exit the call does not
// wait out, and timed-out ones, which were cancelled when they were handed over and end within
// moments. Each is joined once it has ended (on the next hand-over or call) and at the latest when
// the program ends, so that no worker thread outlives the program.
namespace tieba {

// Takes over `worker`; `hasEnded` tells, from any thread, whether it is past its last piece of
// work. Workers that have ended are joined on the way.
void handOverWorker(std::thread worker, std::function<bool()> hasEnded);

// Joins the handed-over workers that have ended.
void joinEndedWorkers();

} // namespace tieba
