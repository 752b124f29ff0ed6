#pragma once

#include <string>
#include <string_view>

namespace tieba::testing {

// Bytes as uppercase hex pairs, "-" for none, for the dump programs the Python checks read.
//   hexBytes("\xD6\xD0") => "D6D0"
std::string hexBytes(std::string_view bytes);

} // namespace tieba::testing
