#include "app/search_client.h"

#include "app/forum_address.h"
#include "app/gbk_qstring.h"
#include "app/main_window.h"
#include "app/request_outcome.h"
#include "app/result_list.h"
#include "app/result_page_cuts.h"
#include "app/search_state.h"
#include "app/status_strip.h"
#include "extract/extract_all_between.h"
#include "text/percent_encoding.h"
#include "web/access_web_page.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include <string>

namespace tieba {
namespace {

constexpr int kRowsPerPage = 9;

// A busy cursor while a request runs; nested requests stack and unstack their own.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

Text pageNumberText(PageSource pageSource, const MainWindow& window) {
    if (pageSource == PageSource::PageBox) {
        return toGbk(window.pageBox()->text());
    }
    return std::to_string(searchState().pageNumber);
}

// The status bar's part 0 tells a failed request apart from a page without results.
void showRequestOutcome(MainWindow& window, const Text& page) {
    const std::optional<Text> failure = requestFailureText(page);
    StatusStrip* status = window.statusStrip();
    if (failure) {
        status->setPartText(0, fromGbk(*failure));
    } else if (isRequestFailureText(toGbk(status->partText(0)))) {
        status->setPartText(0, QString());
    }
}

void listPage(MainWindow& window, PageSource pageSource) {
    runSearchRequest(window, pageSource);
    showRequestOutcome(window, searchState().pageText);
    fillResultList(window);
}

void clearListIfAsked(MainWindow& window) {
    if (window.clearBeforeSearch()->isChecked()) {
        window.resultList()->clear();
    }
}

} // namespace

void runSearchRequest(MainWindow& window, PageSource pageSource) {
    SearchState& state = searchState();
    const Text barName = percentEncode(toGbk(window.barNameBox()->text()));
    const Text target = percentEncode(toGbk(window.targetBox()->text()));
    const Text pageNumber = pageNumberText(pageSource, window);

    state.searchAddress = forumBaseAddress() + "/f/search/res?isnew=1&kw=" + barName +
                          "&qw=" + target + "&rn=10&un=&sm=1&sd=&ed=&pn=" + pageNumber;
    state.postBody = "ie=utf-8&word=" + percentEncodeUtf8(toGbk(window.barNameBox()->text()));

    const BusyCursor busy;
    const ByteSequence page = accessWebPage(state.searchAddress, 1, {}, {}, state.postBody);
    state.pageText = textOf(page);
}

void loadResults(MainWindow& window) {
    clearListIfAsked(window);
    searchState().pageNumber = 1;
    listPage(window, PageSource::PageBox);
}

void previousPage(MainWindow& window) {
    clearListIfAsked(window);
    --searchState().pageNumber;
    listPage(window, PageSource::PageNumber);
}

void nextPage(MainWindow& window) {
    clearListIfAsked(window);
    ++searchState().pageNumber;
    listPage(window, PageSource::PageNumber);
}

void fillResultList(MainWindow& window) {
    SearchState& state = searchState();
    extractAllBetween(state.pageText, resultPage::kLinkLeft, resultPage::kLinkRight, state.links);
    extractAllBetween(state.pageText, resultPage::kTitleLeft, resultPage::kTitleRight,
                      state.titles);

    ResultList* list = window.resultList();
    for (int position = 1; position <= kRowsPerPage; ++position) {
        state.listPosition = position;
        const auto index = static_cast<std::size_t>(position) - 1;
        if (state.titles.size() <= index || state.links.size() <= index) {
            break;
        }
        auto* row = new QTreeWidgetItem(list);
        state.currentRow = list->indexOfTopLevelItem(row);
        row->setText(0, fromGbk(state.titles[index]));
        row->setText(1, fromGbk(state.links[index]));
    }
}

void readSearchInfo(MainWindow& window) {
    runSearchRequest(window, PageSource::PageBox);
    const Text& page = searchState().pageText;
    const Text navigation = resultPage::navigationText(page);
    window.lastPageLabel()->setText(fromGbk(resultPage::lastPageNumber(page)));
    const std::optional<Text> failure = requestFailureText(page);
    window.statusStrip()->setPartText(0, fromGbk(failure.value_or(navigation)));
}

} // namespace tieba
