#include "skin/tools/byte_block_source.h"

namespace tieba::skinpack {
namespace {

constexpr std::size_t kLineWidth = 96;

// Readable ASCII stays itself; everything else becomes a three-digit octal escape, which never
// swallows a digit that follows it.
void appendByte(std::string& out, unsigned char byte) {
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
        out.push_back(static_cast<char>(byte));
        return;
    }
    out.push_back('\\');
    out.push_back(static_cast<char>('0' + ((byte >> 6) & 7)));
    out.push_back(static_cast<char>('0' + ((byte >> 3) & 7)));
    out.push_back(static_cast<char>('0' + (byte & 7)));
}

} // namespace

std::string byteBlockDefinition(std::string_view name, std::span<const unsigned char> bytes) {
    std::string out = "constexpr unsigned char ";
    out += name;
    out += "[" + std::to_string(bytes.size() + 1) + "] =\n    \"";
    std::size_t lineStart = out.size();
    for (const unsigned char byte : bytes) {
        appendByte(out, byte);
        if (byte == '\n' || out.size() - lineStart >= kLineWidth) {
            out += "\"\n    \"";
            lineStart = out.size();
        }
    }
    out += "\";\n";
    return out;
}

} // namespace tieba::skinpack
