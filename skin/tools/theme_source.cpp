#include "skin/tools/theme_source.h"

#include "skin/library/skin_document.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace tieba::skinpack {
namespace {

using Values = std::map<std::string, std::string, std::less<>>;

std::string textOfFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error(file.string() + ": cannot read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// "/* why */ a { }" => " a { }"
std::string withoutComments(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find("/*", at);
        out += text.substr(at, open - at);
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t close = text.find("*/", open + 2);
        at = close == std::string_view::npos ? text.size() : close + 2;
    }
    return out;
}

// Drops comment lines ("# ...") and lines left blank.
std::string withoutBlankLines(std::string_view text, bool hashComments) {
    std::string out;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        const std::string_view kept = trimmed(line);
        if (!kept.empty() && !(hashComments && kept.front() == '#')) {
            out.append(line).push_back('\n');
        }
    }
    return out;
}

// "a: ${x};" with x = "#fff" => "a: #fff;"
std::string expanded(std::string_view text, const Values& values, const std::string& where) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find("${", at);
        out += text.substr(at, open - at);
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) {
            throw std::runtime_error(where + ": \"${\" without \"}\"");
        }
        const std::string_view name = text.substr(open + 2, close - open - 2);
        const auto value = values.find(name);
        if (value == values.end()) {
            throw std::runtime_error(where + ": uses ${" + std::string(name) +
                                     "}, which the theme does not set");
        }
        out += value->second;
        at = close + 1;
    }
    return out;
}

struct Theme {
    Values values;
    std::string ownRules;
};

Theme themeOf(const std::string& text, const std::string& where) {
    Theme theme;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::string_view kept = trimmed(line);
        if (kept == "---") {
            std::ostringstream rest;
            rest << lines.rdbuf();
            theme.ownRules = rest.str();
            break;
        }
        if (kept.empty() || kept.front() == '#') {
            continue;
        }
        const std::size_t colon = kept.find(':');
        if (colon == std::string_view::npos || trimmed(kept.substr(0, colon)).empty()) {
            throw std::runtime_error(where + ": \"" + std::string(kept) +
                                     "\" is no \"name: value\" line");
        }
        theme.values[std::string(trimmed(kept.substr(0, colon)))] =
            std::string(trimmed(kept.substr(colon + 1)));
    }
    for (const char* required : {"name", "family"}) {
        if (!theme.values.contains(required)) {
            throw std::runtime_error(where + ": sets no " + required);
        }
    }
    return theme;
}

} // namespace

std::string skinDocumentOfTheme(const std::filesystem::path& themeFile) {
    const std::filesystem::path themes = themeFile.parent_path();
    const Theme theme = themeOf(textOfFile(themeFile), themeFile.string());

    const std::filesystem::path header = themes / "header.in";
    const std::filesystem::path family = themes / "families" / (theme.values.at("family") + ".qss");

    std::string document(skinlib::kSkinMagicLine);
    document += "\nname: " + theme.values.at("name") + "\n";
    document += expanded(withoutBlankLines(textOfFile(header), true), theme.values,
                         header.string() + " for " + themeFile.filename().string());
    document += "\n";
    document += expanded(withoutBlankLines(withoutComments(textOfFile(family)), false),
                         theme.values, family.string() + " for " + themeFile.filename().string());
    document += expanded(withoutBlankLines(withoutComments(theme.ownRules), false), theme.values,
                         themeFile.string());
    return document;
}

} // namespace tieba::skinpack
