// Per-call cost of accessWebPage (worker thread, deadline wait, request rules, 2,048-byte reads)
// against bare libcurl fetching the same 100 KB page from the same loopback server, alternating
// call by call so that both see the same machine load.

#include "bench/web/bench_stats.h"
#include "tests/support/loopback_http_server.h"
#include "web/access_web_page.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace tieba;
using bench::Clock;

std::size_t collect(char* data, std::size_t size, std::size_t count, void* page) {
    static_cast<std::string*>(page)->append(data, size * count);
    return size * count;
}

// What a program without our layer would do: one easy handle per fetch, as each call of ours
// makes a fresh session.
std::string bareCurlFetch(const std::string& url) {
    std::string page;
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &page);
    curl_easy_perform(easy);
    curl_easy_cleanup(easy);
    return page;
}

} // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string page(100 * 1024, 'p');
    testing::LoopbackHttpServer server(
        [&](const testing::RecordedRequest&) { return testing::textReply(page); });
    const std::string url = server.url("/page");

    for (int i = 0; i < 20; ++i) { // warm both paths up
        Text address = url;
        accessWebPage(address);
        bareCurlFetch(url);
    }

    std::vector<double> ours;
    std::vector<double> bare;
    int wrong = 0;
    for (int i = 0; i < calls; ++i) {
        Text address = url;
        auto start = Clock::now();
        const ByteSequence fetched = accessWebPage(address);
        ours.push_back(bench::microseconds(Clock::now() - start));
        start = Clock::now();
        const std::string bareFetched = bareCurlFetch(url);
        bare.push_back(bench::microseconds(Clock::now() - start));
        wrong += (fetched != page) + (bareFetched != page);
    }

    const bench::Summary o = bench::summarize(ours);
    const bench::Summary b = bench::summarize(bare);
    std::printf("%d sequential fetches of a %zu-byte page from 127.0.0.1 each\n", calls,
                page.size());
    bench::print("accessWebPage", o, "us");
    bench::print("bare libcurl easy handle", b, "us");
    std::printf("ratio of medians %.3f, ratio of totals %.3f (goal <= 1.2)\n", o.median / b.median,
                o.total / b.total);
    if (wrong != 0) {
        std::printf("WRONG PAGES: %d\n", wrong);
        return 1;
    }
    return 0;
}
