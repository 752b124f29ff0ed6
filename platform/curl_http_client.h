#pragma once

#include "platform/curl_transfer_cancel.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// An HTTP client in the shape of the Windows Internet API the request worker was written for:
// a session (agent, proxy), a connection (host, port), a request (method, path, flags) that is
// sent with a header block and a body, read in chunks, and asked for its raw response headers.
// Handles close in reverse order by going out of scope. Built on libcurl; what goes on the wire
// is the request line, Host, User-Agent and the caller's header lines in their order, and no
// header of libcurl's own (no Accept, Expect, Accept-Encoding or Proxy-Connection). Cookies from
// the process-wide store (platform/curl_cookie_store.h) join the request as a Cookie line after
// User-Agent.
namespace tieba::platform {

// Request flags, with the values and meanings of the Windows API's flags of the same names.
namespace request_flags {
inline constexpr std::uint32_t kReload = 0x80000000u;    // fetch from the network: always so here
inline constexpr std::uint32_t kNeedFile = 0x00000010u;  // no cache file exists: no effect
inline constexpr std::uint32_t kNoCookies = 0x00080000u; // neither send nor take stored cookies
inline constexpr std::uint32_t kNoAutoRedirect = 0x00200000u; // the first response is the answer
inline constexpr std::uint32_t kSecure = 0x00800000u;         // https
inline constexpr std::uint32_t kIgnoreRedirectToHttps = 0x00004000u; // follow http to https
inline constexpr std::uint32_t kIgnoreRedirectToHttp = 0x00008000u;  // follow https to http
} // namespace request_flags

struct SessionSettings {
    std::string agent; // the User-Agent value
    // "host:port" of the proxy for http requests; empty: connect directly (https always does).
    std::string proxy;
    // Stops the session's transfers; must outlive the session's requests. Optional.
    TransferCancel* cancel = nullptr;
    // A body beyond this many bytes is cut off there and the transfer ends.
    std::size_t maxBodyBytes = std::numeric_limits<std::size_t>::max();
};

// Sets libcurl up for the process (idempotent). An object with static storage that uses the
// client calls it in its constructor, so that the library is torn down only after that object.
void initializeHttpClient();

class InternetSession {
public:
    explicit InternetSession(SessionSettings settings);
    const SessionSettings& settings() const { return settings_; }

private:
    SessionSettings settings_;
};

class HttpConnection {
public:
    // Port 0 stands for the scheme's default port. No network traffic happens yet.
    HttpConnection(const InternetSession& session, std::string host, int port);

    // False for an empty host or a port outside 0 to 65535.
    bool isOpen() const;

    const InternetSession& session() const { return session_; }
    const std::string& host() const { return host_; }
    int port() const { return port_; }

private:
    const InternetSession& session_;
    std::string host_;
    int port_;
};

class HttpRequest {
public:
    // `path` is the path with its query, beginning with "/". `flags` are request_flags.
    HttpRequest(const HttpConnection& connection, std::string method, std::string path,
                std::uint32_t flags);
    ~HttpRequest();

    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // False when the connection was not open or libcurl could not make its multi handle.
    bool isOpen() const;

    // Sends the request with the lines of `headerBlock` (each ending in CR LF; empty lines are
    // dropped) and `body`, following redirects unless the flags forbid it, and returns once the
    // final response's headers are in: true then, false when the exchange failed or was
    // cancelled. A redirect that turns a POST into a GET (301, 302, 303) drops the body and the
    // Content-Type and Content-Length lines; one to another host, port or scheme drops the
    // caller's Cookie and Authorization lines. A host in the reserved ".invalid" domain is never
    // looked up and fails like an unknown one.
    bool send(std::string_view headerBlock, std::string_view body);

    // Copies up to `size` bytes of the body; 0 at its end, on failure, on cancellation and at
    // the session's body limit.
    std::size_t read(char* buffer, std::size_t size);

    // The body length the final response declares, if it declares one.
    std::optional<std::size_t> declaredLength() const;

    // The final response's header block, status line first, each line ending in CR LF, the
    // closing empty line included; none when no complete response arrived.
    std::optional<std::string> rawResponseHeaders() const;

private:
    struct Exchange;
    std::unique_ptr<Exchange> exchange_;
};

} // namespace tieba::platform
