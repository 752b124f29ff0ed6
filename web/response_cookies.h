#pragma once

#include "text/gbk_text.h"

#include <string_view>
#include <vector>

// The cookies a response sets, read from its raw header text.
namespace tieba {

struct ResponseCookie {
    Text name; // before the first "="; empty when the line has none
    Text data; // after it: the value and every attribute
};

struct ResponseCookies {
    Text collected; // "name=value;" for each, in order: "a=1;b=2;"
    std::vector<ResponseCookie> cookies;
};

//   "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"
//     => collected "a=1;b=2;", cookies {a, "1; path=/"}, {b, "2"}
// A line counts when it holds "Set-Cookie: " (any letter case) anywhere; its first 12 bytes are
// dropped. A line without ";" gives all of its "name=value".
ResponseCookies responseCookiesOf(std::string_view headerText);

} // namespace tieba
