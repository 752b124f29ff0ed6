#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A server on 127.0.0.1 for the answers the recording server cannot give: a body generated while
// it is written, so a gigabyte costs no memory, and a connection reset (RST) in mid-body. Each
// request gets `head`, then `bodyBytes` bytes of the pattern 'a'..'z' repeating (byte i is
// 'a' + i % 26), then a normal close or a reset. Writing stops when the client hangs up.
namespace tieba::testing {

enum class StreamEnd { Close, Reset };

struct StreamScript {
    std::string head;
    std::uint64_t bodyBytes = 0;
    StreamEnd end = StreamEnd::Close;
};

// The pattern's byte at `offset`.
inline char streamByte(std::uint64_t offset) {
    return static_cast<char>('a' + offset % 26);
}

class StreamingHttpServer {
public:
    explicit StreamingHttpServer(StreamScript script);
    ~StreamingHttpServer(); // stops writing and joins its thread

    StreamingHttpServer(const StreamingHttpServer&) = delete;
    StreamingHttpServer& operator=(const StreamingHttpServer&) = delete;

    std::string url(const std::string& path = "/") const;
    std::string baseAddress() const; // "http://127.0.0.1:PORT"
    // Body bytes handed to the socket so far, over every connection.
    std::uint64_t bodyBytesSent() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tieba::testing
