// The program takes its forum address from the build; the tests link this definition instead, so
// the window talks to a fake forum on a port chosen when the test starts.
#include "tests/app/test_forum_address.h"

#include "app/forum_address.h"

namespace tieba {

std::string& testing::forumAddressForTests() {
    static std::string address = "http://127.0.0.1:9";
    return address;
}

Text forumBaseAddress() {
    return testing::forumAddressForTests();
}

} // namespace tieba
