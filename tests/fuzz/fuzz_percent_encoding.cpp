// percentEncode and percentEncodeUtf8: only escapes (and plain bytes when asked), and the
// encoding decodes back to the bytes it stands for.
//   input: flags (bit 0 keepPlain given, bit 1 its value), text (zero bytes included)
#include "tests/fuzz/fuzz_input.h"
#include "text/codepage_conversion.h"
#include "text/percent_encoding.h"

using namespace tieba;
using namespace tieba::fuzz;

namespace {

bool isPlain(unsigned char c) {
    return c == ',' || c == '-' || c == '.' || c == '/' || (c >= '0' && c <= '9') ||
           (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1; // lower-case digits are not ours
}

// The bytes an encoding stands for; checks the shape on the way.
std::string decoded(std::string_view encoded, bool keepPlain) {
    std::string bytes;
    for (std::size_t i = 0; i < encoded.size();) {
        if (encoded[i] != '%') {
            check(keepPlain && isPlain(static_cast<unsigned char>(encoded[i])),
                  "only plain bytes pass unescaped, and only with keepPlain");
            bytes += encoded[i++];
            continue;
        }
        check(i + 3 <= encoded.size(), "an escape has two digits");
        const int high = hexValue(encoded[i + 1]);
        const int low = hexValue(encoded[i + 2]);
        check(high >= 0 && low >= 0, "escapes use upper-case hexadecimal digits");
        const auto byte = static_cast<unsigned char>(high * 16 + low);
        check(!(keepPlain && isPlain(byte)), "a plain byte is not escaped with keepPlain");
        bytes += static_cast<char>(byte);
        i += 3;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const std::optional<bool> keepPlain =
        in.flag(0) ? std::optional<bool>(in.flag(1)) : std::nullopt;
    const std::string_view bytes = in.bytes();
    const Text text = textOf(bytes);

    const Text encoded = percentEncode(bytes, keepPlain);
    check(decoded(encoded, keepPlain.value_or(false)) == text,
          "percentEncode decodes back to the text");
    if (!keepPlain.value_or(false)) {
        check(encoded.size() == 3 * text.size(), "every byte becomes %XX");
    }
    check(decoded(percentEncodeUtf8(bytes, keepPlain), keepPlain.value_or(false)) ==
              gbkToUtf8(bytes),
          "percentEncodeUtf8 decodes back to the text's UTF-8 form");
    return 0;
}
