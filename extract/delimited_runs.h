#pragma once

#include "platform/pcre2_regexp.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace tieba {

// Bytes [begin, end) of a GBK text.
struct ByteSpan {
    std::size_t begin = 0;
    std::size_t end = 0;

    friend bool operator==(const ByteSpan&, const ByteSpan&) = default;
};

// Every run that the caseless, multiline, global pattern  left(.*?)right  captures, with both
// delimiters literal, found by plain delimiter searches instead of backtracking: an occurrence
// of `left` (any case) followed by the shortest run without a line feed that `right` (any case)
// follows; the search goes on behind that `right`. Linear in the subject however many `left`s
// lack a `right`. Spans count UTF-16 units; nullopt when the engine fails.
//   "a1a2a3a", "a", "a" => runs "1" and "3"
std::optional<std::vector<platform::UnitSpan>>
findDelimitedRuns(std::u16string_view subject, std::u16string_view left, std::u16string_view right);

// Every byte of 0x80 and above opens a two-byte character of lead 81-FE and trail 40-7E or
// 80-FE, and there is no zero byte. Each such character decodes to one non-ASCII character and
// encodes back to the same two bytes, and a byte below 0x80 always ends a character.
//   "a\xD6\xD0" => true    "\x80" => false    "a\xD6" => false    "\xD6<" => false
bool isWellFormedGbk(std::string_view text);

// The runs of findDelimitedRuns found in the GBK bytes themselves, without decoding, where that
// gives the same runs: `text` is well-formed GBK and both delimiters are non-empty ASCII (no GBK
// character folds to an ASCII letter, so only ASCII letters fold). nullopt where it does not
// apply. Linear in the text.
std::optional<std::vector<ByteSpan>>
findDelimitedRunsInGbk(std::string_view text, std::string_view left, std::string_view right);

} // namespace tieba
