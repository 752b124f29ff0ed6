// Prints what extractAllBetween cuts out of one page with each of the result page delimiter
// pairs, for check_extract_against_python.py to compare with Python's re.findall:
//   P <name> <left bytes> <right bytes>
//   H <hit bytes>
// Bytes are written in hex, "-" for none.
#include "extract/extract_all_between.h"
#include "tests/extract/result_page_delimiters.h"
#include "tests/support/hex_dump.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using tieba::testing::hexBytes;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: extract_hits_dump <page file>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    std::ostringstream content;
    content << in.rdbuf();
    const std::string page = content.str();
    for (const tieba::DelimiterPair& pair : tieba::resultPageDelimiters()) {
        std::printf("P %s %s %s\n", pair.name, hexBytes(pair.left).c_str(),
                    hexBytes(pair.right).c_str());
        tieba::TextList hits;
        tieba::extractAllBetween(page, pair.left, pair.right, hits);
        for (const tieba::Text& hit : hits) {
            std::printf("H %s\n", hexBytes(hit).c_str());
        }
    }
    return 0;
}
