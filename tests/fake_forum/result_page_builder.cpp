#include "tests/fake_forum/result_page_builder.h"

#include <string_view>

namespace tieba::fakeforum {
namespace {

// GBK texts of the page, escaped with the readable text beside them.
constexpr std::string_view kFirstPage = "\xCA\xD7\xD2\xB3";            // 首页
constexpr std::string_view kPreviousPage = "\xC9\xCF\xD2\xBB\xD2\xB3"; // 上一页
constexpr std::string_view kNextPage = "\xCF\xC2\xD2\xBB\xD2\xB3";     // 下一页
constexpr std::string_view kLastPage = "\xCE\xB2\xD2\xB3";             // 尾页
constexpr std::string_view kAbout =
    "\xB9\xB2\xD3\xD0\xCF\xE0\xB9\xD8\xBD\xE1\xB9\xFB\xD4\xBC"; // 共有相关结果约
constexpr std::string_view kPieces = "\xB8\xF6";                // 个
constexpr std::string_view kPost = "\xBA\xCD\xCC\xFB\xD7\xD3";  // 和帖子 (title filler)
constexpr std::string_view kNumberSign = "\xB5\xDA";            // 第
constexpr std::string_view kBar = "\xB0\xC9";                   // 吧

std::string pagerAddress(int page) {
    return "/f/search/res?isnew=1&kw=x&qw=y&rn=10&un=&sm=1&sd=&ed=&pn=" + std::to_string(page);
}

} // namespace

std::string resultLink(const ResultPageShape& shape, int index) {
    const int post = 7000000 + shape.pageNumber * 100 + index;
    return "/p/" + std::to_string(post) + "?pid=" + std::to_string(post * 10) + "&cid=0#" +
           std::to_string(post * 10);
}

std::string resultTitle(const ResultPageShape& shape, int index) {
    const std::string target =
        shape.markupInTitles ? "<em>" + shape.target + "</em>" : shape.target;
    return shape.barName + std::string(kBar) + ": " + target + std::string(kPost) + " " +
           std::string(kNumberSign) + std::to_string(shape.pageNumber) + "-" +
           std::to_string(index);
}

std::string navigationText(const ResultPageShape& shape) {
    return std::string(kAbout) + std::to_string(shape.lastPage * 10) + std::string(kPieces);
}

std::string buildResultPage(const ResultPageShape& shape) {
    const std::string nl = shape.crlfLines ? "\r\n" : "\n";
    std::string page = "<!DOCTYPE html>" + nl + "<html><head><meta charset=\"gbk\">" +
                       "<title>search</title></head>" + nl + "<body>" + nl;
    const std::string navigationClass =
        shape.capitalNavigationMarker ? "S_NAV_RIGHT HASPAGE" : "s_nav_right hasPage";
    page += "<div class=\"s_nav\"><span class=\"" + navigationClass + "\">" +
            navigationText(shape) + "</span></div>" + nl;
    page += "<div class=\"s_post_list\">" + nl;
    for (int index = 1; index <= shape.resultCount; ++index) {
        page += "<div class=\"s_post\"><span class=\"p_title\">" + nl +
                "<a class=\"bluelink\" href=\"" + resultLink(shape, index) +
                "\" class=\"bluelink\" target=\"_blank\" >" + resultTitle(shape, index) + "</a>" +
                nl + "</span>" + nl + "<div class=\"p_content\">...</div>" + nl + "</div>" + nl;
    }
    page += "</div>" + nl + "<div class=\"pager pager-search\">";
    // Every pager link carries "&sd=&ed=&pn=", as the forum's pages do.
    page +=
        "<a href=\"" + pagerAddress(1) + "\" class=\"first\">" + std::string(kFirstPage) + "</a>";
    page += "<a href=\"" + pagerAddress(shape.pageNumber - 1) + "\" class=\"pre\">" +
            std::string(kPreviousPage) + "</a>";
    for (int number = shape.pageNumber; number < shape.pageNumber + 3; ++number) {
        page += "<a href=\"" + pagerAddress(number) + "\">" + std::to_string(number) + "</a>";
    }
    page += "<a href=\"" + pagerAddress(shape.pageNumber + 1) + "\" class=\"next\">" +
            std::string(kNextPage) + "</a>";
    if (shape.lastPageLink) {
        page += "<a href=\"" + pagerAddress(shape.lastPage) + "\" class=\"last\">" +
                std::string(kLastPage) + "</a>";
    }
    page += "</div>" + nl + "</body></html>" + nl;
    return page;
}

} // namespace tieba::fakeforum
