#pragma once

#include <string>
#include <string_view>

// Byte <-> UTF-16 conversion over ICU's converters. Every code page has one replacement:
// bytes that are not valid in it decode to '?', characters that it lacks encode to '?'.
namespace tieba::platform {

enum class CodePage {
    Gbk = 936,    // ICU "windows-936-2000": Windows' own table, 0x80 is the euro sign
    Big5 = 950,   // ICU "windows-950-2000"
    Utf8 = 65001, // ICU "UTF-8"
};

std::u16string decodeBytes(std::string_view bytes, CodePage codePage);
std::string encodeUnits(std::u16string_view units, CodePage codePage);

} // namespace tieba::platform
