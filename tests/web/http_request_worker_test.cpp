#include "platform/curl_cookie_store.h"
#include "tests/support/case_name.h"
#include "tests/support/loopback_http_server.h"
#include "web/http_request_plan.h"
#include "web/http_request_worker.h"

#include <gtest/gtest.h>

#include <string>

namespace tieba {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackHttpServer;
using testing::RecordedRequest;
using namespace record_slot;

WebAccessRecord recordOf(std::string address, std::string method = "GET", std::string body = "",
                         std::string extraHeaders = "", std::string cookies = "",
                         bool follow = true) {
    WebAccessRecord record;
    record.slots = {std::move(address),
                    std::move(method),
                    "",
                    std::move(extraHeaders),
                    std::move(body),
                    std::move(cookies),
                    std::string(follow ? kTrueText : kFalseText)};
    return record;
}

// The process-wide cookie store must not carry cookies from one test into the next.
class RequestWorker : public ::testing::Test {
protected:
    void SetUp() override { platform::clearStoredCookies(); }
    void TearDown() override { platform::clearStoredCookies(); }
};

TEST_F(RequestWorker, SendsTheSystemsOwnPostByteForByte) {
    LoopbackHttpServer server([](const RecordedRequest&) {
        return testing::textReply("<html>page</html>", 200, "Set-Cookie: BAIDUID=7; path=/\r\n");
    });
    const std::string address = server.url("/f/search/res?isnew=1&kw=%D6%D0&pn=1");
    const std::string body = "ie=utf-8&word=%E4%B8%AD";
    WebAccessRecord record = recordOf(address, "POST", body);
    httpRequestWorker(record);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw,
              "POST /f/search/res?isnew=1&kw=%D6%D0&pn=1 HTTP/1.1\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.port()) +
                  "\r\n"
                  "User-Agent: " +
                  std::string(kDefaultAgent) + "\r\n" + std::string(kAcceptLine) +
                  "Referer: " + address + "\r\n" + std::string(kAcceptLanguageLine) +
                  std::string(kContentTypeLine) + "Content-Length: 23\r\n\r\n" + body);

    EXPECT_EQ(record.slots[kAddressThenPage], "<html>page</html>");
    EXPECT_EQ(record.slots[kMethodThenCookies], "BAIDUID=7;");
    EXPECT_TRUE(record.slots[kCookiesThenHeaders].starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_NE(record.slots[kCookiesThenHeaders].find("Set-Cookie: BAIDUID=7; path=/\r\n"),
              std::string::npos);
    EXPECT_TRUE(record.slots[kCookiesThenHeaders].ends_with("\r\n\r\n"));
    EXPECT_EQ(record.slots[kBody], body);
    EXPECT_EQ(record.slots[kFollowRedirects], kTrueText);
}

TEST_F(RequestWorker, GetSendsNoBodyAndPostWithoutBodyNoContentLines) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::textReply("ok"); });
    WebAccessRecord get = recordOf(server.url("/g"), "GET", "ignored");
    httpRequestWorker(get);
    WebAccessRecord post = recordOf(server.url("/p"), "POST", "");
    httpRequestWorker(post);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method(), "GET");
    EXPECT_EQ(requests[0].body(), "");
    EXPECT_FALSE(requests[0].header("Content-Length").has_value());
    EXPECT_EQ(requests[1].method(), "POST");
    EXPECT_FALSE(requests[1].header("Content-Length").has_value());
    EXPECT_FALSE(requests[1].header("Content-Type").has_value());
}

TEST_F(RequestWorker, CallersHeaderLinesShapeTheBlock) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::textReply("ok"); });
    WebAccessRecord record = recordOf(server.url("/x"), "GET", "",
                                      "User-Agent: Mine\r\nAccept-Language: en\r\nRefererNo");
    httpRequestWorker(record);
    ASSERT_EQ(server.requests().size(), 1u);
    const RecordedRequest request = server.requests()[0];
    EXPECT_EQ(request.headerLines(),
              (std::vector<std::string>{"Host: 127.0.0.1:" + std::to_string(server.port()),
                                        "User-Agent: Mine", "Accept-Language: en"}));
}

// The cookie text is the caller's: stored cookies stay home, and what the response sets is
// still stored for later requests.
TEST_F(RequestWorker, CallersCookiesReplaceStoredOnesAndResponseCookiesAreKept) {
    LoopbackHttpServer server([](const RecordedRequest& request) {
        return request.target() == "/login"
                   ? testing::textReply("", 200, "Set-Cookie: sid=9; path=/\r\n")
                   : testing::textReply("");
    });
    platform::storeCookie("http://127.0.0.1", "old", "1");
    WebAccessRecord login = recordOf(server.url("/login"), "GET", "", "", "mine=1");
    httpRequestWorker(login);
    EXPECT_EQ(login.slots[kMethodThenCookies], "sid=9;");
    WebAccessRecord later = recordOf(server.url("/later"));
    httpRequestWorker(later);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].header("Cookie"), "mine=1");
    const std::string sentLater = requests[1].header("Cookie").value_or("");
    EXPECT_NE(sentLater.find("sid=9"), std::string::npos) << sentLater;
    EXPECT_NE(sentLater.find("old=1"), std::string::npos) << sentLater;
}

TEST_F(RequestWorker, ResponseCookiesAreCollectedStoredAndSentAgain) {
    LoopbackHttpServer server([](const RecordedRequest& request) {
        return request.target() == "/set"
                   ? testing::textReply("", 200,
                                        "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n")
                   : testing::textReply("");
    });
    WebAccessRecord set = recordOf(server.url("/set"));
    httpRequestWorker(set);
    EXPECT_EQ(set.slots[kMethodThenCookies], "a=1;b=2;");
    WebAccessRecord next = recordOf(server.url("/next"));
    httpRequestWorker(next);
    ASSERT_EQ(server.requests().size(), 2u);
    const std::string sent = server.requests()[1].header("Cookie").value_or("");
    EXPECT_TRUE(sent == "a=1; b=2" || sent == "b=2; a=1") << sent;
}

// Headers past 2,047 bytes used to be replaced by spaces, losing every cookie with them.
TEST_F(RequestWorker, LongResponseHeadersAreKeptWholeWithTheirCookies) {
    const std::string longLine = "X-Long: " + std::string(5000, 'l') + "\r\n";
    LoopbackHttpServer server([&](const RecordedRequest&) {
        return testing::textReply("ok", 200, longLine + "Set-Cookie: late=1; path=/\r\n");
    });
    WebAccessRecord record = recordOf(server.url("/"));
    httpRequestWorker(record);
    EXPECT_NE(record.slots[kCookiesThenHeaders].find(longLine), std::string::npos);
    EXPECT_GT(record.slots[kCookiesThenHeaders].size(), 5000u);
    EXPECT_EQ(record.slots[kMethodThenCookies], "late=1;");
}

struct RedirectCase {
    std::string name;
    bool follow;
    std::string method;
    std::string page;
    std::size_t requests;
};

class WorkerRedirect : public RequestWorker, public ::testing::WithParamInterface<RedirectCase> {};

TEST_P(WorkerRedirect, FollowsOnlyWhenTheRecordSaysSo) {
    const RedirectCase& c = GetParam();
    LoopbackHttpServer server([](const RecordedRequest& request) {
        return request.target() == "/from" ? testing::redirectReply(302, "/to")
                                           : testing::textReply("arrived");
    });
    WebAccessRecord record = recordOf(server.url("/from"), c.method, "a=1", "", "", c.follow);
    httpRequestWorker(record);
    EXPECT_EQ(record.slots[kAddressThenPage], c.page);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), c.requests);
    if (c.requests == 2) {
        EXPECT_EQ(requests[1].requestLine(), "GET /to HTTP/1.1");
        EXPECT_FALSE(requests[1].header("Content-Length").has_value());
        EXPECT_FALSE(requests[1].header("Content-Type").has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WorkerRedirect,
                         ::testing::Values(RedirectCase{"followedGet", true, "GET", "arrived", 2},
                                           RedirectCase{"postThenGet", true, "POST", "arrived", 2},
                                           RedirectCase{"kept", false, "GET", "moved", 1}),
                         testing::CaseName());

// ---- Failures ----

TEST_F(RequestWorker, AnUnansweredRequestGivesAnEmptyPageAndBlankHeaders) {
    int closedPort = 0;
    {
        LoopbackHttpServer gone([](const RecordedRequest&) { return testing::textReply(""); });
        closedPort = gone.port();
    }
    for (const std::string& address : {"http://127.0.0.1:" + std::to_string(closedPort) + "/",
                                       std::string("http://nonexistent.invalid/")}) {
        WebAccessRecord record = recordOf(address, "GET", "", "", "c=1");
        httpRequestWorker(record);
        EXPECT_EQ(record.slots[kAddressThenPage], "") << address;
        EXPECT_EQ(record.slots[kMethodThenCookies], "") << address;
        EXPECT_EQ(record.slots[kCookiesThenHeaders], std::string(2048, ' ')) << address;
        EXPECT_EQ(record.slots[kFollowRedirects], kTrueText) << address;
    }
}

TEST_F(RequestWorker, NoConnectionEmptiesPageAndRedirectSlotsOnly) {
    WebAccessRecord record = recordOf("http://127.0.0.1:70000/", "POST", "b", "X: 1\r\n", "c=1");
    const WebAccessRecord before = record;
    httpRequestWorker(record);
    EXPECT_EQ(record.slots[kAddressThenPage], "");
    EXPECT_EQ(record.slots[kFollowRedirects], "");
    for (std::size_t slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(record.slots[slot], before.slots[slot]) << slot;
    }
}

TEST_F(RequestWorker, APageStopsAt64MiB) {
    const std::string page(kMaxPageBytes + 1000, 'p');
    LoopbackHttpServer server([&](const RecordedRequest&) { return testing::textReply(page); });
    WebAccessRecord record = recordOf(server.url("/huge"));
    httpRequestWorker(record);
    EXPECT_EQ(record.slots[kAddressThenPage].size(), kMaxPageBytes);
    EXPECT_TRUE(record.slots[kCookiesThenHeaders].starts_with("HTTP/1.1 200 OK"));
}

} // namespace
} // namespace tieba
