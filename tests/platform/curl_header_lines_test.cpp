#include "platform/curl_header_lines.h"

#include <gtest/gtest.h>

namespace tieba::platform {
namespace {

TEST(HeaderLines, SplitAtLineFeedsWithoutEmptyLines) {
    EXPECT_EQ(headerLinesOf("A: 1\r\n\r\nB: 2\nC: 3"),
              (std::vector<std::string>{"A: 1", "B: 2", "C: 3"}));
    EXPECT_TRUE(headerLinesOf("\r\n\r\n").empty());
}

TEST(HeaderLines, DropNamedHeadersOnlyByTheirWholeName) {
    const std::vector<std::string> lines = {"Content-Type: a", "content-length : 3",
                                            "Content-Typed: b", "X: Content-Type: c", "NoColon"};
    EXPECT_EQ(withoutHeaders(lines, {"Content-Type", "Content-Length"}),
              (std::vector<std::string>{"Content-Typed: b", "X: Content-Type: c", "NoColon"}));
}

TEST(HeaderLines, ReadTheStatusAndAValue) {
    const std::string headers = "HTTP/1.1 302 Found\r\nX: 1\r\nlocation:  /next \r\n\r\n";
    EXPECT_EQ(statusCodeOf(headers), 302);
    EXPECT_EQ(headerValueOf(headers, "Location"), "/next");
    EXPECT_EQ(headerValueOf(headers, "Missing"), std::nullopt);
    EXPECT_EQ(statusCodeOf("garbage"), 0);
    EXPECT_EQ(statusCodeOf("HTTP/1.1 2x0 Odd"), 0);
    // The status line is no header, whatever it looks like.
    EXPECT_EQ(headerValueOf("HTTP/1.1: 200\r\n", "HTTP/1.1"), std::nullopt);
}

} // namespace
} // namespace tieba::platform
