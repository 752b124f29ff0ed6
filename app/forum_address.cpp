#include "app/forum_address.h"

namespace tieba {

Text forumBaseAddress() {
    return "http://" TIEBA_FORUM_HOST;
}

} // namespace tieba
