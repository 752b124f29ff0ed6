#pragma once

#include "text/gbk_text.h"

#include <optional>
#include <string_view>

// Cutting a text at delimiters, with the walk and case rules of findText.
namespace tieba {

// The text between the first `left` at or after `start` (omitted: 1) and the first `right` after
// it; empty when either is missing. Letters match in any case unless `caseSensitive` is true.
// "#引号" in a delimiter stands for a double quote.
//   textBetween("<B>x</b>", "<b>", "</b>") => "x"
//   textBetween("a=\"1\"", "a=#引号", "#引号") => "1"
Text textBetween(std::string_view text, std::string_view left, std::string_view right,
                 std::optional<int> start = {}, std::optional<bool> caseSensitive = {});

// The text from the beginning up to the first `delimiter` at or after `start` (omitted or below
// 1: 1); empty when there is none. Letters match exactly unless `caseInsensitive` is true.
//   textBefore("a=1; path=/", ";") => "a=1"
Text textBefore(std::string_view text, std::string_view delimiter, std::optional<int> start = {},
                std::optional<bool> caseInsensitive = {});

} // namespace tieba
