#include "web/access_web_page.h"

#include "platform/curl_transfer_cancel.h"
#include "platform/event_pump.h"
#include "text/codepage_conversion.h"
#include "web/http_request_worker.h"
#include "web/web_access_record.h"
#include "web/worker_reaper.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace tieba {
namespace {

using Clock = platform::EventPump::Clock;

constexpr std::int64_t kDefaultTimeoutMs = 60000;
// The old tick-count wait took a 32-bit count of milliseconds.
constexpr double kLongestTimeoutMs = 4294967295.0;

std::chrono::milliseconds timeoutOf(std::optional<double> seconds) {
    if (!seconds) {
        return std::chrono::milliseconds(kDefaultTimeoutMs);
    }
    const double ms = *seconds * 1000.0;
    if (!(ms > 0.0)) { // negative, zero or NaN
        return std::chrono::milliseconds(0);
    }
    return std::chrono::milliseconds(static_cast<std::int64_t>(std::min(ms, kLongestTimeoutMs)));
}

// What the call and its worker share. The record belongs to the worker until `ended` is set;
// the pump is woken once then, unless the call has stopped waiting.
struct WorkerCall {
    WorkerCall(platform::EventPump& eventPump, Clock::time_point deadline)
        : cancel(deadline), pump(&eventPump) {}

    WebAccessRecord record;
    platform::TransferCancel cancel;

    void finish() {
        std::lock_guard lock(mutex);
        ended = true;
        if (pump != nullptr) {
            pump->wake();
        }
    }

    bool hasEnded() {
        std::lock_guard lock(mutex);
        return ended;
    }

    // After this the worker never touches the pump, which may be gone by the time it ends.
    void abandon() {
        {
            std::lock_guard lock(mutex);
            pump = nullptr;
        }
        cancel.cancel();
    }

private:
    std::mutex mutex;
    platform::EventPump* pump;
    bool ended = false;
};

WebAccessRecord recordFor(const Text& address, std::optional<int> methodSelector,
                          std::optional<Text> proxy, std::optional<Text> extraHeaders,
                          std::optional<ByteSequence> body, std::optional<Text> cookies,
                          std::optional<bool> followRedirects) {
    using namespace record_slot;
    WebAccessRecord record;
    record.slots[kAddressThenPage] = address;
    record.slots[kMethodThenCookies] = methodSelector.value_or(0) == 1 ? "POST" : "GET";
    record.slots[kProxy] = std::move(proxy).value_or(Text());
    record.slots[kExtraHeaders] = std::move(extraHeaders).value_or(Text());
    record.slots[kBody] = std::move(body).value_or(ByteSequence());
    record.slots[kCookiesThenHeaders] = std::move(cookies).value_or(Text());
    record.slots[kFollowRedirects] = followRedirects.value_or(true) ? kTrueText : kFalseText;
    return record;
}

} // namespace

ByteSequence accessWebPage(Text& address, std::optional<int> methodSelector,
                           std::optional<Text> proxy, std::optional<Text> extraHeaders,
                           std::optional<ByteSequence> body, std::optional<Text> cookies,
                           std::optional<double> timeoutSeconds, Text* responseHeaders,
                           std::optional<int> pageEncoding, Text* responseCookies,
                           std::optional<bool> followRedirects) {
    platform::EventPump& pump = platform::currentEventPump();
    if (trimBlanks(address).empty()) {
        return {};
    }
    if (leftPart(address, 7) != "http://" && leftPart(address, 8) != "https://") {
        address = "http://" + address;
    }
    joinEndedWorkers();

    const Clock::time_point deadline = Clock::now() + timeoutOf(timeoutSeconds);
    std::shared_ptr<WorkerCall> call;
    try {
        call = std::make_shared<WorkerCall>(pump, deadline);
        call->record = recordFor(address, methodSelector, std::move(proxy), std::move(extraHeaders),
                                 std::move(body), std::move(cookies), followRedirects);
    } catch (const std::bad_alloc&) {
        return {};
    }

    // A worker that cannot start never reports its end: the wait below then runs to the
    // deadline and the call returns the time-out message.
    std::thread worker;
    try {
        worker = std::thread([call] {
            httpRequestWorker(call->record, call->cancel);
            call->finish();
        });
    } catch (const std::system_error&) {
    }

    // Every wait gets only what is left until the deadline. A wake meant for a nested call's
    // worker may end this wait, and this worker's wake may be taken by a nested wait: each pass
    // therefore checks this call's own flag before it waits again.
    bool timedOut = false;
    for (;;) {
        if (!call->hasEnded()) {
            pump.waitForEvents(deadline);
        }
        const bool pastDeadline = Clock::now() >= deadline;
        const bool ended = call->hasEnded();
        pump.dispatchPending();
        if (pastDeadline) {
            timedOut = true;
            break;
        }
        if (ended) {
            break;
        }
    }

    if (timedOut) {
        call->abandon();
        if (worker.joinable()) {
            handOverWorker(std::move(worker), [call] { return call->hasEnded(); });
        }
        return ByteSequence(kTimeOutMessage);
    }
    // The worker is past its last touch of the record; joining it here could wait for it to be
    // scheduled once more just to exit, so it is joined later.
    handOverWorker(std::move(worker), [] { return true; });

    WebAccessRecord& record = call->record;
    // A worker that failed before sending empties the redirect slot and leaves slots 1 and 5 as
    // they went in: the method name and the outgoing cookies are no response of any server.
    const bool sent = !record.slots[record_slot::kFollowRedirects].empty();
    if (responseHeaders != nullptr) {
        *responseHeaders = sent ? textOf(record.slots[record_slot::kCookiesThenHeaders]) : Text();
    }
    if (responseCookies != nullptr) {
        *responseCookies = sent ? textOf(record.slots[record_slot::kMethodThenCookies]) : Text();
    }
    ByteSequence& page = record.slots[record_slot::kAddressThenPage];
    switch (pageEncoding.value_or(0)) {
    case kPageIsUtf8:
        return utf8ToGbk(textOf(page));
    case kPageIsBig5:
        return big5ToGbk(textOf(page));
    default:
        return std::move(page);
    }
}

} // namespace tieba
