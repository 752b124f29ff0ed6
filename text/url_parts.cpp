#include "text/url_parts.h"

#include <cmath>
#include <initializer_list>
#include <limits>

namespace tieba {
namespace {

// Reads a leading decimal number: blanks, a sign, digits, a fraction; anything else reads as 0.
// The value is truncated toward zero and held within int.
int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    // A fraction never changes the truncated value, so it is only skipped.
    value = negative ? -value : value;
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    return static_cast<int>(std::trunc(std::fmax(kMin, std::fmin(kMax, value))));
}

} // namespace

Text urlHost(std::string_view address) {
    Text host = replaceText(replaceText(address, "https://", ""), "http://", "");
    const int slash = findText(host, "/");
    if (slash > 0) {
        host = leftPart(host, slash - 1);
    }
    host = lowerAscii(host);
    const int colon = findText(host, ":");
    if (colon > 0) {
        host = leftPart(host, colon - 1);
    }
    return host;
}

Text urlPath(std::string_view address) {
    // The host is sought past the scheme that urlHost removed: a host such as "p" or "t" also
    // stands inside "http://", and the path would then begin at the scheme's slashes.
    int hostFrom = 1;
    for (const std::string_view scheme :
         {std::string_view("https://"), std::string_view("http://")}) {
        if (address.starts_with(scheme)) {
            hostFrom = static_cast<int>(scheme.size()) + 1;
            break;
        }
    }
    const int hostAt = findText(address, urlHost(address), hostFrom, LetterCase::Ignored);
    const int slash = findText(address, "/", hostAt, LetterCase::Ignored);
    if (slash <= 0) {
        return "/";
    }
    return Text(address.substr(static_cast<std::size_t>(slash) - 1));
}

int urlPort(std::string_view address) {
    std::string_view hostPart = address;
    if (lowerAscii(leftPart(address, 7)) == "http://") {
        const int slash = findText(address, "/", 8);
        hostPart =
            slash < 0 ? address.substr(7) : address.substr(7, static_cast<std::size_t>(slash) - 8);
    } else {
        const int slash = findText(address, "/", 1);
        hostPart = slash < 0 ? address : address.substr(0, static_cast<std::size_t>(slash) - 1);
    }
    const int colon = findText(hostPart, ":", 1);
    if (colon < 0) {
        return 80;
    }
    return leadingNumber(hostPart.substr(static_cast<std::size_t>(colon)));
}

} // namespace tieba
