#include "extract/extract_all_between.h"

#include "extract/delimited_runs.h"
#include "text/codepage_conversion.h"

namespace tieba {
namespace {

std::string_view upToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// The bare hits. A well-formed GBK page cut with ASCII delimiters, the program's own case, is
// searched in its bytes; anything else goes through its UTF-16 form, as the engine sees it.
std::optional<TextList> bareHits(std::string_view text, std::string_view left,
                                 std::string_view right) {
    TextList hits;
    if (const std::optional<std::vector<ByteSpan>> runs =
            findDelimitedRunsInGbk(text, left, right)) {
        hits.reserve(runs->size());
        for (const ByteSpan& run : *runs) {
            hits.emplace_back(text.substr(run.begin, run.end - run.begin));
        }
        return hits;
    }
    const Utf16Text subject = multiByteToUtf16(text, CodePage::Gbk);
    const std::optional<std::vector<platform::UnitSpan>> runs = findDelimitedRuns(
        subject, multiByteToUtf16(left, CodePage::Gbk), multiByteToUtf16(right, CodePage::Gbk));
    if (!runs) {
        return std::nullopt;
    }
    hits.reserve(runs->size());
    for (const platform::UnitSpan& run : *runs) {
        hits.push_back(utf16ToMultiByte(
            std::u16string_view(subject).substr(run.begin, run.end - run.begin), CodePage::Gbk));
    }
    return hits;
}

} // namespace

int extractAllBetween(std::string_view text, std::string_view left, std::string_view right,
                      TextList& hits, std::optional<int> maxLength, std::optional<Text> prefix,
                      std::optional<Text> suffix, std::optional<bool> keepLeft,
                      std::optional<bool> keepRight) {
    // Everything is read before `hits` is emptied: the texts may be views into it.
    const Text leftText(upToZero(left));
    const Text rightText(upToZero(right));
    std::optional<TextList> found = bareHits(upToZero(text), leftText, rightText);
    hits.clear();
    if (!found) {
        return 0;
    }

    const int limit = maxLength.value_or(0);
    const Text front = textOf(prefix.value_or(Text()));
    const Text back = textOf(suffix.value_or(Text()));
    const bool withLeft = keepLeft.value_or(false);
    const bool withRight = keepRight.value_or(false);
    hits.reserve(found->size());
    for (Text& hit : *found) {
        if (limit != 0 && (limit < 0 || hit.size() > static_cast<std::size_t>(limit))) {
            continue;
        }
        Text kept = front.empty() && back.empty() ? std::move(hit) : front + hit + back;
        if (withLeft) {
            kept.insert(0, leftText);
        }
        // With a length limit only one delimiter comes back, and keepLeft wins.
        if (withRight && (limit == 0 || !withLeft)) {
            kept += rightText;
        }
        hits.push_back(std::move(kept));
    }
    return static_cast<int>(hits.size());
}

} // namespace tieba
