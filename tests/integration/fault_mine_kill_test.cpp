// `rankminer mine` killed with SIGKILL at several moments of a run: the
// results file then holds exactly the lines written before the kill, each
// one whole, in order.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "site_simulator/site_simulator.h"
#include "support/bytes.h"

namespace rankminer {
namespace {

constexpr int kRowsPerPage = 4;
constexpr int kPages = 2;
const std::vector<std::string> kSeeds{"a", "b", "c", "d", "e", "f"};

std::string expectedFile() {
    std::string lines;
    for (const std::string& seed : kSeeds) {
        for (int page = 1; page <= kPages; ++page) {
            for (const auto& row : sim::expectedMiningRows(seed, page, kRowsPerPage)) {
                lines += (row.keyword.empty() && page == 1 ? seed : row.keyword) + "," +
                         row.volume + "," + row.indexed + "," + row.first + "," + row.second + "," +
                         row.difficulty + "\r\n";
            }
        }
    }
    return lines;
}

pid_t startMine(const std::string& keywordUrl, const std::string& folder) {
    std::vector<std::string> argv{
        RANKMINER_BINARY, "mine", "--page-pause", "0.15",
        "--seed-pause",   "0",    "--fields",     "volume,indexed,first,second,difficulty",
        "--dir",          folder};
    argv.insert(argv.end(), kSeeds.begin(), kSeeds.end());
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("RANKMINER_KEYWORD_URL", keywordUrl.c_str(), 1);
        if (freopen("/dev/null", "w", stdout) == nullptr ||
            freopen("/dev/null", "w", stderr) == nullptr) {
            _exit(127);
        }
        std::vector<char*> raw;
        for (std::string& a : argv) {
            raw.push_back(a.data());
        }
        raw.push_back(nullptr);
        execv(raw[0], raw.data());
        _exit(127);
    }
    return pid;
}

// The one results file in the folder, empty while there is none.
std::string resultsFile(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        return testing::readFileBytes(entry.path().string());
    }
    return {};
}

int lineCount(const std::string& text) {
    int lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

TEST(MineCommandKilled, EveryLineWrittenBeforeTheKillIsWholeAndInOrder) {
    sim::SimulatorOptions options;
    options.rowsPerPage = kRowsPerPage;
    options.defaultPages = kPages;
    sim::SiteSimulator simulator(options);
    ASSERT_TRUE(simulator.start());
    const std::string expected = expectedFile();
    ASSERT_EQ(kRowsPerPage * kPages * static_cast<int>(kSeeds.size()), lineCount(expected));

    // Kills after a few lines, in the middle and near the end.
    for (const int linesBeforeKill : {1, 13, 29}) {
        testing::TempDir dir;
        const std::string folder = dir.file("out");
        const pid_t child = startMine(simulator.keywordUrl(), folder);
        ASSERT_GT(child, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (lineCount(resultsFile(folder)) < linesBeforeKill &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        ASSERT_TRUE(WIFSIGNALED(status))
            << "the run ended before the kill at " << linesBeforeKill << " lines";

        const std::string file = resultsFile(folder);
        ASSERT_GE(lineCount(file), linesBeforeKill);
        EXPECT_TRUE(file.ends_with("\r\n")) << "torn last line after " << linesBeforeKill;
        EXPECT_BYTES_EQ(expected.substr(0, file.size()), file);
    }
}

}  // namespace
}  // namespace rankminer
