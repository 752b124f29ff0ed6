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

Text toSimplifiedChinese(std::string_view gbk) {
    const Text text = textOf(gbk);
    Text result;
    result.reserve(text.size());
    std::unordered_map<std::string, std::string> simplified; // per call: pages repeat characters
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width =
            std::min(gbkCharacterLength(static_cast<unsigned char>(text[i])), text.size() - i);
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
