#include "extract/regex_object.h"

#include "text/codepage_conversion.h"

#include <limits>

namespace tieba {
namespace {

Utf16Text unitsOf(std::string_view text) {
    return multiByteToUtf16(text, CodePage::Gbk);
}

Text gbkOf(std::u16string_view units) {
    return utf16ToMultiByte(units, CodePage::Gbk);
}

// A 1-based match or group number as the collection's 0-based item, or nullopt when outside.
std::optional<std::size_t> itemOf(int number, std::size_t count) {
    if (number < 1 || static_cast<std::size_t>(number) > count) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(number) - 1;
}

// The 1-based byte position of the first character that begins at or after `start`. A start
// inside a two-byte character would make the search walk pair the trail byte with the next
// byte, miss the match or report half a character:  "中文b", 2 => 3
int characterStartAtOrAfter(std::string_view text, int start) {
    std::size_t offset = 0;
    while (static_cast<int>(offset) + 1 < start && offset < text.size()) {
        offset += gbkCharacterLength(static_cast<unsigned char>(text[offset]));
    }
    return static_cast<int>(offset) + 1;
}

int clampToInt(std::size_t value) {
    return value > static_cast<std::size_t>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(value);
}

} // namespace

bool RegexObject::execute(std::string_view pattern, std::string_view subject,
                          std::optional<bool> caseSensitive, std::optional<bool> multiline,
                          std::optional<bool> global) {
    // Every run starts from a fresh instance, set up in the component's property order.
    regExp_.emplace();
    regExp_->ignoreCase = !caseSensitive.value_or(false);
    regExp_->multiline = multiline.value_or(true);
    platform::setSingleline(*regExp_, true); // refused; "." keeps stopping at a line feed
    regExp_->global = global.value_or(true);
    regExp_->pattern = unitsOf(pattern);

    lastSubject_ = textOf(subject);
    matches_ = platform::executeRegExp(*regExp_, unitsOf(lastSubject_));
    return matches_.has_value();
}

Text RegexObject::getPattern() const {
    return regExp_ ? gbkOf(regExp_->pattern) : Text();
}

Text RegexObject::replaceMatches(std::string_view replacement) const {
    if (!regExp_) {
        return {};
    }
    const std::optional<std::u16string> replaced =
        platform::replaceRegExp(*regExp_, unitsOf(lastSubject_), unitsOf(replacement));
    return replaced ? gbkOf(*replaced) : Text();
}

int RegexObject::matchCount() const {
    return matches_ ? clampToInt(matches_->items.size()) : 0;
}

int RegexObject::subMatchCount() const {
    return matches_ && !matches_->items.empty() ? clampToInt(matches_->groupCount) : 0;
}

// The byte position works back from the match's character index: the subject is searched for
// the found text from that index taken as a 1-based byte position, with the case rule reversed
// from the pattern's. Two-byte characters in front make the index smaller than the byte offset,
// so the search starts at or before the match and may report an earlier copy of the same text;
// with nothing found the position is -2. An index outside the matches reads as index 0 and the
// empty text.
//   "a" over "aa", match 2: index 1, search from the first byte => 0
//   "b" over "中b": index 1 => 2
int RegexObject::bytePosition(std::string_view value, std::optional<std::size_t> item) const {
    const int firstIndex = item ? clampToInt(matches_->items[*item].whole.begin) : 0;
    const LetterCase letterCase =
        regExp_ && regExp_->ignoreCase ? LetterCase::Sensitive : LetterCase::Ignored;
    return findText(lastSubject_, value, characterStartAtOrAfter(lastSubject_, firstIndex),
                    letterCase) -
           1;
}

Text RegexObject::matchText(int index, int* position) const {
    std::optional<std::size_t> item;
    if (matches_) {
        item = itemOf(index, matches_->items.size());
    }
    const Text value = item ? gbkOf(platform::matchValue(*matches_, *item)) : Text();
    if (position) {
        *position = bytePosition(value, item);
    }
    return value;
}

Text RegexObject::subMatchText(int matchIndex, int groupIndex, int* position) const {
    std::optional<std::size_t> item;
    std::optional<std::size_t> group;
    if (matches_) {
        item = itemOf(matchIndex, matches_->items.size());
        group = itemOf(groupIndex, matches_->groupCount);
    }
    const Text value =
        item && group ? gbkOf(platform::subMatchValue(*matches_, *item, *group)) : Text();
    if (position) {
        *position = bytePosition(value, item);
    }
    return value;
}

} // namespace tieba
