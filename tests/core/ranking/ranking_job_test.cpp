#include "ranking/ranking_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "ranking/rank_page_url.h"
#include "ranking/ranking_controls.h"
#include "support/bytes.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::RecordingHost;

// The driver against a site that refuses every connection: every page is
// empty, so each domain runs exactly page 1 and the protocol around it shows.
class RankingJobTest : public ::testing::Test {
protected:
    RankingJobTest() : job(host, closedSite()) {
        host.captions[controls.startButton] = rankingCaptions().idle;
        host.texts[controls.domains] = "a.test";
        host.indexes[controls.exportMode] = 0;
    }

    static SiteConfig closedSite() {
        SiteConfig config = SiteConfig::defaults();
        config.rankUrl = "http://127.0.0.1:1/rank/";
        config.timeScale = 0;
        return config;
    }

    // The domains whose page 1 the job announced, in order.
    std::vector<std::string> visitedDomains() const {
        static const std::string label = gbk("域名：");
        static const std::string tail = gbk("  当前页：1  总：0");
        std::vector<std::string> domains;
        for (const auto& text : host.statusTexts) {
            if (text.rfind(label, 0) == 0 && text.size() >= label.size() + tail.size() &&
                text.compare(text.size() - tail.size(), tail.size(), tail) == 0) {
                domains.push_back(
                    text.substr(label.size(), text.size() - label.size() - tail.size()));
            }
        }
        return domains;
    }

    const RankingControls& controls = rankingControls();
    RecordingHost host;
    RankingJob job;
};

TEST_F(RankingJobTest, EmptyDomainBoxOnlyAsksForADomain) {
    host.texts[controls.domains] = "";
    host.checks[controls.autoSave] = true;
    job.onStartClicked();
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_BYTES_EQ(gbk("请先输入要查询站点的域名！"), host.messages[0].text);
    EXPECT_EQ(MessageButtons::Ok, host.messages[0].buttons);
    EXPECT_TRUE(host.captionChanges.empty());
    EXPECT_TRUE(host.statusTexts.empty());
    EXPECT_EQ("", job.outputPath());
}

TEST_F(RankingJobTest, FinishedJobRestoresTheCaptionAndSaysSo) {
    host.list.appendRow("stale");
    job.onStartClicked();
    const std::string button = controls.startButton + "=";
    EXPECT_EQ((std::vector<std::string>{button + rankingCaptions().running,
                                        button + rankingCaptions().idle}),
              host.captionChanges);
    ASSERT_FALSE(host.statusTexts.empty());
    EXPECT_BYTES_EQ(gbk("开始采集.."), host.statusTexts.front());
    EXPECT_EQ(0, host.list.rowCount());  // the list is emptied at the start
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_BYTES_EQ(gbk("采集完成！"), host.messages[0].text);
    EXPECT_EQ(0, job.rowsCollected());
}

struct DomainSplitCase {
    const char* name;
    const char* domainBox;
    std::vector<std::string> visited;
};

void PrintTo(const DomainSplitCase& c, std::ostream* os) {
    *os << c.name;
}

class DomainSplitTest : public RankingJobTest,
                        public ::testing::WithParamInterface<DomainSplitCase> {};

TEST_P(DomainSplitTest, VisitsEveryPieceOfTheDomainBoxInOrder) {
    host.texts[controls.domains] = GetParam().domainBox;
    job.onStartClicked();
    EXPECT_EQ(GetParam().visited, visitedDomains());
}

INSTANTIATE_TEST_SUITE_P(
    RankingJob, DomainSplitTest,
    ::testing::Values(
        DomainSplitCase{"Single", "a.test", {"a.test"}},
        DomainSplitCase{"TrailingBarAddsNothing", "a.test|b.test|", {"a.test", "b.test"}},
        DomainSplitCase{"DoubleBarRunsAnEmptyDomain", "a.test||b.test", {"a.test", "", "b.test"}},
        DomainSplitCase{"LeadingBarRunsAnEmptyDomainFirst", "|a.test", {"", "a.test"}},
        DomainSplitCase{"PiecesAreNotTrimmed", " a.test |b.test", {" a.test ", "b.test"}}),
    [](const ::testing::TestParamInfo<DomainSplitCase>& info) { return info.param.name; });

TEST_F(RankingJobTest, SecondClickDuringTheJobOnlyRequestsTheStop) {
    host.texts[controls.domains] = "a.test|b.test|c.test";
    int nestedClicks = 0;
    host.installPumpHook([&] {
        if (nestedClicks == 0 && visitedDomains().size() == 1) {
            ++nestedClicks;
            job.onStartClicked();
        }
    });
    job.onStartClicked();
    EXPECT_EQ(1, nestedClicks);
    EXPECT_EQ(std::vector<std::string>{"a.test"}, visitedDomains());
    const std::string button = controls.startButton + "=";
    EXPECT_EQ((std::vector<std::string>{button + rankingCaptions().running,
                                        button + rankingCaptions().stopping,
                                        button + rankingCaptions().idle}),
              host.captionChanges);
    // The nested call started nothing of its own.
    EXPECT_EQ(1, std::count(host.statusTexts.begin(), host.statusTexts.end(), gbk("开始采集..")));
    EXPECT_EQ(1, host.messageCount(gbk("采集完成！")));
    EXPECT_EQ(1u, host.messages.size());
}

TEST_F(RankingJobTest, ChosenFileGetsTheHeaderInCsvMode) {
    testing::TempDir dir;
    // The tag holds program text (GBK); the disk name is UTF-8.
    const std::string path = dir.path() + "/" + gbk("结果.csv");
    ASSERT_TRUE(writeWholeFile(path, "previous run\r\n"));
    host.checks[controls.autoSave] = true;
    host.tags[controls.savePathButton] = path;
    job.onStartClicked();
    EXPECT_EQ(path, job.outputPath());
    EXPECT_TRUE(job.savingToFile());
    EXPECT_BYTES_EQ(gbk("\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\",\"网页标题\","
                        "\"链接\"\r\n"),
                    testing::readFileBytes(dir.file("结果.csv")));
    EXPECT_EQ(1u, host.messages.size());
    EXPECT_BYTES_EQ(gbk("采集完成！"), host.messages[0].text);
}

TEST_F(RankingJobTest, TemplateModeWritesNoHeaderEvenIntoACsvPath) {
    testing::TempDir dir;
    const std::string path = dir.file("chosen.csv");
    host.checks[controls.autoSave] = true;
    host.tags[controls.savePathButton] = path;
    host.indexes[controls.exportMode] = 1;
    host.texts[controls.expression] = "#3";
    job.onStartClicked();
    EXPECT_TRUE(pathExists(path));
    EXPECT_BYTES_EQ("", testing::readFileBytes(path));
}

TEST_F(RankingJobTest, UncreatableFileIsAnnouncedNotSilentlyLost) {
    host.checks[controls.autoSave] = true;
    host.tags[controls.savePathButton] = "/nonexistent-folder/rows.csv";
    job.onStartClicked();
    EXPECT_EQ("", job.outputPath());
    EXPECT_FALSE(job.savingToFile());
    const std::string notice = gbk("自动保存文件无法创建或写入");
    ASSERT_FALSE(host.statusTexts.empty());
    for (const auto& text : host.statusTexts) {
        EXPECT_TRUE(containsText(text, notice)) << gbkToUtf8(text);
    }
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(0u, host.messages[0].text.find(gbk("采集完成！")));
    EXPECT_TRUE(containsText(host.messages[0].text, notice));
    EXPECT_EQ(rankingCaptions().idle, host.captions[controls.startButton]);
}

TEST_F(RankingJobTest, FailingWritesAreAnnouncedToo) {
    // The file opens but takes no byte, like a full disk.
    host.checks[controls.autoSave] = true;
    host.tags[controls.savePathButton] = "/dev/full";
    job.onStartClicked();
    EXPECT_FALSE(job.savingToFile());
    const std::string notice = gbk("自动保存文件无法创建或写入");
    ASSERT_FALSE(host.statusTexts.empty());
    EXPECT_TRUE(containsText(host.statusTexts.back(), notice))
        << gbkToUtf8(host.statusTexts.back());
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_TRUE(containsText(host.messages[0].text, notice));
}

TEST_F(RankingJobTest, DefaultFileIsTimeStampedBesideTheProgram) {
    host.checks[controls.autoSave] = true;
    host.indexes[controls.exportMode] = 1;
    job.onStartClicked();
    const std::string path = job.outputPath();
    const std::string expectedStart = programDirectory() + "/" + gbk("百度排名自动保存_");
    ASSERT_EQ(0u, path.rfind(expectedStart, 0)) << gbkToUtf8(path);
    EXPECT_TRUE(job.savingToFile());
    EXPECT_TRUE(pathExists(path));
    std::remove(fileSystemPath(path).c_str());
    // "2017-11-08 09-05-03.txt": the stamp with dashes, the mode's extension.
    const std::string stamp = path.substr(expectedStart.size());
    ASSERT_EQ(23u, stamp.size()) << stamp;
    for (std::size_t i = 0; i < 19; ++i) {
        const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
        const char separator = i == 10 ? ' ' : '-';
        const bool isSeparator = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
        EXPECT_TRUE(isSeparator ? stamp[i] == separator : digit) << stamp;
    }
    EXPECT_EQ(".txt", stamp.substr(19));
}

TEST_F(RankingJobTest, AutoSaveOffWritesNothingAndWarnsOfNothing) {
    job.onStartClicked();
    EXPECT_EQ("", job.outputPath());
    EXPECT_FALSE(job.savingToFile());
    for (const auto& text : host.statusTexts) {
        EXPECT_FALSE(containsText(text, gbk("无法创建"))) << gbkToUtf8(text);
    }
}

struct UrlCase {
    const char* name;
    bool mobile;
    const char* domain;
    int page;
    int order;
    const char* expected;
};

void PrintTo(const UrlCase& c, std::ostream* os) {
    *os << c.name;
}

class RankPageUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(RankPageUrlTest, ConcatenatesThePieces) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(c.expected, rankPageUrl("http://h/", c.mobile, c.domain, c.page, c.order));
}

INSTANTIATE_TEST_SUITE_P(
    RankingJob, RankPageUrlTest,
    ::testing::Values(
        UrlCase{"BareDomainByPosition", false, "d.com", 3, 0,
                "http://h/baidu/d.com/-1/0/3/position/1/"},
        UrlCase{"DomainWithPath", false, "d.com/news", 1, 0,
                "http://h/baidu/d.com/news/0/1/position/1/"},
        UrlCase{"MobileByVisits", true, "d.com", 12, 1, "http://h/mobile/d.com/-1/0/12/ip/-1/"},
        UrlCase{"ByIndex", false, "d.com", 1, 2, "http://h/baidu/d.com/-1/0/1/exp/-1/"},
        UrlCase{"NoOrderSelected", false, "d.com", 1, -1,
                "http://h/baidu/d.com/-1/0/1/position/1/"},
        UrlCase{"EmptyDomain", false, "", 1, 0, "http://h/baidu//-1/0/1/position/1/"}),
    [](const ::testing::TestParamInfo<UrlCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rankminer
