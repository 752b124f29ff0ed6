#include "web/response_cookies.h"

#include "text/delimited_text.h"

namespace tieba {
namespace {

constexpr std::string_view kSetCookie = "Set-Cookie: ";

bool holdsSetCookie(std::string_view text) {
    return findText(text, kSetCookie, {}, LetterCase::Ignored) > 0;
}

} // namespace

ResponseCookies responseCookiesOf(std::string_view headerText) {
    ResponseCookies result;
    if (!holdsSetCookie(headerText)) {
        return result;
    }
    while (!headerText.empty()) {
        const std::size_t end = headerText.find('\n');
        std::string_view line = headerText.substr(0, end);
        headerText.remove_prefix(end == std::string_view::npos ? headerText.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!holdsSetCookie(line)) {
            continue;
        }
        line.remove_prefix(kSetCookie.size());
        const bool hasAttributes = findText(line, ";") > 0;
        result.collected.append(hasAttributes ? textBefore(line, ";") : Text(line)).append(";");
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            result.cookies.push_back({Text(), Text(line)});
        } else {
            result.cookies.push_back({Text(line.substr(0, equals)), Text(line.substr(equals + 1))});
        }
    }
    return result;
}

} // namespace tieba
