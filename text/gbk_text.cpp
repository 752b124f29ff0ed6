#include "text/gbk_text.h"

#include <algorithm>

namespace tieba {
namespace {

unsigned char byteAt(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

unsigned char foldAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// Does `sought` stand at `offset` of `text`? Walks `sought` by characters so that only its
// single-byte letters fold; both bytes of a two-byte character must be equal.
bool matchesAt(std::string_view text, std::size_t offset, std::string_view sought,
               LetterCase letterCase) {
    if (sought.size() > text.size() - offset) {
        return false;
    }
    if (letterCase == LetterCase::Sensitive) {
        return text.compare(offset, sought.size(), sought) == 0;
    }
    for (std::size_t i = 0; i < sought.size();) {
        const unsigned char s = byteAt(sought, i);
        if (s >= 0x80) {
            const std::size_t width = std::min<std::size_t>(2, sought.size() - i);
            if (text.compare(offset + i, width, sought.substr(i, width)) != 0) {
                return false;
            }
            i += width;
        } else {
            if (foldAscii(byteAt(text, offset + i)) != foldAscii(s)) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

std::size_t startOffset(std::optional<int> start) {
    return start && *start > 1 ? static_cast<std::size_t>(*start) - 1 : 0;
}

} // namespace

Text textOf(std::string_view bytes) {
    return Text(bytes.substr(0, bytes.find('\0')));
}

int findText(std::string_view text, std::string_view sought, std::optional<int> start,
             LetterCase letterCase) {
    const std::size_t from = startOffset(start);
    if (from >= text.size()) {
        return -1;
    }
    if (sought.empty()) {
        return 1;
    }
    for (std::size_t i = from; i < text.size(); i += gbkCharacterLength(byteAt(text, i))) {
        if (matchesAt(text, i, sought, letterCase)) {
            return static_cast<int>(i + 1);
        }
    }
    return -1;
}

Text replaceText(std::string_view text, std::string_view sought, std::string_view replacement,
                 std::optional<int> count, std::optional<int> start, LetterCase letterCase) {
    const std::size_t from = std::min(startOffset(start), text.size());
    if (sought.empty() || (count && *count <= 0)) {
        return Text(text);
    }
    Text result(text.substr(0, from));
    int left = count.value_or(-1);
    std::size_t i = from;
    while (i < text.size()) {
        if (left != 0 && matchesAt(text, i, sought, letterCase)) {
            result += replacement;
            i += sought.size();
            if (left > 0) {
                --left;
            }
            continue;
        }
        const std::size_t width = std::min(gbkCharacterLength(byteAt(text, i)), text.size() - i);
        result += text.substr(i, width);
        i += width;
    }
    return result;
}

Text lowerAscii(std::string_view text) {
    Text result(text);
    for (std::size_t i = 0; i < result.size(); i += gbkCharacterLength(byteAt(result, i))) {
        result[i] = static_cast<char>(foldAscii(byteAt(result, i)));
    }
    return result;
}

Text trimBlanks(std::string_view text) {
    // Character boundaries are only known walking forward, so find the last non-blank that way.
    std::size_t first = text.size();
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = std::min(gbkCharacterLength(byteAt(text, i)), text.size() - i);
        const std::string_view character = text.substr(i, width);
        const bool blank = character == " " || character == "\xA1\xA1";
        if (!blank) {
            first = std::min(first, i);
            end = i + width;
        }
        i += width;
    }
    return first < end ? Text(text.substr(first, end - first)) : Text();
}

Text leftPart(std::string_view text, int n) {
    if (n <= 0) {
        return {};
    }
    return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text rightPart(std::string_view text, int n) {
    if (n <= 0) {
        return {};
    }
    const std::size_t count = std::min(static_cast<std::size_t>(n), text.size());
    return Text(text.substr(text.size() - count));
}

} // namespace tieba
