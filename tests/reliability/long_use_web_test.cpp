// Many searches in a row through the web call against the fake forum: every page arrives whole,
// resident memory stays flat and no worker thread outlives its call. The run's length comes from
// TIEBA_LONG_RUN_SEARCHES (default 200; the documented long run uses 1000); under LeakSanitizer
// the same run proves that no call leaks.
#include "tests/fake_forum/fake_forum_server.h"
#include "tests/fake_forum/result_page_builder.h"
#include "tests/reliability/process_figures.h"
#include "web/access_web_page.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tieba {
namespace {

using namespace std::chrono_literals;

#if defined(__SANITIZE_ADDRESS__)
// Freed memory waits in AddressSanitizer's quarantine (up to 256 MiB) before it is reused, so
// resident memory says nothing there; LeakSanitizer does the checking.
constexpr bool kResidentSaysSomething = false;
#else
constexpr bool kResidentSaysSomething = true;
#endif
constexpr long kFlatBoundKiB = 8 * 1024;
constexpr int kWarmUp = 20;

TEST(LongUseWebCall, EverySearchArrivesWholeAndNothingGrows) {
    const int searches = testing::runLength("TIEBA_LONG_RUN_SEARCHES", 200);
    fakeforum::FakeForumServer server;
    const int threadsBefore = testing::threadCount();
    long residentStart = 0;
    int wrong = 0;
    for (int n = 0; n < kWarmUp + searches; ++n) {
        if (n == kWarmUp) {
            residentStart = testing::residentKiB();
        }
        const int pageNumber = n % 76 + 1;
        Text address = server.baseAddress() +
                       "/f/search/res?isnew=1&kw=test&qw=A1&rn=10&un=&sm=1&sd=&ed=&pn=" +
                       std::to_string(pageNumber);
        const ByteSequence page =
            accessWebPage(address, 1, {}, {}, ByteSequence("ie=utf-8&word=test"), {}, 10.0);
        fakeforum::ResultPageShape shape;
        shape.pageNumber = pageNumber;
        if (page != fakeforum::buildResultPage(shape) && ++wrong <= 3) {
            ADD_FAILURE() << "search " << n << " got " << page.size() << " bytes";
        }
    }
    const long residentEnd = testing::residentKiB();
    const int threadsAfter = testing::waitForThreadCount(threadsBefore, 2s);
    std::printf("[ figures  ] %d searches: resident %ld KiB after %d warm-up searches, %ld KiB at "
                "the end; threads %d before, %d after\n",
                searches, residentStart, kWarmUp, residentEnd, threadsBefore, threadsAfter);
    EXPECT_EQ(wrong, 0);
    if (kResidentSaysSomething) {
        EXPECT_LE(residentEnd - residentStart, kFlatBoundKiB);
    }
    EXPECT_LE(threadsAfter, threadsBefore);
    EXPECT_EQ(server.requests().size(), static_cast<std::size_t>(kWarmUp + searches));
}

} // namespace
} // namespace tieba
