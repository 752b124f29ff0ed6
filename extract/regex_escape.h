#pragma once

#include "text/gbk_text.h"

#include <string_view>

namespace tieba {

// A text made literal for a regular expression: each of \ ^ $ . | ? * + ( ) [ ] { } gets a
// backslash in front. A two-byte character is copied whole, so a trail byte that equals one of
// them stays as it is.
//   "a.b[1]" => "a\\.b\\[1\\]"    "a|b\\" => "a\\|b\\\\"
Text escapeRegexText(std::string_view text);

} // namespace tieba
