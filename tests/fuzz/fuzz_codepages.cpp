// Every code-page conversion on any bytes: the output is well formed for its code page and holds
// no zero, and converting GBK to UTF-8 and back keeps a text that came out of a conversion.
//   input: flags (unused), the bytes to convert (zero bytes included; also read as UTF-16 units)
#include "tests/fuzz/code_page_bytes.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/codepage_conversion.h"

using namespace tieba;
using namespace tieba::fuzz;

namespace {

void checkGbk(std::string_view gbk, const char* what) {
    check(isGbk(gbk) && !contains(gbk, std::string_view("\0", 1)), what);
}

void checkUnits(const Utf16Text& units, const char* what) {
    check(isUtf16(units) && units.find(u'\0') == Utf16Text::npos, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    in.readFlags();
    const std::string_view bytes = in.bytes();
    const Text text = textOf(bytes);

    const Text utf8 = gbkToUtf8(bytes);
    check(isUtf8(utf8) && !contains(utf8, std::string_view("\0", 1)),
          "gbkToUtf8 gives well-formed UTF-8");
    const Text gbk = utf8ToGbk(bytes);
    checkGbk(gbk, "utf8ToGbk gives well-formed GBK");
    check(utf8ToGbk(gbkToUtf8(gbk)) == gbk, "a converted GBK text survives UTF-8 and back");
    checkGbk(big5ToGbk(bytes), "big5ToGbk gives well-formed GBK");
    checkGbk(big5ToGbkTraditional(bytes), "big5ToGbkTraditional gives well-formed GBK");

    const Text simplified = toSimplifiedChinese(bytes);
    check(simplified.size() == text.size(), "toSimplifiedChinese keeps the length");
    // Simplifying reads the text as the code page does: what it reads as one byte stays.
    for (std::size_t i = 0; i < text.size(); i += isGbkPairAt(text, i) ? 2 : 1) {
        check(isGbkPairAt(text, i) || simplified[i] == text[i],
              "toSimplifiedChinese keeps single bytes");
    }
    if (isGbk(text)) {
        checkGbk(simplified, "toSimplifiedChinese of GBK gives GBK");
    }

    checkUnits(multiByteToUtf16(bytes), "UTF-8 decodes to well-formed UTF-16");
    checkUnits(multiByteToUtf16(bytes, CodePage::Gbk), "GBK decodes to well-formed UTF-16");
    checkUnits(multiByteToUtf16(bytes, CodePage::Big5), "Big5 decodes to well-formed UTF-16");
    checkUnits(multiByteToUtf16(bytes, CodePage::Utf8), "UTF-8 decodes to well-formed UTF-16");

    Utf16Text units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(at(bytes, 2 * i) | (at(bytes, 2 * i + 1) << 8));
    }
    checkGbk(utf16ToMultiByte(units), "UTF-16 encodes to well-formed GBK");
    checkGbk(utf16ToMultiByte(units, CodePage::Gbk), "UTF-16 encodes to well-formed GBK");
    const Text big5 = utf16ToMultiByte(units, CodePage::Big5);
    check(isBig5(big5) && !contains(big5, std::string_view("\0", 1)),
          "UTF-16 encodes to well-formed Big5");
    const Text asUtf8 = utf16ToMultiByte(units, CodePage::Utf8);
    check(isUtf8(asUtf8) && !contains(asUtf8, std::string_view("\0", 1)),
          "UTF-16 encodes to well-formed UTF-8");
    return 0;
}
