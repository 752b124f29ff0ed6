#pragma once

#include "platform/pcre2_regexp.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A stand-in for the regular-expression automation component the program was written against:
// an instance with the properties IgnoreCase, Multiline, Global and Pattern, whose Execute gives
// a match collection (Count, Item; each match with Value, FirstIndex, SubMatches) and whose
// Replace substitutes $1-$99, $&, $`, $' and $$. Texts are UTF-16 and indexes count units.
namespace tieba::platform {

struct RegExpInstance {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = false;
    std::u16string pattern;
};

// What Execute returns: the matches of one run, over the subject it ran on.
struct RegExpMatchCollection {
    std::u16string subject;
    std::size_t groupCount = 0;
    std::vector<RegExpMatch> items;
};

// The component has no "Singleline" member: the write is refused (false) and nothing changes,
// so "." still stops at a line feed.
bool setSingleline(RegExpInstance& instance, bool value);

// nullopt when the pattern is rejected or the engine fails on the subject.
std::optional<RegExpMatchCollection> executeRegExp(const RegExpInstance& instance,
                                                   std::u16string_view subject);

// The subject with the matches (every one when `global`, else the first) replaced:
//   pattern "(a)(b)", replacement "[$2$1$$]" over "xaby" => "x[ba$]y"
// nullopt when the pattern is rejected or the engine fails.
std::optional<std::u16string> replaceRegExp(const RegExpInstance& instance,
                                            std::u16string_view subject,
                                            std::u16string_view replacement);

// Texts of a match in its collection, `item` and `group` counted from 0 as the component's Item
// counts them; an index outside the collection and an unset group give the empty text.
std::u16string_view matchValue(const RegExpMatchCollection& matches, std::size_t item);
std::u16string_view subMatchValue(const RegExpMatchCollection& matches, std::size_t item,
                                  std::size_t group);

} // namespace tieba::platform
