#include "text/codepage_conversion.h"

#include "platform/icu_han_simplifier.h"

#include <unordered_map>

namespace tieba {

Utf16Text multiByteToUtf16(std::string_view text, std::optional<CodePage> codePage) {
    return platform::decodeBytes(textOf(text), codePage.value_or(CodePage::Utf8));
}

Text utf16ToMultiByte(std::u16string_view units, std::optional<CodePage> codePage) {
    const std::u16string_view upToZero = units.substr(0, units.find(u'\0'));
    return platform::encodeUnits(upToZero, codePage.value_or(kSystemCodePage));
}

Text gbkToUtf8(std::string_view gbk) {
    return utf16ToMultiByte(multiByteToUtf16(gbk, CodePage::Gbk), CodePage::Utf8);
}

Text utf8ToGbk(std::string_view utf8) {
    return utf16ToMultiByte(multiByteToUtf16(utf8), CodePage::Gbk);
}

Text big5ToGbkTraditional(std::string_view big5) {
    return utf16ToMultiByte(multiByteToUtf16(big5, CodePage::Big5), CodePage::Gbk);
}

Text big5ToGbk(std::string_view big5) {
    return toSimplifiedChinese(big5ToGbkTraditional(big5));
}

namespace {

// How code page 936 reads the character at `i`: a lead 81..FE with a trail 40..7E or 80..FE is
// two bytes; every other byte, 0x80 (the euro sign) and 0xFF included, is one. Simplifying goes
// by this reading rather than the program's text walk, so that it never maps a pair that the code
// page reads as two characters: "\x80\xC4\xC8" is the euro sign and then C4 C8.
std::size_t codePageCharacterLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x81 || lead > 0xFE || i + 1 == text.size()) {
        return 1;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF ? 2 : 1;
}

} // namespace

Text toSimplifiedChinese(std::string_view gbk) {
    const Text text = textOf(gbk);
    Text result;
    result.reserve(text.size());
    std::unordered_map<std::string, std::string> simplified; // per call: pages repeat characters
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = codePageCharacterLength(text, i);
        const std::string character = text.substr(i, width);
        i += width;
        if (width != 2) {
            result += character;
            continue;
        }
        auto found = simplified.find(character);
        if (found == simplified.end()) {
            const Utf16Text units = platform::decodeBytes(character, CodePage::Gbk);
            std::string mapped = character;
            if (units.size() == 1 && units != u"?") {
                const Text encoded =
                    platform::encodeUnits(platform::simplifyHanCharacter(units), CodePage::Gbk);
                // Keep the length: a form that GBK cannot hold in two bytes is not used.
                if (encoded.size() == 2 && encoded != "??") {
                    mapped = encoded;
                }
            }
            found = simplified.emplace(character, std::move(mapped)).first;
        }
        result += found->second;
    }
    return result;
}

} // namespace tieba
