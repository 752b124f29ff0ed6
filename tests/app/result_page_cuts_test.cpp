#include "app/result_page_cuts.h"
#include "tests/fake_forum/result_page_builder.h"
#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"

#include <gtest/gtest.h>

namespace tieba {
namespace {

using testing::gbk;

struct LastPageCase {
    const char* name;
    std::string page;
    std::string expected;
};

class LastPageNumber : public ::testing::TestWithParam<LastPageCase> {};

TEST_P(LastPageNumber, IsTheNumberOfTheLastPageLink) {
    EXPECT_EQ(resultPage::lastPageNumber(GetParam().page), GetParam().expected);
}

const std::string kLast = gbk("\" class=\"last\">尾页");

INSTANTIATE_TEST_SUITE_P(
    Table, LastPageNumber,
    ::testing::Values(
        // Every pager link before the last one carries "&sd=&ed=&pn=" too.
        LastPageCase{"pagerLinksBefore",
                     "<a href=\"r?&sd=&ed=&pn=1\" class=\"first\">x</a><a href=\"r?&sd=&ed=&pn=2\">"
                     "2</a><a href=\"r?&sd=&ed=&pn=76" +
                         kLast + "</a>",
                     "76"},
        LastPageCase{"onlyLink", "<a href=\"r?&sd=&ed=&pn=9" + kLast, "9"},
        LastPageCase{"markerMissing", "<a href=\"r?&sd=&ed=&pn=9\" class=\"next\">", ""},
        LastPageCase{"noPageKeyBeforeMarker", "<a href=\"r?pn=9" + kLast + " &sd=&ed=&pn=3", ""},
        LastPageCase{"anyCase", "<a href=\"r?&SD=&ED=&PN=12\" CLASS=\"LAST\">" + gbk("尾页"), "12"},
        LastPageCase{"emptyPage", "", ""}),
    testing::CaseName());

TEST(ResultPageCuts, ReadTheFakeForumsPage) {
    fakeforum::ResultPageShape shape;
    shape.pageNumber = 3;
    shape.lastPage = 41;
    const std::string page = fakeforum::buildResultPage(shape);
    EXPECT_EQ(resultPage::lastPageNumber(page), "41");
    EXPECT_EQ(resultPage::navigationText(page), fakeforum::navigationText(shape));
}

} // namespace
} // namespace tieba
