#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's text rules. A text is a run of GBK bytes: a byte of 0x80 or above begins a
// two-byte character. Positions are 1-based byte positions and a failed search yields -1.
namespace tieba {

using Text = std::string;         // GBK bytes, never holding a zero byte
using ByteSequence = std::string; // any bytes, zero bytes included
using TextList = std::vector<Text>;

enum class LetterCase { Sensitive, Ignored };

// A byte sequence read as text: its bytes up to the first zero byte. "ab\0cd" => "ab".
Text textOf(std::string_view bytes);

// 1-based position of the first `sought` that begins at a character boundary at or after `start`
// (omitted or below 1: the first byte), or -1. An empty `sought` is found at 1 when the searched
// part is not empty. With LetterCase::Ignored only single-byte ASCII letters fold.
//   findText("a中a", "a", 2) => 4
int findText(std::string_view text, std::string_view sought, std::optional<int> start = {},
             LetterCase letterCase = LetterCase::Sensitive);

// Replaces `sought` by `replacement` from left to right with the walk of findText, at most
// `count` times (omitted: every occurrence), leaving the bytes before `start` (1-based, omitted
// or below 1: the first byte) unchanged. An empty `sought` changes nothing.
//   replaceText("a.a", ".", "\\.") => "a\\.a"
Text replaceText(std::string_view text, std::string_view sought, std::string_view replacement,
                 std::optional<int> count = {}, std::optional<int> start = {},
                 LetterCase letterCase = LetterCase::Sensitive);

// Only A-Z change; a trail byte that looks like a capital stays as it is.
Text lowerAscii(std::string_view text);

// Strips spaces (0x20) and ideographic spaces (A1 A1) from both ends.
Text trimBlanks(std::string_view text);

// The first / last n bytes; n <= 0 gives the empty text, n past the end the whole text.
Text leftPart(std::string_view text, int n);
Text rightPart(std::string_view text, int n);

// Byte length of the character that begins with `byte`: 2 for 0x80 and above, else 1.
constexpr std::size_t gbkCharacterLength(unsigned char byte) {
    return byte >= 0x80 ? 2 : 1;
}

} // namespace tieba
