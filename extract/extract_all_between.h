#pragma once

#include "extract/regex_escape.h"
#include "extract/text_pairs.h"
#include "text/gbk_text.h"

#include <optional>
#include <string_view>

namespace tieba {

// Empties `hits`, then appends, in order of appearance, every text that stands between `left`
// and `right` in `text`: both delimiters literal and matched in any case (non-ASCII letters
// too), the shortest run without a line feed, no overlap, and a `right` used up by one hit never
// serving as the next `left`. Returns the size of `hits`.
//   "<B>x</B> <b>y</b>", "<b>", "</b>" => "x", "y"      "a1a2a3a", "a", "a" => "1", "3"
// Each hit becomes prefix + hit + suffix. With maxLength 0 (the default) keepLeft puts `left`
// in front and keepRight puts `right` behind, both if asked. With any other maxLength a hit of
// more bytes is dropped and at most one delimiter comes back, keepLeft first.
int extractAllBetween(std::string_view text, std::string_view left, std::string_view right,
                      TextList& hits, std::optional<int> maxLength = {},
                      std::optional<Text> prefix = {}, std::optional<Text> suffix = {},
                      std::optional<bool> keepLeft = {}, std::optional<bool> keepRight = {});

} // namespace tieba
