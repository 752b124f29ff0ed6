#pragma once

#include <string_view>
#include <vector>

// The delimiters that the result listing cuts a search result page with, and a few more that
// reach other parts of the page the fixture generator writes (make_result_pages.py).
namespace tieba {

inline constexpr std::string_view kPostAddressLeft =
    "class=\"p_title\">\n<a class=\"bluelink\" href=\"";
inline constexpr std::string_view kPostAddressRight = "\" class=\"bluelink\" target=\"_blank\" >";
inline constexpr std::string_view kPostTitleLeft = kPostAddressRight;
inline constexpr std::string_view kPostTitleRight = "</a>\n</span>\n<div class=\"p_content\">";

struct DelimiterPair {
    const char* name;
    std::string_view left;
    std::string_view right;
};

inline std::vector<DelimiterPair> resultPageDelimiters() {
    return {
        {"postAddress", kPostAddressLeft, kPostAddressRight},
        {"postTitle", kPostTitleLeft, kPostTitleRight},
        {"highlight", "<em>", "</em>"},
        {"author", "<font class=\"p_violet\">", "</font>"},
        // The page writes this tag in mixed cases of its full-width and Greek/Cyrillic letters.
        {"tag", "<span class=\"tag\">\xA3\xD4\xA3\xC1\xA3\xC7\xA6\xD2\xA7\xD5", // ＴＡＧσд
         "</span>"},
    };
}

} // namespace tieba
