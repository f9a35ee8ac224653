#include "ranking/table_parser.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/site_config.h"
#include "ranking/ranking_controls.h"
#include "support/bytes.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::RecordingHost;

// One report row in the site's markup. An empty indexed text leaves that
// cell out, as mobile reports do.
std::string reportRow(const std::string& keywordCell, const std::string& rank,
                      const std::string& volume, const std::string& indexed,
                      const std::string& title, const std::string& href) {
    std::string row = "<tr>\r\n<td class=\"title\">" + keywordCell + "</td>\r\n" +
                      "<td class=\"center\"><span class=\"blue\">" + rank + "</span></td>\r\n" +
                      "<td class=\"center\"><a href=\"/t/1\">" + volume + "</a></td>\r\n";
    if (!indexed.empty()) {
        row += "<td class=\"center\"><a href=\"/t/2\">" + indexed + "</a></td>\r\n";
    }
    row += "<td class=\"left\"><a name=\"baiduLink\" href=\"" + href + "\" target=\"_blank\">" +
           title + "</a></td>\r\n</tr>\r\n";
    return row;
}

std::string reportPage(const std::vector<std::string>& rows) {
    // A table before the report with the same cell classes: it must be ignored.
    std::string page =
        "<html><body><table><tr><td class=\"title\">decoy</td></tr></table>"
        "<div class=\"baidurank-list\"><table>\r\n"
        "<tr class=\"head\"><td class=\"title\">header</td><th>rank</th></tr>\r\n";
    for (const auto& row : rows) {
        page += row;
    }
    return page + "</table></div></body></html>";
}

class TableParserTest : public ::testing::Test {
protected:
    TableParserTest() : run(host, config) {
        config = SiteConfig::defaults();
        config.engineHost = "127.0.0.1:1";
        config.engineMobileHost = "127.0.0.1:1";
        host.captions[rankingControls().startButton] = rankingCaptions().running;
        run.domain = "example.test";
    }

    std::vector<std::string> column(int c) {
        std::vector<std::string> cells;
        for (int r = 0; r < host.list.rowCount(); ++r) {
            cells.push_back(host.list.cellText(r, c));
        }
        return cells;
    }

    RecordingHost host;
    SiteConfig config;
    RankingRun run;
};

TEST_F(TableParserTest, ReadsEveryCellOfAReportRowAndSkipsTheHeader) {
    const std::string page = reportPage({
        reportRow(gbk("\r\n  <a href=\"/s/1\">二手车</a>  <span "
                      "class=\"gray\">此关键词包含:二手车, 3个</span>"),
                  "<b>3</b>", "1&amp;200", "45,600", gbk("二手车,报价<em>大全</em>"),
                  "http://www.example.org/link?url=abc"),
        reportRow(gbk("　旧车　"), "12", "&lt;50", "7", "t", "http://other/x"),
    });
    int counter = 0;
    parseRankTable(page, counter, run);

    ASSERT_EQ(2, host.list.rowCount());
    EXPECT_EQ(2, counter);
    EXPECT_EQ(2, run.rowsAdded);
    EXPECT_EQ((std::vector<std::string>{"1", "2"}), column(0));
    EXPECT_EQ((std::vector<std::string>{"example.test", "example.test"}), column(1));
    EXPECT_EQ((std::vector<std::string>{gbk("二手车"), gbk("旧车")}), column(2));
    EXPECT_EQ((std::vector<std::string>{"3", "12"}), column(3));
    EXPECT_EQ((std::vector<std::string>{"1&200", "<50"}), column(4));
    EXPECT_EQ((std::vector<std::string>{"45,600", "7"}), column(5));
    EXPECT_EQ((std::vector<std::string>{gbk("二手车，报价大全"), "t"}), column(6));
    // Resolution is off: links stay as on the page.
    EXPECT_EQ((std::vector<std::string>{"http://www.example.org/link?url=abc", "http://other/x"}),
              column(7));
    EXPECT_EQ(1, host.list.lastVisibleRow());
}

TEST_F(TableParserTest, PageWithoutReportTableAddsNothing) {
    int counter = 0;
    parseRankTable(gbk("<html>您的查询太频繁了</html>"), counter, run);
    parseRankTable("", counter, run);
    EXPECT_EQ(0, host.list.rowCount());
    EXPECT_EQ(0, counter);
}

TEST_F(TableParserTest, MobileLeavesTheIndexedCountEmpty) {
    host.checks[rankingControls().mobile] = true;
    // Even when the page carries a third centre cell, mobile reports have none
    // to read.
    int counter = 0;
    parseRankTable(reportPage({reportRow("k", "1", "10", "99", "t", "http://x/")}), counter, run);
    ASSERT_EQ(1, host.list.rowCount());
    EXPECT_EQ("10", host.list.cellText(0, 4));
    EXPECT_EQ("", host.list.cellText(0, 5));
}

TEST_F(TableParserTest, DuplicateFilterSkipsKeywordsSeenOnEarlierPagesAndLeavesAGap) {
    host.checks[rankingControls().dedupe] = true;
    int counter = 0;
    parseRankTable(
        reportPage({reportRow("a", "1", "", "", "", ""), reportRow("b", "2", "", "", "", "")}),
        counter, run);
    parseRankTable(
        reportPage({reportRow("b", "3", "", "", "", ""), reportRow("B", "4", "", "", "", ""),
                    reportRow("c", "5", "", "", "", "")}),
        counter, run);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "B", "c"}), column(2));
    // The skipped "b" of page 2 was counted: serial 3 is missing.
    EXPECT_EQ((std::vector<std::string>{"1", "2", "4", "5"}), column(0));
    EXPECT_EQ(5, counter);
}

TEST_F(TableParserTest, WithoutTheFilterRepeatedKeywordsStay) {
    int counter = 0;
    const std::string page = reportPage({reportRow("a", "1", "", "", "", "")});
    parseRankTable(page, counter, run);
    parseRankTable(page, counter, run);
    EXPECT_EQ((std::vector<std::string>{"a", "a"}), column(2));
    EXPECT_TRUE(run.seenKeywords.empty());
}

TEST_F(TableParserTest, StopRequestEndsThePageBeforeTheNextRow) {
    const std::string page =
        reportPage({reportRow("a", "1", "", "", "", ""), reportRow("b", "2", "", "", "", ""),
                    reportRow("c", "3", "", "", "", "")});
    host.installPumpHook([&] {
        if (host.list.rowCount() == 2) {
            host.captions[rankingControls().startButton] = rankingCaptions().stopping;
        }
    });
    int counter = 0;
    parseRankTable(page, counter, run);
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), column(2));
}

TEST_F(TableParserTest, WritesEachRowLineToTheOpenFileAsItIsAdded) {
    testing::TempDir dir;
    const std::string path = dir.file("rows.csv");
    ASSERT_TRUE(run.output.open(path));
    host.checks[rankingControls().autoSave] = true;
    buildHeaderLine(host.list, 0, {}, run.format);
    // The file as the last dispatch with n rows in the list saw it (the one
    // after row n was finished).
    std::map<int, std::string> fileWithRows;
    host.installPumpHook(
        [&] { fileWithRows[host.list.rowCount()] = testing::readFileBytes(path); });

    int counter = 0;
    parseRankTable(reportPage({reportRow("a\"q", "1", "10", "20", "t", "http://x/"),
                               reportRow("b", "2", "", "", "", "")}),
                   counter, run);
    run.output.close();

    const std::string first =
        "\"1\",\"example.test\",\"a\"\"q\",\"1\",\"10\",\"20\",\"t\",\"http://x/\"\r\n";
    const std::string second = "\"2\",\"example.test\",\"b\",\"2\",\"\",\"\",\"\",\"\"\r\n";
    EXPECT_BYTES_EQ(first, fileWithRows[1]);
    EXPECT_BYTES_EQ(first + second, fileWithRows[2]);
}

TEST_F(TableParserTest, AutoSaveSwitchedOffMidJobStopsWriting) {
    testing::TempDir dir;
    const std::string path = dir.file("rows.txt");
    ASSERT_TRUE(run.output.open(path));
    buildHeaderLine(host.list, 1, "#3", run.format);
    int counter = 0;
    parseRankTable(reportPage({reportRow("a", "1", "", "", "", "")}), counter, run);
    EXPECT_BYTES_EQ("", testing::readFileBytes(path));
    EXPECT_EQ(1, host.list.rowCount());
}

struct KeywordCase {
    const char* name;
    const char* text;
    const char* keywords;
    bool expected;
};

void PrintTo(const KeywordCase& c, std::ostream* os) {
    *os << c.name;
}

class ContainsKeywordTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(ContainsKeywordTest, MatchesAnyNonEmptyKeyword) {
    EXPECT_EQ(GetParam().expected, containsKeyword(GetParam().text, GetParam().keywords));
}

INSTANTIATE_TEST_SUITE_P(
    TableParser, ContainsKeywordTest,
    ::testing::Values(KeywordCase{"DesktopPrefix", "http://e.org/link?url=x",
                                  "http://e.org/link?url=|http://m.e.org/s?", true},
                      KeywordCase{"MobilePrefix", "http://m.e.org/s?word=x",
                                  "http://e.org/link?url=|http://m.e.org/s?", true},
                      KeywordCase{"CapitalLetters", "HTTP://E.ORG/LINK?URL=x",
                                  "http://e.org/link?url=|http://m.e.org/s?", true},
                      KeywordCase{"NoPrefix", "http://other/",
                                  "http://e.org/link?url=|http://m.e.org/s?", false},
                      KeywordCase{"EmptyPiecesIgnored", "abc", "||", false},
                      KeywordCase{"EmptyList", "abc", "", false},
                      KeywordCase{"EmptyText", "", "a", false}),
    [](const ::testing::TestParamInfo<KeywordCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rankminer
