// `rankminer mine` fed with input nobody should type: an empty or binary seed
// list, seeds holding control characters, a huge seed list, and output
// places that cannot be written. The command must end with its documented
// status and a message, and every mined line must still reach the user.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "bad_input_child.h"
#include "platform/files.h"
#include "site_simulator/site_simulator.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::ChildProcess;
using testing::ChildResult;
using testing::TempDir;

constexpr int kRowsPerPage = 4;
constexpr int kDefaultPages = 2;
const std::string kAllFields = "volume,indexed,first,second,difficulty";

// The lines of one seed with every field, GBK, as saved; printed lines are
// the same in UTF-8.
std::string expectedLines(std::string_view seed) {
    std::string lines;
    const int pages = sim::miningPageCount(seed, kDefaultPages);
    for (int page = 1; page <= pages; ++page) {
        for (const auto& row : sim::expectedMiningRows(seed, page, kRowsPerPage)) {
            lines += (row.keyword.empty() && page == 1 ? std::string(seed) : row.keyword) + "," +
                     row.volume + "," + row.indexed + "," + row.first + "," + row.second + "," +
                     row.difficulty + "\r\n";
        }
    }
    return lines;
}

// True when the text is empty or ends a line.
bool endsWhole(std::string_view text) {
    return text.empty() || text.ends_with("\r\n");
}

class MineBadInput : public ::testing::Test {
public:
    void SetUp() override {
        sim::SimulatorOptions options;
        options.rowsPerPage = kRowsPerPage;
        options.defaultPages = kDefaultPages;
        simulator = std::make_unique<sim::SiteSimulator>(options);
        ASSERT_TRUE(simulator->start());
    }

    std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments,
                                        const std::string& input = {}) {
        arguments.insert(arguments.begin(), {"mine", "--page-pause", "0", "--seed-pause", "0",
                                             "--fields", kAllFields});
        return std::make_unique<ChildProcess>(
            temp, arguments,
            std::vector<std::string>{"RANKMINER_KEYWORD_URL=" + simulator->keywordUrl()}, input);
    }

    std::string writeInput(std::string_view name, std::string_view bytes) const {
        const std::string path = temp.file(name);
        EXPECT_TRUE(writeWholeFile(programPath(path), bytes));
        return path;
    }

    TempDir temp;
    std::unique_ptr<sim::SiteSimulator> simulator;
};

struct MineCase {
    const char* name;
    // Builds the arguments after the common ones (pauses off, every field);
    // may create files in the folder and says what stdout must hold.
    std::function<std::vector<std::string>(MineBadInput&, std::string& expectedOut)> arguments;
    int exitCode;
    const char* message;  // on stderr, UTF-8
    bool requiresReadOnlyFolder = false;
};

void PrintTo(const MineCase& c, std::ostream* os) {
    *os << c.name;
}

class MineBadInputCases : public MineBadInput, public ::testing::WithParamInterface<MineCase> {};

TEST_P(MineBadInputCases, EndsWithItsStatusAMessageAndEveryLine) {
    const MineCase& c = GetParam();
    std::string expectedOut;
    const std::vector<std::string> arguments = c.arguments(*this, expectedOut);
    if (c.requiresReadOnlyFolder && !testing::makeReadOnly(temp.file("ro"))) {
        GTEST_SKIP() << "running as root: a read-only mode does not stop this process writing";
    }
    auto child = start(arguments);
    ASSERT_TRUE(child->started()) << child->spawnError();
    const ChildResult done = child->finish();
    ASSERT_FALSE(done.timedOut);
    ASSERT_EQ(0, done.signal) << done.err;
    EXPECT_EQ(c.exitCode, done.exitCode) << done.err;
    EXPECT_NE(std::string::npos, done.err.find(c.message)) << done.err;
    EXPECT_BYTES_EQ(gbkToUtf8(expectedOut), done.out);
}

INSTANTIATE_TEST_SUITE_P(
    MineCommand, MineBadInputCases,
    ::testing::Values(
        MineCase{"EmptySeedFile",
                 [](MineBadInput& t, std::string&) {
                     return std::vector<std::string>{"--seeds-file", t.writeInput("seeds", "")};
                 },
                 2, "请先输入要挖掘的关键词列表！"},
        // Seeds that survive the trip as they are: each one's lines arrive.
        MineCase{"ControlCharacterSeeds",
                 [](MineBadInput&, std::string& out) {
                     const std::vector<std::string> seeds{"a\x01z", "t\tx", "\x1b[2J", "d\x7f"};
                     for (const auto& seed : seeds) {
                         out += expectedLines(seed);
                     }
                     return seeds;
                 },
                 0, "获取完成！总共 32 个关键词！"},
        MineCase{
            "FolderIsAFile",
            [](MineBadInput& t, std::string& out) {
                out = expectedLines("onepage");
                return std::vector<std::string>{"--dir", t.writeInput("blocker", "x"), "onepage"};
            },
            1, "没有任何结果保存到磁盘"},
        MineCase{"ExportInsideAFile",
                 [](MineBadInput& t, std::string& out) {
                     out = expectedLines("onepage");
                     return std::vector<std::string>{
                         "--out", t.writeInput("blocker", "x") + "/out.csv", "onepage"};
                 },
                 1, "cannot write"},
        MineCase{"ReadOnlyFolder",
                 [](MineBadInput& t, std::string& out) {
                     std::filesystem::create_directory(t.temp.file("ro"));
                     out = expectedLines("onepage");
                     return std::vector<std::string>{"--dir", t.temp.file("ro"), "onepage"};
                 },
                 1, "没有任何结果保存到磁盘", true}),
    [](const ::testing::TestParamInfo<MineCase>& info) { return info.param.name; });

// A lone CR is kept raw by the keyword encoding (the site's own rule), so
// that seed gets no page; the seeds around it are mined in full.
TEST_F(MineBadInput, SeedWithALoneCarriageReturnDoesNotDisturbTheOthers) {
    auto child = start({"first", "c\rr", "last"});
    ASSERT_TRUE(child->started());
    const ChildResult done = child->finish();
    ASSERT_EQ(0, done.exitCode) << done.err;
    EXPECT_BYTES_EQ(gbkToUtf8(expectedLines("first") + expectedLines("last")), done.out);
    EXPECT_NE(std::string::npos, done.err.find("获取完成！")) << done.err;
}

// Random bytes with NUL, 0xFF, lone lead bytes and bare LF line ends: the
// command mines what it can and prints only whole lines.
TEST_F(MineBadInput, BinarySeedFileEndsNormallyWithWholeLines) {
    std::string bytes =
        "ab\xff\x81"
        "c\n";
    bytes += std::string("\0\x01z\n", 4);
    bytes += "\xfe\x80\x81\n\x81\n\xff\xff\xff";
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>((i * 73 + 11) & 0xFF);
    }
    auto child = start({"--seeds-file", writeInput("seeds.bin", bytes)});
    ASSERT_TRUE(child->started());
    const ChildResult done = child->finish();
    ASSERT_FALSE(done.timedOut);
    ASSERT_EQ(0, done.signal) << done.err;
    EXPECT_EQ(0, done.exitCode) << done.err;
    EXPECT_NE(std::string::npos, done.err.find("获取完成！")) << done.err;
    EXPECT_TRUE(endsWhole(done.out)) << done.out;
    // The first seed is ordinary enough to be found on the site.
    EXPECT_TRUE(
        done.out.starts_with(gbkToUtf8(expectedLines(utf8ToGbk("ab\xff\x81"
                                                               "c")))))
        << done.out;
}

// Control characters end up in the per-seed file names: each seed still
// gets its own file with all its lines (tabs, like line breaks, are dropped
// from the name).
TEST_F(MineBadInput, ControlCharacterSeedsGetFilesOfTheirOwn) {
    const std::string folder = temp.file("out");
    const std::vector<std::pair<std::string, std::string>> seedAndName{
        {"a\x01z", "a\x01z_"}, {"t\tx", "tx_"}, {"\x1b[2J", "\x1b[2J_"}, {"d\x7f", "d\x7f_"}};
    std::vector<std::string> arguments{"--dir", folder, "--per-seed"};
    for (const auto& [seed, name] : seedAndName) {
        arguments.push_back(seed);
    }
    auto child = start(arguments);
    ASSERT_TRUE(child->started());
    const ChildResult done = child->finish();
    ASSERT_EQ(0, done.exitCode) << done.err;
    EXPECT_EQ("", done.out);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    ASSERT_EQ(seedAndName.size(), names.size());
    for (const auto& [seed, prefix] : seedAndName) {
        int matches = 0;
        for (const std::string& name : names) {
            if (name.starts_with(prefix) && name.ends_with(".csv")) {
                ++matches;
                EXPECT_BYTES_EQ(expectedLines(seed), testing::readFileBytes(folder + "/" + name));
            }
        }
        EXPECT_EQ(1, matches) << prefix;
    }
}

// A hundred thousand seeds: the job starts at once, and Ctrl-C ends it with
// every printed line whole and in order.
TEST_F(MineBadInput, HugeSeedListStartsAndStopsOnCtrlC) {
    constexpr int kSeeds = 100000;
    std::string list;
    for (int i = 0; i < kSeeds; ++i) {
        list += "s" + std::to_string(i) + "\n";
    }
    auto child = start({"--seeds-file", writeInput("seeds.txt", list)});
    ASSERT_TRUE(child->started());
    const int wanted = 3 * kDefaultPages * kRowsPerPage;
    ASSERT_TRUE(testing::waitUntil(
        *child, [&] { return testing::countLines(child->stdoutBytes()) >= wanted; }));
    child->interrupt();
    const ChildResult done = child->finish();
    ASSERT_FALSE(done.timedOut);
    ASSERT_EQ(0, done.signal) << done.err;
    EXPECT_EQ(0, done.exitCode) << done.err;
    EXPECT_NE(std::string::npos, done.err.find("获取完成！")) << done.err;
    std::string expected;
    for (int i = 0; expected.size() < done.out.size() + 1 && i < kSeeds; ++i) {
        expected += gbkToUtf8(expectedLines("s" + std::to_string(i)));
    }
    ASSERT_TRUE(endsWhole(done.out));
    EXPECT_BYTES_EQ(expected.substr(0, done.out.size()), done.out);
    EXPECT_LT(simulator->requestCount("/kw/"), kSeeds);
}

}  // namespace
}  // namespace rankminer
