#pragma once

#include "text/gbk_text.h"

#include <optional>
#include <string_view>

namespace tieba {

// Applies up to five find/replacement pairs one after the other, each to the result of the one
// before, with the character walk of replaceText. `count` limits the replacements per pair
// (omitted: all), `start` is the 1-based byte where replacing begins (omitted or 0: the first),
// `caseSensitive` omitted or false folds ASCII letters. An omitted or empty find changes nothing.
//   replaceTextPairs("a+b?", {}, {}, {}, "+", "\\+", "?", "\\?") => "a\\+b\\?"
Text replaceTextPairs(std::string_view text, std::optional<int> count, std::optional<int> start,
                      std::optional<bool> caseSensitive, std::string_view find1,
                      std::string_view replacement1, std::optional<Text> find2 = {},
                      std::optional<Text> replacement2 = {}, std::optional<Text> find3 = {},
                      std::optional<Text> replacement3 = {}, std::optional<Text> find4 = {},
                      std::optional<Text> replacement4 = {}, std::optional<Text> find5 = {},
                      std::optional<Text> replacement5 = {});

} // namespace tieba
