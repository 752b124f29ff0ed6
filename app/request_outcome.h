#pragma once

#include "text/gbk_text.h"

#include <optional>
#include <string_view>

// A failed search must not look like a search without results.
namespace tieba {

// The text that tells the user the request failed: the time-out message when the page is that
// message, a short failure text when the page is empty; nothing for a real page.
std::optional<Text> requestFailureText(std::string_view page);

// Is this one of the texts above?
bool isRequestFailureText(std::string_view text);

} // namespace tieba
