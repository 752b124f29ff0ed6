#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Header blocks as the HTTP layer handles them: a request's block cut into the lines libcurl
// takes, and the few values read from a response's raw header text.
namespace tieba::platform {

// Split at line feeds, a CR before each dropped, empty lines left out.
//   "A: 1\r\n\r\nB: 2" => {"A: 1", "B: 2"}
std::vector<std::string> headerLinesOf(std::string_view block);

// The lines whose header name (the part before ":") is none of `names`, in any letter case.
//   withoutHeaders({"Cookie: a", "X: 1"}, {"cookie"}) => {"X: 1"}
std::vector<std::string> withoutHeaders(const std::vector<std::string>& lines,
                                        std::initializer_list<std::string_view> names);

// The status code on the first line; 0 when it is not a status line.
//   "HTTP/1.1 302 Found\r\n..." => 302
int statusCodeOf(std::string_view rawHeaders);

// The trimmed value of the first header with this name (any letter case) after the status line.
//   headerValueOf("HTTP/1.1 302 Found\r\nlocation: /b\r\n", "Location") => "/b"
std::optional<std::string> headerValueOf(std::string_view rawHeaders, std::string_view name);

} // namespace tieba::platform
