#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tieba::skinpack {

// A C++ definition of a constant byte block as one string literal, which the compiler reads far
// faster than a list of numbers. The array is one byte longer than the block for the literal's
// closing zero:
//   "ab\n" => constexpr unsigned char name[4] = "ab\012";
std::string byteBlockDefinition(std::string_view name, std::span<const unsigned char> bytes);

} // namespace tieba::skinpack
