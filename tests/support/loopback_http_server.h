#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A real HTTP server on 127.0.0.1 for tests and benchmarks: it listens on a port the system
// picks, keeps every request's raw bytes, and answers each one with whatever its handler returns,
// including misbehaviour (late, never, slowly, cut short).
//
//   LoopbackHttpServer server([](const RecordedRequest&) { return textReply("hello"); });
//   fetch(server.url("/page"));                    // any client
//   server.requests()[0].requestLine()             // "GET /page HTTP/1.1"
//
// One thread accepts; each connection gets its own thread, so a request that is held open never
// delays another. The handler runs on those threads and must be safe to call concurrently. Every
// wait inside the server (reading, delays, silence, writing to a client that does not read) ends
// when the server is destroyed, so the destructor returns within a few milliseconds and joins
// every thread. A connection whose client sends nothing for `idleLimit` is closed.
namespace tieba::testing {

using ServerClock = std::chrono::steady_clock;

// One request exactly as it came off the wire.
struct RecordedRequest {
    std::string raw; // request line, header lines, blank line and body, byte for byte
    ServerClock::time_point receivedAt{};

    std::string requestLine() const;              // "POST /f HTTP/1.1", without CR LF
    std::string method() const;                   // "POST"
    std::string target() const;                   // "/f" (an absolute URL when sent to a proxy)
    std::vector<std::string> headerLines() const; // in order, each without CR LF
    // The trimmed value of the first header with this name (any letter case), if any.
    std::optional<std::string> header(std::string_view name) const;
    std::string body() const;
};

// How the server answers one request. The helpers below build the usual ones.
struct Reply {
    std::string head;                   // written first: status line, headers, blank line
    std::vector<std::string> bodyParts; // written after the head, one after another
    std::chrono::milliseconds delay{0}; // before the first byte
    std::chrono::milliseconds pause{0}; // between body parts
    bool silent = false; // answer nothing; hold the connection until the client hangs up
};

// A complete response with Content-Length and "Connection: close". `headerLines` are extra lines,
// each ending in CR LF: textReply("<p>", 200, "Set-Cookie: a=1\r\n").
Reply textReply(std::string body, int status = 200, std::string_view headerLines = {});
// A redirect with a Location header and a short body.
Reply redirectReply(int status, std::string_view location, std::string_view headerLines = {});
// A chunked response; each non-empty part becomes one chunk, written after `pause`.
Reply chunkedReply(std::vector<std::string> parts, std::chrono::milliseconds pause = {},
                   std::string_view headerLines = {});
// Bytes written as they are, then the connection closes: malformed or cut-short responses.
Reply rawReply(std::string bytes);
// Never answers.
Reply silentReply();

class LoopbackHttpServer {
public:
    using Handler = std::function<Reply(const RecordedRequest&)>;

    explicit LoopbackHttpServer(Handler handler,
                                std::chrono::milliseconds idleLimit = std::chrono::seconds(10));
    ~LoopbackHttpServer();

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const;
    // "http://127.0.0.1:<port>" followed by `path`.
    std::string url(std::string_view path = "/") const;

    // Every complete request so far, in the order they arrived. A request whose body never came
    // in full is kept as far as it arrived when its connection ended.
    std::vector<RecordedRequest> requests() const;
    // Waits up to `limit` for at least `count` requests; true when they came.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds limit) const;

    // When the server saw a client hang up on a connection it was holding (silent, delayed or
    // in the middle of a slow answer), one entry per such connection.
    std::vector<ServerClock::time_point> hangups() const;
    bool waitForHangups(std::size_t count, std::chrono::milliseconds limit) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tieba::testing
