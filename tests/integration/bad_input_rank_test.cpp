// `rankminer rank` fed with input nobody should type: empty, binary and huge
// domain lists, and output paths that cannot be written. The command must end
// with its documented status and message, and the file must hold whole lines.

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
#include "support/rank_csv.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::csvHeader;
using testing::csvRowLine;

using testing::ChildProcess;
using testing::ChildResult;
using testing::TempDir;

constexpr int kRowsPerPage = 4;
constexpr int kNotSavedStatus = 3;

class RankBadInput : public ::testing::Test {
public:
    RankBadInput() : site(options()) {}

    static sim::SimulatorOptions options() {
        sim::SimulatorOptions o;
        o.rowsPerPage = kRowsPerPage;
        o.defaultPages = 2;
        return o;
    }

    void SetUp() override { ASSERT_TRUE(site.start()); }

    std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "rank");
        return std::make_unique<ChildProcess>(
            temp, arguments,
            std::vector<std::string>{"RANKMINER_RANK_URL=" + site.rankUrl(),
                                     "RANKMINER_ENGINE_HOST=" + site.engineHost(),
                                     "RANKMINER_ENGINE_MOBILE_HOST=" + site.engineHost(),
                                     "RANKMINER_TIME_SCALE=0.001"});
    }

    std::string writeInput(std::string_view name, std::string_view bytes) const {
        const std::string path = temp.file(name);
        EXPECT_TRUE(writeWholeFile(programPath(path), bytes));
        return path;
    }

    // The CSV rows of the domains, one after the other, serials counting
    // within each domain;
    // stops once the text is at least `enough` bytes long.
    std::string expectedRows(const std::vector<std::string>& domains,
                             std::size_t enough = std::string::npos) const {
        std::string csv;
        for (const std::string& domain : domains) {
            int serial = 0;
            for (int page = 1; page <= sim::rankPageCount(domain, 2); ++page) {
                for (const auto& row : site.expectedRankRows(domain, page, false)) {
                    csv += csvRowLine(++serial, domain, row);
                }
            }
            if (enough != std::string::npos && csv.size() >= enough) {
                break;
            }
        }
        return csv;
    }

    sim::SiteSimulator site;
    TempDir temp;
};

struct RankCase {
    const char* name;
    // Builds the arguments, may create files in the folder, and sets the
    // bytes the output file must hold (left empty when no file is written).
    std::function<std::vector<std::string>(RankBadInput&, std::string& expectedFile)> arguments;
    int exitCode;
    const char* message;  // on stderr, UTF-8
    const char* rows;     // the "rows: N" line on stdout; nullptr: no such line
    bool requiresReadOnlyFolder = false;
};

void PrintTo(const RankCase& c, std::ostream* os) {
    *os << c.name;
}

class RankBadInputCases : public RankBadInput, public ::testing::WithParamInterface<RankCase> {};

TEST_P(RankBadInputCases, EndsWithItsStatusAndAMessage) {
    const RankCase& c = GetParam();
    std::string expectedFile;
    const std::vector<std::string> arguments = c.arguments(*this, expectedFile);
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
    if (c.rows != nullptr) {
        EXPECT_TRUE(done.out.starts_with(std::string(c.rows) + "\n")) << done.out;
    } else {
        EXPECT_EQ("", done.out);
    }
    const std::string out = temp.file("out.csv");
    if (c.exitCode == kNotSavedStatus) {
        // No file holds the rows, so the lines it would hold follow the counts.
        EXPECT_FALSE(std::filesystem::is_regular_file(out));
        EXPECT_TRUE(done.out.ends_with("file: (none)\n" + gbkToUtf8(expectedFile))) << done.out;
    } else if (expectedFile.empty()) {
        EXPECT_FALSE(std::filesystem::is_regular_file(out));
        if (c.rows != nullptr) {
            EXPECT_NE(std::string::npos, done.out.find("file: (none)")) << done.out;
        }
    } else {
        EXPECT_BYTES_EQ(expectedFile, testing::readFileBytes(out));
    }
}

const char* const kNotSaved = "自动保存文件无法创建或写入";

INSTANTIATE_TEST_SUITE_P(
    RankCommand, RankBadInputCases,
    ::testing::Values(
        // Empty pieces are run as empty domains, which the site answers.
        RankCase{
            "OnlySeparators",
            [](RankBadInput& t, std::string& file) {
                file = csvHeader() + t.expectedRows({""});
                return std::vector<std::string>{"--domains", "|", "--out", t.temp.file("out.csv")};
            },
            0, "采集完成！", "rows: 8"},
        RankCase{"BinaryDomains",
                 [](RankBadInput& t, std::string& file) {
                     file = csvHeader();
                     return std::vector<std::string>{"--domains", "\x01\xff\x81\x1b[31m|\x7f\x80",
                                                     "--out", t.temp.file("out.csv")};
                 },
                 0, "采集完成！", "rows: 0"},
        RankCase{"BinaryDomainFile",
                 [](RankBadInput& t, std::string& file) {
                     file = csvHeader();
                     const char raw[] = "\0\xff\x81\n\xfe\x80|\x81\r\n\x01\x02\x7f";
                     const std::string bytes(raw, sizeof raw - 1);
                     return std::vector<std::string>{"--domains-file",
                                                     t.writeInput("domains.bin", bytes), "--out",
                                                     t.temp.file("out.csv")};
                 },
                 0, "采集完成！", "rows: 0"},
        RankCase{"EmptyDomainFile",
                 [](RankBadInput& t, std::string&) {
                     return std::vector<std::string>{"--domains-file",
                                                     t.writeInput("domains.txt", ""), "--out",
                                                     t.temp.file("out.csv")};
                 },
                 2, "holds no domains", nullptr},
        RankCase{"MissingDomainFile",
                 [](RankBadInput& t, std::string&) {
                     return std::vector<std::string>{"--domains-file", t.temp.file("none.txt"),
                                                     "--out", t.temp.file("out.csv")};
                 },
                 2, "cannot read", nullptr},
        RankCase{"DomainsTwice",
                 [](RankBadInput& t, std::string&) {
                     return std::vector<std::string>{
                         "--domains",      "a.test",
                         "--domains-file", t.writeInput("domains.txt", "b.test\n"),
                         "--out",          t.temp.file("out.csv")};
                 },
                 2, "exclude each other", nullptr},
        // The rows are collected and counted, the command says they were
        // not saved and prints them.
        RankCase{"OutInsideAFile",
                 [](RankBadInput& t, std::string& file) {
                     file = csvHeader() + t.expectedRows({"pages1.test"});
                     return std::vector<std::string>{"--domains", "pages1.test", "--out",
                                                     t.writeInput("blocker", "x") + "/out.csv"};
                 },
                 kNotSavedStatus, kNotSaved, "rows: 4"},
        RankCase{"OutIsAFolder",
                 [](RankBadInput& t, std::string& file) {
                     file = csvHeader() + t.expectedRows({"pages1.test"});
                     std::filesystem::create_directory(t.temp.file("folder"));
                     return std::vector<std::string>{"--domains", "pages1.test", "--out",
                                                     t.temp.file("folder")};
                 },
                 kNotSavedStatus, kNotSaved, "rows: 4"},
        RankCase{"ReadOnlyFolder",
                 [](RankBadInput& t, std::string& file) {
                     file = csvHeader() + t.expectedRows({"pages1.test"});
                     std::filesystem::create_directory(t.temp.file("ro"));
                     return std::vector<std::string>{"--domains", "pages1.test", "--out",
                                                     t.temp.file("ro") + "/out.csv"};
                 },
                 kNotSavedStatus, kNotSaved, "rows: 4", true}),
    [](const ::testing::TestParamInfo<RankCase>& info) { return info.param.name; });

// A hundred thousand domains do not fit on a command line; from a file the
// job starts at once, and Ctrl-C leaves the file with whole lines in order.
TEST_F(RankBadInput, HugeDomainListStartsAndStopsOnCtrlC) {
    constexpr int kDomains = 100000;
    std::string list;
    for (int i = 0; i < kDomains; ++i) {
        list += "pages1.test\n";
    }
    const std::string out = temp.file("out.csv");
    auto child = start({"--domains-file", writeInput("domains.txt", list), "--out", out});
    ASSERT_TRUE(child->started());
    ASSERT_TRUE(testing::waitUntil(*child, [&] {
        return testing::countLines(testing::readFileBytes(out)) >= 1 + 3 * kRowsPerPage;
    }));
    child->interrupt();
    const ChildResult done = child->finish();
    ASSERT_FALSE(done.timedOut);
    ASSERT_EQ(0, done.signal) << done.err;
    EXPECT_EQ(130, done.exitCode) << done.err;
    const std::string file = testing::readFileBytes(out);
    ASSERT_TRUE(file.ends_with("\r\n"));
    const std::string expected =
        csvHeader() + expectedRows(std::vector<std::string>(kDomains, "pages1.test"), file.size());
    EXPECT_BYTES_EQ(expected.substr(0, file.size()), file);
    EXPECT_EQ("rows: " + std::to_string(testing::countLines(file) - 1) + "\nfile: " + out + "\n",
              done.out);
    EXPECT_LT(site.requestCount("/rank/"), kDomains);
}

}  // namespace
}  // namespace rankminer
