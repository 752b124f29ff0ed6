#pragma once

#include "text/gbk_text.h"

#include <optional>
#include <string_view>

// Percent-encoding for the search address and the form body. Every byte becomes "%XX" with
// uppercase digits, unless `keepPlain` is true and the byte is one of ",-./0-9A-Za-z". After each
// byte the window's pending events are dispatched, so the window keeps answering.
namespace tieba {

// "中" => "%D6%D0"; "a b_c" with keepPlain => "a%20b%5Fc"
Text percentEncode(std::string_view text, std::optional<bool> keepPlain = {});

// The same over the text's UTF-8 form: "中" => "%E4%B8%AD"
Text percentEncodeUtf8(std::string_view text, std::optional<bool> keepPlain = {});

} // namespace tieba
