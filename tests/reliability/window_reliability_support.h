#pragma once

#include "app/main_window.h"
#include "app/result_list.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// What the window's reliability tests share: a meter of event-loop stalls and the list's rows.
namespace tieba::testing {

// Ticks every few milliseconds while it lives; a long gap between two ticks is a stall of the
// event loop. Ticks come in nested loops too, which is how the window stays answering.
class StallMeter {
public:
    StallMeter() {
        clock_.start();
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { ticks_.push_back(clock_.nsecsElapsed()); });
        timer_.start(5);
    }
    void stop() {
        timer_.stop();
        stoppedAt_ = clock_.nsecsElapsed();
    }
    // Gaps between ticks, in ms, sorted.
    std::vector<double> gaps() const {
        std::vector<double> all;
        for (std::size_t i = 1; i < ticks_.size(); ++i) {
            all.push_back(static_cast<double>(ticks_[i] - ticks_[i - 1]) / 1e6);
        }
        std::sort(all.begin(), all.end());
        return all;
    }
    double maxGapMs() const {
        const auto all = gaps();
        return all.empty() ? 0.0 : all.back();
    }
    double medianGapMs() const {
        const auto all = gaps();
        return all.empty() ? 0.0 : all[all.size() / 2];
    }
    // From the last tick to stop(): the handler's work after its request.
    double tailMs() const {
        return ticks_.empty() ? 0.0 : static_cast<double>(stoppedAt_ - ticks_.back()) / 1e6;
    }
    std::size_t tickCount() const { return ticks_.size(); }

private:
    QElapsedTimer clock_;
    QTimer timer_;
    std::vector<qint64> ticks_;
    qint64 stoppedAt_ = 0;
};

// The rows of the list as (title, address) pairs.
inline std::vector<std::pair<QString, QString>> rowsOf(const MainWindow& window) {
    std::vector<std::pair<QString, QString>> all;
    const ResultList* list = window.resultList();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        all.emplace_back(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1));
    }
    return all;
}

} // namespace tieba::testing
