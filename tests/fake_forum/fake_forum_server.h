#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// A fake of the forum's post search on 127.0.0.1: answers POST /f/search/res with a GBK result
// page for the requested "pn" and records every request. The GUI tests and the demo use it.
namespace tieba::fakeforum {

enum class PageVariant {
    Normal,
    CrLfLines,         // lines end in CR LF: nothing can be cut
    MarkupInTitles,    // <em> tags inside titles
    CapitalNavigation, // the navigation marker's letters in capitals
    NoLastPageLink,    // the pager lacks the link to the last page
    EmptyPage,         // 200 with an empty body
};

struct RecordedRequest {
    std::string method;
    std::string target; // path and query, as sent
    std::string body;
};

class FakeForumServer {
public:
    // Listens on 127.0.0.1 at a port the system picks.
    FakeForumServer();
    ~FakeForumServer();
    FakeForumServer(const FakeForumServer&) = delete;
    FakeForumServer& operator=(const FakeForumServer&) = delete;

    int port() const;
    std::string baseAddress() const; // "http://127.0.0.1:PORT"

    void setResultCount(int count); // results on every page (default 10)
    void setLastPage(int lastPage); // "pn" of the last-page link (default 76)
    void setVariant(PageVariant variant);
    // The next requests wait this long each before they are answered, in order.
    void delayNextAnswers(std::vector<std::chrono::milliseconds> delays);

    std::vector<RecordedRequest> requests() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Percent-decoding of a query value: "%D6%D0" => "\xD6\xD0".
std::string percentDecode(const std::string& value);

// The value of `key` in a query string ("a=1&pn=2", "pn" => "2"); empty when missing.
std::string queryValue(const std::string& target, const std::string& key);

} // namespace tieba::fakeforum
