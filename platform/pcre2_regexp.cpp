#define PCRE2_CODE_UNIT_WIDTH 16
#include "platform/pcre2_regexp.h"

#include <pcre2.h>

namespace tieba::platform {
namespace {

struct CompileContextFree {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};

// JScript's dialect where PCRE2 has a switch for it; "$" ignores DOLLAR_ENDONLY in multiline.
constexpr uint32_t kDialectOptions = PCRE2_UTF | PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF |
                                     PCRE2_ALLOW_EMPTY_CLASS | PCRE2_DOLLAR_ENDONLY;

// The JIT stack grows on demand up to this; deeper patterns fall back to the interpreter.
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 1024 * 1024;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool isValidUtf16(std::u16string_view units) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (isHighSurrogate(units[i])) {
            if (i + 1 == units.size() || !isLowSurrogate(units[i + 1])) {
                return false;
            }
            ++i;
        } else if (isLowSurrogate(units[i])) {
            return false;
        }
    }
    return true;
}

PCRE2_SPTR unitsOf(std::u16string_view text) {
    // char16_t and PCRE2_UCHAR16 are both 16-bit unsigned units.
    static_assert(sizeof(char16_t) == sizeof(PCRE2_UCHAR16));
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

} // namespace

void Pcre2CodeFree::operator()(pcre2_code* code) const {
    pcre2_code_free(code);
}
void Pcre2MatchDataFree::operator()(pcre2_match_data* data) const {
    pcre2_match_data_free(data);
}
void Pcre2MatchContextFree::operator()(pcre2_match_context* context) const {
    pcre2_match_context_free(context);
}
void Pcre2JitStackFree::operator()(pcre2_jit_stack* stack) const {
    pcre2_jit_stack_free(stack);
}

Pcre2Pattern::Pcre2Pattern(std::unique_ptr<pcre2_code, Pcre2CodeFree> code)
    : code_(std::move(code)) {}

std::optional<Pcre2Pattern> Pcre2Pattern::compile(std::u16string_view pattern,
                                                  RegExpOptions options) {
    std::unique_ptr<pcre2_compile_context, CompileContextFree> context(
        pcre2_compile_context_create(nullptr));
    if (!context) {
        return std::nullopt;
    }
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);

    // A literal pattern takes no syntax options; UTF and case folding still apply.
    uint32_t flags = options.literal ? (PCRE2_LITERAL | PCRE2_UTF) : kDialectOptions;
    if (options.ignoreCase) {
        flags |= PCRE2_CASELESS;
    }
    if (options.multiline && !options.literal) {
        flags |= PCRE2_MULTILINE;
    }
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    std::unique_ptr<pcre2_code, Pcre2CodeFree> code(pcre2_compile(
        unitsOf(pattern), pattern.size(), flags, &error, &errorOffset, context.get()));
    if (!code) {
        return std::nullopt;
    }
    // Without JIT (unsupported machine, no memory) the interpreter gives the same results.
    pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);
    return Pcre2Pattern(std::move(code));
}

std::size_t Pcre2Pattern::groupCount() const {
    uint32_t count = 0;
    pcre2_pattern_info(code_.get(), PCRE2_INFO_CAPTURECOUNT, &count);
    return count;
}

Pcre2Search::Pcre2Search(const Pcre2Pattern& pattern, std::u16string_view subject)
    : pattern_(&pattern), subject_(subject), subjectValid_(isValidUtf16(subject)),
      jitStack_(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr)),
      context_(pcre2_match_context_create(nullptr)),
      data_(pcre2_match_data_create_from_pattern(pattern.code(), nullptr)) {
    if (context_ && jitStack_) {
        pcre2_jit_stack_assign(context_.get(), nullptr, jitStack_.get());
    }
}

SearchResult Pcre2Search::find(std::size_t from) {
    if (!subjectValid_ || !data_) {
        return {SearchOutcome::Failed, {}};
    }
    if (from > 0 && from < subject_.size() && isLowSurrogate(subject_[from])) {
        ++from;
    }
    if (from > subject_.size()) {
        return {SearchOutcome::NotFound, {}};
    }
    // The whole subject was checked once above, and `from` stands at a character start.
    int rc = pcre2_match(pattern_->code(), unitsOf(subject_), subject_.size(), from,
                         PCRE2_NO_UTF_CHECK, data_.get(), context_.get());
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
        rc = pcre2_match(pattern_->code(), unitsOf(subject_), subject_.size(), from,
                         PCRE2_NO_UTF_CHECK | PCRE2_NO_JIT, data_.get(), context_.get());
    }
    if (rc == PCRE2_ERROR_NOMATCH) {
        return {SearchOutcome::NotFound, {}};
    }
    if (rc <= 0) {
        return {SearchOutcome::Failed, {}};
    }
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data_.get());
    SearchResult result{SearchOutcome::Found, {}};
    result.match.whole = {ovector[0], ovector[1]};
    const std::size_t groups = pattern_->groupCount();
    result.match.groups.resize(groups);
    for (std::size_t i = 1; i <= groups && i < static_cast<std::size_t>(rc); ++i) {
        if (ovector[2 * i] != PCRE2_UNSET) {
            result.match.groups[i - 1] = UnitSpan{ovector[2 * i], ovector[2 * i + 1]};
        }
    }
    return result;
}

std::size_t nextCharacterOffset(std::u16string_view subject, std::size_t offset) {
    if (offset + 1 < subject.size() && isHighSurrogate(subject[offset]) &&
        isLowSurrogate(subject[offset + 1])) {
        return offset + 2;
    }
    return offset + 1;
}

std::optional<std::vector<RegExpMatch>> findMatches(const Pcre2Pattern& pattern,
                                                    std::u16string_view subject, bool global) {
    Pcre2Search search(pattern, subject);
    std::vector<RegExpMatch> matches;
    std::size_t from = 0;
    while (from <= subject.size()) {
        SearchResult found = search.find(from);
        if (found.outcome == SearchOutcome::Failed) {
            return std::nullopt;
        }
        if (found.outcome == SearchOutcome::NotFound) {
            break;
        }
        const UnitSpan whole = found.match.whole;
        matches.push_back(std::move(found.match));
        if (!global) {
            break;
        }
        from = whole.end > whole.begin ? whole.end : nextCharacterOffset(subject, whole.end);
    }
    return matches;
}

} // namespace tieba::platform
