#include "app/request_outcome.h"

#include "app/window_texts.h"
#include "web/access_web_page.h"

namespace tieba {

std::optional<Text> requestFailureText(std::string_view page) {
    if (page == kTimeOutMessage) {
        return Text(kTimeOutMessage);
    }
    if (page.empty()) {
        return windowText(WindowText::RequestFailed);
    }
    return std::nullopt;
}

bool isRequestFailureText(std::string_view text) {
    return text == kTimeOutMessage || text == windowText(WindowText::RequestFailed);
}

} // namespace tieba
