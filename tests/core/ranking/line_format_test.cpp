#include "ranking/line_format.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

// A report list holding the given rows (each row at most eight cells).
MemoryReportList listWith(const std::vector<std::vector<std::string>>& rows) {
    MemoryReportList list;
    for (const auto& cells : rows) {
        const int row = list.appendRow(cells.empty() ? std::string() : cells[0]);
        for (std::size_t c = 1; c < cells.size(); ++c) {
            list.setCellText(row, static_cast<int>(c), cells[c]);
        }
    }
    return list;
}

TEST(LineFormat, CsvModeHeaderQuotesTheEightTitles) {
    MemoryReportList list;
    LineFormat format;
    const std::string header = buildHeaderLine(list, 0, "ignored #1", format);
    EXPECT_BYTES_EQ(gbk("\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\",\"网页标题\","
                        "\"链接\"\r\n"),
                    header);
    EXPECT_EQ("\"#1\",\"#2\",\"#3\",\"#4\",\"#5\",\"#6\",\"#7\",\"#8\"", format.lineTemplate);
    EXPECT_TRUE(format.quoteCells);
}

TEST(LineFormat, FreeModeTakesTheExpressionVerbatim) {
    MemoryReportList list;
    LineFormat format;
    const std::string header = buildHeaderLine(list, 1, "#3\t#4 [#8]", format);
    EXPECT_EQ("#3\t#4 [#8]", format.lineTemplate);
    EXPECT_FALSE(format.quoteCells);
    EXPECT_BYTES_EQ(gbk("关键字\t排名 [链接]\r\n"), header);
}

TEST(LineFormat, CsvRowDoublesQuotesInsideCells) {
    const MemoryReportList list =
        listWith({{"1", "a.com", gbk("他说\"好\""), "3", "", "", "t,u", "http://x/?q=\"y\""}});
    LineFormat format;
    buildHeaderLine(list, 0, {}, format);
    EXPECT_BYTES_EQ(gbk("\"1\",\"a.com\",\"他说\"\"好\"\"\",\"3\",\"\",\"\",\"t,u\","
                        "\"http://x/?q=\"\"y\"\"\"\r\n"),
                    formatRow(list, 0, format));
}

TEST(LineFormat, FreeModeRowIsVerbatimIncludingQuotes) {
    const MemoryReportList list = listWith({{"7", "d", "k\"w", "2"}});
    LineFormat format;
    buildHeaderLine(list, 1, "#1|#3|\"#4\"", format);
    EXPECT_BYTES_EQ("7|k\"w|\"2\"\r\n", formatRow(list, 0, format));
}

TEST(LineFormat, EmptyExpressionGivesEmptyLines) {
    const MemoryReportList list = listWith({{"1", "d"}});
    LineFormat format;
    EXPECT_BYTES_EQ("\r\n", buildHeaderLine(list, 1, {}, format));
    EXPECT_BYTES_EQ("\r\n", formatRow(list, 0, format));
}

TEST(LineFormat, CellHoldingAPlaceholderIsNotExpandedAgain) {
    // A title "Top #3 picks" must reach the file as it is, not with the
    // keyword pasted in.
    const MemoryReportList list = listWith({{"1", "d", "kw", "2", "", "", "Top #3 picks #1", "l"}});
    LineFormat format;
    buildHeaderLine(list, 0, {}, format);
    EXPECT_BYTES_EQ("\"1\",\"d\",\"kw\",\"2\",\"\",\"\",\"Top #3 picks #1\",\"l\"\r\n",
                    formatRow(list, 0, format));
}

struct PlaceholderCase {
    const char* name;
    const char* expression;
    const char* expected;  // row {"c1".."c8"}
};

void PrintTo(const PlaceholderCase& c, std::ostream* os) {
    *os << c.name;
}

class PlaceholderTest : public ::testing::TestWithParam<PlaceholderCase> {};

TEST_P(PlaceholderTest, ExpandsLikeTheDescendingReplacement) {
    const MemoryReportList list = listWith({{"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"}});
    LineFormat format;
    buildHeaderLine(list, 1, GetParam().expression, format);
    EXPECT_BYTES_EQ(std::string(GetParam().expected) + "\r\n", formatRow(list, 0, format));
}

INSTANTIATE_TEST_SUITE_P(LineFormat, PlaceholderTest,
                         ::testing::Values(
                             // With eight columns "#12" is column 1 followed by "2".
                             PlaceholderCase{"TwoDigitsBeyondColumnsReadsFirstDigit", "#12", "c12"},
                             PlaceholderCase{"ColumnZeroIsNoPlaceholder", "#0#9", "#0#9"},
                             PlaceholderCase{"LeadingZeroIsNoPlaceholder", "#01", "#01"},
                             PlaceholderCase{"LoneHashAtEnd", "a#", "a#"},
                             PlaceholderCase{"HashBeforeLetter", "#a#8", "#ac8"},
                             PlaceholderCase{"DoubleHash", "##2", "#c2"},
                             PlaceholderCase{"RepeatedPlaceholder", "#2-#2", "c2-c2"},
                             PlaceholderCase{"GbkAroundPlaceholders", "\xB9\xD8#3\xBC\xFC",
                                             "\xB9\xD8"
                                             "c3\xBC\xFC"}),
                         [](const ::testing::TestParamInfo<PlaceholderCase>& info) {
                             return info.param.name;
                         });

TEST(LineFormat, TenColumnsPreferTheLongerNumber) {
    // A list with more columns than the design's eight: "#10" is column 10.
    class WideList : public MemoryReportList {
    public:
        int columnCount() const override { return 10; }
        std::string cellText(int, int column) const override {
            return "v" + std::to_string(column + 1);
        }
        std::string columnTitle(int column) const override {
            return "T" + std::to_string(column + 1);
        }
    } list;
    LineFormat format;
    EXPECT_EQ("\"T1\",\"T2\",\"T3\",\"T4\",\"T5\",\"T6\",\"T7\",\"T8\",\"T9\",\"T10\"\r\n",
              buildHeaderLine(list, 0, {}, format));
    EXPECT_EQ("\"v1\",\"v2\",\"v3\",\"v4\",\"v5\",\"v6\",\"v7\",\"v8\",\"v9\",\"v10\"\r\n",
              formatRow(list, 0, format));
    buildHeaderLine(list, 1, "#10#1#100", format);
    EXPECT_EQ("v10v1v100\r\n", formatRow(list, 0, format));
}

}  // namespace
}  // namespace rankminer
