// The worker's header block and request plan from any caller's texts.
//   input: flags (bits 0-1 method GET, POST, HEAD or the next text; bit 2 follow redirects),
//          extra headers \0 address \0 body \0 cookie text \0 proxy [\0 method]
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/reference_search.h"
#include "text/url_parts.h"
#include "web/http_request_plan.h"

#include <algorithm>

using namespace tieba;
using namespace tieba::fuzz;

namespace {

// The worker's own test for a name: its character walk, letters in any case.
bool names(std::string_view block, std::string_view name) {
    return findText(block, name, {}, LetterCase::Ignored) > 0;
}

// Anywhere in the bytes: a caller's block may end inside a two-byte character, and the line
// added after it then no longer begins a character.
bool holds(std::string_view block, std::string_view name) {
    const auto same = [](char a, char b) { return lowered(a) == lowered(b); };
    return std::search(block.begin(), block.end(), name.begin(), name.end(), same) != block.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const Text extraHeaders(in.text());
    const Text address(in.text());
    const ByteSequence body(in.text());
    const Text cookieText(in.text());
    const Text proxy(in.text());
    const int methodChoice = (in.flag(0) ? 1 : 0) + (in.flag(1) ? 2 : 0);
    const Text method = methodChoice == 0   ? Text("GET")
                        : methodChoice == 1 ? Text("POST")
                        : methodChoice == 2 ? Text("HEAD")
                                            : Text(in.text());

    const Text block = composeHeaderBlock(extraHeaders, address, method, body, cookieText);
    if (!names(extraHeaders, "RefererNo")) {
        check(block.starts_with(extraHeaders), "the caller's lines come first, unchanged");
        check(holds(block, "Referer"), "the block names a referer");
    }
    check(holds(block, "Accept"), "the block has an Accept line");
    check(holds(block, "Accept-Language"), "the block has an Accept-Language line");
    if (method == "POST" && !body.empty()) {
        check(holds(block, "Content-Length"), "a POST with a body gives its length");
    }
    if ((method == "GET" || method == "POST") && !cookieText.empty()) {
        check(block.ends_with("Cookie: " + cookieText + "\r\n\r\n"), "the cookie line comes last");
    }

    WebAccessRecord record;
    record.slots[record_slot::kAddressThenPage] = address;
    record.slots[record_slot::kMethodThenCookies] = method;
    record.slots[record_slot::kProxy] = proxy;
    record.slots[record_slot::kExtraHeaders] = extraHeaders;
    record.slots[record_slot::kBody] = body;
    record.slots[record_slot::kCookiesThenHeaders] = cookieText;
    record.slots[record_slot::kFollowRedirects] = in.flag(2) ? kTrueText : kFalseText;
    const HttpRequestPlan plan = planHttpRequest(record);
    check(plan.host == urlHost(address) && plan.path == urlPath(address),
          "the plan connects where the address points");
    check(!plan.https || plan.port == 443, "https goes to port 443");
    check(plan.headerBlock == block, "the plan sends the composed block");
    check(names(extraHeaders, "User-Agent:") || plan.agent == kDefaultAgent,
          "without an agent of the caller's the plan has the default one");
    return 0;
}
