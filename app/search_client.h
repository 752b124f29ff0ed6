#pragma once

// The handlers of the four buttons: each sends the forum's post search and shows what it got.
namespace tieba {

class MainWindow;

// Where the "pn" value of a request comes from.
enum class PageSource { PageBox, PageNumber };

// Sends the post search for the bar name and target in the window and keeps what was sent and
// what came back in the search state. Window events run while it encodes and waits, so another
// handler can run to its end inside it.
void runSearchRequest(MainWindow& window, PageSource pageSource);

void loadResults(MainWindow& window);    // "载入": the page in the page box; pageNumber becomes 1
void previousPage(MainWindow& window);   // "上一页": pageNumber - 1
void nextPage(MainWindow& window);       // "下一页": pageNumber + 1
void readSearchInfo(MainWindow& window); // "读取信息": navigation text and last page number

// Cuts links and titles out of the last page and adds up to nine rows.
void fillResultList(MainWindow& window);

} // namespace tieba
