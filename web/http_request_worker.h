#pragma once

#include "platform/curl_transfer_cancel.h"
#include "web/web_access_record.h"

#include <cstddef>

namespace tieba {

// The most of a response body the worker keeps; the bytes up to it are the page.
inline constexpr std::size_t kMaxPageBytes = std::size_t{64} << 20;

// Performs the exchange the record describes and leaves the page (slot 0), the cookies the
// response set (slot 1) and the raw response headers (slot 5) in it. Failures leave an empty
// page; nothing is thrown or shown.
void httpRequestWorker(WebAccessRecord& record);

// The same, ending early, with whatever arrived so far, once `cancel` fires.
void httpRequestWorker(WebAccessRecord& record, platform::TransferCancel& cancel);

} // namespace tieba
