#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// PCRE2's 16-bit library as the program's regex engine, over UTF-16 subjects. Offsets count
// UTF-16 units. The dialect is fixed: UTF on, line feed as the only newline ("." matches a CR,
// never a LF), \d \w \s ASCII-only, and the JScript-like details of the component we stand in
// for ("$" without multiline only at the very end, \uHHHH escapes, "[]" matches nothing).
struct pcre2_real_code_16;
struct pcre2_real_match_data_16;
struct pcre2_real_match_context_16;
struct pcre2_real_jit_stack_16;

namespace tieba::platform {

// Units [begin, end) of a subject.
struct UnitSpan {
    std::size_t begin = 0;
    std::size_t end = 0;

    friend bool operator==(const UnitSpan&, const UnitSpan&) = default;
};

struct RegExpMatch {
    UnitSpan whole;
    std::vector<std::optional<UnitSpan>> groups; // group 1 first; nullopt: took no part
};

struct RegExpOptions {
    bool ignoreCase = false; // also folds non-ASCII letters: "ａ" matches "Ａ", "σ" matches "Σ"
    bool multiline = false;  // "^" and "$" also at line feeds
    bool literal = false;    // the whole pattern is plain text
};

struct Pcre2CodeFree {
    void operator()(pcre2_real_code_16* code) const;
};
struct Pcre2MatchDataFree {
    void operator()(pcre2_real_match_data_16* data) const;
};
struct Pcre2MatchContextFree {
    void operator()(pcre2_real_match_context_16* context) const;
};
struct Pcre2JitStackFree {
    void operator()(pcre2_real_jit_stack_16* stack) const;
};

// A compiled pattern, JIT-compiled where the machine allows.
class Pcre2Pattern {
public:
    // nullopt when PCRE2 rejects the pattern.
    static std::optional<Pcre2Pattern> compile(std::u16string_view pattern, RegExpOptions options);

    std::size_t groupCount() const;
    const pcre2_real_code_16* code() const { return code_.get(); }

private:
    explicit Pcre2Pattern(std::unique_ptr<pcre2_real_code_16, Pcre2CodeFree> code);

    std::unique_ptr<pcre2_real_code_16, Pcre2CodeFree> code_;
};

enum class SearchOutcome { Found, NotFound, Failed };

struct SearchResult {
    SearchOutcome outcome = SearchOutcome::NotFound;
    RegExpMatch match; // meaningful when Found
};

// Searches one subject with one pattern, again and again from different offsets. Both must
// outlive the search. A subject that is not valid UTF-16 fails every search.
class Pcre2Search {
public:
    Pcre2Search(const Pcre2Pattern& pattern, std::u16string_view subject);

    // The leftmost match that begins at or after `from`; an offset inside a surrogate pair
    // moves on to the next character.
    SearchResult find(std::size_t from);

private:
    const Pcre2Pattern* pattern_;
    std::u16string_view subject_;
    bool subjectValid_;
    std::unique_ptr<pcre2_real_jit_stack_16, Pcre2JitStackFree> jitStack_;
    std::unique_ptr<pcre2_real_match_context_16, Pcre2MatchContextFree> context_;
    std::unique_ptr<pcre2_real_match_data_16, Pcre2MatchDataFree> data_;
};

// Offset of the character after the one at `offset` (a surrogate pair is one character).
std::size_t nextCharacterOffset(std::u16string_view subject, std::size_t offset);

// Every match from left to right without overlap; after an empty match the next search starts
// one character further, so "x*" over "ab" gives three empty matches. With `global` false at
// most the first. nullopt when the engine fails on the subject (bad UTF-16, a hit limit).
std::optional<std::vector<RegExpMatch>> findMatches(const Pcre2Pattern& pattern,
                                                    std::u16string_view subject, bool global);

} // namespace tieba::platform
