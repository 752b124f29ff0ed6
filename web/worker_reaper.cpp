#include "web/worker_reaper.h"

#include "platform/curl_http_client.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace tieba {
namespace {

class WorkerReaper {
public:
    // The HTTP library is set up first so that it is torn down after the workers are joined.
    WorkerReaper() { platform::initializeHttpClient(); }

    ~WorkerReaper() {
        for (Worker& worker : workers_) {
            worker.thread.join();
        }
    }

    WorkerReaper(const WorkerReaper&) = delete;
    WorkerReaper& operator=(const WorkerReaper&) = delete;

    void adopt(std::thread thread, std::function<bool()> hasEnded) {
        std::vector<Worker> ended = takeEnded();
        {
            std::lock_guard lock(mutex_);
            workers_.push_back(Worker{std::move(thread), std::move(hasEnded)});
        }
        joinAll(std::move(ended));
    }

    void joinEnded() { joinAll(takeEnded()); }

private:
    struct Worker {
        std::thread thread;
        std::function<bool()> hasEnded;
    };

    std::vector<Worker> takeEnded() {
        std::lock_guard lock(mutex_);
        const auto firstEnded = std::stable_partition(
            workers_.begin(), workers_.end(), [](const Worker& w) { return !w.hasEnded(); });
        std::vector<Worker> ended(std::make_move_iterator(firstEnded),
                                  std::make_move_iterator(workers_.end()));
        workers_.erase(firstEnded, workers_.end());
        return ended;
    }

    static void joinAll(std::vector<Worker> workers) {
        for (Worker& worker : workers) {
            worker.thread.join();
        }
    }

    std::mutex mutex_;
    std::vector<Worker> workers_;
};

WorkerReaper& reaper() {
    static WorkerReaper workers;
    return workers;
}

} // namespace

void handOverWorker(std::thread worker, std::function<bool()> hasEnded) {
    reaper().adopt(std::move(worker), std::move(hasEnded));
}

void joinEndedWorkers() {
    reaper().joinEnded();
}

} // namespace tieba
