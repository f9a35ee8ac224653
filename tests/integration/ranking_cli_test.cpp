// The real `rankminer rank` executable as a child process against the site
// simulator: a whole run, bad options, Ctrl-C and a killed process.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "site_simulator/site_simulator.h"
#include "support/bytes.h"
#include "support/rank_csv.h"
#include "text/gbk.h"

extern char** environ;

namespace rankminer {
namespace {

using testing::csvHeader;
using testing::csvRowLine;

constexpr int kRowsPerPage = 4;
// A ceiling for children that hang, far above any normal run.
constexpr auto kChildCeiling = std::chrono::seconds(60);

class RankCommand : public ::testing::Test {
protected:
    RankCommand() : site(options()) {}

    static sim::SimulatorOptions options() {
        sim::SimulatorOptions o;
        o.rowsPerPage = kRowsPerPage;
        o.defaultPages = 2;
        return o;
    }

    void SetUp() override { ASSERT_TRUE(site.start()); }

    // Starts `rankminer rank <arguments>` with stdin from /dev/null and
    // stdout/stderr into files of the temporary folder.
    pid_t start(const std::vector<std::string>& arguments, const std::string& timeScale) {
        std::vector<std::string> args = {RANKMINER_BINARY, "rank"};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            if (std::string_view(*e).rfind("RANKMINER_", 0) != 0) {
                env.emplace_back(*e);
            }
        }
        env.push_back("RANKMINER_RANK_URL=" + site.rankUrl());
        env.push_back("RANKMINER_ENGINE_HOST=" + site.engineHost());
        env.push_back("RANKMINER_ENGINE_MOBILE_HOST=" + site.engineHost());
        env.push_back("RANKMINER_TIME_SCALE=" + timeScale);

        std::vector<char*> argv;
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, stdoutPath().c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, stderrPath().c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = -1;
        const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        return rc == 0 ? pid : -1;
    }

    // The exit status, 128 + signal for a killed child, -1 past the ceiling
    // (the child is then killed).
    static int waitFor(pid_t pid) {
        const auto deadline = std::chrono::steady_clock::now() + kChildCeiling;
        for (;;) {
            int status = 0;
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                if (WIFEXITED(status)) {
                    return WEXITSTATUS(status);
                }
                return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // Waits until the file holds at least `lines` complete lines.
    static bool waitForLines(const std::string& path, int lines, pid_t child) {
        const auto deadline = std::chrono::steady_clock::now() + kChildCeiling;
        while (std::chrono::steady_clock::now() < deadline) {
            const std::string bytes = testing::readFileBytes(path);
            int count = 0;
            for (std::size_t p = bytes.find("\r\n"); p != std::string::npos;
                 p = bytes.find("\r\n", p + 2)) {
                ++count;
            }
            if (count >= lines) {
                return true;
            }
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // The CSV of the whole run of one domain (resolved links).
    std::string expectedCsv(const std::string& domain, int pages) const {
        std::string csv = csvHeader();
        int serial = 0;
        for (int page = 1; page <= pages; ++page) {
            for (const auto& row : site.expectedRankRows(domain, page, false)) {
                csv += csvRowLine(++serial, domain, row);
            }
        }
        return csv;
    }

    // The file is a prefix of the whole run made of complete lines.
    static void expectWholeLinePrefix(const std::string& whole, const std::string& file) {
        ASSERT_GE(whole.size(), file.size());
        EXPECT_BYTES_EQ(whole.substr(0, file.size()), file);
        ASSERT_GE(file.size(), 2u);
        EXPECT_EQ("\r\n", file.substr(file.size() - 2));
    }

    std::string stdoutPath() const { return dir.file("stdout.txt"); }
    std::string stderrPath() const { return dir.file("stderr.txt"); }
    std::string childStdout() const { return testing::readFileBytes(stdoutPath()); }
    std::string childStderr() const { return testing::readFileBytes(stderrPath()); }

    sim::SiteSimulator site;
    testing::TempDir dir;
};

TEST_F(RankCommand, CollectsIntoTheNamedFileAndReportsRowsAndPath) {
    // A Chinese file name typed in UTF-8 on the command line.
    const std::string out = dir.file("排名结果.csv");
    const pid_t child = start({"--domains", "pages2.test|nopager.test", "--out", out}, "0.001");
    ASSERT_GT(child, 0);
    ASSERT_EQ(0, waitFor(child)) << childStderr();
    const std::string first = expectedCsv("pages2.test", 2);
    const std::string second = expectedCsv("nopager.test", 1).substr(csvHeader().size());
    EXPECT_BYTES_EQ(first + second, testing::readFileBytes(out));
    const int rows = 3 * kRowsPerPage;
    EXPECT_EQ("rows: " + std::to_string(rows) + "\nfile: " + out + "\n", childStdout());
    const std::string err = childStderr();
    EXPECT_NE(std::string::npos, err.find("域名：pages2.test  当前页：2  总：2")) << err;
    EXPECT_NE(std::string::npos, err.find("采集完成！")) << err;
}

TEST_F(RankCommand, QuotaPromptWithoutTerminalCancels) {
    const std::string out = dir.file("q.csv");
    const pid_t child = start({"--domains", "quota.test|pages1.test", "--out", out}, "0.001");
    ASSERT_GT(child, 0);
    ASSERT_EQ(0, waitFor(child)) << childStderr();
    EXPECT_EQ(1, site.requestCount("/rank/"));
    EXPECT_BYTES_EQ(csvHeader(), testing::readFileBytes(out));
    EXPECT_EQ("rows: 0\nfile: " + out + "\n", childStdout());
}

TEST_F(RankCommand, NoIpPromptRepeatsQuotaPagesWithoutAsking) {
    const std::string out = dir.file("q.txt");
    const pid_t child = start({"--domains", "quota2.test", "--no-ip-prompt", "--mode", "template",
                               "--template", "#3", "--out", out},
                              "0.001");
    ASSERT_GT(child, 0);
    ASSERT_EQ(0, waitFor(child)) << childStderr();
    EXPECT_EQ(3, site.requestCount("/rank/baidu/quota2.test/-1/0/1/"));
    std::string expected;
    for (int page = 1; page <= 2; ++page) {
        for (const auto& row : site.expectedRankRows("quota2.test", page, false)) {
            expected += row.keyword + "\r\n";
        }
    }
    EXPECT_BYTES_EQ(expected, testing::readFileBytes(out));
}

struct BadOptionCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* message;
};

void PrintTo(const BadOptionCase& c, std::ostream* os) {
    *os << c.name;
}

class RankCommandOptions : public RankCommand,
                           public ::testing::WithParamInterface<BadOptionCase> {};

TEST_P(RankCommandOptions, BadOptionsFailWithAMessageAndNoRequest) {
    const pid_t child = start(GetParam().arguments, "0.001");
    ASSERT_GT(child, 0);
    EXPECT_EQ(2, waitFor(child));
    EXPECT_NE(std::string::npos, childStderr().find(GetParam().message)) << childStderr();
    EXPECT_EQ(0, site.requestCount("/"));
}

INSTANTIATE_TEST_SUITE_P(
    RankCommand, RankCommandOptions,
    ::testing::Values(
        BadOptionCase{"NoDomains", {"--mobile"}, "--domains is required"},
        BadOptionCase{"EmptyDomains", {"--domains", ""}, "--domains is required"},
        BadOptionCase{"UnknownOrder", {"--domains", "a", "--order", "alpha"}, "--order must be"},
        BadOptionCase{"UnknownMode", {"--domains", "a", "--mode=xls"}, "--mode must be"},
        BadOptionCase{"MissingValue", {"--domains"}, "--domains needs a value"},
        BadOptionCase{"UnknownOption", {"--domains", "a", "--fast"}, "unknown option '--fast'"},
        BadOptionCase{"OutWithNoSave", {"--domains", "a", "--out", "x", "--no-save"}, "exclude"},
        BadOptionCase{"TemplateInCsvMode",
                      {"--domains", "a", "--mode", "csv", "--template", "#1"},
                      "--template only applies"}),
    [](const ::testing::TestParamInfo<BadOptionCase>& info) { return info.param.name; });

TEST_F(RankCommand, HelpListsEveryOption) {
    const pid_t child = start({"--help"}, "0.001");
    ASSERT_GT(child, 0);
    EXPECT_EQ(0, waitFor(child));
    const std::string help = childStdout();
    for (const char* option : {"--domains", "--mobile", "--order", "--dedupe", "--no-resolve",
                               "--mode", "--template", "--out", "--no-save", "--no-ip-prompt"}) {
        EXPECT_NE(std::string::npos, help.find(option)) << option;
    }
}

TEST_F(RankCommand, CtrlCStopsBetweenRowsAndClosesTheFileWhole) {
    const std::string out = dir.file("interrupted.csv");
    const pid_t child = start({"--domains", "pages8.test", "--out", out}, "0.05");
    ASSERT_GT(child, 0);
    ASSERT_TRUE(waitForLines(out, 1 + kRowsPerPage, child)) << childStderr();
    kill(child, SIGINT);
    EXPECT_EQ(130, waitFor(child)) << childStderr();
    const std::string file = testing::readFileBytes(out);
    const std::string whole = expectedCsv("pages8.test", 8);
    expectWholeLinePrefix(whole, file);
    EXPECT_LT(file.size(), whole.size());
    int lines = 0;
    for (std::size_t p = file.find("\r\n"); p != std::string::npos; p = file.find("\r\n", p + 2)) {
        ++lines;
    }
    EXPECT_EQ("rows: " + std::to_string(lines - 1) + "\nfile: " + out + "\n", childStdout());
}

TEST_F(RankCommand, KilledProcessLeavesEveryWrittenRowWhole) {
    const std::string out = dir.file("killed.csv");
    const pid_t child = start({"--domains", "pages8.test", "--out", out}, "0.05");
    ASSERT_GT(child, 0);
    ASSERT_TRUE(waitForLines(out, 1 + kRowsPerPage + 2, child)) << childStderr();
    kill(child, SIGKILL);
    EXPECT_EQ(128 + SIGKILL, waitFor(child));
    const std::string file = testing::readFileBytes(out);
    expectWholeLinePrefix(expectedCsv("pages8.test", 8), file);
    EXPECT_GE(file.size(), expectedCsv("pages8.test", 1).size());
}

}  // namespace
}  // namespace rankminer
