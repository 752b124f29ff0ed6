// findText, replaceText, lowerAscii, trimBlanks, leftPart and rightPart on any bytes.
//   input: flags (bit 0 start given, bit 1 ignore case, bit 2 count given), start, count,
//          text \0 sought \0 replacement
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/reference_search.h"
#include "text/gbk_text.h"

using namespace tieba;
using namespace tieba::fuzz;

namespace {

// The result of replacing with findText's walk: each match found from where the last one ended.
Text replacedByFinding(std::string_view text, std::string_view sought, std::string_view replacement,
                       std::optional<int> count, std::optional<int> start, LetterCase letterCase) {
    const std::size_t from = std::min<std::size_t>(
        start && *start > 1 ? static_cast<std::size_t>(*start - 1) : 0, text.size());
    Text result(text.substr(0, from));
    std::size_t at = from;
    for (int done = 0; !count || done < *count; ++done) {
        const int found = findText(text, sought, static_cast<int>(at) + 1, letterCase);
        if (found < 0) {
            break;
        }
        const auto match = static_cast<std::size_t>(found - 1);
        result.append(text.substr(at, match - at)).append(replacement);
        at = match + sought.size();
    }
    return result.append(text.substr(std::min(at, text.size())));
}

bool blankAtFront(std::string_view text) {
    return text.starts_with(' ') || text.starts_with("\xA1\xA1");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const int startValue = in.position();
    const int countValue = in.position();
    const std::optional<int> start = in.flag(0) ? std::optional<int>(startValue) : std::nullopt;
    const bool ignoreCase = in.flag(1);
    const LetterCase letterCase = ignoreCase ? LetterCase::Ignored : LetterCase::Sensitive;
    const std::optional<int> count = in.flag(2) ? std::optional<int>(countValue) : std::nullopt;
    const std::string_view text = in.text();
    const std::string_view sought = in.text();
    const std::string_view replacement = in.text();

    const int found = findText(text, sought, start, letterCase);
    check(found == referenceFind(text, sought, start, ignoreCase),
          "findText gives the first character start where the sought text stands, or -1");

    const Text replaced = replaceText(text, sought, replacement, count, start, letterCase);
    if (sought.empty() || (count && *count <= 0)) {
        check(replaced == text, "replaceText with nothing to replace keeps the text");
    } else {
        check(replaced == replacedByFinding(text, sought, replacement, count, start, letterCase),
              "replaceText replaces exactly what findText finds, left to right");
        check(replaceText(text, sought, sought, count, start, LetterCase::Sensitive) == text,
              "replacing a text by itself keeps the text");
    }

    const Text lowered = lowerAscii(text);
    check(lowered.size() == text.size(), "lowerAscii keeps the length");
    for (std::size_t i = 0; i < lowered.size();
         i += static_cast<unsigned char>(lowered[i]) >= 0x80 ? 2 : 1) {
        check(lowered[i] < 'A' || lowered[i] > 'Z', "lowerAscii leaves no capital letter");
    }

    const Text trimmed = trimBlanks(text);
    check(contains(text, trimmed), "trimBlanks gives a part of its text");
    check(!blankAtFront(trimmed), "trimBlanks leaves no blank in front");
    check(trimBlanks(trimmed) == trimmed, "trimming twice changes nothing");

    const Text left = leftPart(text, startValue);
    const Text right = rightPart(text, startValue);
    const std::size_t wanted = startValue <= 0 ? 0 : static_cast<std::size_t>(startValue);
    check(left.size() == std::min(wanted, text.size()) && text.starts_with(left),
          "leftPart gives the first n bytes");
    check(right.size() == std::min(wanted, text.size()) && text.ends_with(right),
          "rightPart gives the last n bytes");
    return 0;
}
