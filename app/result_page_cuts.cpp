#include "app/result_page_cuts.h"

#include "text/delimited_text.h"

namespace tieba::resultPage {

Text navigationText(std::string_view page) {
    return textBetween(page, kNavigationLeft, kNavigationRight);
}

Text lastPageNumber(std::string_view page) {
    const int markerAt = findText(page, kLastPageRight, 1, LetterCase::Ignored);
    if (markerAt < 0) {
        return {};
    }
    const std::string_view beforeMarker = page.substr(0, static_cast<std::size_t>(markerAt) - 1);
    int lastLeft = -1;
    for (int at = findText(beforeMarker, kLastPageLeft, 1, LetterCase::Ignored); at > 0;
         at = findText(beforeMarker, kLastPageLeft, at + 1, LetterCase::Ignored)) {
        lastLeft = at;
    }
    if (lastLeft < 0) {
        return {};
    }
    return textBetween(page, kLastPageLeft, kLastPageRight, lastLeft);
}

} // namespace tieba::resultPage
