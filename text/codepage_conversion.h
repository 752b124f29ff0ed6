#pragma once

#include "platform/icu_codec.h"
#include "text/gbk_text.h"

#include <optional>
#include <string>
#include <string_view>

// Conversions between GBK, UTF-8 and Big5. Each goes through UTF-16; each code page has one
// replacement, '?', for bytes it cannot read and characters it lacks.
namespace tieba {

using platform::CodePage;

// The program's system code page: every text it keeps is GBK.
inline constexpr CodePage kSystemCodePage = CodePage::Gbk;

// UTF-16 units of a text; reading stops at the first zero unit.
using Utf16Text = std::u16string;

// "\xD6\xD0" (中) => "\xE4\xB8\xAD"
Text gbkToUtf8(std::string_view gbk);
Text utf8ToGbk(std::string_view utf8);
// Big5 to GBK with traditional characters made simplified: "\xB0\xEA" (國) => "\xB9\xFA" (国)
Text big5ToGbk(std::string_view big5);

// Decodes a text (up to its first zero byte); without a code page the text is UTF-8.
Utf16Text multiByteToUtf16(std::string_view text, std::optional<CodePage> codePage = {});
// Encodes units up to the first zero unit; without a code page the target is the system code page.
Text utf16ToMultiByte(std::u16string_view units, std::optional<CodePage> codePage = {});

// Big5 to GBK keeping traditional characters: "\xB0\xEA" => "\x87\xF8" (國 in GBK). A character
// GBK lacks becomes '?' and the rest of the text follows it.
Text big5ToGbkTraditional(std::string_view big5);

// Traditional Han characters of a GBK text replaced by their simplified forms; every other byte,
// symbols and ASCII included, stays as it is, and so does the length.
Text toSimplifiedChinese(std::string_view gbk);

} // namespace tieba
