// The worker's Set-Cookie collection from any response header text.
//   input: flags (unused), header text (zero bytes included)
#include "tests/fuzz/fuzz_input.h"
#include "web/response_cookies.h"

#include <vector>

using namespace tieba;
using namespace tieba::fuzz;

namespace {

// The header's lines that set a cookie, each after "Set-Cookie: ", without CR LF.
std::vector<std::string_view> cookieLines(std::string_view header) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < header.size()) {
        std::size_t end = header.find('\n', begin);
        end = end == std::string_view::npos ? header.size() : end;
        std::string_view line = header.substr(begin, end - begin);
        begin = end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (findText(line, "Set-Cookie: ", {}, LetterCase::Ignored) > 0) {
            lines.push_back(line.substr(12));
        }
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const std::string_view header = in.bytes();

    const ResponseCookies result = responseCookiesOf(header);
    const std::vector<std::string_view> lines = cookieLines(header);
    check(result.cookies.size() == lines.size(), "one cookie for each Set-Cookie line");
    std::size_t collectedAt = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ResponseCookie& cookie = result.cookies[i];
        check(!contains(cookie.name, "="), "a cookie's name holds no =");
        const Text whole = cookie.name.empty() && !contains(lines[i], "=")
                               ? cookie.data
                               : cookie.name + "=" + cookie.data;
        check(whole == lines[i], "name and data make up the line");
        // Each collected entry is its line up to the first ";" that begins a character.
        std::size_t cut = 0;
        while (cut < lines[i].size() && lines[i][cut] != ';') {
            cut += static_cast<unsigned char>(lines[i][cut]) >= 0x80 ? 2 : 1;
        }
        const std::string entry = std::string(lines[i].substr(0, cut)) + ";";
        check(result.collected.compare(collectedAt, entry.size(), entry) == 0,
              "the collected text is each line's name=value and ;, in order");
        collectedAt += entry.size();
    }
    check(collectedAt == result.collected.size() || lines.empty(),
          "nothing is collected but the cookies");
    check(!contains(result.collected, "\n"), "the collected text is one line");
    return 0;
}
