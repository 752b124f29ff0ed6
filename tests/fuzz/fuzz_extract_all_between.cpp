// extractAllBetween with any text, delimiters and options.
//   input: flags (bit 0 maxLength given, bit 1 prefix and suffix given, bit 2 keepLeft,
//          bit 3 keepRight, bit 4 arguments are views into the hit list), maxLength,
//          text \0 left \0 right \0 prefix \0 suffix
#include "extract/extract_all_between.h"
#include "tests/fuzz/code_page_bytes.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/codepage_conversion.h"

using namespace tieba;
using namespace tieba::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const int limitValue = in.position();
    const std::optional<int> maxLength = in.flag(0) ? std::optional<int>(limitValue) : std::nullopt;
    const std::string_view text = in.text();
    const std::string_view left = in.text();
    const std::string_view right = in.text();
    const std::optional<Text> prefix = in.flag(1) ? std::optional<Text>(in.text()) : std::nullopt;
    const std::optional<Text> suffix = in.flag(1) ? std::optional<Text>(in.text()) : std::nullopt;
    const std::optional<bool> keepLeft = in.flag(2) ? std::optional<bool>(true) : std::nullopt;
    const std::optional<bool> keepRight = in.flag(3) ? std::optional<bool>(true) : std::nullopt;

    TextList hits{"stale"};
    const int count =
        extractAllBetween(text, left, right, hits, maxLength, prefix, suffix, keepLeft, keepRight);
    check(count == static_cast<int>(hits.size()), "the count is the number of hits");

    if (in.flag(4)) {
        // The caller may pass texts that live in the list the call empties.
        TextList aliased{Text(text), Text(left), Text(right)};
        const int again = extractAllBetween(aliased[0], aliased[1], aliased[2], aliased, maxLength,
                                            prefix, suffix, keepLeft, keepRight);
        check(again == count && aliased == hits,
              "arguments inside the hit list give the same hits");
    }

    const bool bare = !prefix && !suffix && !keepLeft && !keepRight;
    if (!bare) {
        return 0;
    }
    // A page that is GBK through and through comes back byte for byte.
    const bool faithful = isGbk(text) && !contains(text, std::string_view("\0", 1)) &&
                          utf8ToGbk(gbkToUtf8(text)) == text;
    for (const Text& hit : hits) {
        check(!contains(hit, "\n"), "a hit holds no line feed");
        check(maxLength.value_or(0) <= 0 || hit.size() <= static_cast<std::size_t>(*maxLength),
              "a hit is no longer than maxLength");
        check(!faithful || contains(text, hit), "a hit of a GBK page is a part of the page");
    }
    check(maxLength.value_or(0) >= 0 || hits.empty(), "a negative maxLength drops every hit");
    return 0;
}
