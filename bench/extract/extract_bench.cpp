// extract_bench [--page=<GBK result page>] [Google Benchmark flags]
//
// RealisticPage: both cuts of the result listing over the given page (make_result_pages.py).
// Adversarial: one line of `size` bytes holding 25,000 left delimiters per MB and no right
// delimiter, where a backtracking "left(.*?)right" retries every left delimiter to the line end.
// ...Pattern: the same work done as the pattern "left(.*?)right" through RegexObject, the
// reference that extractAllBetween's delimiter scans replace. PCRE2's JIT happens to cut the
// retries short on this input; AdversarialInterpreter runs the pattern without the JIT, which is
// what a machine without it (or a pattern the JIT gives up on) gets.
#include "extract/extract_all_between.h"
#include "extract/regex_object.h"
#include "tests/extract/result_page_delimiters.h"
#include "text/codepage_conversion.h"

#include <benchmark/benchmark.h>
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tieba;

std::string& realisticPage() {
    static std::string page;
    return page;
}

void realisticCut(benchmark::State& state, std::string_view left, std::string_view right) {
    const std::string& page = realisticPage();
    if (page.empty()) {
        state.SkipWithError("no --page given");
        return;
    }
    TextList hits;
    for (auto _ : state) {
        extractAllBetween(page, left, right, hits);
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["hits"] = static_cast<double>(hits.size());
    state.counters["pageBytes"] = static_cast<double>(page.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.size()));
}

void realisticPattern(benchmark::State& state, std::string_view left, std::string_view right) {
    const std::string& page = realisticPage();
    if (page.empty()) {
        state.SkipWithError("no --page given");
        return;
    }
    const std::string pattern = escapeRegexText(left) + "(.*?)" + escapeRegexText(right);
    TextList hits;
    for (auto _ : state) {
        hits.clear();
        RegexObject regex;
        regex.execute(pattern, page);
        for (int i = 1; i <= regex.matchCount(); ++i) {
            hits.push_back(regex.subMatchText(i, 1));
        }
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["hits"] = static_cast<double>(hits.size());
}

void RealisticPage_postAddress(benchmark::State& state) {
    realisticCut(state, kPostAddressLeft, kPostAddressRight);
}
void RealisticPage_postTitle(benchmark::State& state) {
    realisticCut(state, kPostTitleLeft, kPostTitleRight);
}

void RealisticPagePattern_postAddress(benchmark::State& state) {
    realisticPattern(state, kPostAddressLeft, kPostAddressRight);
}

// One line: the title cut's left delimiter every size/count bytes, GBK and ASCII filler between.
std::string adversarialPage(std::size_t size) {
    const std::size_t count = size * 25000 / (1024 * 1024);
    const std::string filler = "\xD6\xD0\xCE\xC4"
                               "ab"; // 中文ab
    std::string page;
    page.reserve(size + 64);
    for (std::size_t i = 0; i < count; ++i) {
        page += kPostTitleLeft;
        while (page.size() < (i + 1) * size / count) {
            page += filler;
        }
    }
    return page;
}

void Adversarial(benchmark::State& state) {
    const std::string page = adversarialPage(static_cast<std::size_t>(state.range(0)));
    TextList hits;
    for (auto _ : state) {
        extractAllBetween(page, kPostTitleLeft, kPostTitleRight, hits);
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["hits"] = static_cast<double>(hits.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void AdversarialPattern(benchmark::State& state) {
    const std::string page = adversarialPage(static_cast<std::size_t>(state.range(0)));
    const std::string pattern =
        escapeRegexText(kPostTitleLeft) + "(.*?)" + escapeRegexText(kPostTitleRight);
    for (auto _ : state) {
        RegexObject regex;
        regex.execute(pattern, page);
        benchmark::DoNotOptimize(regex.matchCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void AdversarialInterpreter(benchmark::State& state) {
    const std::u16string page =
        multiByteToUtf16(adversarialPage(static_cast<std::size_t>(state.range(0))), CodePage::Gbk);
    const std::u16string pattern = multiByteToUtf16(escapeRegexText(kPostTitleLeft) + "(.*?)" +
                                                        escapeRegexText(kPostTitleRight),
                                                    CodePage::Gbk);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                      PCRE2_UTF | PCRE2_CASELESS | PCRE2_MULTILINE, &error, &errorOffset, nullptr);
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(page.data()),
                                             page.size(), 0, PCRE2_NO_JIT, data, nullptr));
    }
    pcre2_match_data_free(data);
    pcre2_code_free(code);
}

BENCHMARK(RealisticPage_postAddress)->Unit(benchmark::kMillisecond);
BENCHMARK(RealisticPage_postTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(RealisticPagePattern_postAddress)->Unit(benchmark::kMillisecond);
BENCHMARK(Adversarial)
    ->Arg(512 * 1024)
    ->Arg(1024 * 1024)
    ->Arg(2 * 1024 * 1024)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(AdversarialInterpreter)
    ->Arg(8 * 1024)
    ->Arg(16 * 1024)
    ->Arg(32 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(AdversarialPattern)
    ->Arg(512 * 1024)
    ->Arg(1024 * 1024)
    ->Arg(2 * 1024 * 1024)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Take our own flag out before Google Benchmark reads the rest.
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--page=", 7) == 0) {
            std::ifstream in(argv[i] + 7, std::ios::binary);
            std::ostringstream content;
            content << in.rdbuf();
            realisticPage() = content.str();
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
