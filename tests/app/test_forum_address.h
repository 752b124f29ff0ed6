#pragma once

#include <string>

namespace tieba::testing {

// The tests' stand-in for the built-in forum address: the fake forum server's own address.
std::string& forumAddressForTests();

} // namespace tieba::testing
