#include "mining/mining_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "mining/keyword_path.h"
#include "mining/mining_controls.h"
#include "mining/output_files.h"
#include "platform/files.h"
#include "site_simulator/site_simulator.h"
#include "support/bytes.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::readFileBytes;
using testing::RecordingHost;
using testing::TempDir;

constexpr int kRowsPerPage = 5;
constexpr int kDefaultPages = 3;

// The line a correct job writes for a row, all five fields chosen.
std::string lineOf(const sim::MiningRow& row, std::string_view keywordStandIn) {
    std::string line = row.keyword.empty() ? std::string(keywordStandIn) : row.keyword;
    for (const std::string* field :
         {&row.volume, &row.indexed, &row.first, &row.second, &row.difficulty}) {
        line += ',';
        line += *field;
    }
    return line + "\r\n";
}

// Every line of the seed's report: the empty keywords of page 1 take the seed
// when keepEmpty is on.
std::string expectedLines(std::string_view seed, bool keepEmpty = true,
                          int rowsPerPage = kRowsPerPage) {
    const int pages = sim::miningPageCount(seed, kDefaultPages);
    std::string lines;
    for (int page = 1; page <= pages; ++page) {
        for (const sim::MiningRow& row : sim::expectedMiningRows(seed, page, rowsPerPage)) {
            lines += lineOf(row, page == 1 && keepEmpty ? seed : std::string_view());
        }
    }
    return lines;
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(programPath(entry.path().filename().string()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

class MiningJobTest : public ::testing::Test {
protected:
    void SetUp() override { startSimulator(kRowsPerPage); }

    void startSimulator(int rowsPerPage) {
        sim::SimulatorOptions options;
        options.rowsPerPage = rowsPerPage;
        options.defaultPages = kDefaultPages;
        simulator = std::make_unique<sim::SiteSimulator>(options);
        ASSERT_TRUE(simulator->start());
        config = SiteConfig::defaults();
        config.keywordUrl = simulator->keywordUrl();
        host.captions[c.startButton] = miningIdleCaption();
        for (const std::string* box : {&c.volumeBox, &c.indexedBox, &c.firstBox, &c.secondBox,
                                       &c.difficultyBox, &c.keepEmptyKeyword}) {
            host.checks[*box] = true;
        }
        host.texts[c.maximumRows] = "0";
        host.texts[c.pagePause] = "0";
        host.texts[c.seedPause] = "0";
        host.texts[c.extension] = "csv";
    }

    void setSeeds(std::string_view list) { host.texts[c.seedList] = std::string(list); }
    std::string results() { return host.texts[c.results]; }
    std::string completion(int rows) {
        return gbk("获取完成！总共 ") + std::to_string(rows) + gbk(" 个关键词！");
    }
    int requestsOf(std::string_view seed) {
        return simulator->requestCount("/kw/" + encodeKeywordPath(seed) + "/");
    }

    const MiningControls& c = miningControls();
    std::unique_ptr<sim::SiteSimulator> simulator;
    SiteConfig config;
    RecordingHost host;
};

struct SeedCase {
    const char* name;
    std::string seed;  // GBK
    std::string segment;
};

void PrintTo(const SeedCase& c, std::ostream* os) {
    *os << c.name;
}

class MiningSeeds : public MiningJobTest, public ::testing::WithParamInterface<SeedCase> {};

TEST_P(MiningSeeds, EveryPageFetchedOnceUnderTheEncodedPath) {
    const SeedCase& param = GetParam();
    setSeeds(param.seed + "\r\n");  // a list of one seed, possibly the empty one
    MiningJob job(host, config);
    job.onStartClicked();

    const int pages = sim::miningPageCount(param.seed, kDefaultPages);
    std::vector<std::string> paths;
    for (const auto& request : simulator->requests()) {
        paths.push_back(request.path);
    }
    std::vector<std::string> wanted;
    for (int page = 1; page <= pages; ++page) {
        wanted.push_back("/kw/" + param.segment + "/" + std::to_string(page) + "/");
    }
    EXPECT_EQ(wanted, paths);
    EXPECT_BYTES_EQ(expectedLines(param.seed), results());
    EXPECT_EQ(1, host.messageCount(completion(job.state().rowsTotal)));
    EXPECT_EQ(miningIdleCaption(), host.captions[c.startButton]);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MiningSeeds,
                         ::testing::Values(SeedCase{"Ascii", "seo", "n73n65n6f"},
                                           SeedCase{"Chinese", gbk("关键"), "5173952e"},
                                           SeedCase{"Mixed", gbk("a关"), "n615173"},
                                           SeedCase{"Empty", "", ""},
                                           SeedCase{"OnePage", "onepage", "n6fn6en65n70n61n67n65"},
                                           // Declared UTF-8 only by the Content-Type header.
                                           SeedCase{"Utf8Page", "utf8kw", "n75n74n66n38n6bn77"}),
                         [](const ::testing::TestParamInfo<SeedCase>& info) {
                             return info.param.name;
                         });

TEST_F(MiningJobTest, SeedListSplitsOnLineBreaksKeepingEmptySeeds) {
    setSeeds("a\r\n\r\nb\r\n");
    MiningJob job(host, config);
    job.onStartClicked();
    EXPECT_BYTES_EQ(expectedLines("a") + expectedLines("") + expectedLines("b"), results());
    EXPECT_EQ(kDefaultPages, requestsOf(""));
    EXPECT_EQ(1, host.messageCount(completion(job.state().rowsTotal)));
}

TEST_F(MiningJobTest, EmptySeedListOnlyAsksForSeeds) {
    host.texts[c.results] = "kept";
    MiningJob job(host, config);
    job.onStartClicked();
    EXPECT_EQ(1, host.messageCount(gbk("请先输入要挖掘的关键词列表！")));
    EXPECT_EQ("kept", results());
    EXPECT_TRUE(host.captionChanges.empty());
    EXPECT_EQ(0, simulator->requestCount("/"));
}

TEST_F(MiningJobTest, PageCountStopsAtFiveHundred) {
    setSeeds("bigpages600");
    host.texts[c.maximumRows] = "1";
    MiningJob job(host, config);
    job.onStartClicked();
    ASSERT_GE(host.statusTexts.size(), 2u);
    EXPECT_NE(std::string::npos, host.statusTexts[1].find(gbk("  总：500")))
        << host.statusTextsUtf8()[1];
    EXPECT_EQ(1, requestsOf("bigpages600"));
}

TEST_F(MiningJobTest, MaximumPerSeedStopsMidPageAndEndsTheSeed) {
    setSeeds("a\r\nb");
    host.texts[c.maximumRows] = "7";
    MiningJob job(host, config);
    job.onStartClicked();

    auto firstLines = [](const std::string& all, int count) {
        std::size_t end = 0;
        for (int i = 0; i < count; ++i) {
            end = all.find("\r\n", end) + 2;
        }
        return all.substr(0, end);
    };
    EXPECT_BYTES_EQ(firstLines(expectedLines("a"), 7) + firstLines(expectedLines("b"), 7),
                    results());
    EXPECT_EQ(2, requestsOf("a"));  // 5 rows on page 1, 2 of page 2
    EXPECT_EQ(2, requestsOf("b"));
    EXPECT_EQ(14, job.state().rowsTotal);
}

TEST_F(MiningJobTest, KeepEmptyFillsEmptyKeywordsOnPageOneOnly) {
    // The content must have empty title cells on page 1 and on a later page,
    // which takes longer pages.
    constexpr int kLongPages = 20;
    startSimulator(kLongPages);
    auto hasEmptyTitle = [](int page) {
        for (const auto& row : sim::expectedMiningRows("seo", page, kLongPages)) {
            if (row.keyword.empty()) {
                return true;
            }
        }
        return false;
    };
    bool later = false;
    for (int page = 2; page <= kDefaultPages; ++page) {
        later = later || hasEmptyTitle(page);
    }
    ASSERT_TRUE(hasEmptyTitle(1) && later) << "pick a seed with empty titles on pages 1 and 2+";

    for (const bool keep : {true, false}) {
        host.checks[c.keepEmptyKeyword] = keep;
        setSeeds("seo");
        MiningJob job(host, config);
        job.onStartClicked();
        EXPECT_BYTES_EQ(expectedLines("seo", keep, kLongPages), results()) << "keep " << keep;
    }
}

TEST_F(MiningJobTest, StopDuringTheFirstOfThreeSeeds) {
    setSeeds("a\r\nb\r\nc");
    host.texts[c.pagePause] = "0.01";  // the pause dispatches the click
    MiningJob job(host, config);
    bool clicked = false;
    host.installPumpHook([&] {
        if (!clicked && job.state().rowsTotal > 0) {
            clicked = true;
            job.onStartClicked();  // the second click, nested in the running job
        }
    });
    job.onStartClicked();
    host.removePumpHook();

    ASSERT_TRUE(clicked);
    const int rows = job.state().rowsTotal;
    EXPECT_GT(rows, 0);
    EXPECT_LE(rows, kRowsPerPage);
    EXPECT_BYTES_EQ(expectedLines("a").substr(0, results().size()), results());
    EXPECT_EQ(1, requestsOf("a"));
    EXPECT_EQ(0, requestsOf("b"));
    EXPECT_EQ(0, requestsOf("c"));
    EXPECT_EQ(1, host.messageCount(completion(rows)));
    const std::string button = c.startButton + "=";
    EXPECT_EQ(
        (std::vector<std::string>{button + miningRunningCaption(), button + miningStoppingCaption(),
                                  button + miningIdleCaption()}),
        host.captionChanges);
}

struct FolderCase {
    const char* name;
    const char* suffix;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.name;
}

class AllResultsFile : public MiningJobTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(AllResultsFile, HoldsEveryLineWithoutHeader) {
    TempDir temp;
    const std::string folder = programPath(temp.path()) + gbk("/结果/深");
    host.texts[c.folder] = folder + GetParam().suffix;
    host.checks[c.autoSave] = true;
    setSeeds("a\r\nonepage");
    const std::string before = currentDateTimeText();
    MiningJob job(host, config);
    job.onStartClicked();
    const std::string after = currentDateTimeText();

    const std::vector<std::string> names = filesIn(fileSystemPath(folder));
    ASSERT_EQ(1u, names.size());
    const std::string prefix = gbk("全部结果_");
    EXPECT_TRUE(names[0] == prefix + before + ".csv" || names[0] == prefix + after + ".csv")
        << gbkToUtf8(names[0]);
    EXPECT_BYTES_EQ(expectedLines("a") + expectedLines("onepage"),
                    readFileBytes(fileSystemPath(folder + "/" + names[0])));
    EXPECT_BYTES_EQ(expectedLines("a") + expectedLines("onepage"), results());
    EXPECT_FALSE(job.state().diskFailure);
    EXPECT_BYTES_EQ(gbk("关键词,搜索量,收录量,第一位,第二位,优化难度"), job.state().headerLine);
}

INSTANTIATE_TEST_SUITE_P(Folders, AllResultsFile,
                         ::testing::Values(FolderCase{"WithoutSeparator", ""},
                                           FolderCase{"WithSeparator", "/"}),
                         [](const ::testing::TestParamInfo<FolderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MiningJobTest, PerSeedFilesAreNamedAfterTheSafeSeed) {
    TempDir temp;
    const std::string folder = programPath(temp.path());
    host.texts[c.folder] = folder;
    host.texts[c.extension] = "txt";
    host.checks[c.autoSave] = true;
    host.checks[c.perSeedFiles] = true;
    host.checks[c.firstBox] = false;
    host.checks[c.secondBox] = false;
    setSeeds(gbk("a/b:c\r\n关键"));
    MiningJob job(host, config);
    job.onStartClicked();

    const std::vector<std::string> names = filesIn(temp.path());
    ASSERT_EQ(2u, names.size());
    auto linesWithoutPositions = [](std::string_view seed) {
        std::string lines;
        for (int page = 1; page <= kDefaultPages; ++page) {
            for (const auto& row : sim::expectedMiningRows(seed, page, kRowsPerPage)) {
                const std::string keyword =
                    row.keyword.empty() && page == 1 ? std::string(seed) : row.keyword;
                lines +=
                    keyword + "," + row.volume + "," + row.indexed + "," + row.difficulty + "\r\n";
            }
        }
        return lines;
    };
    for (const auto& [seed, safe] :
         {std::pair{gbk("a/b:c"), gbk("a／b：c_")}, std::pair{gbk("关键"), gbk("关键_")}}) {
        const auto name = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
            return n.starts_with(safe) && n.ends_with(".txt");
        });
        ASSERT_NE(names.end(), name) << gbkToUtf8(safe);
        EXPECT_BYTES_EQ(linesWithoutPositions(seed), readFileBytes(temp.file(gbkToUtf8(*name))));
    }
}

TEST_F(MiningJobTest, PerSeedFileOfASeedWithoutRowsIsLeftEmpty) {
    startSimulator(0);  // every page without rows

    TempDir temp;
    host.texts[c.folder] = programPath(temp.path());
    host.checks[c.autoSave] = true;
    host.checks[c.perSeedFiles] = true;
    setSeeds("x\r\ny");
    MiningJob job(host, config);
    job.onStartClicked();
    const std::vector<std::string> names = filesIn(temp.path());
    ASSERT_EQ(2u, names.size());
    EXPECT_TRUE(names[0].starts_with("x_") && names[1].starts_with("y_"));
    for (const std::string& name : names) {
        EXPECT_TRUE(pathExists(programPath(temp.path()) + "/" + name));
        EXPECT_EQ("", readFileBytes(temp.file(gbkToUtf8(name))));
    }
    EXPECT_EQ(1, host.messageCount(completion(0)));
}

TEST_F(MiningJobTest, UnwritableFolderStillFillsTheResultsAndSaysNothingWasSaved) {
    TempDir temp;
    const std::string blocker = programPath(temp.path()) + "/file";
    ASSERT_TRUE(writeWholeFile(blocker, "x"));
    host.texts[c.folder] = blocker + "/out";
    host.checks[c.autoSave] = true;
    setSeeds("onepage");
    MiningJob job(host, config);
    job.onStartClicked();

    EXPECT_BYTES_EQ(expectedLines("onepage"), results());
    EXPECT_TRUE(job.state().diskFailure);
    ASSERT_EQ(1u, host.messages.size());
    const std::string message = host.messages[0].text;
    EXPECT_TRUE(message.starts_with(completion(job.state().rowsTotal)));
    EXPECT_NE(std::string::npos, message.find(gbk("没有任何结果保存到磁盘"))) << gbkToUtf8(message);
    ASSERT_FALSE(host.statusTexts.empty());
    EXPECT_NE(std::string::npos, host.statusTexts.back().find(gbk("没有任何结果保存到磁盘")));
}

}  // namespace
}  // namespace rankminer
