#include "extract/regex_escape.h"

#include "extract/text_pairs.h"

namespace tieba {

Text escapeRegexText(std::string_view text) {
    // The backslash goes first: the ones added by later pairs must not be doubled.
    const Text first = replaceTextPairs(text, {}, {}, {}, "\\", "\\\\", "?", "\\?", "*", "\\*", "+",
                                        "\\+", "[", "\\[");
    const Text second = replaceTextPairs(first, {}, {}, {}, "]", "\\]", "(", "\\(", ")", "\\)", "{",
                                         "\\{", "}", "\\}");
    return replaceTextPairs(second, {}, {}, {}, ".", "\\.", "^", "\\^", "$", "\\$", "|", "\\|");
}

} // namespace tieba
