// The GBK boundary of the widgets: lossless both ways, line breaks converted
// for multi-line boxes.

#include <gtest/gtest.h>

#include <ostream>

#include "app/gbk_qt.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

struct RoundTripCase {
    const char* name;
    std::string bytes;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class GbkQtRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(GbkQtRoundTrip, BytesComeBackUnchanged) {
    const std::string& bytes = GetParam().bytes;
    EXPECT_BYTES_EQ(bytes, toGbk(toQString(bytes)));
    EXPECT_BYTES_EQ(bytes, toGbkLines(toQStringLines(bytes)));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkQtRoundTrip,
    ::testing::Values(RoundTripCase{"Empty", ""}, RoundTripCase{"Ascii", "seo tools"},
                      RoundTripCase{"Chinese", "\xB9\xD8\xBC\xFC\xB4\xCA"},  // 关键词
                      RoundTripCase{"LoneLeadByteAtEnd", "ab\x81"},
                      RoundTripCase{"InvalidTrailByte", "\x81\x20x"},
                      RoundTripCase{"HighBytes", "\x80\xFF\xFE"},
                      RoundTripCase{"ZeroByte", std::string("a\0b", 3)},
                      RoundTripCase{"CrLfLines", "one\r\ntwo\r\n"}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

TEST(GbkQt, ConvertsToTheWidgetsUnicode) {
    EXPECT_EQ(toQString(gbk("采集完成！")), QStringLiteral("采集完成！"));
    EXPECT_EQ(toGbk(QStringLiteral("采集完成！")), gbk("采集完成！"));
    // A character GBK cannot hold becomes "?", as the platform conversion does.
    EXPECT_EQ(toGbk(QString::fromUtf8("a\xF0\x9F\x98\x80")), "a?");
}

TEST(GbkQt, MultiLineBoxesBreakWithLineFeedsInsideAndCrLfOutside) {
    EXPECT_EQ(toQStringLines("a\r\nb"), QStringLiteral("a\nb"));
    EXPECT_EQ(toGbkLines(QStringLiteral("a\nb\n")), "a\r\nb\r\n");
    // Breaks the box already holds as CR LF are not doubled.
    EXPECT_EQ(toGbkLines(QStringLiteral("a\r\nb")), "a\r\nb");
}

}  // namespace
}  // namespace rankminer
