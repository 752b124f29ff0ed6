#pragma once

#include "text/gbk_text.h"

#include <string_view>

// Where the forum's result page keeps what the program shows. The page is GBK with LF lines.
namespace tieba::resultPage {

// <span class="p_title">LF<a class="bluelink" href="ADDRESS" class="bluelink" target="_blank" >
// TITLE</a>LF</span>LF<div class="p_content">
inline constexpr std::string_view kLinkLeft = "class=\"p_title\">\n<a class=\"bluelink\" href=\"";
inline constexpr std::string_view kLinkRight = "\" class=\"bluelink\" target=\"_blank\" >";
inline constexpr std::string_view kTitleLeft = kLinkRight;
inline constexpr std::string_view kTitleRight = "</a>\n</span>\n<div class=\"p_content\">";

// <span class="s_nav_right hasPage">NAVIGATION</span>
inline constexpr std::string_view kNavigationLeft = "class=\"s_nav_right hasPage\">";
inline constexpr std::string_view kNavigationRight = "</span>";

// <a href="...&sd=&ed=&pn=LAST" class="last">尾页</a>
inline constexpr std::string_view kLastPageLeft = "&sd=&ed=&pn=";
inline constexpr std::string_view kLastPageRight = "\" class=\"last\">\xCE\xB2\xD2\xB3"; // 尾页

// The navigation block's text, as cut; empty when the page has none.
Text navigationText(std::string_view page);

// The "pn" value of the link to the last result page. Every pager link carries "&sd=&ed=&pn=",
// so the cut starts at the last of them before the last-page marker, not at the first of the page.
//   "...&sd=&ed=&pn=2\">2</a><a href=\"...&sd=&ed=&pn=76\" class=\"last\">尾页" => "76"
Text lastPageNumber(std::string_view page);

} // namespace tieba::resultPage
