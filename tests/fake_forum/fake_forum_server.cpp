#include "tests/fake_forum/fake_forum_server.h"

#include "tests/fake_forum/result_page_builder.h"
#include "tests/support/loopback_http_server.h"

#include <charconv>
#include <deque>
#include <mutex>

namespace tieba::fakeforum {

using testing::LoopbackHttpServer;
using testing::Reply;
using HttpRequest = testing::RecordedRequest;

struct FakeForumServer::Impl {
    mutable std::mutex mutex;
    int resultCount = 10;
    int lastPage = 76;
    PageVariant variant = PageVariant::Normal;
    std::deque<std::chrono::milliseconds> delays;
    std::vector<RecordedRequest> requests;
    std::unique_ptr<LoopbackHttpServer> server;

    Reply answer(const HttpRequest& request) {
        std::lock_guard lock(mutex);
        requests.push_back({request.method(), request.target(), request.body()});
        Reply reply = testing::textReply(page(request.target()), 200,
                                         "Content-Type: text/html; charset=GBK\r\n");
        if (!delays.empty()) {
            reply.delay = delays.front();
            delays.pop_front();
        }
        return reply;
    }

    std::string page(const std::string& target) const {
        if (target.rfind("/f/search/res", 0) != 0 || variant == PageVariant::EmptyPage) {
            return {};
        }
        ResultPageShape shape;
        shape.resultCount = resultCount;
        shape.lastPage = lastPage;
        const std::string pn = queryValue(target, "pn");
        int pageNumber = 1;
        std::from_chars(pn.data(), pn.data() + pn.size(), pageNumber);
        shape.pageNumber = pageNumber;
        shape.barName = percentDecode(queryValue(target, "kw"));
        shape.target = percentDecode(queryValue(target, "qw"));
        shape.crlfLines = variant == PageVariant::CrLfLines;
        shape.markupInTitles = variant == PageVariant::MarkupInTitles;
        shape.capitalNavigationMarker = variant == PageVariant::CapitalNavigation;
        shape.lastPageLink = variant != PageVariant::NoLastPageLink;
        return buildResultPage(shape);
    }
};

FakeForumServer::FakeForumServer() : impl_(std::make_unique<Impl>()) {
    impl_->server = std::make_unique<LoopbackHttpServer>(
        [impl = impl_.get()](const HttpRequest& request) { return impl->answer(request); });
}

// The server goes first: its threads call into the state.
FakeForumServer::~FakeForumServer() {
    impl_->server.reset();
}

int FakeForumServer::port() const {
    return impl_->server->port();
}

std::string FakeForumServer::baseAddress() const {
    return "http://127.0.0.1:" + std::to_string(port());
}

void FakeForumServer::setResultCount(int count) {
    std::lock_guard lock(impl_->mutex);
    impl_->resultCount = count;
}

void FakeForumServer::setLastPage(int lastPage) {
    std::lock_guard lock(impl_->mutex);
    impl_->lastPage = lastPage;
}

void FakeForumServer::setVariant(PageVariant variant) {
    std::lock_guard lock(impl_->mutex);
    impl_->variant = variant;
}

void FakeForumServer::delayNextAnswers(std::vector<std::chrono::milliseconds> delays) {
    std::lock_guard lock(impl_->mutex);
    impl_->delays.assign(delays.begin(), delays.end());
}

std::vector<RecordedRequest> FakeForumServer::requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

std::string percentDecode(const std::string& value) {
    std::string decoded;
    for (std::size_t i = 0; i < value.size(); ++i) {
        unsigned byte = 0;
        if (value[i] == '%' && i + 2 < value.size() &&
            std::from_chars(value.data() + i + 1, value.data() + i + 3, byte, 16).ptr ==
                value.data() + i + 3) {
            decoded += static_cast<char>(byte);
            i += 2;
        } else {
            decoded += value[i];
        }
    }
    return decoded;
}

std::string queryValue(const std::string& target, const std::string& key) {
    const std::size_t query = target.find('?');
    if (query == std::string::npos) {
        return {};
    }
    std::size_t at = query + 1;
    while (at <= target.size()) {
        const std::size_t end = std::min(target.find('&', at), target.size());
        const std::string pair = target.substr(at, end - at);
        if (pair.rfind(key + "=", 0) == 0) {
            return pair.substr(key.size() + 1);
        }
        at = end + 1;
    }
    return {};
}

} // namespace tieba::fakeforum
