#include "platform/curl_cookie_store.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>

namespace tieba::platform {
namespace {

struct StoreCase {
    std::string name;
    std::string address;
    std::string data;
    std::string expected; // the stored Netscape line, empty when nothing is stored
};

class CookieStore : public ::testing::TestWithParam<StoreCase> {
protected:
    void SetUp() override { clearStoredCookies(); }
    void TearDown() override { clearStoredCookies(); }
};

TEST_P(CookieStore, StoresForTheHostOrItsParents) {
    const StoreCase& c = GetParam();
    storeCookie(c.address, "n", c.data);
    const auto stored = storedCookies();
    if (c.expected.empty()) {
        EXPECT_TRUE(stored.empty());
    } else {
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0], c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CookieStore,
    ::testing::Values(
        // Without a domain of its own the cookie belongs to the host (libcurl would drop it).
        StoreCase{"hostOnly", "http://127.0.0.1", "v", "127.0.0.1\tFALSE\t/\tFALSE\t0\tn\tv"},
        StoreCase{"withPath", "http://Tieba.Baidu.com", "v; path=/f",
                  ".tieba.baidu.com\tTRUE\t/f\tFALSE\t0\tn\tv"},
        StoreCase{"parentDomain", "http://tieba.baidu.com", "v; Domain=.baidu.com",
                  ".baidu.com\tTRUE\t/\tFALSE\t0\tn\tv"},
        StoreCase{"foreignDomain", "http://evil.example", "v; domain=baidu.com", ""},
        StoreCase{"lookalikeDomain", "http://notbaidu.com", "v; domain=baidu.com", ""},
        StoreCase{"noHost", "", "v", ""}),
    testing::CaseName());

TEST(CookieStoreClear, ForgetsEverything) {
    storeCookie("http://a.example", "x", "1");
    storeCookie("http://b.example", "y", "2");
    EXPECT_EQ(storedCookies().size(), 2u);
    clearStoredCookies();
    EXPECT_TRUE(storedCookies().empty());
}

} // namespace
} // namespace tieba::platform
