#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// A plain re-statement of the search rule to check findText against: walk the text a character
// at a time from the start position (a byte of 0x80 or above begins a two-byte character) and
// try the sought text at each character start. Ignoring case folds only single-byte letters of
// the sought text; both bytes of its two-byte characters must be equal.
namespace tieba::fuzz {

inline char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool standsAt(std::string_view text, std::size_t at, std::string_view sought,
                     bool ignoreCase) {
    if (at > text.size() || text.size() - at < sought.size()) {
        return false;
    }
    for (std::size_t k = 0; k < sought.size(); ++k) {
        const char s = sought[k];
        const char t = text[at + k];
        if (static_cast<unsigned char>(s) >= 0x80) {
            if (s != t || (k + 1 < sought.size() && sought[k + 1] != text[at + k + 1])) {
                return false;
            }
            ++k;
        } else if (ignoreCase ? lowered(s) != lowered(t) : s != t) {
            return false;
        }
    }
    return true;
}

inline int referenceFind(std::string_view text, std::string_view sought, std::optional<int> start,
                         bool ignoreCase) {
    const std::size_t from = start && *start > 1 ? static_cast<std::size_t>(*start - 1) : 0;
    if (from >= text.size()) {
        return -1;
    }
    if (sought.empty()) {
        return 1;
    }
    for (std::size_t i = from; i < text.size();
         i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1) {
        if (standsAt(text, i, sought, ignoreCase)) {
            return static_cast<int>(i + 1);
        }
    }
    return -1;
}

} // namespace tieba::fuzz
