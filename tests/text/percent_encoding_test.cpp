#include "platform/event_pump.h"
#include "tests/support/case_name.h"
#include "tests/support/gbk_literal.h"
#include "text/percent_encoding.h"

#include <gtest/gtest.h>

#include <optional>

namespace tieba {
namespace {

using testing::gbk;

struct EncodeCase {
    const char* name;
    std::string text;
    std::optional<bool> keepPlain;
    std::string gbkForm;
    std::string utf8Form;
};

class PercentEncoding : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(PercentEncoding, EncodesBothForms) {
    const EncodeCase& c = GetParam();
    EXPECT_EQ(percentEncode(c.text, c.keepPlain), c.gbkForm);
    EXPECT_EQ(percentEncodeUtf8(c.text, c.keepPlain), c.utf8Form);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PercentEncoding,
    ::testing::Values(EncodeCase{"empty", "", {}, "", ""},
                      EncodeCase{"lettersAndDigitsToo", "A1", {}, "%41%31", "%41%31"},
                      EncodeCase{"omittedIsFalse", "abc", false, "%61%62%63", "%61%62%63"},
                      EncodeCase{"chinese", gbk("中"), {}, "%D6%D0", "%E4%B8%AD"},
                      EncodeCase{"leadingZeroAndUpperHex", "\t\xAB", {}, "%09%AB", "%09%3F"},
                      EncodeCase{"keepPlainRanges", "a-b/1,2.3Z", true, "a-b/1,2.3Z", "a-b/1,2.3Z"},
                      EncodeCase{"keepPlainEncodesTheRest", "a b_c+~", true, "a%20b%5Fc%2B%7E",
                                 "a%20b%5Fc%2B%7E"},
                      EncodeCase{"keepPlainChinese", gbk("中"), true, "%D6%D0", "%E4%B8%AD"}),
    testing::CaseName());

// Counts the dispatches that the encoder asks for.
class CountingPump final : public platform::EventPump {
public:
    int dispatches = 0;
    void dispatchPending() override { ++dispatches; }
    void waitForEvents(Clock::time_point) override {}
    void wake() override {}
};

class InstalledPump : public ::testing::Test {
protected:
    void SetUp() override { platform::installEventPump(&pump); }
    void TearDown() override { platform::installEventPump(nullptr); }
    CountingPump pump;
};

TEST_F(InstalledPump, DispatchesOncePerEncodedByte) {
    percentEncode(gbk("中a"), true);
    EXPECT_EQ(pump.dispatches, 3);
    pump.dispatches = 0;
    percentEncodeUtf8(gbk("中a")); // four UTF-8 bytes
    EXPECT_EQ(pump.dispatches, 4);
}

TEST_F(InstalledPump, DispatchesNothingForEmptyInput) {
    percentEncode("");
    percentEncodeUtf8("");
    EXPECT_EQ(pump.dispatches, 0);
}

} // namespace
} // namespace tieba
