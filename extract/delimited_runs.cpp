#include "extract/delimited_runs.h"

namespace tieba {
namespace {

using platform::Pcre2Pattern;
using platform::Pcre2Search;
using platform::SearchOutcome;
using platform::UnitSpan;

constexpr std::size_t kNone = std::u16string_view::npos;

// The first occurrence at or after an offset, remembered: an occurrence found from `from` is
// also the first one from any later offset up to its own start, so offsets that only grow cost
// one pass over the subject in total.
class NextOccurrence {
public:
    explicit NextOccurrence(Pcre2Search& search) : search_(&search) {}

    // The occurrence, std::nullopt when there is none; false when the engine failed.
    bool find(std::size_t from, std::optional<UnitSpan>& found) {
        if (!known_ || from < from_ || (found_ && from > found_->begin)) {
            const platform::SearchResult result = search_->find(from);
            if (result.outcome == SearchOutcome::Failed) {
                return false;
            }
            from_ = from;
            found_ = result.outcome == SearchOutcome::Found
                         ? std::optional<UnitSpan>(result.match.whole)
                         : std::nullopt;
            known_ = true;
        }
        found = found_;
        return true;
    }

private:
    Pcre2Search* search_;
    bool known_ = false;
    std::size_t from_ = 0;
    std::optional<UnitSpan> found_;
};

// The first line feed at or after an offset, remembered the same way.
class NextLineFeed {
public:
    explicit NextLineFeed(std::u16string_view subject) : subject_(subject) {}

    std::size_t find(std::size_t from) {
        if (!known_ || from < from_ || (found_ != kNone && from > found_)) {
            found_ = subject_.find(u'\n', from);
            from_ = from;
            known_ = true;
        }
        return found_;
    }

private:
    std::u16string_view subject_;
    bool known_ = false;
    std::size_t from_ = 0;
    std::size_t found_ = kNone;
};

} // namespace

std::optional<std::vector<UnitSpan>> findDelimitedRuns(std::u16string_view subject,
                                                       std::u16string_view left,
                                                       std::u16string_view right) {
    // The same engine and case folding as the pattern, with each delimiter as a literal.
    const platform::RegExpOptions literal{.ignoreCase = true, .multiline = false, .literal = true};
    const std::optional<Pcre2Pattern> leftPattern = Pcre2Pattern::compile(left, literal);
    const std::optional<Pcre2Pattern> rightPattern = Pcre2Pattern::compile(right, literal);
    if (!leftPattern || !rightPattern) {
        return std::nullopt;
    }
    Pcre2Search leftSearch(*leftPattern, subject);
    Pcre2Search rightSearch(*rightPattern, subject);
    NextOccurrence nextRight(rightSearch);
    NextLineFeed nextLineFeed(subject);

    std::vector<UnitSpan> runs;
    std::size_t from = 0;
    while (from <= subject.size()) {
        const platform::SearchResult leftFound = leftSearch.find(from);
        if (leftFound.outcome == SearchOutcome::Failed) {
            return std::nullopt;
        }
        if (leftFound.outcome == SearchOutcome::NotFound) {
            break;
        }
        const UnitSpan leftSpan = leftFound.match.whole;
        std::optional<UnitSpan> rightSpan;
        if (!nextRight.find(leftSpan.end, rightSpan)) {
            return std::nullopt;
        }
        // The run may not hold a line feed; `right` itself may begin with one.
        if (rightSpan && rightSpan->begin <= nextLineFeed.find(leftSpan.end)) {
            runs.push_back({leftSpan.end, rightSpan->begin});
            // As the pattern's global search: go on behind the match, one character further
            // when the match was empty.
            from = rightSpan->end > leftSpan.begin
                       ? rightSpan->end
                       : platform::nextCharacterOffset(subject, rightSpan->end);
        } else {
            // No match starts here; the pattern would try the next character.
            from = platform::nextCharacterOffset(subject, leftSpan.begin);
        }
    }
    return runs;
}

} // namespace tieba
