#pragma once

#include "text/gbk_text.h"

#include <optional>
#include <string_view>

namespace tieba {

// What a call returns in place of the page when the worker did not finish in time:
// 超时返回，指定网站不能访问，或者你的网络出现问题，你可以把参数中的＂超时返回＂的值设置长一些。
inline constexpr std::string_view kTimeOutMessage =
    "\xB3\xAC\xCA\xB1\xB7\xB5\xBB\xD8\xA3\xAC\xD6\xB8\xB6\xA8\xCD\xF8\xD5\xBE\xB2\xBB\xC4\xDC"
    "\xB7\xC3\xCE\xCA\xA3\xAC\xBB\xF2\xD5\xDF\xC4\xE3\xB5\xC4\xCD\xF8\xC2\xE7\xB3\xF6\xCF\xD6"
    "\xCE\xCA\xCC\xE2\xA3\xAC\xC4\xE3\xBF\xC9\xD2\xD4\xB0\xD1\xB2\xCE\xCA\xFD\xD6\xD0\xB5\xC4"
    "\xA3\xA2\xB3\xAC\xCA\xB1\xB7\xB5\xBB\xD8\xA3\xA2\xB5\xC4\xD6\xB5\xC9\xE8\xD6\xC3\xB3\xA4"
    "\xD2\xBB\xD0\xA9\xA1\xA3";

// Page encodings for `pageEncoding`; any other value returns the body unconverted.
inline constexpr int kPageIsUtf8 = 1;
inline constexpr int kPageIsBig5 = 2;

// Fetches `address` on a worker thread and returns the response body, while the calling thread
// keeps dispatching its pending events (platform/event_pump.h), so a handler may run, and even
// call this again, while the call waits.
//
// - An address of blanks returns empty at once. One that begins with neither "http://" nor
//   "https://" (exact bytes) gets "http://" in front, and `address` keeps the longer form.
// - methodSelector 1 sends POST with `body`; anything else GET.
// - proxy: "host:port" for http; extraHeaders: lines ending in CR LF that come first in the
//   header block and keep the worker from adding its own of the same name; cookies: the text of
//   a Cookie line (and then no stored cookie is sent or taken).
// - timeoutSeconds (default 60) is a deadline: the call returns kTimeOutMessage at it, writes no
//   out-argument, and the worker's transfer is cancelled. ms = truncate(seconds * 1000); a
//   negative or NaN time-out counts as 0.
// - responseHeaders / responseCookies receive the raw response headers and the cookies the
//   response set ("a=1;b=2;"), only when given and only when the worker finished; both are
//   empty when nothing could be sent (no connection).
// - pageEncoding kPageIsUtf8 or kPageIsBig5 converts the page to GBK.
// - followRedirects false keeps the first response.
// A failed exchange returns an empty page.
ByteSequence accessWebPage(Text& address, std::optional<int> methodSelector = {},
                           std::optional<Text> proxy = {}, std::optional<Text> extraHeaders = {},
                           std::optional<ByteSequence> body = {}, std::optional<Text> cookies = {},
                           std::optional<double> timeoutSeconds = {},
                           Text* responseHeaders = nullptr, std::optional<int> pageEncoding = {},
                           Text* responseCookies = nullptr,
                           std::optional<bool> followRedirects = {});

} // namespace tieba
