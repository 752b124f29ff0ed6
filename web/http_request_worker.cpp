#include "web/http_request_worker.h"

#include "platform/curl_cookie_store.h"
#include "platform/curl_http_client.h"
#include "web/http_request_plan.h"
#include "web/response_cookies.h"

#include <algorithm>
#include <array>

namespace tieba {
namespace {

constexpr std::size_t kReadChunk = 2048;
// What the header text is when no response came: the untouched header buffer of old.
constexpr std::size_t kHeaderBufferSize = 2048;

void markFailed(WebAccessRecord& record) {
    record.slots[record_slot::kAddressThenPage].clear();
    record.slots[record_slot::kFollowRedirects].clear();
}

} // namespace

void httpRequestWorker(WebAccessRecord& record) {
    platform::TransferCancel never;
    httpRequestWorker(record, never);
}

void httpRequestWorker(WebAccessRecord& record, platform::TransferCancel& cancel) {
    using namespace record_slot;
    const HttpRequestPlan plan = planHttpRequest(record);

    ByteSequence page;
    Text headerText;
    {
        const platform::InternetSession session(
            platform::SessionSettings{plan.agent, plan.proxy, &cancel, kMaxPageBytes});
        const platform::HttpConnection connection(session, plan.host, plan.port);
        if (!connection.isOpen()) {
            markFailed(record);
            return;
        }
        platform::HttpRequest request(connection, plan.method, plan.path, plan.flags);
        if (!request.isOpen()) {
            markFailed(record);
            return;
        }
        if (plan.method == "GET") {
            request.send(plan.headerBlock, {});
        } else if (plan.method == "POST") {
            request.send(plan.headerBlock, plan.body);
        }
        // One allocation instead of a chain of doublings, each copying the page so far.
        if (const std::optional<std::size_t> length = request.declaredLength()) {
            page.reserve(std::min(*length, kMaxPageBytes));
        }
        std::array<char, kReadChunk> chunk;
        while (const std::size_t count = request.read(chunk.data(), chunk.size())) {
            page.append(chunk.data(), count);
        }
        const std::optional<std::string> rawHeaders = request.rawResponseHeaders();
        headerText = rawHeaders ? textOf(*rawHeaders) : Text(kHeaderBufferSize, ' ');
    }

    const ResponseCookies cookies = responseCookiesOf(headerText);
    // With the cookie engine on, the session already took these into the store, with the
    // response's own domain and path checks; storing them again would only duplicate them.
    if ((plan.flags & platform::request_flags::kNoCookies) != 0) {
        for (const ResponseCookie& cookie : cookies.cookies) {
            platform::storeCookie("http://" + plan.host, cookie.name, cookie.data);
        }
    }
    record.slots[kAddressThenPage] = std::move(page);
    record.slots[kMethodThenCookies] = cookies.collected;
    record.slots[kCookiesThenHeaders] = std::move(headerText);
}

} // namespace tieba
