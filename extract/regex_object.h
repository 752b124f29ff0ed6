#pragma once

#include "platform/regexp_component.h"
#include "text/gbk_text.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace tieba {

// One regular expression run over one GBK subject, and questions about the result. Patterns and
// subjects go to the engine as UTF-16, so a two-byte character is one character: no match
// begins or ends inside one. Failures are silent: a rejected pattern makes execute() false and
// every later read zero or the empty text. Match and group numbers count from 1.
class RegexObject {
public:
    RegexObject() = default;
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // Replaces the previous run. Defaults: case ignored, multiline, every match. True when the
    // run took place, whether or not anything matched.
    bool execute(std::string_view pattern, std::string_view subject,
                 std::optional<bool> caseSensitive = {}, std::optional<bool> multiline = {},
                 std::optional<bool> global = {});

    Text getPattern() const;

    // The last subject with the matches replaced ($1-$99, $&, $`, $', $$).
    Text replaceMatches(std::string_view replacement) const;

    int matchCount() const;

    // `position`, when given, receives a byte offset found by searching the subject for the
    // match's text from its character index taken as a byte position (see regex_object.cpp).
    Text matchText(int index, int* position = nullptr) const;
    Text subMatchText(int matchIndex, int groupIndex, int* position = nullptr) const;

    // Groups of the first match; 0 without a match.
    int subMatchCount() const;

private:
    // `item` is the 0-based match whose character index starts the search.
    int bytePosition(std::string_view value, std::optional<std::size_t> item) const;

    std::optional<platform::RegExpInstance> regExp_;
    std::optional<platform::RegExpMatchCollection> matches_;
    Text lastSubject_;
};

} // namespace tieba
