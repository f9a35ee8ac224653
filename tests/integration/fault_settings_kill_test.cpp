// A process writing settings in a loop is killed with SIGKILL at random
// moments. Opened again, the file must give every key a value that the
// writer actually wrote (never bytes mixed from two writes), lose no key, and
// take further writes.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "settings/settings_store.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

constexpr int kRuns = 200;
constexpr int kSections = 3;
constexpr int kKeysPerSection = 3;
// Every this many writes the writer also replaces the side-file value.
constexpr int kSideFileEvery = 128;

const std::string& sectionName(int s) {
    static const std::vector<std::string> names{gbk("主界面"), gbk("查找参数"), "other"};
    return names[static_cast<std::size_t>(s)];
}

const std::string& keyName(int k) {
    static const std::vector<std::string> names{gbk("键0"), gbk("键1"), gbk("键2")};
    return names[static_cast<std::size_t>(k)];
}

const std::string& sideKey() {
    static const std::string key = gbk("列表");
    return key;
}

// The value written to a key at a step. Its length varies with the step, so
// the file grows and shrinks; the step is part of the text, so a value read
// back names the write it claims to come from and can be checked whole.
std::string valueFor(int s, int k, long step) {
    std::string value =
        "s" + std::to_string(s) + "k" + std::to_string(k) + "#" + std::to_string(step) + "#";
    // Up to 600 bytes: nine keys make a file that grows and shrinks across
    // the 4096-byte page boundary.
    const long padding = (step * 37 + s * 11 + k * 5) % 601;
    value.append(static_cast<std::size_t>(padding), static_cast<char>('a' + step % 26));
    if (step % 3 == 0) {
        value += "\r\n";  // stored as the line-break mark
    }
    static const std::string ending = gbk("值");
    value += ending;
    return value;
}

std::string sideValueFor(long step) {
    return "side#" + std::to_string(step) + "#" +
           std::string(static_cast<std::size_t>(step * 13 % 200), '\0');
}

// The step a value claims, or -1 when it has no step field.
long claimedStep(std::string_view value) {
    const std::size_t open = value.find('#');
    const std::size_t close = open == std::string_view::npos ? open : value.find('#', open + 1);
    if (close == std::string_view::npos) {
        return -1;
    }
    long step = -1;
    const auto [end, ec] = std::from_chars(value.data() + open + 1, value.data() + close, step);
    return ec == std::errc() && end == value.data() + close ? step : -1;
}

void writeAll(SettingsStore& store, long step) {
    for (int s = 0; s < kSections; ++s) {
        store.setSection(sectionName(s));
        for (int k = 0; k < kKeysPerSection; ++k) {
            store.writeText(keyName(k), valueFor(s, k, step));
        }
    }
    store.setSection(sectionName(0));
    store.writeBytes(sideKey(), sideValueFor(step));
}

// The writer: tells the parent once its first write has landed, then writes
// one key after another until it is killed.
[[noreturn]] void runWriter(const std::string& path, int readyFd, unsigned seed) {
    SettingsStore store;
    if (!store.open(path)) {
        _exit(2);
    }
    std::mt19937 random(seed);
    for (long step = 1;; ++step) {
        const int s = static_cast<int>(random() % kSections);
        const int k = static_cast<int>(random() % kKeysPerSection);
        store.setSection(sectionName(s));
        store.writeText(keyName(k), valueFor(s, k, step));
        if (step % kSideFileEvery == 0) {
            store.setSection(sectionName(0));
            store.writeBytes(sideKey(), sideValueFor(step));
        }
        if (step == 1) {
            const char ready = 'r';
            if (::write(readyFd, &ready, 1) != 1) {
                _exit(3);
            }
            ::close(readyFd);
        }
    }
}

class SettingsKill : public ::testing::Test {
protected:
    testing::TempDir dir_;
    std::string path_ = dir_.file("settings.ini");
};

TEST_F(SettingsKill, EveryKeyHoldsAWrittenValueAfterAKillAtARandomMoment) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
    long latestStepSeen = 0;
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        std::filesystem::remove(path_);
        {
            SettingsStore store;
            ASSERT_TRUE(store.open(path_));
            writeAll(store, 0);
        }

        int ready[2];
        ASSERT_EQ(0, ::pipe(ready));
        const unsigned writerSeed = static_cast<unsigned>(random());
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(ready[0]);
            runWriter(path_, ready[1], writerSeed);
        }
        ::close(ready[1]);
        char readyByte = 0;
        const bool writerStarted = ::read(ready[0], &readyByte, 1) == 1;
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(pid, ::waitpid(pid, &status, 0));
        ASSERT_TRUE(writerStarted) << "writer ended early, status " << status;
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

        SettingsStore reopened;
        ASSERT_TRUE(reopened.open(path_));
        for (int s = 0; s < kSections; ++s) {
            reopened.setSection(sectionName(s));
            for (int k = 0; k < kKeysPerSection; ++k) {
                const std::string value = reopened.readText(keyName(k), "<missing>");
                const long step = claimedStep(value);
                EXPECT_TRUE(step >= 0 && value == valueFor(s, k, step))
                    << "section " << s << " key " << k << ": " << ::testing::PrintToString(value)
                    << " in a file of " << reopened.mirror().size() << " bytes";
                latestStepSeen = std::max(latestStepSeen, step);
            }
        }
        reopened.setSection(sectionName(0));
        const std::string side = reopened.readBytes(sideKey(), "<missing>");
        const long sideStep = claimedStep(side);
        EXPECT_TRUE(sideStep >= 0 && side == sideValueFor(sideStep))
            << ::testing::PrintToString(side);

        // A replacement file left by a kill before its rename is cleared away.
        EXPECT_FALSE(std::filesystem::exists(path_ + ".new"));

        // The killed writer's lock is gone and the file takes new writes.
        ASSERT_TRUE(reopened.isWritable());
        writeAll(reopened, 1000000 + run);
        reopened.setSection("after");
        reopened.writeText("k", "v");
        SettingsStore checked;
        checked.open(path_);  // read-only: `reopened` still holds the lock
        for (int s = 0; s < kSections; ++s) {
            checked.setSection(sectionName(s));
            for (int k = 0; k < kKeysPerSection; ++k) {
                EXPECT_EQ(valueFor(s, k, 1000000 + run), checked.readText(keyName(k)));
            }
        }
        checked.setSection("after");
        EXPECT_EQ("v", checked.readText("k"));
        EXPECT_BYTES_EQ(reopened.mirror(), checked.mirror());
    }
    // The kills landed after the writers had got going, not only on the
    // values written before the fork.
    EXPECT_GT(latestStepSeen, 0);
}

}  // namespace
}  // namespace rankminer
