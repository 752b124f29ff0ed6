#pragma once

#include "text/gbk_text.h"

#include <array>
#include <cstddef>

namespace tieba {

// One web access on its way to the request worker and its results on the way back. The call
// fills every slot; the worker puts its results into slots 0, 1 and 5 and leaves the others.
struct WebAccessRecord {
    std::array<ByteSequence, 7> slots;
};

// Slot numbers, named for what they carry in and, where it differs, out.
namespace record_slot {
inline constexpr std::size_t kAddressThenPage = 0;
inline constexpr std::size_t kMethodThenCookies = 1; // cookies the response set, "a=1;b=2;"
inline constexpr std::size_t kProxy = 2;
inline constexpr std::size_t kExtraHeaders = 3;
inline constexpr std::size_t kBody = 4;
inline constexpr std::size_t kCookiesThenHeaders = 5; // raw response headers on the way back
inline constexpr std::size_t kFollowRedirects = 6;
} // namespace record_slot

// The follow-redirects slot's two texts.
inline constexpr std::string_view kTrueText = "\xD5\xE6";  // 真
inline constexpr std::string_view kFalseText = "\xBC\xD9"; // 假

} // namespace tieba
