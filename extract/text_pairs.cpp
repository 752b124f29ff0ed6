#include "extract/text_pairs.h"

namespace tieba {

Text replaceTextPairs(std::string_view text, std::optional<int> count, std::optional<int> start,
                      std::optional<bool> caseSensitive, std::string_view find1,
                      std::string_view replacement1, std::optional<Text> find2,
                      std::optional<Text> replacement2, std::optional<Text> find3,
                      std::optional<Text> replacement3, std::optional<Text> find4,
                      std::optional<Text> replacement4, std::optional<Text> find5,
                      std::optional<Text> replacement5) {
    const LetterCase letterCase =
        caseSensitive.value_or(false) ? LetterCase::Sensitive : LetterCase::Ignored;
    const std::string_view finds[] = {
        find1, find2 ? *find2 : std::string_view(), find3 ? *find3 : std::string_view(),
        find4 ? *find4 : std::string_view(), find5 ? *find5 : std::string_view()};
    const std::string_view replacements[] = {replacement1,
                                             replacement2 ? *replacement2 : std::string_view(),
                                             replacement3 ? *replacement3 : std::string_view(),
                                             replacement4 ? *replacement4 : std::string_view(),
                                             replacement5 ? *replacement5 : std::string_view()};

    Text result = textOf(text);
    for (std::size_t i = 0; i < std::size(finds); ++i) {
        // replaceText leaves the text alone for an empty find.
        result = replaceText(result, textOf(finds[i]), textOf(replacements[i]), count, start,
                             letterCase);
    }
    return result;
}

} // namespace tieba
