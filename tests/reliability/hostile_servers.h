#pragma once

#include "tests/reliability/streaming_http_server.h"
#include "tests/support/loopback_http_server.h"

#include <cstddef>
#include <memory>
#include <string>

// Servers on 127.0.0.1 that misbehave in one way each, for the web call and the window alike.
// Where a kind answers with a page at all, `page` is that page.
namespace tieba::testing {

enum class Hostility {
    NeverAnswers,           // reads the request, then silence until the client leaves
    SilentThenCloses,       // silence for 1.5 s, then a close without a byte
    OneByteASecond,         // the whole response, status line included, a byte a second
    BodyOneByteASecond,     // the head at once, then the page a byte a second
    BodyOverTheCap,         // declares 1 GiB and streams it
    UndeclaredBodyOverCap,  // no length, streams 1 GiB and closes
    RedirectsForever,       // every answer is a 302 to the next hop
    MegabyteHeaderBlock,    // 1 MiB of header lines of 1,000 bytes each, then the page
    MegabyteHeaderLine,     // one header line of 1 MiB, then the page
    TenThousandCookies,     // 10,000 Set-Cookie lines, then the page
    ResetsMidBody,          // declares 100,000 bytes, sends 5,000 of the pattern, resets
    ResetsInsidePage,       // declares more than `page`, sends the page, resets
    ClosesBeforeStatusLine, // closes without a byte
    ClosesInsideStatusLine, // "HTTP/1.1 2" and a close
    Page,                   // an ordinary answer with `page` as its body
};

struct HostileServer {
    std::unique_ptr<LoopbackHttpServer> loopback;
    std::unique_ptr<StreamingHttpServer> streaming;

    std::string baseAddress() const;
    std::size_t requestCount() const; // requests the recording server saw; 0 for streaming
};

std::unique_ptr<HostileServer> startHostileServer(Hostility kind, const std::string& page = "ok");

// The Set-Cookie lines of TenThousandCookies, short enough that 10,000 stay within libcurl's
// 300 KiB limit on a response's header block: "Set-Cookie: c1=1\r\n" ...
std::string manyCookieLines(int count);

inline constexpr std::size_t kRedirectBodySize = 5; // redirectReply's "moved"

} // namespace tieba::testing
