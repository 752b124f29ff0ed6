#include "platform/curl_http_client.h"

#include "platform/curl_header_lines.h"
#include "platform/curl_runtime.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <vector>

namespace tieba::platform {
namespace {

constexpr int kMaxRedirects = 20;

// Without these libcurl would add "Accept: */*", "Expect: 100-continue" for larger bodies, its
// own Content-Type, and Proxy-Connection through a proxy. An entry with nothing after the colon
// only switches libcurl's header off and is never sent itself.
constexpr std::array kSuppressedHeaders = {
    "Accept:", "Expect:", "Content-Type:", "Transfer-Encoding:"};

bool isRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// RFC 6761: names in "invalid" never resolve; they must not cost a query to a name server.
bool isReservedInvalidName(std::string host) {
    host = lowered(host);
    if (!host.empty() && host.back() == '.') {
        host.pop_back();
    }
    return host == "invalid" || host.ends_with(".invalid");
}

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

std::string urlPart(CURLU* url, CURLUPart part, unsigned flags = 0) {
    char* text = nullptr;
    std::string result;
    if (curl_url_get(url, part, &text, flags) == CURLUE_OK && text != nullptr) {
        result = text;
    }
    curl_free(text);
    return result;
}

// Scheme, host and port of an absolute address, and the address itself.
struct Origin {
    std::string url;
    std::string scheme;
    std::string host;
    std::string port;
    bool operator==(const Origin& other) const {
        return scheme == other.scheme && host == other.host && port == other.port;
    }
};

std::optional<Origin> originOf(const std::string& address,
                               std::optional<std::string_view> relative = {}) {
    UrlHandle url(curl_url());
    if (!url ||
        curl_url_set(url.get(), CURLUPART_URL, address.c_str(), CURLU_ALLOW_SPACE) != CURLUE_OK) {
        return std::nullopt;
    }
    if (relative &&
        curl_url_set(url.get(), CURLUPART_URL, std::string(*relative).c_str(),
                     CURLU_URLENCODE | CURLU_ALLOW_SPACE | CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK) {
        return std::nullopt;
    }
    return Origin{urlPart(url.get(), CURLUPART_URL), lowered(urlPart(url.get(), CURLUPART_SCHEME)),
                  lowered(urlPart(url.get(), CURLUPART_HOST)),
                  urlPart(url.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT)};
}

} // namespace

void initializeHttpClient() {
    curl::cookieShare();
}

InternetSession::InternetSession(SessionSettings settings) : settings_(std::move(settings)) {
    initializeHttpClient();
}

HttpConnection::HttpConnection(const InternetSession& session, std::string host, int port)
    : session_(session), host_(std::move(host)), port_(port) {}

bool HttpConnection::isOpen() const {
    return !host_.empty() && port_ >= 0 && port_ <= 65535;
}

// One request and the chain of redirects it follows, driven through a multi handle of its own
// so that a cancel can wake it at once.
struct HttpRequest::Exchange {
    SessionSettings session;
    std::uint32_t flags = 0;
    bool connectionOpen = false;

    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    curl_slist* headerList = nullptr;
    curl_slist* proxyHeaderList = nullptr;
    bool inMulti = false;
    bool sent = false;

    // The current hop.
    std::string url;
    // The first hop's path goes on the wire exactly as the caller wrote it, spaces included
    // (a search for page " 3" sends "pn= 3"); libcurl's URL parser would refuse it.
    std::string origin;        // "http://host:port/"
    std::string requestTarget; // empty on redirect hops, whose address libcurl parsed
    std::string host;
    std::string method;
    std::vector<std::string> lines;
    std::string body;
    int redirects = 0;
    std::optional<Origin> nextHop; // set when the response just read is a redirect to follow

    // The answer.
    std::string headerText;
    bool headersDone = false;
    bool over = false;
    std::string pending;
    std::size_t pendingAt = 0;
    std::size_t accepted = 0;

    ~Exchange() {
        if (session.cancel != nullptr && multi != nullptr) {
            session.cancel->detach(multi);
        }
        if (inMulti) {
            curl_multi_remove_handle(multi, easy);
        }
        curl_easy_cleanup(easy);
        curl_multi_cleanup(multi);
        curl_slist_free_all(headerList);
        curl_slist_free_all(proxyHeaderList);
    }

    bool cancelled() const { return session.cancel != nullptr && session.cancel->cancelled(); }

    bool proxyApplies() const {
        return !session.proxy.empty() && lowered(url).starts_with("http://");
    }

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self) {
        const std::size_t length = size * count;
        return static_cast<Exchange*>(self)->takeHeaderLine(std::string_view(data, length)) ? length
                                                                                            : 0;
    }

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self) {
        const std::size_t length = size * count;
        return static_cast<Exchange*>(self)->takeBody(std::string_view(data, length)) ? length : 0;
    }

    // False stops the hop: its response is a redirect that will be followed.
    bool takeHeaderLine(std::string_view line) {
        if (headersDone) {
            return true; // trailers after a chunked body are not part of the header block
        }
        if (line.starts_with("HTTP/")) {
            headerText.clear();
        }
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.remove_suffix(1);
        }
        headerText.append(line).append("\r\n");
        if (!line.empty()) {
            return true;
        }
        const int status = statusCodeOf(headerText);
        if (status >= 100 && status < 200) {
            headerText.clear(); // an interim answer; the real one follows
            return true;
        }
        nextHop = redirectTarget(status);
        if (nextHop) {
            return false;
        }
        headersDone = true;
        return true;
    }

    std::optional<Origin> redirectTarget(int status) const {
        if ((flags & request_flags::kNoAutoRedirect) != 0 || !isRedirectStatus(status) ||
            redirects >= kMaxRedirects) {
            return std::nullopt;
        }
        const std::optional<std::string> location = headerValueOf(headerText, "Location");
        const std::optional<Origin> here = originOf(url);
        if (!location || location->empty() || !here) {
            return std::nullopt;
        }
        std::optional<Origin> there = originOf(url, *location);
        if (!there || (there->scheme != "http" && there->scheme != "https")) {
            return std::nullopt;
        }
        const bool upgrade = here->scheme == "http" && there->scheme == "https";
        const bool downgrade = here->scheme == "https" && there->scheme == "http";
        if ((upgrade && (flags & request_flags::kIgnoreRedirectToHttps) == 0) ||
            (downgrade && (flags & request_flags::kIgnoreRedirectToHttp) == 0)) {
            return std::nullopt;
        }
        return there;
    }

    bool takeBody(std::string_view data) {
        if (!headersDone) {
            return true;
        }
        const std::size_t room = session.maxBodyBytes - accepted;
        const std::size_t taken = std::min(room, data.size());
        pending.append(data.substr(0, taken));
        accepted += taken;
        return taken == data.size();
    }

    void buildHeaderLists() {
        curl_slist_free_all(headerList);
        headerList = nullptr;
        for (const std::string& line : lines) {
            headerList = curl_slist_append(headerList, line.c_str());
        }
        for (const char* suppressed : kSuppressedHeaders) {
            headerList = curl_slist_append(headerList, suppressed);
        }
        // A body without a length of its own gets libcurl's Content-Length; no body gets none.
        if (body.empty()) {
            headerList = curl_slist_append(headerList, "Content-Length:");
        }
        if (proxyHeaderList == nullptr) {
            proxyHeaderList = curl_slist_append(nullptr, "Proxy-Connection:");
        }
    }

    bool startHop() {
        if (!proxyApplies() && isReservedInvalidName(host)) {
            return false;
        }
        // A fresh handle per hop: curl_easy_reset in libcurl 7.88 loses track of the cookie
        // file list and leaks it.
        curl_easy_cleanup(easy); // no-op for the first hop's null
        easy = curl_easy_init();
        CURL* e = easy;
        if (e == nullptr) {
            return false;
        }
        buildHeaderLists();
        if (requestTarget.empty()) {
            curl_easy_setopt(e, CURLOPT_URL, url.c_str());
        } else {
            curl_easy_setopt(e, CURLOPT_URL, origin.c_str());
            // Through a proxy the request line names the whole address.
            const std::string target = proxyApplies() ? url : requestTarget;
            curl_easy_setopt(e, CURLOPT_REQUEST_TARGET, target.c_str());
        }
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        // A cancelled transfer still looking up its host would otherwise wait for the lookup
        // thread to finish; with this the thread is left to end and clean up on its own.
        curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);
        curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
        curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L);
        curl_easy_setopt(e, CURLOPT_PROXY, proxyApplies() ? session.proxy.c_str() : "");
        if (!session.agent.empty()) {
            curl_easy_setopt(e, CURLOPT_USERAGENT, session.agent.c_str());
        }
        curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList);
        curl_easy_setopt(e, CURLOPT_PROXYHEADER, proxyHeaderList);
        curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Exchange::onHeader);
        curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Exchange::onBody);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
        if (method == "GET" || (method != "POST" && body.empty())) {
            curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
        } else {
            // The size option, not a header line: a header line would outlive a redirect to GET.
            curl_easy_setopt(e, CURLOPT_POST, 1L);
            curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
            curl_easy_setopt(e, CURLOPT_POSTFIELDS, body.data());
        }
        if (method != "GET" && method != "POST") {
            curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, method.c_str());
        }
        if ((flags & request_flags::kNoCookies) == 0) {
            // Attaching the store is not enough: the engine only runs with a cookie file set.
            curl_easy_setopt(e, CURLOPT_SHARE, curl::cookieShare());
            curl_easy_setopt(e, CURLOPT_COOKIEFILE, "");
        }
        inMulti = curl_multi_add_handle(multi, e) == CURLM_OK;
        return inMulti;
    }

    // The hop's response was a redirect: the next request, as a browser would send it.
    bool followRedirect() {
        const int status = statusCodeOf(headerText);
        const std::optional<Origin> here = originOf(url);
        if ((status == 303 && method != "HEAD") ||
            ((status == 301 || status == 302) && method == "POST")) {
            method = "GET";
            body.clear();
            lines = withoutHeaders(lines, {"Content-Type", "Content-Length"});
        }
        if (!here || !(*here == *nextHop)) {
            lines = withoutHeaders(lines, {"Cookie", "Authorization"});
        }
        url = nextHop->url;
        requestTarget.clear();
        host = nextHop->host;
        nextHop.reset();
        ++redirects;
        headerText.clear();
        return startHop();
    }

    void hopEnded() {
        curl_multi_remove_handle(multi, easy);
        inMulti = false;
        if (nextHop && !cancelled() && followRedirect()) {
            return;
        }
        over = true;
    }

    template <typename Enough>
    void drive(Enough enough) {
        while (!over && !enough()) {
            if (cancelled()) {
                // Leaving the multi handle closes the connection now, not when the request closes.
                if (inMulti) {
                    curl_multi_remove_handle(multi, easy);
                    inMulti = false;
                }
                over = true;
                return;
            }
            int running = 0;
            curl_multi_perform(multi, &running);
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
                if (message->msg == CURLMSG_DONE) {
                    hopEnded();
                }
            }
            if (over || enough()) {
                return;
            }
            curl_multi_poll(multi, nullptr, 0, pollLimitMs(), nullptr);
        }
    }

    int pollLimitMs() const {
        constexpr int kIdleLimitMs = 1000;
        const auto deadline = session.cancel != nullptr ? session.cancel->deadline() : std::nullopt;
        if (!deadline) {
            return kIdleLimitMs;
        }
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(*deadline - TransferCancel::Clock::now());
        return static_cast<int>(std::clamp<long long>(left.count(), 0, kIdleLimitMs));
    }
};

HttpRequest::HttpRequest(const HttpConnection& connection, std::string method, std::string path,
                         std::uint32_t flags)
    : exchange_(std::make_unique<Exchange>()) {
    Exchange& x = *exchange_;
    x.session = connection.session().settings();
    x.flags = flags;
    x.connectionOpen = connection.isOpen();
    x.method = std::move(method);
    initializeHttpClient();
    x.multi = curl_multi_init();
    if (x.session.cancel != nullptr && x.multi != nullptr) {
        x.session.cancel->attach(x.multi);
    }
    const bool secure = (flags & request_flags::kSecure) != 0;
    const std::string& host = connection.host();
    x.host = host;
    x.url = secure ? "https://" : "http://";
    x.url += host.find(':') != std::string::npos ? "[" + host + "]" : host;
    if (connection.port() != 0) {
        x.url += ":" + std::to_string(connection.port());
    }
    x.origin = x.url + "/";
    x.requestTarget = path.starts_with("/") ? path : "/" + path;
    x.url += x.requestTarget;
}

HttpRequest::~HttpRequest() = default;

bool HttpRequest::isOpen() const {
    return exchange_->connectionOpen && exchange_->multi != nullptr;
}

bool HttpRequest::send(std::string_view headerBlock, std::string_view body) {
    Exchange& x = *exchange_;
    if (!isOpen() || x.sent) {
        return false;
    }
    x.sent = true;
    x.lines = headerLinesOf(headerBlock);
    x.body = std::string(body);
    if (x.cancelled() || !x.startHop()) {
        x.over = true;
        return false;
    }
    x.drive([&x] { return x.headersDone; });
    return x.headersDone;
}

std::size_t HttpRequest::read(char* buffer, std::size_t size) {
    Exchange& x = *exchange_;
    if (!x.sent || size == 0) {
        return 0;
    }
    x.drive([&x] { return x.pendingAt < x.pending.size(); });
    const std::size_t count = std::min(size, x.pending.size() - x.pendingAt);
    std::memcpy(buffer, x.pending.data() + x.pendingAt, count);
    x.pendingAt += count;
    if (x.pendingAt == x.pending.size()) {
        x.pending.clear();
        x.pendingAt = 0;
    }
    return count;
}

std::optional<std::size_t> HttpRequest::declaredLength() const {
    if (!exchange_->headersDone) {
        return std::nullopt;
    }
    const std::optional<std::string> value = headerValueOf(exchange_->headerText, "Content-Length");
    std::size_t length = 0;
    if (!value || std::from_chars(value->data(), value->data() + value->size(), length).ptr !=
                      value->data() + value->size()) {
        return std::nullopt;
    }
    return length;
}

std::optional<std::string> HttpRequest::rawResponseHeaders() const {
    if (!exchange_->headersDone) {
        return std::nullopt;
    }
    return exchange_->headerText;
}

} // namespace tieba::platform
