#include "extract/delimited_runs.h"
#include "text/gbk_text.h"

#if defined(__SSE2__) && !defined(TIEBA_PORTABLE_GBK_SCAN)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tieba {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

unsigned char byteAt(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

constexpr unsigned char foldAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

constexpr std::array<unsigned char, 256> kFolded = [] {
    std::array<unsigned char, 256> folded{};
    for (std::size_t byte = 0; byte < folded.size(); ++byte) {
        folded[byte] = foldAscii(static_cast<unsigned char>(byte));
    }
    return folded;
}();

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') {
            return false;
        }
    }
    return true;
}

bool isAsciiLetter(unsigned char byte) {
    return kFolded[byte] >= 'a' && kFolded[byte] <= 'z';
}

// Searches a non-empty ASCII needle in any case of its letters. With SSE2, sixteen places are
// tested at once on the needle's first, middle and last bytes (a letter in either case), and only
// where all three agree is the needle compared in full. Otherwise Boyer-Moore-Horspool over
// case-folded bytes, where the byte under the window's end tells how far the window can jump.
class AsciiCaselessFinder {
public:
    explicit AsciiCaselessFinder(std::string_view needle) : needle_(needle) {
        const std::size_t last = needle.size() - 1;
        for (std::size_t& jump : jumps_) {
            jump = needle.size();
        }
        for (std::size_t i = 0; i < last; ++i) {
            const unsigned char folded = kFolded[byteAt(needle, i)];
            jumps_[folded] = last - i;
            if (isAsciiLetter(folded)) {
                jumps_[static_cast<unsigned char>(folded - ('a' - 'A'))] = last - i;
            }
        }
    }

    // The first occurrence at or after `from`, wherever it begins, or kNone.
    std::size_t find(std::string_view text, std::size_t from) const {
#if defined(__SSE2__) && !defined(TIEBA_PORTABLE_GBK_SCAN)
        return findByAnchors(text, from);
#else
        return findByJumps(text, from);
#endif
    }

private:
#if defined(__SSE2__) && !defined(TIEBA_PORTABLE_GBK_SCAN)
    // Sixteen places whose byte at `offset` equals the needle's there, in any case: bit i for
    // the place at + i.
    unsigned placesMatching(std::string_view text, std::size_t at, std::size_t offset) const {
        const unsigned char byte = byteAt(needle_, offset);
        // Setting 0x20 turns a capital into its small letter and leaves a small one alone.
        const char caseBit = isAsciiLetter(byte) ? 0x20 : 0;
        const __m128i bytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at + offset));
        const __m128i folded = _mm_or_si128(bytes, _mm_set1_epi8(caseBit));
        const auto wanted = static_cast<char>(kFolded[byte]);
        return static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(folded, _mm_set1_epi8(wanted))));
    }

    std::size_t findByAnchors(std::string_view text, std::size_t from) const {
        const std::size_t size = needle_.size();
        const std::size_t middle = size / 2;
        const std::size_t last = size - 1;
        std::size_t at = from;
        // Sixteen places while the loads stay inside the text.
        for (; at + last + 16 <= text.size(); at += 16) {
            unsigned places = placesMatching(text, at, 0) & placesMatching(text, at, middle) &
                              placesMatching(text, at, last);
            while (places != 0) {
                const std::size_t place = at + static_cast<std::size_t>(std::countr_zero(places));
                if (matchesAt(text, place)) {
                    return place;
                }
                places &= places - 1;
            }
        }
        for (; at + size <= text.size(); ++at) {
            if (matchesAt(text, at)) {
                return at;
            }
        }
        return kNone;
    }
#endif

    std::size_t findByJumps(std::string_view text, std::size_t from) const {
        const std::size_t size = needle_.size();
        const unsigned char lastByte = kFolded[byteAt(needle_, size - 1)];
        for (std::size_t at = from; at + size <= text.size();) {
            const unsigned char end = byteAt(text, at + size - 1);
            if (kFolded[end] == lastByte && matchesAt(text, at)) {
                return at;
            }
            at += jumps_[end];
        }
        return kNone;
    }

    bool matchesAt(std::string_view text, std::size_t at) const {
        // Pages write delimiters in the case the caller gives them: try that first.
        if (std::memcmp(text.data() + at, needle_.data(), needle_.size()) == 0) {
            return true;
        }
        for (std::size_t i = needle_.size(); i-- > 0;) {
            if (kFolded[byteAt(text, at + i)] != kFolded[byteAt(needle_, i)]) {
                return false;
            }
        }
        return true;
    }

    std::string_view needle_;
    std::array<std::size_t, 256> jumps_{};
};

// Tells whether offsets, asked in growing order, are character starts. In well-formed GBK a byte
// below 0x80 always ends a character (a single byte, or a trail of 40-7E), so the walk to an
// offset starts behind the last such byte before it; the walked stretches do not overlap, which
// keeps the total linear.
class CharacterStarts {
public:
    explicit CharacterStarts(std::string_view text) : text_(text) {}

    // `known` is a character start at or before `offset`.
    bool isStart(std::size_t offset, std::size_t known) {
        std::size_t at = known_ > known && known_ <= offset ? known_ : known;
        for (std::size_t back = offset; back > at; --back) {
            if (byteAt(text_, back - 1) < 0x80) {
                at = back;
                break;
            }
        }
        while (at < offset) {
            at += gbkCharacterLength(byteAt(text_, at));
        }
        known_ = at;
        return at == offset;
    }

private:
    std::string_view text_;
    std::size_t known_ = 0;
};

// The first occurrence that begins at a character start at or after the character start `from`.
class DelimiterSearch {
public:
    DelimiterSearch(std::string_view text, std::string_view needle)
        : text_(text), finder_(needle), starts_(text) {}

    std::size_t find(std::size_t from) {
        for (std::size_t at = finder_.find(text_, from); at != kNone;
             at = finder_.find(text_, at + 1)) {
            if (starts_.isStart(at, from)) {
                return at;
            }
        }
        return kNone;
    }

private:
    std::string_view text_;
    AsciiCaselessFinder finder_;
    CharacterStarts starts_;
};

// The first occurrence at or after an offset, remembered while the offsets asked stay at or
// before it (see delimited_runs.cpp).
template <typename Find>
class Remembered {
public:
    explicit Remembered(Find find) : find_(std::move(find)) {}

    std::size_t operator()(std::size_t from) {
        if (!known_ || from < from_ || (found_ != kNone && from > found_)) {
            found_ = find_(from);
            from_ = from;
            known_ = true;
        }
        return found_;
    }

private:
    Find find_;
    bool known_ = false;
    std::size_t from_ = 0;
    std::size_t found_ = kNone;
};

// Masks of one 64-byte chunk: bit i for byte i.
#if defined(__SSE2__) && !defined(TIEBA_PORTABLE_GBK_SCAN)
template <typename Test>
std::uint64_t chunkBits(const char* chunk, Test test) {
    std::uint64_t bits = 0;
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * part));
        bits |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(test(bytes)))}
                << (16 * part);
    }
    return bits;
}

bool isPlainAscii(const char* chunk) {
    return chunkBits(chunk, [](__m128i bytes) {
               return _mm_or_si128(bytes, _mm_cmpeq_epi8(bytes, _mm_setzero_si128()));
           }) == 0;
}

// High bytes, and whether any of 00, 80 and FF stands in the chunk.
std::uint64_t highBits(const char* chunk, bool& rare) {
    std::uint64_t bits = 0;
    __m128i rareBytes = _mm_setzero_si128();
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * part));
        bits |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(bytes))} << (16 * part);
        rareBytes = _mm_or_si128(
            rareBytes, _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()),
                                                 _mm_cmpeq_epi8(bytes, _mm_set1_epi8(-128))),
                                    _mm_cmpeq_epi8(bytes, _mm_set1_epi8(-1))));
    }
    rare = _mm_movemask_epi8(rareBytes) != 0;
    return bits;
}

// 40-7E. Signed compares: the high bytes are negative, so they need no test of their own.
std::uint64_t asciiTrailBits(const char* chunk) {
    return chunkBits(chunk, [](__m128i bytes) {
        return _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x3F)),
                             _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x7F)));
    });
}

std::uint64_t bitsEqual(const char* chunk, char value) {
    return chunkBits(
        chunk, [value](__m128i bytes) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(value)); });
}
#else
template <typename Test>
std::uint64_t chunkBits(const char* chunk, Test test) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 64; ++i) {
        bits |= test(static_cast<unsigned char>(chunk[i])) ? std::uint64_t{1} << i : 0;
    }
    return bits;
}

bool isPlainAscii(const char* chunk) {
    return chunkBits(chunk, [](unsigned char byte) { return byte == 0 || byte >= 0x80; }) == 0;
}

std::uint64_t highBits(const char* chunk, bool& rare) {
    rare = chunkBits(chunk, [](unsigned char byte) {
               return byte == 0x00 || byte == 0x80 || byte == 0xFF;
           }) != 0;
    return chunkBits(chunk, [](unsigned char byte) { return byte >= 0x80; });
}

std::uint64_t asciiTrailBits(const char* chunk) {
    return chunkBits(chunk, [](unsigned char byte) { return byte >= 0x40 && byte <= 0x7E; });
}

std::uint64_t bitsEqual(const char* chunk, char value) {
    return chunkBits(
        chunk, [value](unsigned char byte) { return byte == static_cast<unsigned char>(value); });
}
#endif

} // namespace

// Every run of consecutive high bytes begins at a character start, since the byte before it is
// either a single byte or a trail of 40-7E. The run pairs itself up from its start: its leads
// stand at even distances from the start, and 80 may not be one (FF may stand nowhere). A run
// of odd length lends its last byte to the byte after it, which must then be a trail of 40-7E.
// The runs of 64 bytes at a time are told apart by the parity of their starts with carries, as
// simdjson does for runs of backslashes; `oddRunOpen` carries a run that reaches the end of a
// chunk with an odd length into the next one.
bool isWellFormedGbk(std::string_view text) {
    constexpr std::uint64_t kEvenBits = 0x5555555555555555ULL;
    constexpr std::uint64_t kOddBits = ~kEvenBits;
    std::uint64_t oddRunOpen = 0;
    for (std::size_t at = 0; at < text.size(); at += 64) {
        char padded[64];
        const char* bytes = text.data() + at;
        if (text.size() - at < 64) {
            // A space after the end: an odd run there finds no trail, as at the real end.
            std::memset(padded, ' ', sizeof padded);
            std::memcpy(padded, bytes, text.size() - at);
            bytes = padded;
        }
        // Most chunks of a page are plain ASCII and close no run: nothing to check there.
        if (oddRunOpen == 0 && isPlainAscii(bytes)) {
            continue;
        }
        bool rare = false;
        const std::uint64_t high = highBits(bytes, rare);
        // A run carried in with an odd length counts as starting at an odd place: its first byte
        // here is a trail.
        const std::uint64_t starts = high & ~(high << 1);
        const std::uint64_t evenStartPlaces = kEvenBits ^ oddRunOpen;
        const std::uint64_t evenStarts = starts & evenStartPlaces;
        const std::uint64_t oddStarts = starts & ~evenStartPlaces;
        // Adding a run's start bit clears the run and sets the bit behind it.
        const std::uint64_t evenCarries = high + evenStarts;
        std::uint64_t oddCarries = 0;
        const bool carriedOut = __builtin_add_overflow(high, oddStarts, &oddCarries);
        oddCarries |= oddRunOpen;
        oddRunOpen = carriedOut ? 1 : 0;
        const std::uint64_t oddEnds =
            (evenCarries & ~high & kOddBits) | (oddCarries & ~high & kEvenBits);
        if (oddEnds != 0 && (oddEnds & ~asciiTrailBits(bytes)) != 0) {
            return false;
        }
        if (rare) {
            // 00 and FF never stand in GBK; 80 only as a trail.
            if ((bitsEqual(bytes, '\0') | bitsEqual(bytes, '\xFF')) != 0) {
                return false;
            }
            const std::uint64_t inEvenStartRuns = high & ~evenCarries;
            const std::uint64_t leads =
                (inEvenStartRuns & kEvenBits) | (high & ~inEvenStartRuns & kOddBits);
            if ((bitsEqual(bytes, '\x80') & leads) != 0) {
                return false;
            }
        }
    }
    return oddRunOpen == 0;
}

std::optional<std::vector<ByteSpan>>
findDelimitedRunsInGbk(std::string_view text, std::string_view left, std::string_view right) {
    if (left.empty() || right.empty() || !isAscii(left) || !isAscii(right) ||
        !isWellFormedGbk(text)) {
        return std::nullopt;
    }
    DelimiterSearch leftSearch(text, left);
    DelimiterSearch rightSearch(text, right);
    auto nextRight =
        Remembered([&rightSearch](std::size_t from) { return rightSearch.find(from); });
    auto nextLineFeed = Remembered([text](std::size_t from) { return text.find('\n', from); });

    std::vector<ByteSpan> runs;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t leftAt = leftSearch.find(from);
        if (leftAt == kNone) {
            break;
        }
        // Both delimiters are ASCII: they end at character starts and matches are never empty.
        const std::size_t runStart = leftAt + left.size();
        const std::size_t rightAt = nextRight(runStart);
        if (rightAt != kNone && rightAt <= nextLineFeed(runStart)) {
            runs.push_back({runStart, rightAt});
            from = rightAt + right.size();
        } else {
            from = leftAt + gbkCharacterLength(byteAt(text, leftAt)); // the next character
        }
    }
    return runs;
}

} // namespace tieba
