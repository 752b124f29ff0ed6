// Prints our conversion of every one- and two-byte GBK and Big5 code, one line each, for
// check_codepages_against_python.py to compare with Python's codecs.
//   G <gbk bytes> <UTF-16 units> <bytes after encoding the units back to GBK>
//   B <big5 bytes> <UTF-16 units> <big5ToGbkTraditional bytes> <big5ToGbk bytes>
#include "tests/support/hex_dump.h"
#include "text/codepage_conversion.h"

#include <cstdio>
#include <string>

namespace {

using tieba::testing::hexBytes;

std::string hexUnits(const std::u16string& units) {
    std::string out;
    char buffer[6];
    for (const char16_t unit : units) {
        std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(unit));
        out += out.empty() ? "" : ",";
        out += buffer;
    }
    return out.empty() ? "-" : out;
}

void dumpCode(const std::string& bytes) {
    using namespace tieba;
    const std::u16string gbkUnits = multiByteToUtf16(bytes, CodePage::Gbk);
    std::printf("G %s %s %s\n", hexBytes(bytes).c_str(), hexUnits(gbkUnits).c_str(),
                hexBytes(utf16ToMultiByte(gbkUnits, CodePage::Gbk)).c_str());
    std::printf("B %s %s %s %s\n", hexBytes(bytes).c_str(),
                hexUnits(multiByteToUtf16(bytes, CodePage::Big5)).c_str(),
                hexBytes(big5ToGbkTraditional(bytes)).c_str(), hexBytes(big5ToGbk(bytes)).c_str());
}

} // namespace

int main() {
    for (int single = 1; single <= 0xFF; ++single) {
        dumpCode(std::string(1, static_cast<char>(single)));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            dumpCode(std::string{static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    return 0;
}
