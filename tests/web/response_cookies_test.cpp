#include "tests/support/case_name.h"
#include "web/response_cookies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tieba {
namespace {

struct CookieCase {
    std::string name;
    std::string headers;
    std::string collected;
    std::vector<std::pair<std::string, std::string>> cookies; // name, data
};

class ResponseCookieCollection : public ::testing::TestWithParam<CookieCase> {};

TEST_P(ResponseCookieCollection, GivesNameValuePairsAndWhatToStore) {
    const CookieCase& c = GetParam();
    const ResponseCookies result = responseCookiesOf(c.headers);
    EXPECT_EQ(result.collected, c.collected);
    std::vector<std::pair<std::string, std::string>> cookies;
    for (const ResponseCookie& cookie : result.cookies) {
        cookies.emplace_back(cookie.name, cookie.data);
    }
    EXPECT_EQ(cookies, c.cookies);
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

INSTANTIATE_TEST_SUITE_P(
    Table, ResponseCookieCollection,
    ::testing::Values(
        CookieCase{"twoCookies",
                   "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nX: y\r\n"
                   "Set-Cookie: b=2; path=/\r\n\r\n",
                   "a=1;b=2;", Pairs{{"a", "1; path=/"}, {"b", "2; path=/"}}},
        CookieCase{"none", "HTTP/1.1 200 OK\r\nX: y\r\n\r\n", "", {}},
        // The whole "name=value" counts when nothing follows it.
        CookieCase{"withoutSemicolon", "Set-Cookie: c=3\r\n", "c=3;", Pairs{{"c", "3"}}},
        CookieCase{"anyCase", "set-cookie: d=4;x\n", "d=4;", Pairs{{"d", "4;x"}}},
        CookieCase{"withoutEquals", "Set-Cookie: lone\r\n", "lone;", Pairs{{"", "lone"}}},
        // The first "=" splits, even one inside an attribute.
        CookieCase{"equalsOnlyInAttribute", "Set-Cookie: lone; path=/\r\n", "lone;",
                   Pairs{{"lone; path", "/"}}},
        CookieCase{"valueWithEquals", "Set-Cookie: e=x=y; path=/\r\n", "e=x=y;",
                   Pairs{{"e", "x=y; path=/"}}}),
    testing::CaseName());

} // namespace
} // namespace tieba
