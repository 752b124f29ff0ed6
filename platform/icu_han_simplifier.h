#pragma once

#include <string>

namespace tieba::platform {

// The simplified form of one Han character by ICU's Traditional-Simplified transliteration, or
// the character itself when it has none. Anything that is not a Han character comes back as is.
std::u16string simplifyHanCharacter(const std::u16string& character);

} // namespace tieba::platform
