#include "skin/library/skin_document.h"

#include <algorithm>

namespace tieba::skinlib {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Cuts the next line off `rest`: "a\nb" => "a", rest "b". The last line needs no line feed.
std::string_view takeLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return line;
}

} // namespace

std::optional<SkinDocument> readSkinDocument(std::span<const unsigned char> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    std::string_view rest(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::size_t>(end - bytes.begin()));

    if (trimmed(takeLine(rest)) != kSkinMagicLine) {
        return std::nullopt;
    }
    SkinDocument document;
    while (!rest.empty()) {
        const std::string_view line = trimmed(takeLine(rest));
        if (line.empty()) {
            break;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view key = trimmed(line.substr(0, colon));
        if (key.empty()) {
            return std::nullopt;
        }
        document.settings.push_back(
            {std::string(key), std::string(trimmed(line.substr(colon + 1)))});
    }
    document.styleSheet = std::string(rest);
    return document;
}

std::optional<std::string> settingOf(const SkinDocument& document, std::string_view key) {
    const auto found = std::find_if(document.settings.rbegin(), document.settings.rend(),
                                    [key](const SkinSetting& s) { return s.key == key; });
    if (found == document.settings.rend()) {
        return std::nullopt;
    }
    return found->value;
}

} // namespace tieba::skinlib
