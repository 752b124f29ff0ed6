#include "tests/support/loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

namespace tieba::testing {
namespace {

constexpr std::string_view kHeadEnd = "\r\n\r\n";
constexpr std::size_t kMaxHeadBytes = 1 << 20;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view headOf(std::string_view raw) {
    const std::size_t end = raw.find(kHeadEnd);
    return end == std::string_view::npos ? raw : raw.substr(0, end + 2);
}

std::vector<std::string> linesOf(std::string_view head) {
    std::vector<std::string> lines;
    while (!head.empty()) {
        const std::size_t end = head.find("\r\n");
        lines.emplace_back(head.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        head.remove_prefix(end + 2);
    }
    return lines;
}

std::optional<std::string> headerValue(const std::vector<std::string>& lines,
                                       std::string_view name) {
    const std::string wanted = lowered(name) + ":";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lowered(lines[i]).starts_with(wanted)) {
            return std::string(trimmed(std::string_view(lines[i]).substr(wanted.size())));
        }
    }
    return std::nullopt;
}

std::string reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 307:
        return "Temporary Redirect";
    case 308:
        return "Permanent Redirect";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

std::string statusLine(int status) {
    return "HTTP/1.1 " + std::to_string(status) + " " + reasonOf(status) + "\r\n";
}

} // namespace

std::string RecordedRequest::requestLine() const {
    const std::size_t end = raw.find("\r\n");
    return raw.substr(0, end);
}

std::string RecordedRequest::method() const {
    const std::string line = requestLine();
    return line.substr(0, line.find(' '));
}

std::string RecordedRequest::target() const {
    const std::string line = requestLine();
    const std::size_t first = line.find(' ');
    if (first == std::string::npos) {
        return {};
    }
    // The version is after the last space: a target sent raw may hold spaces of its own.
    const std::size_t last = line.rfind(' ');
    return line.substr(first + 1, last == first ? std::string::npos : last - first - 1);
}

std::vector<std::string> RecordedRequest::headerLines() const {
    std::vector<std::string> lines = linesOf(headOf(raw));
    if (!lines.empty()) {
        lines.erase(lines.begin());
    }
    return lines;
}

std::optional<std::string> RecordedRequest::header(std::string_view name) const {
    return headerValue(linesOf(headOf(raw)), name);
}

std::string RecordedRequest::body() const {
    const std::size_t end = raw.find(kHeadEnd);
    return end == std::string::npos ? std::string() : raw.substr(end + kHeadEnd.size());
}

Reply textReply(std::string body, int status, std::string_view headerLines) {
    Reply reply;
    reply.head = statusLine(status) + "Content-Length: " + std::to_string(body.size()) +
                 "\r\nConnection: close\r\n" + std::string(headerLines) + "\r\n";
    reply.bodyParts.push_back(std::move(body));
    return reply;
}

Reply redirectReply(int status, std::string_view location, std::string_view headerLines) {
    return textReply("moved", status,
                     "Location: " + std::string(location) + "\r\n" + std::string(headerLines));
}

Reply chunkedReply(std::vector<std::string> parts, std::chrono::milliseconds pause,
                   std::string_view headerLines) {
    Reply reply;
    reply.head = statusLine(200) + "Transfer-Encoding: chunked\r\nConnection: close\r\n" +
                 std::string(headerLines) + "\r\n";
    for (const std::string& part : parts) {
        if (part.empty()) {
            continue; // an empty chunk would end the body
        }
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", part.size());
        reply.bodyParts.push_back(size + part + "\r\n");
    }
    reply.bodyParts.emplace_back("0\r\n\r\n");
    reply.pause = pause;
    return reply;
}

Reply rawReply(std::string bytes) {
    Reply reply;
    reply.head = std::move(bytes);
    return reply;
}

Reply silentReply() {
    Reply reply;
    reply.silent = true;
    return reply;
}

struct LoopbackHttpServer::State {
    Handler handler;
    std::chrono::milliseconds idleLimit;
    FileDescriptor listener{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)};
    FileDescriptor stopEvent{::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};
    int port = 0;

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::vector<RecordedRequest> requests;
    std::vector<ServerClock::time_point> hangups;

    struct Connection {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    std::list<Connection> connections; // touched only by the accepting thread and the destructor
    std::thread acceptor;

    enum class Wait { Ready, Stopped, TimedOut, HungUp };

    // Waits for `events` on `fd`, or for the stop event, or for `limit` (negative: no limit).
    Wait waitFor(int fd, short events, int limitMs) const {
        // A half-closed client shows as readable; only a reader cares.
        const short watched =
            (events & POLLIN) != 0 ? static_cast<short>(events | POLLRDHUP) : events;
        pollfd fds[2] = {{fd, watched, 0}, {stopEvent.get(), POLLIN, 0}};
        for (;;) {
            const int n = ::poll(fds, 2, limitMs);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n == 0) {
                return Wait::TimedOut;
            }
            if (fds[1].revents != 0) {
                return Wait::Stopped;
            }
            if ((fds[0].revents & (POLLERR | POLLHUP)) != 0) {
                return Wait::HungUp;
            }
            return Wait::Ready;
        }
    }

    void noteHangup() {
        {
            std::lock_guard lock(mutex);
            hangups.push_back(ServerClock::now());
        }
        changed.notify_all();
    }

    void record(std::string raw) {
        {
            std::lock_guard lock(mutex);
            requests.push_back(RecordedRequest{std::move(raw), ServerClock::now()});
        }
        changed.notify_all();
    }

    // Holds the connection for `duration` (negative: until something happens) while watching
    // for the client to leave. True when the time ran out with the client still there.
    bool holdFor(int fd, std::chrono::milliseconds duration) {
        const auto until = ServerClock::now() + duration;
        for (;;) {
            int limitMs = -1;
            if (duration.count() >= 0) {
                const auto left =
                    std::chrono::ceil<std::chrono::milliseconds>(until - ServerClock::now());
                if (left.count() <= 0) {
                    return true;
                }
                limitMs = static_cast<int>(left.count());
            }
            switch (waitFor(fd, POLLIN, limitMs)) {
            case Wait::TimedOut:
                return true;
            case Wait::Stopped:
                return false;
            case Wait::HungUp:
                noteHangup();
                return false;
            case Wait::Ready: {
                char scratch[4096];
                const ssize_t n = ::recv(fd, scratch, sizeof scratch, 0);
                if (n <= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR))) {
                    noteHangup();
                    return false;
                }
                break; // bytes after the request are not ours to answer; drop them
            }
            }
        }
    }

    bool writeAll(int fd, std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && errno == EAGAIN) {
                const Wait wait = waitFor(fd, POLLOUT, static_cast<int>(idleLimit.count()));
                if (wait == Wait::Ready) {
                    continue;
                }
                if (wait == Wait::HungUp) {
                    noteHangup();
                }
                return false;
            }
            noteHangup();
            return false;
        }
        return true;
    }

    // Reads one request; empty when the client sent nothing before leaving or going idle.
    std::string readRequest(int fd) {
        std::string raw;
        std::optional<std::size_t> wanted;
        for (;;) {
            if (!wanted) {
                const std::size_t headEnd = raw.find(kHeadEnd);
                if (headEnd != std::string::npos) {
                    const std::string_view head = std::string_view(raw).substr(0, headEnd + 2);
                    const auto length = headerValue(linesOf(head), "Content-Length");
                    wanted = headEnd + kHeadEnd.size() +
                             (length ? std::strtoull(length->c_str(), nullptr, 10) : 0);
                } else if (raw.size() > kMaxHeadBytes) {
                    return raw;
                }
            }
            if (wanted && raw.size() >= *wanted) {
                return raw;
            }
            if (waitFor(fd, POLLIN, static_cast<int>(idleLimit.count())) != Wait::Ready) {
                return raw;
            }
            char buffer[16384];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            if (n <= 0) {
                return raw;
            }
            raw.append(buffer, static_cast<std::size_t>(n));
        }
    }

    void serve(int fd) {
        std::string raw = readRequest(fd);
        if (raw.empty()) {
            return;
        }
        const bool complete = raw.find(kHeadEnd) != std::string::npos;
        record(raw);
        if (!complete) {
            return;
        }
        const Reply reply = handler(RecordedRequest{std::move(raw), ServerClock::now()});
        if (reply.silent) {
            holdFor(fd, std::chrono::milliseconds(-1));
            return;
        }
        if (reply.delay.count() > 0 && !holdFor(fd, reply.delay)) {
            return;
        }
        if (!writeAll(fd, reply.head)) {
            return;
        }
        for (std::size_t i = 0; i < reply.bodyParts.size(); ++i) {
            if (i > 0 && reply.pause.count() > 0 && !holdFor(fd, reply.pause)) {
                return;
            }
            if (!writeAll(fd, reply.bodyParts[i])) {
                return;
            }
        }
        ::shutdown(fd, SHUT_WR);
    }

    void reapFinished() {
        for (auto it = connections.begin(); it != connections.end();) {
            if (it->finished->load()) {
                it->thread.join();
                it = connections.erase(it);
            } else {
                ++it;
            }
        }
    }

    void acceptLoop() {
        for (;;) {
            const Wait wait = waitFor(listener.get(), POLLIN, -1);
            if (wait == Wait::Stopped) {
                return;
            }
            const int fd =
                ::accept4(listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            reapFinished();
            if (fd < 0) {
                continue;
            }
            auto finished = std::make_shared<std::atomic<bool>>(false);
            connections.push_back(Connection{std::thread([this, fd, finished] {
                                                 FileDescriptor connection(fd);
                                                 serve(connection.get());
                                                 finished->store(true);
                                             }),
                                             finished});
        }
    }
};

LoopbackHttpServer::LoopbackHttpServer(Handler handler, std::chrono::milliseconds idleLimit)
    : state_(std::make_unique<State>()) {
    state_->handler = std::move(handler);
    state_->idleLimit = idleLimit;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    // sockaddr_in is the sockets API's way of spelling a sockaddr.
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (state_->listener.get() < 0 || state_->stopEvent.get() < 0 ||
        ::bind(state_->listener.get(), generic, sizeof address) != 0 ||
        ::listen(state_->listener.get(), 128) != 0 ||
        ::getsockname(state_->listener.get(), generic, &length) != 0) {
        throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
    }
    state_->port = ntohs(address.sin_port);
    state_->acceptor = std::thread([state = state_.get()] { state->acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(state_->stopEvent.get(), &one, sizeof one);
    state_->acceptor.join();
    for (auto& connection : state_->connections) {
        connection.thread.join();
    }
}

int LoopbackHttpServer::port() const {
    return state_->port;
}

std::string LoopbackHttpServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(state_->port) + std::string(path);
}

std::vector<RecordedRequest> LoopbackHttpServer::requests() const {
    std::lock_guard lock(state_->mutex);
    return state_->requests;
}

bool LoopbackHttpServer::waitForRequests(std::size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, limit, [&] { return state_->requests.size() >= count; });
}

std::vector<ServerClock::time_point> LoopbackHttpServer::hangups() const {
    std::lock_guard lock(state_->mutex);
    return state_->hangups;
}

bool LoopbackHttpServer::waitForHangups(std::size_t count, std::chrono::milliseconds limit) const {
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, limit, [&] { return state_->hangups.size() >= count; });
}

} // namespace tieba::testing
