// Whole ranking jobs in-process: the real driver, page loop and parser over
// HTTP against the site simulator, with a recording window.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/site_config.h"
#include "ranking/ranking_controls.h"
#include "ranking/ranking_job.h"
#include "site_simulator/site_simulator.h"
#include "support/bytes.h"
#include "support/loopback_server.h"
#include "support/rank_csv.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::quoted;

using testing::RecordingHost;

constexpr int kRowsPerPage = 4;

sim::SimulatorOptions simulatorOptions() {
    sim::SimulatorOptions options;
    options.rowsPerPage = kRowsPerPage;
    options.defaultPages = 2;
    return options;
}

// The row as the report list should hold it.
std::vector<std::string> expectedCells(int serial, const std::string& domain,
                                       const sim::RankRow& row, bool resolved) {
    const std::string link = resolved && !row.resolved.empty() ? row.resolved : row.href;
    return {std::to_string(serial),
            domain,
            row.keyword,
            row.rank,
            row.volume,
            row.indexed,
            row.title,
            link};
}

std::string csvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        line += (i == 0 ? "" : ",") + quoted(cells[i]);
    }
    return line + "\r\n";
}

class RankingOverHttp : public ::testing::Test {
protected:
    RankingOverHttp() : site(simulatorOptions()) {}

    void SetUp() override {
        ASSERT_TRUE(site.start());
        config = SiteConfig::defaults();
        config.rankUrl = site.rankUrl();
        config.engineHost = site.engineHost();
        config.engineMobileHost = site.engineHost();
        config.timeScale = 0.001;
        host.captions[controls.startButton] = rankingCaptions().idle;
        host.indexes[controls.exportMode] = 0;
        host.indexes[controls.order] = 0;
        host.checks[controls.resolveLinks] = true;
        host.checks[controls.ipPrompt] = true;
        host.checks[controls.autoSave] = true;
        host.tags[controls.savePathButton] = outputPath();
    }

    std::string outputPath() const { return dir.file("rows.csv"); }

    void runJob(const std::string& domains) {
        host.texts[controls.domains] = domains;
        RankingJob job(host, config);
        job.onStartClicked();
        rows = job.rowsCollected();
        savedPath = job.outputPath();
    }

    std::string pagePath(const std::string& domain, int page, bool mobile = false) const {
        return "/rank/" + std::string(mobile ? "mobile/" : "baidu/") + domain + "/-1/0/" +
               std::to_string(page) + "/position/1/";
    }

    std::vector<std::string> listRow(int r) const {
        std::vector<std::string> cells;
        for (int c = 0; c < host.list.columnCount(); ++c) {
            cells.push_back(host.list.cellText(r, c));
        }
        return cells;
    }

    // Every row of the domain's pages in order, numbered from 1.
    std::vector<std::vector<std::string>> expectedRows(const std::string& domain, int pages,
                                                       bool mobile = false,
                                                       bool resolved = true) const {
        std::vector<std::vector<std::string>> out;
        int serial = 0;
        for (int page = 1; page <= pages; ++page) {
            for (const auto& row : site.expectedRankRows(domain, page, mobile)) {
                out.push_back(expectedCells(++serial, domain, row, resolved));
            }
        }
        return out;
    }

    void expectListRows(const std::vector<std::vector<std::string>>& expected) const {
        ASSERT_FALSE(expected.empty()) << "the simulator gave no rows to compare with";
        ASSERT_EQ(static_cast<int>(expected.size()), host.list.rowCount());
        for (std::size_t r = 0; r < expected.size(); ++r) {
            EXPECT_EQ(expected[r], listRow(static_cast<int>(r))) << "row " << r;
        }
    }

    const RankingControls& controls = rankingControls();
    sim::SiteSimulator site;
    testing::TempDir dir;
    SiteConfig config;
    RecordingHost host;
    int rows = 0;
    std::string savedPath;
};

TEST_F(RankingOverHttp, FetchesEveryPageOnceAndCollectsItsRows) {
    runJob("pages4.test");
    for (int page = 1; page <= 4; ++page) {
        EXPECT_EQ(1, site.requestCount(pagePath("pages4.test", page))) << "page " << page;
    }
    EXPECT_EQ(0, site.requestCount(pagePath("pages4.test", 5)));
    expectListRows(expectedRows("pages4.test", 4));
    EXPECT_EQ(4 * kRowsPerPage, rows);
    EXPECT_BYTES_EQ(gbk("域名：pages4.test  当前页：4  总：4"), host.statusTexts.back());
    EXPECT_EQ(1, host.messageCount(gbk("采集完成！")));
}

TEST_F(RankingOverHttp, CsvFileHoldsHeaderAndEveryRowOfEveryDomain) {
    runJob("pages2.test|nopager.test");
    std::string expected =
        gbk("\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\","
            "\"网页标题\",\"链接\"\r\n");
    for (const auto& row : expectedRows("pages2.test", 2)) {
        expected += csvLine(row);
    }
    for (const auto& row : expectedRows("nopager.test", 1)) {
        expected += csvLine(row);
    }
    EXPECT_EQ(outputPath(), savedPath);
    EXPECT_BYTES_EQ(expected, testing::readFileBytes(outputPath()));
    EXPECT_EQ(1, site.requestCount(pagePath("nopager.test", 1)));
    EXPECT_EQ(0, site.requestCount(pagePath("nopager.test", 2)));
}

TEST_F(RankingOverHttp, TemplateModeWritesTheUsersLinesWithoutHeader) {
    host.indexes[controls.exportMode] = 1;
    host.texts[controls.expression] = "#1\t#3 \"#4\"";
    runJob("pages1.test");
    std::string expected;
    for (const auto& row : expectedRows("pages1.test", 1)) {
        expected += row[0] + "\t" + row[2] + " \"" + row[3] + "\"\r\n";
    }
    EXPECT_BYTES_EQ(expected, testing::readFileBytes(outputPath()));
}

TEST_F(RankingOverHttp, DuplicateFilterLeavesGapsInTheSerials) {
    host.checks[controls.dedupe] = true;
    runJob("dupes.test|pages1.test");
    std::vector<std::vector<std::string>> expected;
    std::vector<std::string> seen;
    int serial = 0;
    for (int page = 1; page <= 2; ++page) {
        for (const auto& row : site.expectedRankRows("dupes.test", page, false)) {
            ++serial;
            if (std::find(seen.begin(), seen.end(), row.keyword) != seen.end()) {
                continue;
            }
            seen.push_back(row.keyword);
            expected.push_back(expectedCells(serial, "dupes.test", row, true));
        }
    }
    ASSERT_LT(expected.size(), static_cast<std::size_t>(2 * kRowsPerPage))
        << "the scenario repeats no keyword";
    // The next domain starts again at 1.
    for (const auto& row : expectedRows("pages1.test", 1)) {
        expected.push_back(row);
    }
    expectListRows(expected);
}

TEST_F(RankingOverHttp, MobileReportLeavesTheIndexedCountEmpty) {
    host.checks[controls.mobile] = true;
    runJob("pages2.test");
    EXPECT_EQ(1, site.requestCount(pagePath("pages2.test", 2, true)));
    EXPECT_EQ(0, site.requestCount("/rank/baidu/"));
    expectListRows(expectedRows("pages2.test", 2, true));
    for (int r = 0; r < host.list.rowCount(); ++r) {
        EXPECT_EQ("", host.list.cellText(r, 5));
    }
}

TEST_F(RankingOverHttp, FailedResolutionKeepsTheLinkAndResolutionCanBeOff) {
    runJob("deadlink.test");
    expectListRows(expectedRows("deadlink.test", 2, false, false));
    EXPECT_GT(site.requestCount("/link?url=dead"), 0);

    site.clearLog();
    host.checks[controls.resolveLinks] = false;
    runJob("pages1.test");
    expectListRows(expectedRows("pages1.test", 1, false, false));
    EXPECT_EQ(0, site.requestCount("/link"));
}

TEST_F(RankingOverHttp, TooManyQueriesRepeatsThePageAfterTheLongPause) {
    runJob("toofast.test");
    EXPECT_EQ(2, site.requestCount(pagePath("toofast.test", 1)));
    EXPECT_EQ(2, site.requestCount(pagePath("toofast.test", 2)));
    EXPECT_EQ(2, host.beeps);
    expectListRows(expectedRows("toofast.test", 2));
}

TEST_F(RankingOverHttp, QuotaPromptOkRepeatsThePage) {
    host.scriptedAnswers = {MessageAnswer::Ok, MessageAnswer::Ok};
    runJob("quota2.test");
    EXPECT_EQ(3, site.requestCount(pagePath("quota2.test", 1)));
    EXPECT_EQ(2, host.messageCount(rankingTexts().quotaPrompt));
    EXPECT_EQ((std::vector<int>{2, 2}), host.tabPages);
    ASSERT_EQ(2u, host.browserAddresses.size());
    EXPECT_EQ(site.rankUrl() + pagePath("quota2.test", 1).substr(6), host.browserAddresses[0]);
    expectListRows(expectedRows("quota2.test", 2));
}

TEST_F(RankingOverHttp, QuotaPromptCancelStopsTheWholeJob) {
    host.scriptedAnswers = {MessageAnswer::Cancel};
    runJob("quota.test|pages1.test");
    EXPECT_EQ(1, site.requestCount("/rank/"));
    EXPECT_EQ(0, host.list.rowCount());
    EXPECT_EQ(rankingCaptions().idle, host.captions[controls.startButton]);
    EXPECT_EQ(1, host.messageCount(gbk("采集完成！")));
}

TEST_F(RankingOverHttp, QuotaWithoutPromptRepeatsSilently) {
    host.checks[controls.ipPrompt] = false;
    runJob("quota3.test");
    EXPECT_EQ(4, site.requestCount(pagePath("quota3.test", 1)));
    EXPECT_EQ(0, host.messageCount(rankingTexts().quotaPrompt));
    EXPECT_EQ((std::vector<int>{2, 2, 2}), host.tabPages);
    expectListRows(expectedRows("quota3.test", 2));
}

TEST_F(RankingOverHttp, StopDuringTheRateLimitCycleEndsIt) {
    // The prompt is off, so only the stop request can end the repeats.
    host.checks[controls.ipPrompt] = false;
    RankingJob job(host, config);
    host.installPumpHook([&] {
        // After the first quota answer: the click reaches the job at the top
        // of the repeat, the repeat's answer is the last.
        if (host.tabPages.size() == 1 &&
            host.captions[controls.startButton] == rankingCaptions().running) {
            job.onStartClicked();
        }
    });
    host.texts[controls.domains] = "quota9.test|pages1.test";
    job.onStartClicked();
    EXPECT_EQ(2, site.requestCount("/rank/"));
    EXPECT_EQ(0, host.list.rowCount());
}

TEST_F(RankingOverHttp, StopBetweenPagesFinishesTheFetchButNotThePage) {
    RankingJob job(host, config);
    const std::string pageTwo = gbk("域名：pages4.test  当前页：2  总：4");
    host.installPumpHook([&] {
        if (!host.statusTexts.empty() && host.statusTexts.back() == pageTwo &&
            host.captions[controls.startButton] == rankingCaptions().running) {
            job.onStartClicked();
        }
    });
    host.texts[controls.domains] = "pages4.test|pages1.test";
    job.onStartClicked();
    EXPECT_EQ(1, site.requestCount(pagePath("pages4.test", 2)));
    EXPECT_EQ(0, site.requestCount(pagePath("pages4.test", 3)));
    EXPECT_EQ(0, site.requestCount(pagePath("pages1.test", 1)));
    expectListRows(expectedRows("pages4.test", 1));
    EXPECT_EQ(rankingCaptions().idle, host.captions[controls.startButton]);
}

TEST_F(RankingOverHttp, StopBetweenRowsKeepsTheRowsSoFarInListAndFile) {
    RankingJob job(host, config);
    host.installPumpHook([&] {
        if (host.list.rowCount() == 3 &&
            host.captions[controls.startButton] == rankingCaptions().running) {
            job.onStartClicked();
        }
    });
    host.texts[controls.domains] = "pages2.test";
    job.onStartClicked();
    std::vector<std::vector<std::string>> expected = expectedRows("pages2.test", 1);
    expected.resize(3);
    expectListRows(expected);
    std::string file =
        gbk("\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\","
            "\"网页标题\",\"链接\"\r\n");
    for (const auto& row : expected) {
        file += csvLine(row);
    }
    EXPECT_BYTES_EQ(file, testing::readFileBytes(outputPath()));
    EXPECT_EQ(0, site.requestCount(pagePath("pages2.test", 2)));
}

// A page of our own with double quotes in its cells, served over HTTP.
TEST_F(RankingOverHttp, CsvDoublesQuotesInsideCells) {
    testing::LoopbackServer server;
    ASSERT_NE(0, server.port());
    const std::string page =
        gbk("<div class=\"baidurank-list\"><table><tr><th>h</th></tr>"
            "<tr><td class=\"title\">say \"hi\"</td><td class=\"center\"><span "
            "class=\"blue\">2</span></td>"
            "<td class=\"center\"><a href=\"/t\">10</a></td><td class=\"center\"><a "
            "href=\"/t\">5</a></td>"
            "<td><a name=\"baiduLink\" href=\"http://x.test/a\">the &quot;best&quot; "
            "\"one\"</a></td></tr>"
            "</table></div>");
    server.setFallback(testing::LoopbackReply::http(200, "Content-Type: text/html\r\n", page));
    config.rankUrl = server.url("/rank/");
    runJob("q.test");
    EXPECT_BYTES_EQ(gbk("\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\",\"网页标题\","
                        "\"链接\"\r\n"
                        "\"1\",\"q.test\",\"say \"\"hi\"\"\",\"2\",\"10\",\"5\","
                        "\"the &quot;best&quot; \"\"one\"\"\",\"http://x.test/a\"\r\n"),
                    testing::readFileBytes(outputPath()));
}

}  // namespace
}  // namespace rankminer
