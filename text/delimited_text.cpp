#include "text/delimited_text.h"

namespace tieba {
namespace {

// "#引号" in GBK.
constexpr std::string_view kQuoteMarker = "#\xD2\xFD\xBA\xC5";

Text withQuotes(std::string_view delimiter) {
    return replaceText(delimiter, kQuoteMarker, "\"");
}

} // namespace

Text textBetween(std::string_view text, std::string_view left, std::string_view right,
                 std::optional<int> start, std::optional<bool> caseSensitive) {
    const Text leftDelimiter = withQuotes(left);
    const Text rightDelimiter = withQuotes(right);
    const LetterCase letterCase =
        caseSensitive.value_or(false) ? LetterCase::Sensitive : LetterCase::Ignored;

    const int leftAt = findText(text, leftDelimiter, start.value_or(1), letterCase);
    if (leftAt < 0) {
        return {};
    }
    const std::string_view rest =
        text.substr(static_cast<std::size_t>(leftAt) - 1 + leftDelimiter.size());
    const int rightAt = findText(rest, rightDelimiter, 1, letterCase);
    if (rightAt < 0) {
        return {};
    }
    return leftPart(rest, rightAt - 1);
}

Text textBefore(std::string_view text, std::string_view delimiter, std::optional<int> start,
                std::optional<bool> caseInsensitive) {
    const LetterCase letterCase =
        caseInsensitive.value_or(false) ? LetterCase::Ignored : LetterCase::Sensitive;
    const int at = findText(text, delimiter, start, letterCase);
    if (at < 0) {
        return {};
    }
    return leftPart(text, at - 1);
}

} // namespace tieba
