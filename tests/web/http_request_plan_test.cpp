#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"
#include "web/http_request_plan.h"

#include <gtest/gtest.h>

#include <string>

namespace tieba {
namespace {

using testing::gbk;

// ---- Flags ----

struct FlagCase {
    std::string name;
    std::string cookies;
    bool follow;
    bool https;
    std::uint32_t flags;
};

class RequestFlags : public ::testing::TestWithParam<FlagCase> {};

TEST_P(RequestFlags, FollowTheCookiesRedirectsAndScheme) {
    const FlagCase& c = GetParam();
    EXPECT_EQ(requestFlagsFor(c.cookies, c.follow, c.https), c.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RequestFlags,
    ::testing::Values(FlagCase{"systemsOwn", "", true, false, 0x80004010u},
                      FlagCase{"callersCookies", "a=1", true, false, 0x80084010u},
                      FlagCase{"blankCookies", "  " + gbk("　"), true, false, 0x80004010u},
                      FlagCase{"noRedirects", "", false, false, 0x80204010u},
                      FlagCase{"https", "", true, true, 0x80800010u},
                      FlagCase{"everything", "a", false, true, 0x80A80010u}),
    testing::CaseName());

// ---- Agent ----

struct AgentCase {
    std::string name;
    std::string extraHeaders;
    std::string agent;
};

class Agent : public ::testing::TestWithParam<AgentCase> {};

TEST_P(Agent, ComesFromTheCallersUserAgentLine) {
    EXPECT_EQ(agentFor(GetParam().extraHeaders), GetParam().agent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Agent,
    ::testing::Values(AgentCase{"none", "A: 1\r\n", std::string(kDefaultAgent)},
                      AgentCase{"given", "A: 1\r\nUser-Agent: Mine 1.0 \r\n", "Mine 1.0"},
                      AgentCase{"anyCase", "user-agent:x\r\n", "x"},
                      AgentCase{"ideographicBlanks", "User-Agent:" + gbk("　代理　") + "\r\n",
                                gbk("代理")},
                      // The value ends at CR LF; a last line without one gives nothing.
                      AgentCase{"lastLineWithoutCrLf", "A: 1\r\nUser-Agent: x", ""}),
    testing::CaseName());

// ---- Header block ----

constexpr std::string_view kAddress = "http://h/f?x=1";

struct BlockCase {
    std::string name;
    std::string extraHeaders;
    std::string method;
    std::string body;
    std::string cookies;
    std::string block;
};

class HeaderBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(HeaderBlock, AddsTheWorkersLinesWhereTheCallerNamedNone) {
    const BlockCase& c = GetParam();
    EXPECT_EQ(composeHeaderBlock(c.extraHeaders, kAddress, c.method, c.body, c.cookies), c.block);
}

const std::string kAccept(kAcceptLine);
const std::string kReferer = "Referer: " + std::string(kAddress) + "\r\n";
const std::string kLanguage(kAcceptLanguageLine);
const std::string kType(kContentTypeLine);

INSTANTIATE_TEST_SUITE_P(
    Table, HeaderBlock,
    ::testing::Values(
        BlockCase{"systemsOwnPost", "", "POST", "ie=utf-8&word=x", "",
                  kAccept + kReferer + kLanguage + kType + "Content-Length: 15\r\n"},
        BlockCase{"postWithoutBody", "", "POST", "", "", kAccept + kReferer + kLanguage},
        BlockCase{"getIgnoresTheBody", "", "GET", "abc", "", kAccept + kReferer + kLanguage},
        BlockCase{"cookiesEndTheBlockWithAnEmptyLine", "", "GET", "", "a=1",
                  kAccept + kReferer + kLanguage + "Cookie: a=1\r\n\r\n"},
        BlockCase{"blankCookiesStillMakeALine", "", "GET", "", "  ",
                  kAccept + kReferer + kLanguage + "Cookie:   \r\n\r\n"},
        BlockCase{"otherMethodsGetNoCookies", "", "PUT", "abc", "a=1",
                  kAccept + kReferer + kLanguage},
        // "Accept-Language" contains "Accept": both lines are left out.
        BlockCase{"acceptLanguageSuppressesAccept", "Accept-Language: en\r\n", "GET", "", "",
                  "Accept-Language: en\r\n" + kReferer},
        BlockCase{"anyNameWithAccept", "X-Accepted: 1\r\n", "GET", "", "",
                  "X-Accepted: 1\r\n" + kReferer + kLanguage},
        BlockCase{"refererNoIsRemoved", "RefererNo\r\nA: 1\r\n", "GET", "", "",
                  "\r\nA: 1\r\n" + kAccept + kLanguage},
        // The marker is found in any case but removed only when spelled exactly.
        BlockCase{"refererNoInOtherCase", "refererno\r\n", "GET", "", "",
                  "refererno\r\n" + kAccept + kLanguage},
        BlockCase{"ownReferer", "referer: r\r\n", "GET", "", "",
                  "referer: r\r\n" + kAccept + kLanguage},
        BlockCase{"ownContentType", "Content-Type: text/plain\r\n", "POST", "ab", "",
                  "Content-Type: text/plain\r\n" + kAccept + kReferer + kLanguage +
                      "Content-Length: 2\r\n"},
        BlockCase{"ownContentLength", "Content-Length: 9\r\n", "POST", "ab", "",
                  "Content-Length: 9\r\n" + kAccept + kReferer + kLanguage + kType}),
    testing::CaseName());

// ---- The whole plan ----

WebAccessRecord recordOf(std::string address, std::string follow = std::string(kTrueText)) {
    WebAccessRecord record;
    record.slots = {address, "GET", "", "", "", "", follow};
    return record;
}

TEST(RequestPlan, AnHttpsAnywhereInTheAddressMeansPort443) {
    const HttpRequestPlan plan = planHttpRequest(recordOf("http://x.y:81/r?u=HTTPS://o/p"));
    EXPECT_TRUE(plan.https);
    EXPECT_EQ(plan.port, 443);
    EXPECT_EQ(plan.host, "x.y");
    EXPECT_EQ(plan.path, "/r?u=HTTPS://o/p");
    EXPECT_EQ(plan.flags, 0x80800010u);
}

TEST(RequestPlan, ReadsPortProxyAndRedirectChoiceFromTheRecord) {
    WebAccessRecord record = recordOf("http://x.y:81/r", std::string(kFalseText));
    record.slots[record_slot::kProxy] = std::string("p:8\0junk", 8);
    const HttpRequestPlan plan = planHttpRequest(record);
    EXPECT_FALSE(plan.https);
    EXPECT_EQ(plan.port, 81);
    EXPECT_EQ(plan.proxy, "p:8");
    EXPECT_EQ(plan.flags, 0x80204010u);
    // Anything but 真 means no redirects.
    record.slots[record_slot::kFollowRedirects] = "true";
    EXPECT_EQ(planHttpRequest(record).flags, 0x80204010u);
}

} // namespace
} // namespace tieba
