#pragma once

#include <curl/curl.h>

// libcurl as the HTTP layer uses it: set up once for the process, torn down at exit.
namespace tieba::platform::curl {

// The process-wide cookie store: a share handle that every session with cookies attaches to.
// The first call also sets libcurl up for the process.
CURLSH* cookieShare();

} // namespace tieba::platform::curl
