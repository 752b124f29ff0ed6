#include "web/http_request_plan.h"

#include "platform/curl_http_client.h"
#include "text/delimited_text.h"
#include "text/url_parts.h"

#include <string>

namespace tieba {
namespace {

namespace flag = platform::request_flags;

bool contains(std::string_view text, std::string_view name) {
    return findText(text, name, {}, LetterCase::Ignored) > 0;
}

} // namespace

Text agentFor(std::string_view extraHeaders) {
    if (!contains(extraHeaders, "User-Agent:")) {
        return Text(kDefaultAgent);
    }
    return trimBlanks(textBetween(extraHeaders, "User-Agent:", "\r\n"));
}

std::uint32_t requestFlagsFor(std::string_view cookieText, bool followRedirects, bool https) {
    std::uint32_t flags = flag::kReload | flag::kNeedFile;
    if (!trimBlanks(cookieText).empty()) {
        flags |= flag::kNoCookies;
    }
    if (!followRedirects) {
        flags |= flag::kNoAutoRedirect;
    }
    flags |= https ? flag::kSecure : flag::kIgnoreRedirectToHttps;
    return flags;
}

Text composeHeaderBlock(std::string_view extraHeaders, std::string_view address,
                        std::string_view method, std::string_view body,
                        std::string_view cookieText) {
    Text block(extraHeaders);
    if (!contains(block, "Accept")) {
        block += kAcceptLine;
    }
    if (contains(block, "RefererNo")) {
        block = replaceText(block, "RefererNo", "", 1);
    } else if (!contains(block, "Referer")) {
        block.append("Referer: ").append(address).append("\r\n");
    }
    if (!contains(block, "Accept-Language")) {
        block += kAcceptLanguageLine;
    }
    if (method == "POST" && !body.empty()) {
        if (!contains(block, "Content-Type")) {
            block += kContentTypeLine;
        }
        if (!contains(block, "Content-Length")) {
            block.append("Content-Length: ").append(std::to_string(body.size())).append("\r\n");
        }
    }
    if ((method == "GET" || method == "POST") && !cookieText.empty()) {
        block.append("Cookie: ").append(cookieText).append("\r\n\r\n");
    }
    return block;
}

HttpRequestPlan planHttpRequest(const WebAccessRecord& record) {
    using namespace record_slot;
    HttpRequestPlan plan;
    plan.address = textOf(record.slots[kAddressThenPage]);
    plan.method = textOf(record.slots[kMethodThenCookies]);
    if (!record.slots[kProxy].empty()) {
        plan.proxy = textOf(record.slots[kProxy]);
    }
    plan.body = record.slots[kBody];
    const Text extraHeaders = textOf(record.slots[kExtraHeaders]);
    const Text cookieText = textOf(record.slots[kCookiesThenHeaders]);
    const bool followRedirects = textOf(record.slots[kFollowRedirects]) == kTrueText;

    plan.https = findText(lowerAscii(plan.address), "https://") > 0;
    plan.host = urlHost(plan.address);
    plan.path = urlPath(plan.address);
    plan.port = plan.https ? 443 : urlPort(plan.address);
    plan.agent = agentFor(extraHeaders);
    plan.flags = requestFlagsFor(cookieText, followRedirects, plan.https);
    plan.headerBlock =
        composeHeaderBlock(extraHeaders, plan.address, plan.method, plan.body, cookieText);
    return plan;
}

} // namespace tieba
