// The four handlers, many times over, against the fake forum: every listing checked, memory flat,
// no thread left behind; and a burst of clicks, each landing while earlier requests still wait,
// that leaves the search state as the clicks imply. TIEBA_LONG_RUN_SEARCHES sets the number of
// searches of the long run (default 200; the documented long run uses 1000).
#include "app/gbk_qstring.h"
#include "app/search_state.h"
#include "tests/app/test_forum_address.h"
#include "tests/app/window_test_support.h"
#include "tests/fake_forum/fake_forum_server.h"
#include "tests/fake_forum/result_page_builder.h"
#include "tests/reliability/process_figures.h"
#include "tests/reliability/window_reliability_support.h"

#include <QCheckBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>

namespace tieba {
namespace {

using namespace std::chrono_literals;
using Rows = std::vector<std::pair<QString, QString>>;

constexpr int kRowsPerPage = 9;
constexpr long kFlatBoundKiB = 16 * 1024;
constexpr int kWarmUp = 20;

fakeforum::ResultPageShape shapeOf(int pageNumber) {
    fakeforum::ResultPageShape shape;
    shape.pageNumber = pageNumber;
    return shape;
}

Rows expectedRows(int pageNumber) {
    Rows rows;
    for (int i = 1; i <= kRowsPerPage; ++i) {
        rows.emplace_back(fromGbk(fakeforum::resultTitle(shapeOf(pageNumber), i)),
                          fromGbk(fakeforum::resultLink(shapeOf(pageNumber), i)));
    }
    return rows;
}

TextList expectedLinks(int pageNumber) {
    TextList links;
    for (int i = 1; i <= 10; ++i) {
        links.push_back(fakeforum::resultLink(shapeOf(pageNumber), i));
    }
    return links;
}

TextList expectedTitles(int pageNumber) {
    TextList titles;
    for (int i = 1; i <= 10; ++i) {
        titles.push_back(fakeforum::resultTitle(shapeOf(pageNumber), i));
    }
    return titles;
}

// The page whose nine rows these are, if they are one page's first nine.
std::optional<int> pageOfRows(const Rows& rows, int lowest, int highest) {
    for (int page = lowest; page <= highest; ++page) {
        if (rows == expectedRows(page)) {
            return page;
        }
    }
    return std::nullopt;
}

class WindowLongUse : public ::testing::Test {
protected:
    void SetUp() override {
        testing::forumAddressForTests() = server_.baseAddress();
        window_ = testing::openSearchWindow();
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { window_.reset(); }

    fakeforum::FakeForumServer server_;
    std::unique_ptr<MainWindow> window_;
};

// Load, next, next, previous, read info: pageNumber 1, 2, 3, 2, 2, each listing checked.
TEST_F(WindowLongUse, SearchesStayRightAndNothingGrows) {
    const int searches = testing::runLength("TIEBA_LONG_RUN_SEARCHES", 200);
    const char16_t* const buttons[] = {u"按钮1", u"按钮3", u"按钮3", u"按钮2", u"按钮4"};
    const int pageAfter[] = {1, 2, 3, 2, 2};
    testing::type(*window_, u"编辑框2", QStringLiteral("1"));

    long residentStart = 0;
    int threadsBefore = 0;
    int wrong = 0;
    for (int n = 0; n < kWarmUp + searches; ++n) {
        if (n == kWarmUp) {
            residentStart = testing::residentKiB();
            threadsBefore = testing::threadCount();
        }
        const int step = n % 5;
        testing::click(*window_, buttons[step]);
        const int page = pageAfter[step];
        bool right = searchState().pageNumber == page;
        if (step == 4) { // read info lists nothing; it shows the navigation and the last page
            right = right && window_->lastPageLabel()->text() == QStringLiteral("76") &&
                    window_->statusStrip()->partText(0) ==
                        fromGbk(fakeforum::navigationText(shapeOf(1)));
        } else {
            right = right && testing::rowsOf(*window_) == expectedRows(page) &&
                    searchState().links == expectedLinks(page) &&
                    searchState().titles == expectedTitles(page);
        }
        if (!right && ++wrong <= 3) {
            ADD_FAILURE() << "search " << n << " (step " << step << ") went wrong";
        }
    }
    const long residentEnd = testing::residentKiB();
    const int threadsAfter = testing::waitForThreadCount(threadsBefore, 2s);
    std::printf("[ figures  ] %d searches through the window: resident %ld KiB after %d warm-up "
                "searches, %ld KiB at the end; threads %d before, %d after\n",
                searches, residentStart, kWarmUp, residentEnd, threadsBefore, threadsAfter);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(server_.requests().size(), static_cast<std::size_t>(kWarmUp + searches));
    EXPECT_LE(residentEnd - residentStart, kFlatBoundKiB);
    EXPECT_LE(threadsAfter, threadsBefore);
}

// 200 clicks over the four buttons, a few milliseconds apart, while answers take up to 30 ms:
// most handlers run nested inside others' waits.
TEST_F(WindowLongUse, RapidClicksLeaveAConsistentState) {
    constexpr int kClicks = 200;
    const char16_t* const buttons[] = {u"按钮1", u"按钮2", u"按钮3", u"按钮4"};
    std::mt19937 random(7);
    std::vector<int> sequence;
    std::vector<std::chrono::milliseconds> delays;
    for (int i = 0; i < kClicks; ++i) {
        sequence.push_back(static_cast<int>(random() % 4));
        delays.emplace_back(random() % 31);
    }
    server_.delayNextAnswers(delays);
    testing::type(*window_, u"编辑框2", QStringLiteral("3"));

    // Each click first arms the next, so that the next lands inside this one's wait.
    std::vector<int> clicked;
    int depth = 0;
    int deepest = 0;
    std::function<void()> clickNext = [&] {
        const std::size_t at = clicked.size();
        if (at == sequence.size()) {
            return;
        }
        clicked.push_back(sequence[at]);
        QTimer::singleShot(std::chrono::milliseconds(random() % 6), clickNext);
        ++depth;
        deepest = std::max(deepest, depth);
        testing::click(*window_, buttons[sequence[at]]);
        --depth;
    };
    QTimer::singleShot(0, clickNext);
    const auto until = std::chrono::steady_clock::now() + 60s;
    while ((clicked.size() < sequence.size() || depth > 0) &&
           std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    ASSERT_EQ(clicked.size(), sequence.size());
    ASSERT_EQ(depth, 0);

    // Each handler changes pageNumber when it starts, in the order the clicks came.
    int pageNumber = 0;
    int lowest = 0;
    int highest = 3;
    for (const int button : clicked) {
        pageNumber = button == 0   ? 1
                     : button == 1 ? pageNumber - 1
                     : button == 2 ? pageNumber + 1
                                   : pageNumber;
        lowest = std::min(lowest, pageNumber);
        highest = std::max(highest, pageNumber);
    }
    const SearchState& state = searchState();
    EXPECT_EQ(state.pageNumber, pageNumber);
    EXPECT_EQ(server_.requests().size(), sequence.size());

    // The rows are whole listings of pages that were asked for, the last one that of the page
    // the last listing handler cut its links and titles from.
    const Rows rows = testing::rowsOf(*window_);
    ASSERT_EQ(rows.size() % kRowsPerPage, 0u) << rows.size();
    std::optional<int> lastListed;
    for (std::size_t at = 0; at < rows.size(); at += kRowsPerPage) {
        const Rows block(rows.begin() + static_cast<std::ptrdiff_t>(at),
                         rows.begin() + static_cast<std::ptrdiff_t>(at + kRowsPerPage));
        lastListed = pageOfRows(block, lowest, highest);
        ASSERT_TRUE(lastListed) << "rows " << at << " to " << at + kRowsPerPage - 1;
    }
    if (lastListed) {
        EXPECT_EQ(state.links, expectedLinks(*lastListed));
        EXPECT_EQ(state.titles, expectedTitles(*lastListed));
    }
    std::printf("[ figures  ] %d clicks: deepest nesting %d, %zu rows at the end, pageNumber %d\n",
                kClicks, deepest, rows.size(), state.pageNumber);
}

} // namespace
} // namespace tieba
