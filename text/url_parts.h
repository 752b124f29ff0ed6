#pragma once

#include "text/gbk_text.h"

#include <string_view>

// An address taken apart for the request worker.
namespace tieba {

// "http://Tieba.Baidu.COM:8080/f?x=1" => "tieba.baidu.com". Only a lower-case scheme is removed,
// so "HTTP://x" gives "http".
Text urlHost(std::string_view address);

// "http://host/f/search/res?kw=1" => "/f/search/res?kw=1"; "http://host" => "/"
Text urlPath(std::string_view address);

// "http://host:8080/" => 8080; no port => 80; "host:abc" => 0; "https://host/" => 0 (the caller
// uses 443 for https and does not ask).
int urlPort(std::string_view address);

} // namespace tieba
