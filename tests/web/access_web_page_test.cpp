#include "platform/curl_cookie_store.h"
#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"
#include "tests/support/loopback_http_server.h"
#include "tests/web/scripted_event_pump.h"
#include "web/access_web_page.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace tieba {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::gbk;
using testing::LoopbackHttpServer;
using testing::RecordedRequest;

const Text kUntouched = "untouched";

class AccessWebPage : public ::testing::Test {
protected:
    void SetUp() override { platform::clearStoredCookies(); }
    void TearDown() override { platform::clearStoredCookies(); }
};

// ---- Address rules ----

TEST_F(AccessWebPage, ABlankAddressReturnsNothingAndStartsNoRequest) {
    for (Text address : {Text(), Text("   "), gbk(" 　 ")}) {
        const Text before = address;
        EXPECT_EQ(accessWebPage(address), "");
        EXPECT_EQ(address, before);
    }
}

struct SchemeCase {
    std::string name;
    std::string given;
    std::string after;
};

class SchemeRule : public AccessWebPage, public ::testing::WithParamInterface<SchemeCase> {};

// Through a loopback proxy, so that no host name is ever looked up.
TEST_P(SchemeRule, PutsHttpInFrontUnlessTheAddressHasAnExactScheme) {
    const SchemeCase& c = GetParam();
    LoopbackHttpServer proxy([](const RecordedRequest&) { return testing::textReply("ok"); });
    Text address = c.given;
    const ByteSequence page =
        accessWebPage(address, {}, "127.0.0.1:" + std::to_string(proxy.port()), {}, {}, {}, 5.0);
    EXPECT_EQ(address, c.after);
    EXPECT_EQ(page, "ok");
    ASSERT_EQ(proxy.requests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SchemeRule,
    ::testing::Values(SchemeCase{"noScheme", "site.invalid/x", "http://site.invalid/x"},
                      SchemeCase{"http", "http://site.invalid/x", "http://site.invalid/x"},
                      SchemeCase{"capitalScheme", "HTTP://site.invalid/x",
                                 "http://HTTP://site.invalid/x"}),
    testing::CaseName());

// ---- Method, body, out-arguments ----

struct MethodCase {
    std::string name;
    std::optional<int> selector;
    std::string method;
};

class MethodSelector : public AccessWebPage, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(MethodSelector, OneMeansPostAndAnythingElseGet) {
    const MethodCase& c = GetParam();
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::textReply("ok"); });
    Text address = server.url("/m");
    EXPECT_EQ(accessWebPage(address, c.selector, {}, {}, ByteSequence("a=1")), "ok");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].method(), c.method);
    EXPECT_EQ(server.requests()[0].body(), c.method == "POST" ? "a=1" : "");
}

INSTANTIATE_TEST_SUITE_P(Table, MethodSelector,
                         ::testing::Values(MethodCase{"one", 1, "POST"},
                                           MethodCase{"zero", 0, "GET"},
                                           MethodCase{"two", 2, "GET"},
                                           MethodCase{"omitted", std::nullopt, "GET"}),
                         testing::CaseName());

TEST_F(AccessWebPage, HandsBackHeadersAndCookiesWhenAsked) {
    LoopbackHttpServer server([](const RecordedRequest&) {
        return testing::textReply("page", 200, "Set-Cookie: k=v; path=/\r\n");
    });
    Text address = server.url("/");
    Text headers = kUntouched;
    Text cookies = kUntouched;
    EXPECT_EQ(
        accessWebPage(address, {}, {}, "X-Mine: 1\r\n", {}, "sent=1", {}, &headers, {}, &cookies),
        "page");
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\n")) << headers;
    EXPECT_EQ(cookies, "k=v;");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].header("Cookie"), "sent=1");
    EXPECT_EQ(server.requests()[0].header("X-Mine"), "1");
}

TEST_F(AccessWebPage, FollowsRedirectsUnlessToldNotTo) {
    LoopbackHttpServer server([](const RecordedRequest& request) {
        return request.target() == "/a" ? testing::redirectReply(302, "/b")
                                        : testing::textReply("b");
    });
    Text address = server.url("/a");
    EXPECT_EQ(accessWebPage(address), "b");
    EXPECT_EQ(accessWebPage(address, {}, {}, {}, {}, {}, {}, nullptr, {}, nullptr, false), "moved");
}

// ---- Page encoding ----

struct EncodingCase {
    std::string name;
    std::string page;
    std::optional<int> encoding;
    std::string expected;
};

class PageEncoding : public AccessWebPage, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(PageEncoding, ConvertsUtf8AndBig5PagesToGbk) {
    const EncodingCase& c = GetParam();
    LoopbackHttpServer server([&](const RecordedRequest&) { return testing::textReply(c.page); });
    Text address = server.url("/");
    EXPECT_EQ(accessWebPage(address, {}, {}, {}, {}, {}, {}, nullptr, c.encoding), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PageEncoding,
    ::testing::Values(EncodingCase{"utf8", "\xE4\xB8\xAD\xE6\x96\x87", 1, gbk("中文")},
                      // Big5 國語 comes back simplified.
                      EncodingCase{"big5", "\xB0\xEA\xBB\x79", 2, gbk("国语")},
                      EncodingCase{"omitted", gbk("中文"), std::nullopt, gbk("中文")},
                      EncodingCase{"otherValue", gbk("中文"), 3, gbk("中文")},
                      EncodingCase{"emptyUtf8", "", 1, ""},
                      // Unconverted, a page keeps bytes after a zero byte.
                      EncodingCase{"zeroByteKept", std::string("a\0b", 3), 0,
                                   std::string("a\0b", 3)}),
    testing::CaseName());

// ---- Failures and the time-out ----

TEST_F(AccessWebPage, UnreachableHostsGiveAnEmptyPage) {
    int closedPort = 0;
    {
        LoopbackHttpServer gone([](const RecordedRequest&) { return testing::textReply(""); });
        closedPort = gone.port();
    }
    Text refused = "http://127.0.0.1:" + std::to_string(closedPort) + "/";
    EXPECT_EQ(accessWebPage(refused, {}, {}, {}, {}, {}, 5.0), "");
    Text unknown = "http://nonexistent.invalid/";
    EXPECT_EQ(accessWebPage(unknown, {}, {}, {}, {}, {}, 5.0), "");
}

// Without a connection nothing was sent: the out-arguments get no method name or outgoing
// cookies in place of a response's.
TEST_F(AccessWebPage, NoConnectionGivesEmptyOutArguments) {
    Text address = "http://127.0.0.1:70000/";
    Text headers = kUntouched;
    Text cookies = kUntouched;
    EXPECT_EQ(
        accessWebPage(address, 1, {}, {}, ByteSequence("b"), "out=1", 5.0, &headers, {}, &cookies),
        "");
    EXPECT_EQ(headers, "");
    EXPECT_EQ(cookies, "");
}

// The call returns at the deadline without touching its out-arguments, and the abandoned
// transfer is cut at once rather than left hanging on the server.
TEST_F(AccessWebPage, ASilentServerGivesTheTimeOutMessageAndLosesItsClient) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::silentReply(); });
    Text address = server.url("/");
    Text headers = kUntouched;
    Text cookies = kUntouched;
    const auto start = Clock::now();
    const ByteSequence page =
        accessWebPage(address, {}, {}, {}, {}, {}, 0.3, &headers, 1, &cookies);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_EQ(page, kTimeOutMessage);
    EXPECT_EQ(headers, kUntouched);
    EXPECT_EQ(cookies, kUntouched);
    EXPECT_TRUE(server.waitForHangups(1, 5s));
}

TEST_F(AccessWebPage, AZeroTimeOutReturnsTheMessageAtOnce) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::textReply("fast"); });
    Text address = server.url("/");
    for (const double seconds : {0.0, -1.0, 0.0009}) {
        EXPECT_EQ(accessWebPage(address, {}, {}, {}, {}, {}, seconds, nullptr, 2), kTimeOutMessage)
            << seconds;
    }
}

TEST_F(AccessWebPage, TheMessageIsTheKnownText) {
    EXPECT_EQ(Text(kTimeOutMessage),
              gbk("超时返回，指定网站不能访问，或者你的网络出现问题，你可以把参数中的＂超时返回＂的"
                  "值设置长一些。"));
}

// ---- The wait ----

// Window events keep coming while the call waits; every wait still ends at the one deadline
// instead of being given the whole time-out again.
TEST_F(AccessWebPage, EveryWaitEndsAtTheSameDeadline) {
    testing::ScriptedEventPump pump;
    const testing::InstalledPump installed(pump);
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::silentReply(); });
    std::atomic<bool> busy = true;
    std::atomic<int> dispatched = 0;
    std::thread window([&] {
        while (busy) {
            pump.post([&] { ++dispatched; });
            std::this_thread::sleep_for(20ms);
        }
    });
    Text address = server.url("/");
    const ByteSequence page = accessWebPage(address, {}, {}, {}, {}, {}, 0.3);
    const auto returned = Clock::now();
    busy = false;
    window.join();

    EXPECT_EQ(page, kTimeOutMessage);
    EXPECT_GT(dispatched.load(), 1);
    const auto deadlines = pump.deadlines();
    ASSERT_GT(deadlines.size(), 1u);
    for (const auto deadline : deadlines) {
        EXPECT_EQ(deadline, deadlines.front());
    }
    EXPECT_GE(returned, deadlines.front());
}

struct PumpCase {
    std::string name;
    bool dispatchesWhileWaiting;
};

class NestedCall : public AccessWebPage, public ::testing::WithParamInterface<PumpCase> {};

// A handler that runs during the wait starts a second call; the outer worker ends first and its
// wake-up goes to the inner wait, yet the outer call still returns its own page.
TEST_P(NestedCall, LeavesTheOuterCallIntact) {
    testing::ScriptedEventPump pump(GetParam().dispatchesWhileWaiting);
    const testing::InstalledPump installed(pump);
    LoopbackHttpServer outerServer([](const RecordedRequest&) {
        testing::Reply reply = testing::textReply("outer");
        reply.delay = 100ms;
        return reply;
    });
    LoopbackHttpServer innerServer([](const RecordedRequest&) {
        testing::Reply reply = testing::textReply("inner");
        reply.delay = 400ms;
        return reply;
    });
    ByteSequence innerPage;
    pump.post([&] {
        Text innerAddress = innerServer.url("/");
        innerPage = accessWebPage(innerAddress, {}, {}, {}, {}, {}, 10.0);
    });
    Text outerAddress = outerServer.url("/");
    const ByteSequence outerPage = accessWebPage(outerAddress, {}, {}, {}, {}, {}, 10.0);
    EXPECT_EQ(innerPage, "inner");
    EXPECT_EQ(outerPage, "outer");
}

INSTANTIATE_TEST_SUITE_P(Table, NestedCall,
                         ::testing::Values(PumpCase{"dispatchAfterWait", false},
                                           PumpCase{"dispatchInsideWait", true}),
                         testing::CaseName());

TEST_F(AccessWebPage, AnIdleWaitUsesNoProcessorTime) {
    LoopbackHttpServer server([](const RecordedRequest&) { return testing::silentReply(); });
    const auto cpuSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto seconds = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
        };
        return seconds(usage.ru_utime) + seconds(usage.ru_stime);
    };
    Text address = server.url("/");
    const double before = cpuSeconds();
    EXPECT_EQ(accessWebPage(address, {}, {}, {}, {}, {}, 1.0), kTimeOutMessage);
    // A polling wait would burn most of the second; a blocked one a few milliseconds.
    EXPECT_LT(cpuSeconds() - before, 0.25);
}

} // namespace
} // namespace tieba
