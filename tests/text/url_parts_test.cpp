#include "tests/support/case_name.h"
#include "text/url_parts.h"

#include <gtest/gtest.h>

namespace tieba {
namespace {

struct UrlCase {
    const char* name;
    const char* address;
    const char* host;
    const char* path;
    int port;
};

class UrlParts : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlParts, SplitsTheAddress) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(urlHost(c.address), c.host);
    EXPECT_EQ(urlPath(c.address), c.path);
    EXPECT_EQ(urlPort(c.address), c.port);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UrlParts,
    ::testing::Values(
        UrlCase{"search", "http://tieba.baidu.com/f/search/res?isnew=1&kw=%D6%D0",
                "tieba.baidu.com", "/f/search/res?isnew=1&kw=%D6%D0", 80},
        UrlCase{"capitalHostAndPort", "http://Tieba.Baidu.COM:8080/f?a=1", "tieba.baidu.com",
                "/f?a=1", 8080},
        UrlCase{"noSlash", "http://127.0.0.1:9", "127.0.0.1", "/", 9},
        UrlCase{"bareHost", "Example.COM", "example.com", "/", 80},
        UrlCase{"bareHostWithPort", "Example.COM:81", "example.com", "/", 81},
        // Only a lower-case scheme is removed, so the host is "http", found at the start of the
        // address, and the path begins at the scheme's first slash. The port rule reads any case.
        UrlCase{"capitalScheme", "HTTP://host:81/x", "http", "//host:81/x", 81},
        UrlCase{"portLetters", "http://host:abc/x", "host", "/x", 0},
        UrlCase{"portWithFraction", "http://host:81.9/", "host", "/", 81},
        UrlCase{"https", "https://host/x", "host", "/x", 0},
        // A host that also stands inside the scheme is found after it.
        UrlCase{"hostInsideScheme", "http://p/x?y=1", "p", "/x?y=1", 80},
        UrlCase{"hostInsideHttpsScheme", "https://t/x", "t", "/x", 0},
        UrlCase{"httpsInQuery", "http://x.y/r?u=https://o/p", "x.y", "/r?u=https://o/p", 80},
        UrlCase{"empty", "", "", "/", 80}),
    testing::CaseName());

} // namespace
} // namespace tieba
