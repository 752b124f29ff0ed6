// urlHost, urlPath and urlPort on any address, and on addresses built from known parts.
//   input: flags (bit 0 build "http://" host ":" port "/" path), two port bytes,
//          address (or host \0 path)
#include "tests/fuzz/fuzz_input.h"
#include "text/url_parts.h"

#include <string>

using namespace tieba;
using namespace tieba::fuzz;

namespace {

bool hostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// Character starts of a GBK text that hold `byte`.
bool holdsAtCharacterStart(std::string_view text, char byte) {
    for (std::size_t i = 0; i < text.size();
         i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1) {
        if (text[i] == byte) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const int port = (static_cast<unsigned char>(in.position()) << 8) |
                     static_cast<unsigned char>(in.position());
    if (!in.flag(0)) {
        const std::string_view address = in.text();
        const Text host = urlHost(address);
        check(!holdsAtCharacterStart(host, '/') && !holdsAtCharacterStart(host, ':'),
              "urlHost gives no path or port");
        check(urlHost(host) == host, "the host of a host is itself");
        const Text path = urlPath(address);
        check(path.starts_with('/'), "urlPath begins with /");
        check(path == "/" || address.ends_with(path), "urlPath is the end of the address");
        urlPort(address);
        return 0;
    }

    std::string host;
    for (const char c : in.text()) {
        if (hostCharacter(c)) {
            host += c;
        }
    }
    if (host.empty()) {
        return 0;
    }
    const std::string_view path = in.text();
    const std::string address =
        "http://" + host + ":" + std::to_string(port) + "/" + std::string(path);
    check(urlHost(address) == host, "urlHost gives the host");
    check(urlPort(address) == port, "urlPort gives the port");
    check(urlPath(address) == "/" + std::string(path), "urlPath gives the path");
    return 0;
}
