#include "mining/mining_controls.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/bytes.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

TEST(MiningHeaderLine, NamesTheChosenFieldsInLineOrder) {
    EXPECT_BYTES_EQ(gbk("关键词"), miningHeaderLine({}));
    EXPECT_BYTES_EQ(gbk("关键词,搜索量,收录量,第一位,第二位,优化难度"),
                    miningHeaderLine({true, true, true, true, true}));
    EXPECT_BYTES_EQ(gbk("关键词,收录量,优化难度"),
                    miningHeaderLine({false, true, false, false, true}));
}

struct BoxCase {
    const char* name;
    std::string text;  // GBK
    long long pauseMilliseconds;
    long long maximum;
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class NumberBoxes : public ::testing::TestWithParam<BoxCase> {};

// Pause boxes read seconds with decimals, the maximum box an integer; both
// read the leading number only.
TEST_P(NumberBoxes, ReadTheLeadingNumber) {
    testing::RecordingHost host;
    const MiningControls& c = miningControls();
    host.texts[c.seedPause] = GetParam().text;
    host.texts[c.maximumRows] = GetParam().text;
    EXPECT_EQ(GetParam().pauseMilliseconds, readPauseMilliseconds(host, c.seedPause));
    EXPECT_EQ(GetParam().maximum, readRowMaximum(host));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberBoxes,
    ::testing::Values(BoxCase{"HalfSecond", "0.5", 500, 0}, BoxCase{"TenthSecond", "0.1", 100, 0},
                      BoxCase{"Whole", "30", 30000, 30}, BoxCase{"TrailingText", "2s", 2000, 2},
                      BoxCase{"FullWidthDigits", gbk("３０"), 30000, 30},
                      BoxCase{"LettersOnly", "abc", 0, 0}, BoxCase{"Empty", "", 0, 0},
                      BoxCase{"NegativeWaitsNothing", "-3", 0, -3}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rankminer
