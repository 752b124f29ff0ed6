#pragma once

#include <string>

// GBK result pages in the markup of the forum's post search, for the fake forum server that the
// GUI tests and the demo use.
namespace tieba::fakeforum {

struct ResultPageShape {
    int resultCount = 10;         // results on the page
    int pageNumber = 1;           // the "pn" this page answers
    int lastPage = 76;            // the "pn" of the last-page link
    std::string barName = "test"; // GBK, shown in titles
    std::string target = "A1";    // GBK, shown in titles
    bool crlfLines = false;       // lines end in CR LF instead of LF
    bool markupInTitles = false;  // titles hold <em> tags around the target
    bool capitalNavigationMarker = false;
    bool lastPageLink = true; // the pager ends with the link to the last page
};

// The page's post address and title of result `index` (from 1), as the page writes them.
std::string resultLink(const ResultPageShape& shape, int index);
std::string resultTitle(const ResultPageShape& shape, int index);

// The navigation block's text, as the page writes it.
std::string navigationText(const ResultPageShape& shape);

// A whole result page, GBK with LF (or CR LF) lines.
std::string buildResultPage(const ResultPageShape& shape);

} // namespace tieba::fakeforum
