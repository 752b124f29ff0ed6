// textBetween and textBefore on any bytes and delimiters.
//   input: flags (bit 0 start given, bit 1 case option given, bit 2 its value), start,
//          text \0 left \0 right
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/reference_search.h"
#include "text/delimited_text.h"

using namespace tieba;
using namespace tieba::fuzz;

namespace {

constexpr std::string_view kQuoteMarker = "#\xD2\xFD\xBA\xC5"; // #引号

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const int startValue = in.position();
    const std::optional<int> start = in.flag(0) ? std::optional<int>(startValue) : std::nullopt;
    const std::optional<bool> caseOption =
        in.flag(1) ? std::optional<bool>(in.flag(2)) : std::nullopt;
    const std::string_view text = in.text();
    const std::string_view left = in.text();
    const std::string_view right = in.text();

    const Text between = textBetween(text, left, right, start, caseOption);
    check(contains(text, between), "textBetween gives a part of its text");
    const bool plainDelimiters = !contains(left, kQuoteMarker) && !contains(right, kQuoteMarker);
    if (!between.empty() && plainDelimiters) {
        // Both delimiters stand around the result somewhere after the start.
        const bool ignoreCase = !caseOption.value_or(false);
        bool framed = false;
        for (std::size_t at = text.find(between); at != std::string_view::npos && !framed;
             at = text.find(between, at + 1)) {
            framed = at >= left.size() && standsAt(text, at - left.size(), left, ignoreCase) &&
                     standsAt(text, at + between.size(), right, ignoreCase);
        }
        check(framed, "textBetween's result stands between the two delimiters");
    }

    const Text before = textBefore(text, left, start, caseOption);
    check(text.starts_with(before), "textBefore gives the beginning of its text");
    if (!before.empty()) {
        check(standsAt(text, before.size(), left, caseOption.value_or(false)),
              "textBefore stops where its delimiter stands");
        check(static_cast<int>(before.size()) + 1 >= startValue || !start,
              "textBefore's delimiter is at or after the start");
    }
    return 0;
}
