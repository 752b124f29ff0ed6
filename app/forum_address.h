#pragma once

#include "text/gbk_text.h"

namespace tieba {

// "http://" and the forum's host, fixed when the program is built (CMake's FORUM_HOST).
Text forumBaseAddress();

} // namespace tieba
