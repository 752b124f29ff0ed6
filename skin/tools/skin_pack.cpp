// Build helper for the skin folder: pads the skin library file to its fixed length, and writes
// the C++ sources that hold the library file and the 33 skins as constant byte blocks.
//
//   skin_pack pad <file> <length>
//   skin_pack library <out.cpp> <library file>
//   skin_pack skins <out.cpp> <themes folder> <length of skin 1> ... <length of skin 33>
//   skin_pack document <theme file>            (prints the skin document, for a look at it)

#include "skin/tools/byte_block_source.h"
#include "skin/tools/theme_source.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

Bytes bytesOfFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error(file.string() + ": cannot read");
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error(file.string() + ": cannot write");
    }
}

std::size_t lengthOf(const std::string& text) {
    std::size_t used = 0;
    const unsigned long value = std::stoul(text, &used);
    if (used != text.size()) {
        throw std::runtime_error("\"" + text + "\" is no length");
    }
    return value;
}

// Zero bytes up to `length`; the skin format stops reading at the first zero, and the library
// file's loader never looks past the parts its headers name.
Bytes padded(Bytes bytes, std::size_t length, const std::string& what) {
    if (bytes.size() > length) {
        throw std::runtime_error(what + " is " + std::to_string(bytes.size()) +
                                 " bytes, more than the " + std::to_string(length) +
                                 " bytes it must fit in; make it smaller");
    }
    bytes.resize(length, 0);
    return bytes;
}

std::string twoDigits(std::size_t number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

void padFile(const fs::path& file, std::size_t length) {
    const Bytes bytes = padded(bytesOfFile(file), length, file.string());
    writeFile(file, std::string(bytes.begin(), bytes.end()));
}

void writeLibrarySource(const fs::path& out, const fs::path& library) {
    const Bytes bytes = bytesOfFile(library);
    std::string text = "// Made by skin_pack from " + library.filename().string() +
                       "; do not edit.\n"
                       "#include \"skin/skin_blocks.h\"\n\n"
                       "namespace tieba {\nnamespace {\n\n";
    text += tieba::skinpack::byteBlockDefinition("kLibrary", bytes);
    text += "\n} // namespace\n\n"
            "std::span<const unsigned char> skinLibraryBlock() {\n"
            "    return {kLibrary, " +
            std::to_string(bytes.size()) + "};\n}\n\n} // namespace tieba\n";
    writeFile(out, text);
}

void writeSkinsSource(const fs::path& out, const fs::path& themes,
                      const std::vector<std::size_t>& lengths) {
    std::string text = "// Made by skin_pack from skin/themes; do not edit.\n"
                       "#include \"skin/skin_blocks.h\"\n\n"
                       "#include <cstddef>\n\n"
                       "namespace tieba {\nnamespace {\n\n";
    std::string table = "constexpr std::span<const unsigned char> kSkins[] = {\n";
    for (std::size_t number = 1; number <= lengths.size(); ++number) {
        const fs::path theme = themes / ("skin" + twoDigits(number) + ".theme");
        const std::string document = tieba::skinpack::skinDocumentOfTheme(theme);
        const Bytes block = padded(Bytes(document.begin(), document.end()), lengths[number - 1],
                                   "the skin document of " + theme.filename().string());
        const std::string name = "kSkin" + twoDigits(number);
        text += tieba::skinpack::byteBlockDefinition(name, block) + "\n";
        table += "    {" + name + ", " + std::to_string(block.size()) + "},\n";
    }
    text += table + "};\n\n} // namespace\n\n"
                    "std::span<const unsigned char> skinBlock(int number) {\n"
                    "    if (number < 1 || number > kSkinCount) {\n"
                    "        return {};\n"
                    "    }\n"
                    "    return kSkins[static_cast<std::size_t>(number - 1)];\n"
                    "}\n\n"
                    "static_assert(std::size(kSkins) == kSkinCount);\n\n"
                    "} // namespace tieba\n";
    writeFile(out, text);
}

int run(const std::vector<std::string>& args) {
    if (args.size() == 3 && args[0] == "pad") {
        padFile(args[1], lengthOf(args[2]));
    } else if (args.size() == 3 && args[0] == "library") {
        writeLibrarySource(args[1], args[2]);
    } else if (args.size() > 3 && args[0] == "skins") {
        std::vector<std::size_t> lengths;
        for (std::size_t i = 3; i < args.size(); ++i) {
            lengths.push_back(lengthOf(args[i]));
        }
        writeSkinsSource(args[1], args[2], lengths);
    } else if (args.size() == 2 && args[0] == "document") {
        std::cout << tieba::skinpack::skinDocumentOfTheme(args[1]);
    } else {
        std::cerr << "usage: skin_pack pad <file> <length> | library <out.cpp> <file> | "
                     "skins <out.cpp> <themes folder> <lengths...> | document <theme file>\n";
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& fault) {
        std::cerr << "skin_pack: " << fault.what() << '\n';
        return 1;
    }
}
