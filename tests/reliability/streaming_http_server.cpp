#include "tests/reliability/streaming_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace tieba::testing {
namespace {

constexpr int kPollMs = 50;
// A whole number of pattern rounds, so every block starts at 'a'.
constexpr std::size_t kBlockBytes = 26 * 2520;

} // namespace

struct StreamingHttpServer::State {
    StreamScript script;
    int listener = -1;
    int stopEvent = -1;
    int port = 0;
    std::atomic<bool> stopping = false;
    std::atomic<std::uint64_t> sent = 0;
    std::thread thread;

    // Waits for `events` on `fd`; false when the server stops or the peer is gone.
    bool waitFor(int fd, short events) const {
        for (;;) {
            pollfd fds[2] = {{fd, events, 0}, {stopEvent, POLLIN, 0}};
            const int n = ::poll(fds, 2, kPollMs);
            if (n < 0 && errno != EINTR) {
                return false;
            }
            if (stopping || fds[1].revents != 0) {
                return false;
            }
            if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
                return false;
            }
            if ((fds[0].revents & events) != 0) {
                return true;
            }
        }
    }

    bool writeAll(int fd, std::string_view bytes, bool body) {
        while (!bytes.empty()) {
            if (!waitFor(fd, POLLOUT)) {
                return false;
            }
            const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
            if (body) {
                sent += static_cast<std::uint64_t>(n);
            }
        }
        return true;
    }

    // Reads the request head; its body, if any, is not ours to care about.
    bool readHead(int fd) const {
        std::string raw;
        while (raw.find("\r\n\r\n") == std::string::npos) {
            if (!waitFor(fd, POLLIN)) {
                return false;
            }
            char buffer[4096];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            raw.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    void serve(int fd) {
        if (!readHead(fd) || !writeAll(fd, script.head, false)) {
            return;
        }
        std::string block(kBlockBytes, '\0');
        for (std::size_t i = 0; i < block.size(); ++i) {
            block[i] = streamByte(i);
        }
        std::uint64_t left = script.bodyBytes;
        while (left > 0) {
            const std::size_t size =
                static_cast<std::size_t>(std::min<std::uint64_t>(left, kBlockBytes));
            if (!writeAll(fd, std::string_view(block).substr(0, size), true)) {
                return;
            }
            left -= size;
        }
        if (script.end == StreamEnd::Reset) {
            // Let the client take what was sent, then reset instead of closing.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const linger abort{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        } else {
            ::shutdown(fd, SHUT_WR);
            // Hold on until the client has read and hung up.
            while (waitFor(fd, POLLIN)) {
                char scratch[4096];
                if (::recv(fd, scratch, sizeof scratch, MSG_DONTWAIT) == 0) {
                    break;
                }
            }
        }
    }

    // One connection at a time: every case here sends one request.
    void run() {
        while (waitFor(listener, POLLIN)) {
            const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) {
                continue;
            }
            serve(fd);
            ::close(fd);
        }
    }
};

StreamingHttpServer::StreamingHttpServer(StreamScript script) : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.script = std::move(script);
    s.listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    s.stopEvent = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (s.listener < 0 || s.stopEvent < 0 ||
        ::bind(s.listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s.listener, 16) != 0 ||
        ::getsockname(s.listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("streaming server: cannot listen on 127.0.0.1");
    }
    s.port = ntohs(address.sin_port);
    s.thread = std::thread([&s] { s.run(); });
}

StreamingHttpServer::~StreamingHttpServer() {
    State& s = *state_;
    s.stopping = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(s.stopEvent, &one, sizeof one);
    s.thread.join();
    ::close(s.listener);
    ::close(s.stopEvent);
}

std::string StreamingHttpServer::baseAddress() const {
    return "http://127.0.0.1:" + std::to_string(state_->port);
}

std::string StreamingHttpServer::url(const std::string& path) const {
    return baseAddress() + path;
}

std::uint64_t StreamingHttpServer::bodyBytesSent() const {
    return state_->sent.load();
}

} // namespace tieba::testing
