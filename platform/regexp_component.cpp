#include "platform/regexp_component.h"

namespace tieba::platform {
namespace {

RegExpOptions optionsOf(const RegExpInstance& instance) {
    return RegExpOptions{instance.ignoreCase, instance.multiline, false};
}

std::u16string_view spanText(std::u16string_view subject, UnitSpan span) {
    return subject.substr(span.begin, span.end - span.begin);
}

std::u16string_view groupText(std::u16string_view subject, const RegExpMatch& match,
                              std::size_t group) {
    if (group == 0 || group > match.groups.size() || !match.groups[group - 1]) {
        return {};
    }
    return spanText(subject, *match.groups[group - 1]);
}

int digitAt(std::u16string_view text, std::size_t index) {
    if (index < text.size() && text[index] >= u'0' && text[index] <= u'9') {
        return text[index] - u'0';
    }
    return -1;
}

// One match's replacement. "$nn" takes two digits when that group exists, else "$n" one digit
// when that one does; anything else after "$" stays as written:
//   groups 2, "$12" => group 1 then "2";  "$0" => "$0";  "$x" => "$x"
void appendSubstitution(std::u16string& out, std::u16string_view replacement,
                        std::u16string_view subject, const RegExpMatch& match) {
    const std::size_t groups = match.groups.size();
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char16_t unit = replacement[i];
        if (unit != u'$' || i + 1 == replacement.size()) {
            out += unit;
            continue;
        }
        const char16_t next = replacement[i + 1];
        if (next == u'$') {
            out += u'$';
            ++i;
        } else if (next == u'&') {
            out += spanText(subject, match.whole);
            ++i;
        } else if (next == u'`') {
            out += subject.substr(0, match.whole.begin);
            ++i;
        } else if (next == u'\'') {
            out += subject.substr(match.whole.end);
            ++i;
        } else if (const int first = digitAt(replacement, i + 1); first >= 0) {
            const int second = digitAt(replacement, i + 2);
            const int both = first * 10 + second;
            if (second >= 0 && both >= 1 && static_cast<std::size_t>(both) <= groups) {
                out += groupText(subject, match, static_cast<std::size_t>(both));
                i += 2;
            } else if (first >= 1 && static_cast<std::size_t>(first) <= groups) {
                out += groupText(subject, match, static_cast<std::size_t>(first));
                i += 1;
            } else {
                out += unit;
            }
        } else {
            out += unit;
        }
    }
}

} // namespace

bool setSingleline(RegExpInstance&, bool) {
    return false;
}

std::optional<RegExpMatchCollection> executeRegExp(const RegExpInstance& instance,
                                                   std::u16string_view subject) {
    const std::optional<Pcre2Pattern> pattern =
        Pcre2Pattern::compile(instance.pattern, optionsOf(instance));
    if (!pattern) {
        return std::nullopt;
    }
    std::optional<std::vector<RegExpMatch>> found = findMatches(*pattern, subject, instance.global);
    if (!found) {
        return std::nullopt;
    }
    return RegExpMatchCollection{std::u16string(subject), pattern->groupCount(), std::move(*found)};
}

std::optional<std::u16string> replaceRegExp(const RegExpInstance& instance,
                                            std::u16string_view subject,
                                            std::u16string_view replacement) {
    const std::optional<Pcre2Pattern> pattern =
        Pcre2Pattern::compile(instance.pattern, optionsOf(instance));
    if (!pattern) {
        return std::nullopt;
    }
    const std::optional<std::vector<RegExpMatch>> found =
        findMatches(*pattern, subject, instance.global);
    if (!found) {
        return std::nullopt;
    }
    std::u16string out;
    std::size_t copied = 0;
    for (const RegExpMatch& match : *found) {
        out += subject.substr(copied, match.whole.begin - copied);
        appendSubstitution(out, replacement, subject, match);
        copied = match.whole.end;
    }
    out += subject.substr(copied);
    return out;
}

std::u16string_view matchValue(const RegExpMatchCollection& matches, std::size_t item) {
    if (item >= matches.items.size()) {
        return {};
    }
    return spanText(matches.subject, matches.items[item].whole);
}

std::u16string_view subMatchValue(const RegExpMatchCollection& matches, std::size_t item,
                                  std::size_t group) {
    if (item >= matches.items.size()) {
        return {};
    }
    return groupText(matches.subject, matches.items[item], group + 1);
}

} // namespace tieba::platform
