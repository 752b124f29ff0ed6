#pragma once

#include <span>

namespace tieba {

inline constexpr int kSkinCount = 33;

// The skin the program wears.
inline constexpr int kProgramSkin = 9;

// Skin `number` (1 to 33) as the program holds it, padding included; empty for any other number.
std::span<const unsigned char> skinBlock(int number);

// The skin library file, 88,576 bytes, that the program places beside itself.
std::span<const unsigned char> skinLibraryBlock();

} // namespace tieba
