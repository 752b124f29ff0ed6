// extractAllBetween finds its hits with plain delimiter searches, in the GBK bytes or in the
// UTF-16 form; the pattern built from the escaped delimiters and run through RegexObject is the
// reference that both must agree with, case for case, on generated texts and on result pages.
#include "extract/delimited_runs.h"
#include "extract/extract_all_between.h"
#include "extract/regex_object.h"
#include "tests/extract/result_page_delimiters.h"
#include "tests/support/gbk_literal.h"
#include "text/codepage_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace tieba {
namespace {

using testing::gbk;

TextList hitsByPattern(std::string_view text, std::string_view left, std::string_view right) {
    RegexObject regex;
    regex.execute(escapeRegexText(left) + "(.*?)" + escapeRegexText(right), text);
    TextList hits;
    for (int i = 1; i <= regex.matchCount(); ++i) {
        hits.push_back(regex.subMatchText(i, 1));
    }
    return hits;
}

TextList hitsByBytes(std::string_view text, const std::vector<ByteSpan>& runs) {
    TextList hits;
    for (const ByteSpan& run : runs) {
        hits.emplace_back(text.substr(run.begin, run.end - run.begin));
    }
    return hits;
}

std::optional<TextList> hitsByUnits(std::string_view text, std::string_view left,
                                    std::string_view right) {
    const Utf16Text subject = multiByteToUtf16(text, CodePage::Gbk);
    const auto runs = findDelimitedRuns(subject, multiByteToUtf16(left, CodePage::Gbk),
                                        multiByteToUtf16(right, CodePage::Gbk));
    if (!runs) {
        return std::nullopt;
    }
    TextList hits;
    for (const platform::UnitSpan& run : *runs) {
        hits.push_back(utf16ToMultiByte(
            std::u16string_view(subject).substr(run.begin, run.end - run.begin), CodePage::Gbk));
    }
    return hits;
}

std::string hex(std::string_view bytes) {
    std::ostringstream out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out << c;
        } else {
            out << "\\x" << std::hex << static_cast<unsigned>(byte) << std::dec;
        }
    }
    return out.str();
}

// Characters in case groups: letters that fold (ASCII, full-width, Greek, Cyrillic), line breaks,
// two-byte characters whose trail bytes equal 'a', 'A', '[', '|' or 80, and the regex characters.
std::vector<std::vector<std::string>> caseGroups() {
    return {{"a", "A"},
            {"b", "B"},
            {gbk("ａ"), gbk("Ａ")},
            {gbk("σ"), gbk("Σ")},
            {gbk("д"), gbk("Д")},
            {"\n"},
            {"\r"},
            {" "},
            {"1"},
            {gbk("中")},
            {"\x81\x61"},
            {"\x81\x41"},
            {"\x81\x5B"},
            {"\x81\x7C"},
            {"\x81\x80"},
            {"."},
            {"|"},
            {"("},
            {")"},
            {"\\"},
            {"?"},
            {"["},
            {"$"},
            {"^"},
            {"*"}};
}

// Bytes that are not well-formed GBK: the euro sign 80, FF, a lead byte before a byte that cannot
// be its trail, and a lone lead byte (which may pair with what follows it).
std::vector<std::string> illFormed() {
    return {"\x80", "\xFF", "\x81\x0A", "\xD6\x22", "\xD6"};
}

class Generator {
public:
    explicit Generator(unsigned seed)
        : random_(seed), groups_(caseGroups()), illFormed_(illFormed()) {
        for (std::size_t i = 0; i < groups_.size(); ++i) {
            if (static_cast<unsigned char>(groups_[i][0][0]) < 0x80) {
                asciiGroups_.push_back(i);
            }
        }
    }

    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    // A delimiter as indexes into the case groups; letters are drawn more often so that
    // delimiters repeat in the text. Every other one is non-empty ASCII, which the byte search
    // takes.
    std::vector<std::size_t> delimiter(bool ascii) {
        if (ascii) {
            std::vector<std::size_t> pieces(1 + below(3));
            for (std::size_t& piece : pieces) {
                piece = below(3) == 0 ? asciiGroups_[below(asciiGroups_.size())] : below(2);
            }
            return pieces;
        }
        std::vector<std::size_t> pieces(below(4));
        for (std::size_t& piece : pieces) {
            piece = below(3) == 0 ? below(groups_.size()) : below(5);
        }
        return pieces;
    }

    // Any member of each piece's case group.
    std::string spell(const std::vector<std::size_t>& pieces) {
        std::string out;
        for (const std::size_t piece : pieces) {
            out += groups_[piece][below(groups_[piece].size())];
        }
        return out;
    }

    // Texts mix the delimiters in any case with other characters; some hold a stretch that is
    // not well-formed GBK.
    std::string text(const std::vector<std::size_t>& left, const std::vector<std::size_t>& right) {
        std::string out;
        const std::size_t length = below(24);
        const bool wellFormed = below(4) != 0;
        for (std::size_t i = 0; i < length; ++i) {
            if (!wellFormed && below(8) == 0) {
                out += illFormed_[below(illFormed_.size())];
                continue;
            }
            switch (below(6)) {
            case 0:
                out += spell(left);
                break;
            case 1:
                out += spell(right);
                break;
            default:
                out += spell({below(groups_.size())});
            }
        }
        return out;
    }

private:
    std::mt19937 random_;
    std::vector<std::vector<std::string>> groups_;
    std::vector<std::string> illFormed_;
    std::vector<std::size_t> asciiGroups_;
};

TEST(DelimitedRunsCrossCheck, GeneratedTextsGiveThePatternsHits) {
    Generator generate(20240611U);
    int withHits = 0;
    int byBytes = 0;
    for (int round = 0; round < 4000; ++round) {
        const bool ascii = round % 2 == 0;
        const std::vector<std::size_t> leftPieces = generate.delimiter(ascii);
        const std::vector<std::size_t> rightPieces = generate.delimiter(ascii);
        const std::string left = generate.spell(leftPieces);
        const std::string right = generate.spell(rightPieces);
        const std::string text = generate.text(leftPieces, rightPieces);
        const auto where = [&] {
            return "round " + std::to_string(round) + "\n  text  " + hex(text) + "\n  left  " +
                   hex(left) + "\n  right " + hex(right);
        };

        const TextList expected = hitsByPattern(text, left, right);
        TextList hits;
        extractAllBetween(text, left, right, hits);
        ASSERT_EQ(hits, expected) << where();
        ASSERT_EQ(hitsByUnits(text, left, right), expected) << where();
        if (const auto runs = findDelimitedRunsInGbk(text, left, right)) {
            ASSERT_EQ(hitsByBytes(text, *runs), expected) << where();
            ++byBytes;
        }
        withHits += hits.empty() ? 0 : 1;
    }
    // The generator must reach the matching paths and both searches, not only empty results.
    EXPECT_GT(withHits, 1000);
    EXPECT_GT(byBytes, 1000);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(DelimitedRunsCrossCheck, ResultPagesGiveThePatternsHits) {
    const std::filesystem::path folder = std::filesystem::path(TIEBA_FIXTURE_DIR) / "extract";
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") {
            continue;
        }
        ++pages;
        const std::string page = readFile(entry.path());
        EXPECT_TRUE(isWellFormedGbk(page)) << entry.path();
        for (const DelimiterPair& pair : resultPageDelimiters()) {
            TextList hits;
            extractAllBetween(page, pair.left, pair.right, hits);
            EXPECT_EQ(hits, hitsByPattern(page, pair.left, pair.right))
                << entry.path() << " " << pair.name;
            EXPECT_EQ(hitsByUnits(page, pair.left, pair.right), hits)
                << entry.path() << " " << pair.name;
            EXPECT_FALSE(hits.empty()) << entry.path() << " " << pair.name;
        }
        TextList links;
        TextList titles;
        extractAllBetween(page, kPostAddressLeft, kPostAddressRight, links);
        extractAllBetween(page, kPostTitleLeft, kPostTitleRight, titles);
        for (const Text& link : links) {
            EXPECT_EQ(link.rfind("/p/", 0), 0U) << link;
        }
    }
    EXPECT_GE(pages, 3);
}

} // namespace
} // namespace tieba
