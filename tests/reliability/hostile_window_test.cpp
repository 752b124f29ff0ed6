// The window against servers that misbehave: the "载入" handler comes back with what can be
// listed, the failure text in the status bar's part 0 where no page came, and the event loop keeps
// running while it waits.
#include "app/gbk_qstring.h"
#include "app/request_outcome.h"
#include "app/result_page_cuts.h"
#include "app/search_state.h"
#include "platform/curl_cookie_store.h"
#include "tests/app/test_forum_address.h"
#include "tests/app/window_test_support.h"
#include "tests/fake_forum/result_page_builder.h"
#include "tests/reliability/hostile_servers.h"
#include "tests/reliability/process_figures.h"
#include "tests/reliability/window_reliability_support.h"
#include "tests/support/case_name.h"
#include "web/http_request_worker.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace tieba {
namespace {

using testing::Hostility;

// The stall a person would notice; measured, it stays far below on an idle machine, so the
// bound leaves room for a loaded one.
constexpr double kStallBoundMs = 250.0;
constexpr long kMiB = 1024; // in KiB

// One listing as the forum writes it: link and title between the page's delimiters.
std::string listing(std::string_view link, std::string_view title) {
    return "<div class=\"s_post\"><span " + std::string(resultPage::kLinkLeft) + std::string(link) +
           std::string(resultPage::kLinkRight) + std::string(title) +
           std::string(resultPage::kTitleRight) + "...</div>\n</div>\n";
}

fakeforum::ResultPageShape firstPage() {
    return fakeforum::ResultPageShape{};
}

std::string normalPage() {
    return fakeforum::buildResultPage(firstPage());
}

// The normal page up to the start of listing `index`: the listings before it whole.
std::string pageBeforeListing(int index) {
    const std::string page = normalPage();
    const std::string link = fakeforum::resultLink(firstPage(), index);
    return page.substr(0, page.rfind("<div class=\"s_post\">", page.find(link)));
}

struct ExpectedRow {
    std::string link;
    std::optional<std::string> title; // GBK; none where the title is no valid GBK
};

std::vector<ExpectedRow> normalRows(int count) {
    std::vector<ExpectedRow> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(
            {fakeforum::resultLink(firstPage(), i), fakeforum::resultTitle(firstPage(), i)});
    }
    return rows;
}

enum class Status { Failure, Clear };

struct WindowCase {
    std::string name;
    Hostility kind;
    std::string page;
    std::vector<ExpectedRow> rows;
    Status status;
    std::optional<std::size_t> pageTextSize; // the page as text: up to its first zero byte
    long memoryBoundKiB = 32 * kMiB;
};

void PrintTo(const WindowCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kInvalidGbk = "\x80\xFF\xFE\xFD"; // no GBK character at all
const std::string kLoneLead = "\xD6";               // 中 without its trail byte
const std::string kZhong = "\xD6\xD0";              // 中

std::string oddTitlesPage() {
    return "<html>\n" + listing("/p/1", kInvalidGbk) + listing("/p/2", "a" + kInvalidGbk + "b") +
           listing("/p/3", kZhong) + "</html>\n";
}

std::string zeroBytePage() {
    return "<html>\n" + listing("/p/1", kZhong) + listing("/p/2", "two") + std::string(1, '\0') +
           listing("/p/3", "three") + "</html>\n";
}

std::string endsInLoneLeadPage() {
    const std::string whole =
        "<html>\n" + listing("/p/1", "one") + listing("/p/2", "two") + listing("/p/3", kZhong);
    return whole.substr(0, whole.rfind(kZhong)) + kLoneLead;
}

// A lone lead byte right before the title's right delimiter takes the delimiter's first byte
// as its trail: that title cannot be cut, the listings around it can.
std::string loneLeadInTitlePage() {
    return "<html>\n" + listing("/p/1", "one") + listing("/p/2", "two" + kLoneLead) +
           listing("/p/3", "three") + "</html>\n";
}

class HostileWindow : public ::testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override {
        window_ = testing::openSearchWindow();
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        window_.reset();
        platform::clearStoredCookies();
    }
    std::unique_ptr<MainWindow> window_;
};

TEST_P(HostileWindow, ListsWhatCanBeCutAndKeepsAnswering) {
    const WindowCase& c = GetParam();
    const auto server = testing::startHostileServer(c.kind, c.page);
    testing::forumAddressForTests() = server->baseAddress();

    const bool peakReset = testing::resetPeakResident();
    const long residentBefore = testing::residentKiB();
    QElapsedTimer clock;
    clock.start();
    testing::StallMeter meter;
    testing::click(*window_, u"按钮1");
    meter.stop();
    const double elapsedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const long peakGrowth = testing::peakResidentKiB() - residentBefore;

    const auto rows = testing::rowsOf(*window_);
    ASSERT_EQ(rows.size(), c.rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].second, fromGbk(c.rows[i].link)) << i;
        if (c.rows[i].title) {
            EXPECT_EQ(rows[i].first, fromGbk(*c.rows[i].title)) << i;
        }
    }
    const QString status = window_->statusStrip()->partText(0);
    if (c.status == Status::Failure) {
        EXPECT_EQ(status, fromGbk(*requestFailureText("")));
    } else {
        EXPECT_TRUE(status.isEmpty()) << status.toStdString();
    }
    if (c.pageTextSize) {
        EXPECT_EQ(searchState().pageText.size(), *c.pageTextSize);
    }
    EXPECT_EQ(searchState().pageNumber, 1);
    if (elapsedMs > 100.0) { // a wait that long must have let the meter tick
        EXPECT_GT(meter.tickCount(), 0u);
    }
    EXPECT_LT(meter.maxGapMs(), kStallBoundMs);
    if (peakReset) {
        EXPECT_LE(peakGrowth, c.memoryBoundKiB);
    }
    std::printf("[ figures  ] %s: %.0f ms, %zu ticks, stall median %.1f ms max %.1f ms, after the "
                "request %.1f ms, peak growth %ld KiB\n",
                c.name.c_str(), elapsedMs, meter.tickCount(), meter.medianGapMs(), meter.maxGapMs(),
                meter.tailMs(), peakGrowth);
}

const std::size_t kCap = kMaxPageBytes;

INSTANTIATE_TEST_SUITE_P(
    Servers, HostileWindow,
    ::testing::Values(
        WindowCase{"silentThenCloses", Hostility::SilentThenCloses, "", {}, Status::Failure, 0},
        WindowCase{"bodyOneByteASecond", Hostility::BodyOneByteASecond, "ab", {}, Status::Clear, 2},
        // The page and its text are 64 MiB each while the handler runs.
        WindowCase{"bodyFarOverTheCap",
                   Hostility::BodyOverTheCap,
                   "",
                   {},
                   Status::Clear,
                   kCap,
                   3 * static_cast<long>(kCap / 1024) + 64 * kMiB},
        WindowCase{"redirectsForever",
                   Hostility::RedirectsForever,
                   "",
                   {},
                   Status::Clear,
                   testing::kRedirectBodySize},
        WindowCase{"megabyteHeaderBlock",
                   Hostility::MegabyteHeaderBlock,
                   normalPage(),
                   {},
                   Status::Failure,
                   0},
        WindowCase{"tenThousandCookies", Hostility::TenThousandCookies, normalPage(), normalRows(9),
                   Status::Clear, normalPage().size()},
        WindowCase{"invalidGbkInTitles",
                   Hostility::Page,
                   oddTitlesPage(),
                   {{"/p/1", {}}, {"/p/2", {}}, {"/p/3", kZhong}},
                   Status::Clear,
                   oddTitlesPage().size()},
        // The page as text ends at its first zero byte, and so does the listing.
        WindowCase{"zeroByteAfterTwoListings",
                   Hostility::Page,
                   zeroBytePage(),
                   {{"/p/1", kZhong}, {"/p/2", "two"}},
                   Status::Clear,
                   zeroBytePage().find('\0')},
        WindowCase{"endsInALoneLeadByte",
                   Hostility::Page,
                   endsInLoneLeadPage(),
                   {{"/p/1", "one"}, {"/p/2", "two"}},
                   Status::Clear,
                   endsInLoneLeadPage().size()},
        WindowCase{"loneLeadByteInATitle",
                   Hostility::Page,
                   loneLeadInTitlePage(),
                   {{"/p/1", "one"}, {"/p/2", {}}, {"/p/3", "three"}},
                   Status::Clear,
                   loneLeadInTitlePage().size()},
        // Reset after four whole listings and part of the fifth: those four are listed.
        WindowCase{"resetsMidBody", Hostility::ResetsInsidePage,
                   pageBeforeListing(5) + normalPage().substr(pageBeforeListing(5).size(), 60),
                   normalRows(4), Status::Clear, pageBeforeListing(5).size() + 60},
        WindowCase{"closesBeforeStatusLine",
                   Hostility::ClosesBeforeStatusLine,
                   "",
                   {},
                   Status::Failure,
                   0}),
    testing::CaseName());

} // namespace
} // namespace tieba
