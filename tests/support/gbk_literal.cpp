#include "tests/support/gbk_literal.h"

#include <iconv.h>

#include <stdexcept>

namespace tieba::testing {
namespace {

std::string convert(std::string_view input, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv_open failed");
    }
    std::string output(input.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("iconv could not convert a test literal");
    }
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace

std::string gbk(std::string_view utf8) {
    return convert(utf8, "UTF-8", "GBK");
}

std::string utf8FromGbk(std::string_view gbkBytes) {
    return convert(gbkBytes, "GBK", "UTF-8");
}

} // namespace tieba::testing
