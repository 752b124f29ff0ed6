#include "platform/curl_cookie_store.h"

#include "platform/curl_runtime.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

namespace tieba::platform {
namespace {

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

// A throwaway handle on the store: the store is the share, not the handle.
EasyHandle storeHandle() {
    EasyHandle easy(curl_easy_init());
    if (easy) {
        curl_easy_setopt(easy.get(), CURLOPT_SHARE, curl::cookieShare());
    }
    return easy;
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// "http://Host:81/x" => "host"
std::string hostOf(std::string_view address) {
    std::string host;
    CURLU* url = curl_url();
    if (url != nullptr &&
        curl_url_set(url, CURLUPART_URL, std::string(address).c_str(),
                     CURLU_NON_SUPPORT_SCHEME | CURLU_GUESS_SCHEME) == CURLUE_OK) {
        char* part = nullptr;
        if (curl_url_get(url, CURLUPART_HOST, &part, 0) == CURLUE_OK) {
            host = part;
            curl_free(part);
        }
    }
    curl_url_cleanup(url);
    return lowered(host);
}

// The domain attribute among a cookie's attributes, lowered and without a leading dot.
//   "1; Domain=.Baidu.com; path=/" => "baidu.com"
std::optional<std::string> domainAttributeOf(std::string_view data) {
    std::optional<std::string> domain;
    std::size_t semicolon = data.find(';');
    while (semicolon != std::string_view::npos) {
        data.remove_prefix(semicolon + 1);
        semicolon = data.find(';');
        std::string attribute = lowered(data.substr(0, semicolon));
        attribute.erase(0, attribute.find_first_not_of(" \t"));
        if (attribute.starts_with("domain=")) {
            domain = attribute.substr(7);
            domain->erase(domain->find_last_not_of(" \t") + 1);
            domain->erase(0, domain->find_first_not_of('.'));
        }
    }
    return domain;
}

} // namespace

void storeCookie(std::string_view address, std::string_view name, std::string_view data) {
    const std::string host = hostOf(address);
    if (host.empty()) {
        return;
    }
    std::string line = "Set-Cookie: ";
    if (!name.empty()) {
        line.append(name).append("=");
    }
    line.append(data);
    if (const auto domain = domainAttributeOf(data)) {
        // A host may set cookies for itself and its parent domains, never for others.
        if (host != *domain && !host.ends_with("." + *domain)) {
            return;
        }
    } else {
        // libcurl drops a cookie that has no domain without a word.
        line.append("; domain=").append(host);
    }
    if (EasyHandle easy = storeHandle()) {
        curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, line.c_str());
    }
}

std::vector<std::string> storedCookies() {
    std::vector<std::string> lines;
    EasyHandle easy = storeHandle();
    curl_slist* list = nullptr;
    if (easy && curl_easy_getinfo(easy.get(), CURLINFO_COOKIELIST, &list) == CURLE_OK) {
        for (const curl_slist* item = list; item != nullptr; item = item->next) {
            lines.emplace_back(item->data);
        }
    }
    curl_slist_free_all(list);
    return lines;
}

void clearStoredCookies() {
    if (EasyHandle easy = storeHandle()) {
        curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
    }
}

} // namespace tieba::platform
