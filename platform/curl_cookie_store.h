#pragma once

#include <string>
#include <string_view>
#include <vector>

// The process-wide cookie store. Sessions send its cookies and take the cookies of every response
// into it unless a request says otherwise; it lives as long as the program and is safe to use
// from any thread.
namespace tieba::platform {

// Stores one cookie for an address, as a "Set-Cookie:" line would: `data` is the value followed
// by its attributes. Without a domain attribute the cookie belongs to the address's host.
//   storeCookie("http://tieba.baidu.com", "a", "1; path=/")
void storeCookie(std::string_view address, std::string_view name, std::string_view data);

// Every stored cookie as a line of the Netscape cookie file format
// ("host<TAB>subdomains<TAB>path<TAB>secure<TAB>expiry<TAB>name<TAB>value").
std::vector<std::string> storedCookies();

// Forgets every stored cookie.
void clearStoredCookies();

} // namespace tieba::platform
