// The web call against servers that misbehave: each returns by its deadline with the outcome the
// call defines, and what it holds stays bounded however much the server sends.
#include "platform/curl_cookie_store.h"
#include "tests/reliability/hostile_servers.h"
#include "tests/reliability/process_figures.h"
#include "tests/support/case_name.h"
#include "web/access_web_page.h"
#include "web/http_request_worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace tieba {
namespace {

using namespace std::chrono_literals;
using testing::Hostility;
using Clock = std::chrono::steady_clock;

// Room for a loaded machine: the precise overshoot is a benchmark's figure.
constexpr auto kLateness = 2s;
constexpr long kMiB = 1024; // in KiB
constexpr long kCapKiB = static_cast<long>(kMaxPageBytes / 1024);
#if defined(__SANITIZE_ADDRESS__)
// Freed memory waits in AddressSanitizer's quarantine (up to 256 MiB) before it is reused.
constexpr long kQuarantineKiB = 256 * kMiB;
#else
constexpr long kQuarantineKiB = 0;
#endif
constexpr std::size_t kPartialBody = 5000; // what ResetsMidBody sends

struct CallResult {
    ByteSequence page;
    Text headers;
    Text cookies;
    Clock::duration elapsed{};
    long peakGrowthKiB = 0;
};

struct HostileCase {
    std::string name;
    Hostility kind;
    double timeoutSeconds;
    std::optional<Text> cookieText; // the caller's own Cookie text
    long memoryBoundKiB;            // peak growth allowed during the call
    std::function<void(const CallResult&, const testing::HostileServer&)> check;
};

std::string oddBytes() {
    // invalid GBK pairs, zero bytes, a lead byte with no trail at the end
    return std::string("a\x80\xFF\x81\x7F"
                       "b\0c\0\0\xFE\x39\xD6",
                       14);
}

void expectTimeOut(const CallResult& result, const testing::HostileServer&) {
    EXPECT_EQ(result.page, kTimeOutMessage);
}

void expectEmptyFailure(const CallResult& result, const testing::HostileServer&) {
    EXPECT_EQ(result.page, "");
    // The exchange was sent but no response came: the header text of old, all blanks.
    EXPECT_EQ(result.headers, Text(2048, ' '));
    EXPECT_EQ(result.cookies, "");
}

bool holdsPattern(const ByteSequence& page) {
    for (std::size_t at = 0; at < page.size(); at += 4099) {
        if (page[at] != testing::streamByte(at)) {
            return false;
        }
    }
    return page.empty() || page.back() == testing::streamByte(page.size() - 1);
}

void expectCappedPage(const CallResult& result, const testing::HostileServer& server) {
    EXPECT_EQ(result.page.size(), kMaxPageBytes);
    EXPECT_TRUE(holdsPattern(result.page));
    // The client stopped reading at the cap: the server got rid of little more than that.
    EXPECT_LT(server.streaming->bodyBytesSent(), kMaxPageBytes + (std::size_t{32} << 20));
}

std::size_t countOf(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

class HostileWebCall : public ::testing::TestWithParam<HostileCase> {
protected:
    void TearDown() override { platform::clearStoredCookies(); }
};

TEST_P(HostileWebCall, ReturnsByItsDeadlineWithItsOutcome) {
    const HostileCase& c = GetParam();
    const auto server = testing::startHostileServer(c.kind);
    Text address = server->baseAddress() + "/page";
    CallResult result;
    const bool peakReset = testing::resetPeakResident();
    const long residentBefore = testing::residentKiB();
    const auto start = Clock::now();
    result.page = accessWebPage(address, {}, {}, {}, {}, c.cookieText, c.timeoutSeconds,
                                &result.headers, {}, &result.cookies);
    result.elapsed = Clock::now() - start;
    result.peakGrowthKiB = testing::peakResidentKiB() - residentBefore;

    const auto deadline = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(c.timeoutSeconds));
    EXPECT_LE(result.elapsed, deadline + kLateness);
    if (peakReset) {
        EXPECT_LE(result.peakGrowthKiB, c.memoryBoundKiB + kQuarantineKiB);
    }
    c.check(result, *server);
    std::printf("[ figures  ] %s: %.3f s (time-out %.1f s), page %zu bytes, peak growth %ld KiB\n",
                c.name.c_str(), std::chrono::duration<double>(result.elapsed).count(),
                c.timeoutSeconds, result.page.size(), result.peakGrowthKiB);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, HostileWebCall,
    ::testing::Values(
        HostileCase{"neverAnswers",
                    Hostility::NeverAnswers,
                    1.0,
                    {},
                    16 * kMiB,
                    [](const CallResult& r, const testing::HostileServer& s) {
                        expectTimeOut(r, s);
                        EXPECT_GE(r.elapsed, 1s);
                    }},
        HostileCase{"oneByteASecond", Hostility::OneByteASecond, 1.5, {}, 16 * kMiB, expectTimeOut},
        HostileCase{"bodyFarOverTheCap",
                    Hostility::BodyOverTheCap,
                    30.0,
                    {},
                    kCapKiB + 48 * kMiB,
                    expectCappedPage},
        // Without a declared length the page grows by doublings; still bounded by the cap.
        HostileCase{"undeclaredBodyFarOverTheCap",
                    Hostility::UndeclaredBodyOverCap,
                    30.0,
                    {},
                    3 * kCapKiB + 64 * kMiB,
                    expectCappedPage},
        // Twenty hops are followed; the twenty-first redirect is the answer.
        HostileCase{"redirectsForever",
                    Hostility::RedirectsForever,
                    2.0,
                    {},
                    16 * kMiB,
                    [](const CallResult& r, const testing::HostileServer& s) {
                        EXPECT_EQ(r.page, "moved");
                        EXPECT_TRUE(r.headers.starts_with("HTTP/1.1 302"));
                        EXPECT_EQ(s.requestCount(), 21u);
                    }},
        // libcurl refuses a response whose header block passes 300 KiB: a failed exchange.
        HostileCase{"megabyteHeaderBlock",
                    Hostility::MegabyteHeaderBlock,
                    2.0,
                    {},
                    32 * kMiB,
                    expectEmptyFailure},
        HostileCase{"megabyteHeaderLine",
                    Hostility::MegabyteHeaderLine,
                    2.0,
                    {},
                    32 * kMiB,
                    expectEmptyFailure},
        // Every cookie is collected; the cookie engine takes the store's share of them.
        HostileCase{"tenThousandCookies",
                    Hostility::TenThousandCookies,
                    2.0,
                    {},
                    32 * kMiB,
                    [](const CallResult& r, const testing::HostileServer&) {
                        EXPECT_EQ(r.page, "ok");
                        EXPECT_EQ(countOf(r.cookies, ";"), 10000u);
                        EXPECT_TRUE(r.cookies.starts_with("c1=1;c2=2;"));
                        EXPECT_TRUE(r.cookies.ends_with("c10000=10000;"));
                    }},
        // With a Cookie text of the caller's the worker stores each cookie itself, one by one:
        // about 1.7 s for 10,000 here, more under the sanitizers, hence the longer time-out.
        HostileCase{"tenThousandCookiesBesideOwnCookies", Hostility::TenThousandCookies, 30.0,
                    Text("mine=1"), 64 * kMiB,
                    [](const CallResult& r, const testing::HostileServer&) {
                        EXPECT_EQ(r.page, "ok");
                        EXPECT_EQ(countOf(r.cookies, ";"), 10000u);
                    }},
        // The bytes before the failing read form the page.
        HostileCase{"resetsMidBody",
                    Hostility::ResetsMidBody,
                    2.0,
                    {},
                    16 * kMiB,
                    [](const CallResult& r, const testing::HostileServer&) {
                        EXPECT_EQ(r.page.size(), kPartialBody);
                        EXPECT_TRUE(holdsPattern(r.page));
                        EXPECT_TRUE(r.headers.starts_with("HTTP/1.1 200"));
                    }},
        HostileCase{"closesBeforeStatusLine",
                    Hostility::ClosesBeforeStatusLine,
                    2.0,
                    {},
                    16 * kMiB,
                    expectEmptyFailure},
        HostileCase{"closesInsideStatusLine",
                    Hostility::ClosesInsideStatusLine,
                    2.0,
                    {},
                    16 * kMiB,
                    expectEmptyFailure}),
    testing::CaseName());

// Bytes that are no GBK come back as they were sent, zero bytes included: cutting them is the
// caller's business.
TEST(HostileWebCallBytes, OddBytesComeBackUntouched) {
    const auto server = testing::startHostileServer(Hostility::Page, oddBytes());
    Text address = server->baseAddress() + "/odd";
    EXPECT_EQ(accessWebPage(address, {}, {}, {}, {}, {}, 2.0), oddBytes());
}

} // namespace
} // namespace tieba
