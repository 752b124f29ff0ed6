#include "tests/reliability/hostile_servers.h"

#include <atomic>
#include <chrono>

namespace tieba::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

// Each part one byte, `pause` apart.
std::vector<std::string> bytesOf(const std::string& text) {
    std::vector<std::string> parts;
    for (const char c : text) {
        parts.emplace_back(1, c);
    }
    return parts;
}

std::unique_ptr<HostileServer> recording(LoopbackHttpServer::Handler handler) {
    auto server = std::make_unique<HostileServer>();
    server->loopback = std::make_unique<LoopbackHttpServer>(std::move(handler));
    return server;
}

std::unique_ptr<HostileServer> streaming(StreamScript script) {
    auto server = std::make_unique<HostileServer>();
    server->streaming = std::make_unique<StreamingHttpServer>(std::move(script));
    return server;
}

std::string headerBlockOf(std::size_t lineBytes, std::size_t totalBytes) {
    std::string block;
    for (int n = 0; block.size() < totalBytes; ++n) {
        std::string line = "X-Filler-" + std::to_string(n) + ": ";
        line.append(lineBytes - line.size() - 2, 'f').append("\r\n");
        block += line;
    }
    return block;
}

} // namespace

std::string HostileServer::baseAddress() const {
    return loopback ? "http://127.0.0.1:" + std::to_string(loopback->port())
                    : streaming->baseAddress();
}

std::size_t HostileServer::requestCount() const {
    return loopback ? loopback->requests().size() : 0;
}

std::string manyCookieLines(int count) {
    std::string lines;
    for (int n = 1; n <= count; ++n) {
        lines += "Set-Cookie: c" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
    }
    return lines;
}

std::unique_ptr<HostileServer> startHostileServer(Hostility kind, const std::string& page) {
    switch (kind) {
    case Hostility::NeverAnswers:
        return recording([](const RecordedRequest&) { return silentReply(); });
    case Hostility::SilentThenCloses:
        return recording([](const RecordedRequest&) {
            Reply reply;
            reply.delay = 1500ms;
            return reply;
        });
    case Hostility::OneByteASecond:
        return recording([page](const RecordedRequest&) {
            const Reply whole = textReply(page);
            Reply reply;
            reply.bodyParts = bytesOf(whole.head + whole.bodyParts.front());
            reply.pause = 1s;
            return reply;
        });
    case Hostility::BodyOneByteASecond:
        return recording([page](const RecordedRequest&) {
            Reply reply = textReply(page);
            reply.bodyParts = bytesOf(page);
            reply.pause = 1s;
            return reply;
        });
    case Hostility::BodyOverTheCap:
        return streaming({"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kGiB) +
                              "\r\nConnection: close\r\n\r\n",
                          kGiB, StreamEnd::Close});
    case Hostility::UndeclaredBodyOverCap:
        return streaming({"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", kGiB, StreamEnd::Close});
    case Hostility::RedirectsForever:
        return recording([counter = std::make_shared<std::atomic<int>>(0)](const RecordedRequest&) {
            return redirectReply(302, "/hop/" + std::to_string(++*counter));
        });
    case Hostility::MegabyteHeaderBlock:
        return recording([page, block = headerBlockOf(1000, std::size_t{1} << 20)](
                             const RecordedRequest&) { return textReply(page, 200, block); });
    case Hostility::MegabyteHeaderLine:
        return recording([page, block = headerBlockOf(std::size_t{1} << 20, 1)](
                             const RecordedRequest&) { return textReply(page, 200, block); });
    case Hostility::TenThousandCookies:
        return recording([page, lines = manyCookieLines(10000)](const RecordedRequest&) {
            return textReply(page, 200, lines);
        });
    case Hostility::ResetsMidBody:
        return streaming(
            {"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n", 5000, StreamEnd::Reset});
    case Hostility::ResetsInsidePage: {
        // The page itself goes out as the head's tail; nothing of the pattern follows.
        return streaming({"HTTP/1.1 200 OK\r\nContent-Length: " +
                              std::to_string(page.size() + 5000) + "\r\n\r\n" + page,
                          0, StreamEnd::Reset});
    }
    case Hostility::ClosesBeforeStatusLine:
        return recording([](const RecordedRequest&) { return rawReply(""); });
    case Hostility::ClosesInsideStatusLine:
        return recording([](const RecordedRequest&) { return rawReply("HTTP/1.1 2"); });
    case Hostility::Page:
        return recording([page](const RecordedRequest&) {
            return textReply(page, 200, "Content-Type: text/html; charset=GBK\r\n");
        });
    }
    return nullptr;
}

} // namespace tieba::testing
