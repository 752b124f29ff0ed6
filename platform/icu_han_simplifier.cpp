#include "platform/icu_han_simplifier.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace tieba::platform {
namespace {

// The filter keeps symbols such as 「」 out of the mapping. Building the transliterator loads
// its rules, so each thread builds one and keeps it.
const icu::Transliterator* hanSimplifier() {
    thread_local const std::unique_ptr<icu::Transliterator> simplifier = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(icu::Transliterator::createInstance(
            icu::UnicodeString(u"[:Han:] Traditional-Simplified"), UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return simplifier.get();
}

} // namespace

std::u16string simplifyHanCharacter(const std::u16string& character) {
    const icu::Transliterator* simplifier = hanSimplifier();
    if (simplifier == nullptr) {
        return character;
    }
    icu::UnicodeString text(character.data(), static_cast<int32_t>(character.size()));
    simplifier->transliterate(text);
    return std::u16string(text.getBuffer(), static_cast<std::size_t>(text.length()));
}

} // namespace tieba::platform
