#include "platform/curl_cookie_store.h"
#include "platform/curl_http_client.h"
#include "tests/support/case_name.h"
#include "tests/support/loopback_http_server.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tieba::platform {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackHttpServer;
using testing::RecordedRequest;
using testing::Reply;

namespace flag = request_flags;

constexpr std::uint32_t kPlainFlags =
    flag::kReload | flag::kNeedFile | flag::kIgnoreRedirectToHttps;

struct Fetched {
    bool sent = false;
    std::string body;
    std::optional<std::string> headers;
};

struct FetchArgs {
    std::string method = "GET";
    std::string path = "/";
    std::uint32_t flags = kPlainFlags;
    std::string block;
    std::string body;
    std::string host = "127.0.0.1";
    SessionSettings session = {"agent/1.0", "", nullptr, std::numeric_limits<std::size_t>::max()};
};

Fetched fetch(int port, FetchArgs args) {
    const InternetSession session(args.session);
    const HttpConnection connection(session, args.host, port);
    HttpRequest request(connection, args.method, args.path, args.flags);
    Fetched result;
    result.sent = request.send(args.block, args.body);
    std::array<char, 2048> chunk;
    while (const std::size_t n = request.read(chunk.data(), chunk.size())) {
        result.body.append(chunk.data(), n);
    }
    result.headers = request.rawResponseHeaders();
    return result;
}

std::vector<std::string> lines(std::initializer_list<std::string> list) {
    return list;
}

// The cookie store lives as long as the process: every test starts from an empty one.
class HttpClient : public ::testing::Test {
protected:
    void SetUp() override { clearStoredCookies(); }
    void TearDown() override { clearStoredCookies(); }
};

// ---- What goes on the wire ----

struct WireCase {
    std::string name;
    std::string method;
    std::string block;
    std::string body;
    std::vector<std::string> expectedAfterUserAgent;
};

class WireLines : public HttpClient, public ::testing::WithParamInterface<WireCase> {};

TEST_P(WireLines, CarryOnlyTheCallersLinesAfterHostAndAgent) {
    const WireCase& c = GetParam();
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::textReply("ok"); });
    FetchArgs args;
    args.method = c.method;
    args.path = "/p?q=1";
    args.block = c.block;
    args.body = c.body;
    const Fetched fetched = fetch(server.port(), args);

    ASSERT_TRUE(fetched.sent);
    EXPECT_EQ(fetched.body, "ok");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine(), c.method + " /p?q=1 HTTP/1.1");
    std::vector<std::string> expected = {"Host: 127.0.0.1:" + std::to_string(server.port()),
                                         "User-Agent: agent/1.0"};
    expected.insert(expected.end(), c.expectedAfterUserAgent.begin(),
                    c.expectedAfterUserAgent.end());
    if (c.block.find("User-Agent:") != std::string::npos) {
        expected.erase(expected.begin() + 1); // the caller's line stands in for the agent's
    }
    EXPECT_EQ(requests[0].headerLines(), expected);
    EXPECT_EQ(requests[0].body(), c.body);
}

// Over 1 MiB, where libcurl would add "Expect: 100-continue" and wait for the server.
const std::string kLongBody((1 << 20) + 1, 'b');

INSTANTIATE_TEST_SUITE_P(
    Table, WireLines,
    ::testing::Values(
        WireCase{"getWithLines", "GET", "A: 1\r\nB: 2\r\n", "", lines({"A: 1", "B: 2"})},
        WireCase{"getWithoutLines", "GET", "", "", {}},
        WireCase{"postWithOwnLengthAndType", "POST",
                 "Content-Type: text/plain\r\nContent-Length: 1048577\r\nCookie: c=1\r\n\r\n",
                 kLongBody,
                 lines({"Content-Type: text/plain", "Content-Length: 1048577", "Cookie: c=1"})},
        WireCase{"postWithoutBody", "POST", "X: 1\r\n", "", lines({"X: 1"})},
        // A body must be framed: without a length line libcurl's comes last.
        WireCase{"postWithoutLengthLine", "POST", "X: 1\r\n", "abc",
                 lines({"X: 1", "Content-Length: 3"})},
        WireCase{"emptyLinesDropped", "GET", "A: 1\r\n\r\n\r\nB: 2", "", lines({"A: 1", "B: 2"})},
        WireCase{"callersAgent", "GET", "User-Agent: mine\r\nA: 1\r\n", "",
                 lines({"User-Agent: mine", "A: 1"})},
        WireCase{"bodyWithZeroBytes", "POST", "Content-Length: 3\r\n", std::string("a\0b", 3),
                 lines({"Content-Length: 3"})}),
    testing::CaseName());

// ---- Redirects ----

struct RedirectCase {
    std::string name;
    int status;
    bool becomesGet;
};

class PostRedirect : public HttpClient, public ::testing::WithParamInterface<RedirectCase> {};

// A Content-Length line that survived into the GET would make the server wait for a body that
// never comes.
TEST_P(PostRedirect, SendsTheNextRequestAsABrowserWould) {
    const RedirectCase& c = GetParam();
    LoopbackHttpServer server([&](const RecordedRequest& request) {
        return request.target() == "/form" ? testing::redirectReply(c.status, "/done")
                                           : testing::textReply("done");
    });
    FetchArgs args;
    args.method = "POST";
    args.path = "/form";
    args.block = "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n"
                 "X-Keep: 1\r\n";
    args.body = "a=1";
    const Fetched fetched = fetch(server.port(), args);

    EXPECT_EQ(fetched.body, "done");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    const RecordedRequest& next = requests[1];
    EXPECT_EQ(next.target(), "/done");
    EXPECT_TRUE(next.header("X-Keep").has_value());
    if (c.becomesGet) {
        EXPECT_EQ(next.method(), "GET");
        EXPECT_FALSE(next.header("Content-Length").has_value());
        EXPECT_FALSE(next.header("Content-Type").has_value());
        EXPECT_EQ(next.body(), "");
    } else {
        EXPECT_EQ(next.method(), "POST");
        EXPECT_EQ(next.header("Content-Length"), "3");
        EXPECT_EQ(next.body(), "a=1");
    }
    ASSERT_TRUE(fetched.headers.has_value());
    EXPECT_TRUE(fetched.headers->starts_with("HTTP/1.1 200 OK\r\n")) << *fetched.headers;
}

INSTANTIATE_TEST_SUITE_P(Table, PostRedirect,
                         ::testing::Values(RedirectCase{"movedPermanently", 301, true},
                                           RedirectCase{"found", 302, true},
                                           RedirectCase{"seeOther", 303, true},
                                           RedirectCase{"temporaryRedirect", 307, false},
                                           RedirectCase{"permanentRedirect", 308, false}),
                         testing::CaseName());

TEST_F(HttpClient, NoAutoRedirectKeepsTheFirstResponse) {
    LoopbackHttpServer server(
        [](const RecordedRequest&) { return testing::redirectReply(302, "/elsewhere"); });
    FetchArgs args;
    args.flags |= flag::kNoAutoRedirect;
    const Fetched fetched = fetch(server.port(), args);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(fetched.body, "moved");
    ASSERT_TRUE(fetched.headers.has_value());
    EXPECT_TRUE(fetched.headers->starts_with("HTTP/1.1 302 Found\r\n"));
}

TEST_F(HttpClient, RedirectToAnotherOriginDropsTheCallersCookieLine) {
    LoopbackHttpServer other([](const RecordedRequest&) { return testing::textReply("there"); });
    LoopbackHttpServer server([&](const RecordedRequest& request) {
        if (request.target() == "/same") {
            return testing::redirectReply(302, "/here");
        }
        if (request.target() == "/away") {
            return testing::redirectReply(302, other.url("/there"));
        }
        return testing::textReply("here");
    });
    FetchArgs args;
    args.block = "Cookie: secret=1\r\nX-Keep: 1\r\n";
    args.path = "/same";
    EXPECT_EQ(fetch(server.port(), args).body, "here");
    args.path = "/away";
    EXPECT_EQ(fetch(server.port(), args).body, "there");

    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_EQ(server.requests()[1].header("Cookie"), "secret=1");
    ASSERT_EQ(other.requests().size(), 1u);
    EXPECT_FALSE(other.requests()[0].header("Cookie").has_value());
    EXPECT_EQ(other.requests()[0].header("X-Keep"), "1");
}

// Following to https means a TLS handshake with this plain server, which fails; not following
// leaves the redirect as the answer.
TEST_F(HttpClient, RedirectToHttpsIsFollowedOnlyWhenTheFlagAllowsIt) {
    LoopbackHttpServer server(
        [&](const RecordedRequest&) {
            return testing::redirectReply(
                302, "https://127.0.0.1:" + std::to_string(server.port()) + "/secure");
        },
        500ms);
    FetchArgs args;
    args.flags = flag::kReload | flag::kNeedFile;
    const Fetched kept = fetch(server.port(), args);
    EXPECT_EQ(kept.body, "moved");

    args.flags |= flag::kIgnoreRedirectToHttps;
    const Fetched followed = fetch(server.port(), args);
    EXPECT_EQ(followed.body, "");
    EXPECT_FALSE(followed.headers.has_value());
}

TEST_F(HttpClient, ResponseHeadersAreTheFinalBlockWithCrLfLineEnds) {
    LoopbackHttpServer server([](const RecordedRequest& request) {
        if (request.target() == "/start") {
            return testing::redirectReply(302, "/end", "Set-Cookie: hop=1\r\n");
        }
        return testing::rawReply("HTTP/1.1 100 Continue\r\n\r\n"
                                 "HTTP/1.1 200 OK\nX-Lf: only\nContent-Length: 2\n\nhi");
    });
    FetchArgs args;
    args.path = "/start";
    const Fetched fetched = fetch(server.port(), args);
    EXPECT_EQ(fetched.body, "hi");
    EXPECT_EQ(fetched.headers, "HTTP/1.1 200 OK\r\nX-Lf: only\r\nContent-Length: 2\r\n\r\n");
}

// ---- Bodies ----

TEST_F(HttpClient, BodiesArriveWholeInAnyFraming) {
    const std::string big(300000, 'x');
    LoopbackHttpServer server([&](const RecordedRequest& request) {
        if (request.target() == "/chunked") {
            return testing::chunkedReply({"ab", "cd"}, 20ms);
        }
        if (request.target() == "/close") {
            return testing::rawReply("HTTP/1.1 200 OK\r\n\r\nuntil close");
        }
        return testing::textReply(big);
    });
    FetchArgs args;
    args.path = "/chunked";
    EXPECT_EQ(fetch(server.port(), args).body, "abcd");
    args.path = "/close";
    EXPECT_EQ(fetch(server.port(), args).body, "until close");
    args.path = "/big";
    EXPECT_EQ(fetch(server.port(), args).body, big);
}

TEST_F(HttpClient, ABodyCutShortKeepsWhatArrived) {
    LoopbackHttpServer server([](const RecordedRequest&) {
        return testing::rawReply("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly ten..");
    });
    const Fetched fetched = fetch(server.port(), {});
    EXPECT_EQ(fetched.body, "only ten..");
    EXPECT_TRUE(fetched.headers.has_value());
}

TEST_F(HttpClient, ABodyStopsAtTheSessionLimit) {
    LoopbackHttpServer server(
        [](const RecordedRequest&) { return testing::textReply(std::string(100000, 'z')); });
    FetchArgs args;
    args.session.maxBodyBytes = 4096;
    const Fetched fetched = fetch(server.port(), args);
    EXPECT_EQ(fetched.body, std::string(4096, 'z'));
}

// ---- Failures ----

TEST_F(HttpClient, UnreachableHostsGiveNoResponse) {
    int closedPort = 0;
    {
        LoopbackHttpServer gone([](const RecordedRequest&) { return testing::textReply(""); });
        closedPort = gone.port();
    }
    const Fetched refused = fetch(closedPort, {});
    EXPECT_FALSE(refused.sent);
    EXPECT_EQ(refused.body, "");
    EXPECT_FALSE(refused.headers.has_value());

    FetchArgs args;
    args.host = "nonexistent.invalid";
    const Fetched unknown = fetch(80, args);
    EXPECT_FALSE(unknown.sent);
    EXPECT_EQ(unknown.body, "");
    EXPECT_FALSE(unknown.headers.has_value());
}

TEST(HttpConnection, NeedsAHostAndAPortThatFits) {
    const InternetSession session({});
    EXPECT_TRUE(HttpConnection(session, "h", 0).isOpen());
    EXPECT_TRUE(HttpConnection(session, "h", 65535).isOpen());
    EXPECT_FALSE(HttpConnection(session, "", 80).isOpen());
    EXPECT_FALSE(HttpConnection(session, "h", 65536).isOpen());
    EXPECT_FALSE(HttpConnection(session, "h", -1).isOpen());
}

// ---- Proxy ----

TEST_F(HttpClient, HttpGoesThroughTheProxyWithTheCallersLinesOnly) {
    LoopbackHttpServer proxy([](const RecordedRequest&) { return testing::textReply("proxied"); });
    FetchArgs args;
    args.host = "nonexistent.invalid"; // the proxy resolves it, never this process
    args.path = "/x";
    args.block = "A: 1\r\n";
    args.session.proxy = "127.0.0.1:" + std::to_string(proxy.port());
    const Fetched fetched = fetch(0, args);
    EXPECT_EQ(fetched.body, "proxied");
    const auto requests = proxy.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine(), "GET http://nonexistent.invalid/x HTTP/1.1");
    EXPECT_EQ(requests[0].headerLines(),
              lines({"Host: nonexistent.invalid", "User-Agent: agent/1.0", "A: 1"}));
}

// ---- Cookies ----

TEST_F(HttpClient, ResponseCookiesAreStoredAndSentUnlessTheRequestSaysNo) {
    LoopbackHttpServer server([](const RecordedRequest& request) {
        return request.target() == "/set" ? testing::textReply("", 200, "Set-Cookie: s=1\r\n")
                                          : testing::textReply("");
    });
    FetchArgs noCookies;
    noCookies.flags |= flag::kNoCookies;
    noCookies.path = "/set";
    fetch(server.port(), noCookies);
    EXPECT_TRUE(storedCookies().empty());

    FetchArgs withCookies;
    withCookies.path = "/set";
    fetch(server.port(), withCookies);
    withCookies.path = "/next";
    fetch(server.port(), withCookies);
    noCookies.path = "/next";
    fetch(server.port(), noCookies);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_FALSE(requests[1].header("Cookie").has_value());
    EXPECT_EQ(requests[2].header("Cookie"), "s=1");
    EXPECT_FALSE(requests[3].header("Cookie").has_value());
}

TEST_F(HttpClient, StoredCookiesJoinTheRequestAfterTheAgent) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::textReply(""); });
    storeCookie("http://127.0.0.1", "a", "1; path=/");
    FetchArgs args;
    args.block = "X: 1\r\n";
    fetch(server.port(), args);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].headerLines(),
              lines({"Host: 127.0.0.1:" + std::to_string(server.port()), "User-Agent: agent/1.0",
                     "Cookie: a=1", "X: 1"}));
}

// ---- Cancellation ----

TEST_F(HttpClient, CancelFromAnotherThreadEndsASilentExchange) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::silentReply(); });
    TransferCancel cancel;
    FetchArgs args;
    args.session.cancel = &cancel;
    std::thread canceller([&] {
        server.waitForRequests(1, 5s);
        cancel.cancel();
    });
    const Fetched fetched = fetch(server.port(), args);
    canceller.join();
    EXPECT_FALSE(fetched.sent);
    EXPECT_EQ(fetched.body, "");
    EXPECT_TRUE(server.waitForHangups(1, 5s));
}

TEST_F(HttpClient, ADeadlineEndsASlowBodyAndKeepsWhatCame) {
    LoopbackHttpServer server([](const RecordedRequest&) {
        return testing::chunkedReply({"first", "never seen"}, 10s);
    });
    TransferCancel cancel(TransferCancel::Clock::now() + 300ms);
    FetchArgs args;
    args.session.cancel = &cancel;
    const Fetched fetched = fetch(server.port(), args);
    EXPECT_TRUE(fetched.sent);
    EXPECT_EQ(fetched.body, "first");
    EXPECT_TRUE(server.waitForHangups(1, 5s));
}

TEST_F(HttpClient, ACancelledSessionSendsNothing) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::textReply("x"); });
    TransferCancel cancel;
    cancel.cancel();
    FetchArgs args;
    args.session.cancel = &cancel;
    EXPECT_FALSE(fetch(server.port(), args).sent);
    EXPECT_TRUE(server.requests().empty());
}

} // namespace
} // namespace tieba::platform
