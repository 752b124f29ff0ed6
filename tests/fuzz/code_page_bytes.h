#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What each code page accepts as output, written out from the code pages' byte ranges and
// independent of the converters under test.
namespace tieba::fuzz {

inline unsigned char at(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

// A text of a Windows double-byte code page: ASCII, 0x80 and 0xFF alone, or a lead 81..FE
// followed by a trail that `isTrail` accepts.
template <typename TrailTest>
bool isDoubleByteText(std::string_view bytes, TrailTest isTrail) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char lead = at(bytes, i);
        if (lead <= 0x80 || lead == 0xFF) {
            continue;
        }
        if (i + 1 == bytes.size() || !isTrail(at(bytes, ++i))) {
            return false;
        }
    }
    return true;
}

// Windows 936: 0xFF alone is U+F8F5; trails 40..7E / 80..FE.
inline bool isGbkTrail(unsigned char trail) {
    return trail >= 0x40 && trail != 0x7F && trail != 0xFF;
}

inline bool isGbk(std::string_view bytes) {
    return isDoubleByteText(bytes, isGbkTrail);
}

// Does code page 936 read a two-byte character at `i`?
inline bool isGbkPairAt(std::string_view bytes, std::size_t i) {
    const unsigned char lead = at(bytes, i);
    return lead > 0x80 && lead < 0xFF && i + 1 < bytes.size() && isGbkTrail(at(bytes, i + 1));
}

// Windows 950: 0xFF alone is U+F8F8; trails 40..7E / A1..FE.
inline bool isBig5(std::string_view bytes) {
    return isDoubleByteText(bytes, [](unsigned char trail) {
        return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE);
    });
}

// Well-formed UTF-8: shortest forms, no surrogates, nothing past U+10FFFF.
inline bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char b = at(bytes, i);
        std::size_t length = 0;
        char32_t value = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            value = b & 0x1Fu;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            value = b & 0x0Fu;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            value = b & 0x07u;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char c = at(bytes, i + k);
            if ((c & 0xC0u) != 0x80u) {
                return false;
            }
            value = (value << 6) | (c & 0x3Fu);
        }
        const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// Every surrogate in a pair, high first.
inline bool isUtf16(std::u16string_view units) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) {
                return false;
            }
            ++i;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

} // namespace tieba::fuzz
