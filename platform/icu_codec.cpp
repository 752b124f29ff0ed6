#include "platform/icu_codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <memory>

namespace tieba::platform {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

const char* icuName(CodePage codePage) {
    switch (codePage) {
    case CodePage::Gbk:
        return "windows-936-2000";
    case CodePage::Big5:
        return "windows-950-2000";
    case CodePage::Utf8:
        return "UTF-8";
    }
    return "UTF-8";
}

// Invalid or unassigned input becomes '?', as the encoder's substitution does.
void substituteQuestionMark(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                            UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) {
        return; // reset, close, clone: nothing to write
    }
    *status = U_ZERO_ERROR;
    const UChar replacement = u'?';
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

// A converter set up for our replacement rule, or null when ICU cannot open it.
Converter openConverter(CodePage codePage) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(icuName(codePage), &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    ucnv_setToUCallBack(converter.get(), substituteQuestionMark, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr,
                          nullptr, &status);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

int32_t asLength(std::size_t size) {
    return static_cast<int32_t>(size);
}

} // namespace

std::u16string decodeBytes(std::string_view bytes, CodePage codePage) {
    Converter converter = openConverter(codePage);
    if (!converter || bytes.empty()) {
        return {};
    }
    // Every byte decodes to at most two units.
    std::u16string units(bytes.size() * 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_toUChars(converter.get(), units.data(), asLength(units.size()),
                                          bytes.data(), asLength(bytes.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return {};
    }
    units.resize(static_cast<std::size_t>(written));
    return units;
}

std::string encodeUnits(std::u16string_view units, CodePage codePage) {
    Converter converter = openConverter(codePage);
    if (!converter || units.empty()) {
        return {};
    }
    const auto maxCharSize = static_cast<std::size_t>(ucnv_getMaxCharSize(converter.get()));
    std::string bytes((units.size() + 1) * maxCharSize, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(converter.get(), bytes.data(), asLength(bytes.size()),
                                            units.data(), asLength(units.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return {};
    }
    bytes.resize(static_cast<std::size_t>(written));
    return bytes;
}

} // namespace tieba::platform
