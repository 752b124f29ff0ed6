#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tieba::skinlib {

// Our skin format, as the skin library reads it: a text of header lines, a blank line and a Qt
// style sheet, all UTF-8.
//
//   TIEBA-SKIN 1
//   name: 青花
//   palette.Window: #eef2f8
//   shadow: #402a4b7c
//
//   QPushButton { ... }
//
// The document ends at the first zero byte; what follows is padding that lets a skin fill a
// block of fixed length, and is never read.
struct SkinSetting {
    std::string key;
    std::string value;
};

struct SkinDocument {
    std::vector<SkinSetting> settings; // in document order
    std::string styleSheet;
};

inline constexpr std::string_view kSkinMagicLine = "TIEBA-SKIN 1";

// The document in `bytes`, or nothing when they hold no skin of ours: no magic line, a header
// line without "key: value", or an empty key.
std::optional<SkinDocument> readSkinDocument(std::span<const unsigned char> bytes);

// The value of the last setting named `key`; later lines win, like in a style sheet.
std::optional<std::string> settingOf(const SkinDocument& document, std::string_view key);

} // namespace tieba::skinlib
