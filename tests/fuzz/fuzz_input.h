#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// How every target reads libFuzzer's bytes: a flags byte, a signed position byte, then texts
// separated by zero bytes (program texts never hold one). Missing parts read as 0 or empty, so
// every input means something. The seed corpora are written in the same layout.
//   "\x01\x03" "abc\0b" => flags 1, position 3, texts "abc", "b"
namespace tieba::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    // Call first: the flags byte, then flag(n) tells its bits.
    void readFlags() { flags_ = static_cast<std::uint8_t>(takeByte()); }
    bool flag(int bit) const { return ((flags_ >> bit) & 1) != 0; }
    int position() { return static_cast<signed char>(takeByte()); }

    // The next text up to a zero byte; the last one runs to the end.
    std::string_view text() {
        const std::size_t end = rest_.find('\0');
        const std::string_view piece = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return piece;
    }
    // Everything not read yet, zero bytes included.
    std::string_view bytes() const { return rest_; }

private:
    char takeByte() {
        if (rest_.empty()) {
            return 0;
        }
        const char byte = rest_.front();
        rest_.remove_prefix(1);
        return byte;
    }

    std::string_view rest_;
    std::uint8_t flags_ = 0;
};

// A broken property: say which and stop, so libFuzzer keeps the input as a crash.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what) {
    if (!holds) {
        fail(what);
    }
}

inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace tieba::fuzz
