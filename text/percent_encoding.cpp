#include "text/percent_encoding.h"

#include "platform/event_pump.h"
#include "text/codepage_conversion.h"

namespace tieba {
namespace {

bool isPlain(unsigned char byte) {
    return (byte >= 0x2C && byte <= 0x39) || (byte >= 'A' && byte <= 'Z') ||
           (byte >= 'a' && byte <= 'z');
}

Text encodeBytes(std::string_view bytes, bool keepPlain) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    platform::EventPump& pump = platform::currentEventPump();
    Text encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (keepPlain && isPlain(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        }
        pump.dispatchPending();
    }
    return encoded;
}

} // namespace

Text percentEncode(std::string_view text, std::optional<bool> keepPlain) {
    return encodeBytes(textOf(text), keepPlain.value_or(false));
}

Text percentEncodeUtf8(std::string_view text, std::optional<bool> keepPlain) {
    return encodeBytes(gbkToUtf8(text), keepPlain.value_or(false));
}

} // namespace tieba
