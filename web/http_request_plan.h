#pragma once

#include "text/gbk_text.h"
#include "web/web_access_record.h"

#include <cstdint>
#include <string_view>

// What the request worker derives from a record before it touches the network: the agent, the
// flags, where to connect and the header block it sends.
namespace tieba {

inline constexpr std::string_view kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";
inline constexpr std::string_view kAcceptLine =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
inline constexpr std::string_view kAcceptLanguageLine = "Accept-Language: zh-cn\r\n";
inline constexpr std::string_view kContentTypeLine =
    "Content-Type: application/x-www-form-urlencoded\r\n";

struct HttpRequestPlan {
    Text address;
    Text method;
    Text proxy; // empty: direct
    Text host;
    Text path;
    int port = 80;
    bool https = false;
    Text agent;
    std::uint32_t flags = 0;
    Text headerBlock;
    ByteSequence body;
};

// The value of the block's "User-Agent:" line, trimmed; the default agent without one.
//   "User-Agent: x \r\n" => "x"
Text agentFor(std::string_view extraHeaders);

// The request flags: the system's own requests (no cookies, redirects followed, http) get
// 0x80004010.
std::uint32_t requestFlagsFor(std::string_view cookieText, bool followRedirects, bool https);

// The caller's block with the worker's own lines added where the caller named none.
Text composeHeaderBlock(std::string_view extraHeaders, std::string_view address,
                        std::string_view method, std::string_view body,
                        std::string_view cookieText);

HttpRequestPlan planHttpRequest(const WebAccessRecord& record);

} // namespace tieba
