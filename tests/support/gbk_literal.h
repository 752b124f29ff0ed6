#pragma once

#include <string>
#include <string_view>

namespace tieba::testing {

// GBK bytes of a UTF-8 literal, by glibc's iconv: a reference independent of the code under test,
// so that tests can write Chinese texts readably. gbk("中") == "\xD6\xD0".
std::string gbk(std::string_view utf8);

// The reverse, for readable failure messages and for comparing with Qt strings.
std::string utf8FromGbk(std::string_view gbkBytes);

} // namespace tieba::testing
