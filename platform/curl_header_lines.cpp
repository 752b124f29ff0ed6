#include "platform/curl_header_lines.h"

#include <algorithm>
#include <cctype>

namespace tieba::platform {
namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view nameOf(std::string_view line) {
    return trimmed(line.substr(0, line.find(':')));
}

} // namespace

std::vector<std::string> headerLinesOf(std::string_view block) {
    std::vector<std::string> lines;
    while (!block.empty()) {
        const std::size_t end = block.find('\n');
        std::string_view line = block.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            lines.emplace_back(line);
        }
        if (end == std::string_view::npos) {
            break;
        }
        block.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string> withoutHeaders(const std::vector<std::string>& lines,
                                        std::initializer_list<std::string_view> names) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const bool named = line.find(':') != std::string::npos &&
                           std::any_of(names.begin(), names.end(), [&](std::string_view name) {
                               return sameLetters(nameOf(line), name);
                           });
        if (!named) {
            kept.push_back(line);
        }
    }
    return kept;
}

int statusCodeOf(std::string_view rawHeaders) {
    const std::string_view line = rawHeaders.substr(0, rawHeaders.find_first_of("\r\n"));
    if (!line.starts_with("HTTP/")) {
        return 0;
    }
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4) {
        return 0;
    }
    int code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(line[i]))) {
            return 0;
        }
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

std::optional<std::string> headerValueOf(std::string_view rawHeaders, std::string_view name) {
    const std::vector<std::string> lines = headerLinesOf(rawHeaders);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t colon = lines[i].find(':');
        if (colon != std::string::npos && sameLetters(nameOf(lines[i]), name)) {
            return std::string(trimmed(std::string_view(lines[i]).substr(colon + 1)));
        }
    }
    return std::nullopt;
}

} // namespace tieba::platform
