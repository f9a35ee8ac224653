#include "report/export.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

MemoryReportList listWithRows(const std::vector<std::vector<std::string>>& rows) {
    MemoryReportList list;
    for (const auto& cells : rows) {
        const int row = list.appendRow("");
        for (std::size_t c = 0; c < cells.size(); ++c) {
            list.setCellText(row, static_cast<int>(c), gbk(cells[c]));
        }
    }
    return list;
}

struct RowTextCase {
    const char* name;
    std::vector<std::string> cells;
    std::string expected;
};

void PrintTo(const RowTextCase& c, std::ostream* os) {
    *os << c.name;
}

class RowText : public ::testing::TestWithParam<RowTextCase> {};

TEST_P(RowText, JoinsCellsWithCommas) {
    const RowTextCase& c = GetParam();
    EXPECT_BYTES_EQ(gbk(c.expected), rowText(listWithRows({c.cells}), 0));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, RowText,
    ::testing::Values(RowTextCase{"AllFilled",
                                  {"1", "a.com", "关键字", "3", "100", "200", "标题", "http://x/"},
                                  "1,a.com,关键字,3,100,200,标题,http://x/"},
                      RowTextCase{
                          "TrailingEmptyCellsKeepTheirCommas", {"a", "b", "c"}, "a,b,c,,,,,"},
                      RowTextCase{"NoCommaBeforeFirstText", {"", "", "x", "", "y"}, "x,,y,,,"},
                      RowTextCase{"AllEmpty", {}, ""},
                      RowTextCase{"NoQuoting", {"a\"b", "c,d"}, "a\"b,c,d,,,,,,"}),
    [](const ::testing::TestParamInfo<RowTextCase>& info) { return std::string(info.param.name); });

TEST(RowTextTest, RowOutOfRangeIsEmpty) {
    EXPECT_EQ("", rowText(listWithRows({{"a"}}), 1));
}

TEST(SelectedCellText, EmptyWithoutSelection) {
    MemoryReportList list = listWithRows({{"1", "d", "k"}});
    EXPECT_EQ("", selectedCellText(list, 2));
    list.selectRow(0);
    EXPECT_EQ("k", selectedCellText(list, 2));
}

const std::string& quotedTitles() {
    static const std::string line = gbk(
        "\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\",\"网页标题\",\"链接\"\r\n");
    return line;
}

TEST(ReportExport, EmptyListGivesTheHeaderLineAlone) {
    EXPECT_BYTES_EQ(quotedTitles(), buildReportExport(MemoryReportList(), 0, ""));
}

TEST(ReportExport, ModeZeroQuotesEveryCellAndDoublesQuotes) {
    const MemoryReportList list =
        listWithRows({{"1", "a.com", "say \"hi\"", "2"}, {"2", "b.com", "k,2"}});
    EXPECT_BYTES_EQ(quotedTitles() +
                        "\"1\",\"a.com\",\"say \"\"hi\"\"\",\"2\",\"\",\"\",\"\",\"\"\r\n"
                        "\"2\",\"b.com\",\"k,2\",\"\",\"\",\"\",\"\",\"\"\r\n",
                    buildReportExport(list, 0, "ignored #3"));
}

TEST(ReportExport, ModeOneFillsTheExpression) {
    const MemoryReportList list = listWithRows({{"1", "a", "甲"}, {"2", "b", "乙"}});
    EXPECT_BYTES_EQ(gbk("关键字\r\n甲\r\n乙\r\n"), buildReportExport(list, 1, "#3"));
    EXPECT_BYTES_EQ(gbk("域名-排名|\r\na-|\r\nb-|\r\n"), buildReportExport(list, 1, "#2-#4|"));
}

struct MiningCase {
    const char* name;
    std::string fileName;
    std::string header;
    std::string expected;
};

void PrintTo(const MiningCase& c, std::ostream* os) {
    *os << c.name;
}

class MiningExport : public ::testing::TestWithParam<MiningCase> {};

TEST_P(MiningExport, HeaderOnlyForCsvNames) {
    const MiningCase& c = GetParam();
    EXPECT_BYTES_EQ(c.expected, buildMiningExport(c.fileName, c.header, "k1,10\r\nk2,20\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, MiningExport,
    ::testing::Values(
        MiningCase{"LowerCsv", "/tmp/r.csv", "kw,vol", "kw,vol\r\nk1,10\r\nk2,20\r\n"},
        MiningCase{"UpperCsv", "/tmp/R.CSV", "kw,vol", "kw,vol\r\nk1,10\r\nk2,20\r\n"},
        MiningCase{"BeforeAnyJob", "r.csv", "", "\r\nk1,10\r\nk2,20\r\n"},
        MiningCase{"Text", "r.txt", "kw,vol", "k1,10\r\nk2,20\r\n"},
        MiningCase{"CsvWithoutDot", "rcsv", "kw,vol", "k1,10\r\nk2,20\r\n"},
        MiningCase{"CsvInTheMiddle", "r.csv.txt", "kw,vol", "k1,10\r\nk2,20\r\n"}),
    [](const ::testing::TestParamInfo<MiningCase>& info) { return std::string(info.param.name); });

TEST(SearchAddress, EncodesTheKeywordInGbk) {
    SiteConfig config = SiteConfig::defaults();
    config.engineHost = "127.0.0.1:8080";
    EXPECT_EQ("http://127.0.0.1:8080/baidu?word=a%20b", searchAddressFor(config, "a b"));
    EXPECT_EQ("http://127.0.0.1:8080/baidu?word=%D6%D0%CE%C4",
              searchAddressFor(config, gbk("中文")));
    EXPECT_EQ("http://127.0.0.1:8080/baidu?word=", searchAddressFor(config, ""));
}

struct AddressCase {
    const char* name;
    std::string address;
    bool web;
};

void PrintTo(const AddressCase& c, std::ostream* os) {
    *os << c.name;
}

class WebAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(WebAddress, OpensOnlyHttpAndHttpsWithAHost) {
    EXPECT_EQ(GetParam().web, isWebAddress(GetParam().address));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, WebAddress,
    ::testing::Values(AddressCase{"Http", "http://127.0.0.1/page?a=1", true},
                      AddressCase{"HttpsUpperCase", "HTTPS://Example.com", true},
                      AddressCase{"WithPortAndUser", "http://u:p@host:81/x", true},
                      AddressCase{"Ipv6", "http://[::1]:80/", true},
                      AddressCase{"GbkPath", "http://host/" + gbk("关键字"), true},
                      AddressCase{"Empty", "", false},
                      AddressCase{"NoHost", "http:///etc/passwd", false},
                      AddressCase{"OnlyPort", "http://:80/", false},
                      AddressCase{"OnlyUser", "http://user@/x", false},
                      AddressCase{"EmptyIpv6", "http://[]/", false},
                      AddressCase{"File", "file:///etc/passwd", false},
                      AddressCase{"Javascript", "javascript:alert(1)", false},
                      AddressCase{"LocalPath", "/usr/bin/xterm", false},
                      AddressCase{"Program", "calc.exe", false},
                      AddressCase{"NoSlashes", "http:host", false},
                      AddressCase{"LeadingBlank", " http://host/", false},
                      AddressCase{"LineBreakInside", "http://host/\r\nx", false},
                      AddressCase{"Ftp", "ftp://host/", false}),
    [](const ::testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rankminer
