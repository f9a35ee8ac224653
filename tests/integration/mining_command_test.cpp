// The headless `rankminer mine` command, run as a child process against the
// simulator.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "mining/keyword_path.h"
#include "platform/files.h"
#include "site_simulator/site_simulator.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::readFileBytes;
using testing::TempDir;

constexpr int kRowsPerPage = 4;
constexpr int kDefaultPages = 2;

struct Child {
    pid_t pid = -1;
    std::string out;  // files that receive stdout and stderr
    std::string err;
};

struct Finished {
    int status = -1;  // exit status; -1 when killed by a signal
    std::string out;
    std::string err;
};

// Starts the executable with the arguments; stdin from `input` (a file, or
// /dev/null when empty). RANKMINER_KEYWORD_URL points at the simulator.
Child startMine(const TempDir& temp, const std::string& keywordUrl,
                const std::vector<std::string>& arguments, const std::string& input = {}) {
    Child child;
    child.out = temp.file("stdout");
    child.err = temp.file("stderr");
    std::vector<std::string> argv{RANKMINER_BINARY, "mine"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    child.pid = fork();
    if (child.pid == 0) {
        const int in = open(input.empty() ? "/dev/null" : input.c_str(), O_RDONLY);
        const int out = open(child.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(child.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) {
            _exit(127);
        }
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        setenv("RANKMINER_KEYWORD_URL", keywordUrl.c_str(), 1);
        std::vector<char*> raw;
        for (std::string& a : argv) {
            raw.push_back(a.data());
        }
        raw.push_back(nullptr);
        execv(raw[0], raw.data());
        _exit(127);
    }
    return child;
}

Finished finish(const Child& child) {
    int status = 0;
    waitpid(child.pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFileBytes(child.out),
            readFileBytes(child.err)};
}

// Lines as the command prints them (UTF-8) or saves them (GBK), all fields.
std::string expectedLines(std::string_view seed, int pages = kDefaultPages) {
    std::string lines;
    for (int page = 1; page <= pages; ++page) {
        for (const auto& row : sim::expectedMiningRows(seed, page, kRowsPerPage)) {
            lines += (row.keyword.empty() && page == 1 ? std::string(seed) : row.keyword) + "," +
                     row.volume + "," + row.indexed + "," + row.first + "," + row.second + "," +
                     row.difficulty + "\r\n";
        }
    }
    return lines;
}

class MineCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::SimulatorOptions options;
        options.rowsPerPage = kRowsPerPage;
        options.defaultPages = kDefaultPages;
        options.slowDelay = std::chrono::milliseconds(1500);
        simulator = std::make_unique<sim::SiteSimulator>(options);
        ASSERT_TRUE(simulator->start());
    }
    Finished run(const std::vector<std::string>& arguments, const std::string& input = {}) {
        return finish(startMine(temp, simulator->keywordUrl(), arguments, input));
    }

    TempDir temp;
    std::unique_ptr<sim::SiteSimulator> simulator;
    const std::vector<std::string> fast{"--page-pause", "0", "--seed-pause", "0"};
    const std::string allFields = "volume,indexed,first,second,difficulty";
};

TEST_F(MineCommandTest, PrintsTheLinesOfEverySeedAsUtf8) {
    std::vector<std::string> args = fast;
    args.insert(args.end(), {"--fields", "difficulty,second,first,indexed,volume", "abc", "关键"});
    const Finished done = run(args);
    ASSERT_EQ(0, done.status) << done.err;
    EXPECT_BYTES_EQ(gbkToUtf8(expectedLines("abc") + expectedLines(gbk("关键"))), done.out);
    EXPECT_EQ(kDefaultPages, simulator->requestCount("/kw/5173952e/"));
    const int rows = 2 * kDefaultPages * kRowsPerPage;
    EXPECT_NE(std::string::npos,
              done.err.find("获取完成！总共 " + std::to_string(rows) + " 个关键词！"))
        << done.err;
}

TEST_F(MineCommandTest, SeedsFromStandardInputAndCsvExportWithHeader) {
    const std::string seeds = temp.file("seeds.txt");
    ASSERT_TRUE(writeWholeFile(programPath(seeds), "abc\r\n关键\n"));  // UTF-8, mixed breaks
    const std::string csv = temp.file("out.csv");
    std::vector<std::string> args = fast;
    args.insert(args.end(), {"--fields", allFields, "--seeds-file", "-", "--out", csv});
    const Finished done = run(args, seeds);
    ASSERT_EQ(0, done.status) << done.err;
    EXPECT_EQ("", done.out);  // the lines went to the file
    EXPECT_BYTES_EQ(gbk("关键词,搜索量,收录量,第一位,第二位,优化难度\r\n") + expectedLines("abc") +
                        expectedLines(gbk("关键")),
                    readFileBytes(csv));
}

TEST_F(MineCommandTest, PerSeedFilesInTheFolderWithTheExtension) {
    const std::string folder = temp.file("挖掘");
    std::vector<std::string> args = fast;
    args.insert(args.end(), {"--fields", allFields, "--dir", folder, "--per-seed", "--ext", "txt",
                             "--max", "3", "a/b", "onepage"});
    const Finished done = run(args);
    ASSERT_EQ(0, done.status) << done.err;
    EXPECT_EQ("", done.out);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    ASSERT_EQ(2u, names.size());
    EXPECT_TRUE(names[0].starts_with("a／b_") && names[0].ends_with(".txt")) << names[0];
    EXPECT_TRUE(names[1].starts_with("onepage_") && names[1].ends_with(".txt")) << names[1];
    auto firstThree = [](const std::string& lines) {
        std::size_t end = 0;
        for (int i = 0; i < 3; ++i) {
            end = lines.find("\r\n", end) + 2;
        }
        return lines.substr(0, end);
    };
    EXPECT_BYTES_EQ(firstThree(expectedLines("a/b")), readFileBytes(folder + "/" + names[0]));
    EXPECT_BYTES_EQ(firstThree(expectedLines("onepage", 1)),
                    readFileBytes(folder + "/" + names[1]));
}

TEST_F(MineCommandTest, CtrlCStopsBeforeTheNextSeed) {
    std::vector<std::string> args{"--page-pause", "0.05", "--seed-pause", "0", "slowkw", "b", "c"};
    const Child child = startMine(temp, simulator->keywordUrl(), args);
    // Interrupt while the first page of the first seed is stalled.
    for (int i = 0; i < 500 && simulator->requestCount("/kw/") == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(1, simulator->requestCount("/kw/"));
    kill(child.pid, SIGINT);
    const Finished done = finish(child);
    EXPECT_EQ(0, done.status) << done.err;
    EXPECT_EQ(1, simulator->requestCount("/kw/"));  // no page 2, no seed b or c
    // The stop is seen as soon as the stalled page arrives: whatever was
    // printed belongs to page 1 of the first seed.
    std::string keywords;
    for (const auto& row : sim::expectedMiningRows("slowkw", 1, kRowsPerPage)) {
        keywords += gbkToUtf8(row.keyword.empty() ? std::string("slowkw") : row.keyword) + "\r\n";
    }
    EXPECT_BYTES_EQ(keywords.substr(0, done.out.size()), done.out);
    EXPECT_NE(std::string::npos, done.err.find("获取完成！总共 ")) << done.err;
}

TEST_F(MineCommandTest, WrongArgumentsAndMissingSeedsFail) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--fields", "price", "a"},
                                                 {"--max"},
                                                 {"--max", "x", "a"},
                                                 {"--bogus", "a"},
                                                 {"--seeds-file", temp.file("missing")}}) {
        const Finished done = run(args);
        EXPECT_EQ(2, done.status) << args[0];
        EXPECT_NE("", done.err) << args[0];
    }
    const Finished empty = run({});
    EXPECT_EQ(2, empty.status);
    EXPECT_NE(std::string::npos, empty.err.find("请先输入要挖掘的关键词列表！")) << empty.err;
    EXPECT_EQ(0, simulator->requestCount("/"));
}

TEST_F(MineCommandTest, HelpNamesEveryOption) {
    const Finished done = run({"--help"});
    EXPECT_EQ(0, done.status);
    for (const char* option : {"--seeds-file", "--fields", "--max", "--page-pause", "--seed-pause",
                               "--dir", "--ext", "--per-seed", "--no-keep-empty", "--out"}) {
        EXPECT_NE(std::string::npos, done.out.find(option)) << option;
    }
}

TEST_F(MineCommandTest, UnsavableFolderExitsOneAndStillPrintsNothingSavedMessage) {
    const std::string blocker = temp.file("file");
    ASSERT_TRUE(writeWholeFile(programPath(blocker), "x"));
    std::vector<std::string> args = fast;
    args.insert(args.end(), {"--dir", blocker + "/sub", "onepage"});
    const Finished done = run(args);
    EXPECT_EQ(1, done.status);
    EXPECT_NE(std::string::npos, done.err.find("没有任何结果保存到磁盘")) << done.err;
}

}  // namespace
}  // namespace rankminer
