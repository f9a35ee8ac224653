// A write to the settings file may take several steps: a write that a kill
// can stop at a page boundary, a truncation when the file shrinks, a rename.
// These tests capture the file at each point between steps, as a crash there
// would leave it, and open it again: every key must hold its value from
// before or after the write, and the store must go on working.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::TempDir;

std::vector<std::string>& capturedFiles() {
    static std::vector<std::string> files;
    return files;
}

std::string& capturedPath() {
    static std::string path;
    return path;
}

void captureFile() {
    capturedFiles().push_back(testing::readFileBytes(capturedPath()));
}

// Captures the file at `path` at every interruption point, for one scope.
class CaptureBetweenSteps {
public:
    explicit CaptureBetweenSteps(const std::string& path) {
        capturedFiles().clear();
        capturedPath() = path;
        setUpdateStepProbe(&captureFile);
    }
    ~CaptureBetweenSteps() { setUpdateStepProbe(nullptr); }
    CaptureBetweenSteps(const CaptureBetweenSteps&) = delete;
    CaptureBetweenSteps& operator=(const CaptureBetweenSteps&) = delete;
};

// Every key of these files, including ones that must stay missing.
const std::vector<std::pair<const char*, const char*>> kKeys{
    {"主界面", "b"}, {"主界面", "a"}, {"查找参数", "字符"}, {"查找参数", "列"},
    {"空", "a"},     {"空", "b"},     {"空", "列"}};

// Read with this default, a missing key is told apart from any stored value.
constexpr std::string_view kMissing = "<missing>";

std::vector<std::string> readAllKeys(SettingsStore& store) {
    std::vector<std::string> values;
    for (const auto& [section, key] : kKeys) {
        store.setSection(gbk(section));
        values.push_back(store.readText(gbk(key), kMissing));
    }
    return values;
}

// Line breaks shown as escapes, so a stray carriage return is visible.
std::string visible(std::string_view bytes) {
    std::string shown;
    for (const char byte : bytes) {
        shown += byte == '\r'   ? std::string("\\r")
                 : byte == '\n' ? std::string("\\n")
                                : std::string(1, byte);
    }
    return shown;
}

struct InterruptCase {
    const char* name;
    // Each "%" in the file or the value stands for `padding` bytes "x", to
    // spread a change across pages.
    const char* fileUtf8;
    std::size_t padding;
    const char* section;
    const char* key;
    const char* valueUtf8;
};

void PrintTo(const InterruptCase& c, std::ostream* os) {
    *os << c.name;
}

std::string expandPadding(std::string_view text, std::size_t padding) {
    std::string expanded;
    for (const char byte : text) {
        expanded += byte == '%' ? std::string(padding, 'x') : std::string(1, byte);
    }
    return expanded;
}

class SettingsInterruptedWrite : public ::testing::TestWithParam<InterruptCase> {
protected:
    TempDir dir_;
    std::string path_ = dir_.file("settings.ini");
    std::string crashedPath_ = dir_.file("crashed.ini");
};

TEST_P(SettingsInterruptedWrite, FileBetweenStepsReadsAsBeforeOrAfter) {
    const InterruptCase& c = GetParam();
    ASSERT_TRUE(writeWholeFile(path_, expandPadding(gbk(c.fileUtf8), c.padding)));
    std::vector<std::string> before;
    std::vector<std::string> after;
    {
        SettingsStore store;
        ASSERT_TRUE(store.open(path_));
        before = readAllKeys(store);
        {
            CaptureBetweenSteps capture(path_);
            store.setSection(gbk(c.section));
            store.writeText(gbk(c.key), expandPadding(gbk(c.valueUtf8), c.padding));
        }
        EXPECT_BYTES_EQ(store.mirror(), testing::readFileBytes(path_));
        after = readAllKeys(store);
    }
    ASSERT_FALSE(capturedFiles().empty()) << "the case must write in more than one step";

    for (std::size_t step = 0; step < capturedFiles().size(); ++step) {
        SCOPED_TRACE("interrupted at point " + std::to_string(step + 1));
        ASSERT_TRUE(writeWholeFile(crashedPath_, capturedFiles()[step]));
        {
            SettingsStore reopened;
            ASSERT_TRUE(reopened.open(crashedPath_));
            const std::vector<std::string> values = readAllKeys(reopened);
            for (std::size_t i = 0; i < kKeys.size(); ++i) {
                EXPECT_TRUE(values[i] == before[i] || values[i] == after[i])
                    << kKeys[i].first << "/" << kKeys[i].second << " reads \"" << visible(values[i])
                    << "\", before \"" << visible(before[i]) << "\", after \"" << visible(after[i])
                    << "\"";
            }
            // The next writes land and survive another reopen.
            reopened.setSection(gbk("查找参数"));
            reopened.writeText(gbk("列"), "next");
            reopened.setSection(gbk("新"));
            reopened.writeText("k", "v");
        }
        SettingsStore again;
        ASSERT_TRUE(again.open(crashedPath_));
        again.setSection(gbk("查找参数"));
        EXPECT_EQ("next", again.readText(gbk("列"), kMissing));
        again.setSection(gbk("新"));
        EXPECT_EQ("v", again.readText("k", kMissing));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsInterruptedWrite,
    ::testing::Values(
        InterruptCase{"MiddleValueShrinksByMany",
                      "[主界面]\r\nb=22\r\na=1111111111\r\n[查找参数]\r\n字符=abc\r\n列=3", 0,
                      "主界面", "a", "1"},
        InterruptCase{"LastValueChangesAndShrinks",
                      "[主界面]\r\nb=22\r\na=1111111111\r\n[查找参数]\r\n字符=abc\r\n列=345", 0,
                      "查找参数", "列", "9"},
        InterruptCase{"FirstValueShrinksByOneByte",
                      "[主界面]\r\nb=22\r\na=1111111111\r\n[查找参数]\r\n字符=abc\r\n列=3", 0,
                      "主界面", "b", "2"},
        InterruptCase{"ValueShrinksByTwoBytes",
                      "[主界面]\r\nb=22\r\na=1111111111\r\n[查找参数]\r\n字符=abc\r\n列=3", 0,
                      "主界面", "b", ""},
        // The stale bytes would follow a header without keys and could pass
        // for key lines of that section.
        InterruptCase{"FileEndsWithAnEmptySection",
                      "[主界面]\r\nb=22\r\na=1111111111111\r\n[查找参数]\r\n列=3\r\n[空]", 0,
                      "主界面", "a", "1"},
        // A value ending in a lone carriage return, just before the cut.
        InterruptCase{"LastValueEndsWithCarriageReturn",
                      "[主界面]\r\nb=22\r\na=x\r\r\n[空]\r\n列=7\r", 0, "主界面", "b", "2"},
        // Bigger than a page: a kill may stop a single write at a page
        // boundary, half of the moved bytes written.
        InterruptCase{"GrowsAcrossPages", "[主界面]\r\nb=22\r\na=%\r\n[查找参数]\r\n列=3", 5000,
                      "主界面", "b", "2222222"},
        InterruptCase{"ShrinksAcrossPages", "[主界面]\r\nb=22\r\na=%\r\n[查找参数]\r\n列=3", 5000,
                      "主界面", "b", ""},
        InterruptCase{"SameSizeValueAcrossPages", "[主界面]\r\nb=22\r\na=0%1\r\n[查找参数]\r\n列=3",
                      5000, "主界面", "a", "1%0"}),
    [](const ::testing::TestParamInfo<InterruptCase>& info) {
        return std::string(info.param.name);
    });

// A write that replaces the file keeps what the open file had: the lock
// against a second store, and its permissions.
TEST(SettingsReplacedFile, KeepsTheLockAndThePermissions) {
    TempDir dir;
    const std::string path = dir.file("settings.ini");
    ASSERT_TRUE(writeWholeFile(path, "[s]\r\nb=1\r\na=" + std::string(5000, 'x')));
    ASSERT_EQ(0, ::chmod(path.c_str(), 0600));
    SettingsStore store;
    ASSERT_TRUE(store.open(path));
    store.setSection("s");
    {
        CaptureBetweenSteps capture(path);
        store.writeText("b", "longer");  // moves 5000 bytes across a page boundary
        ASSERT_FALSE(capturedFiles().empty());
    }
    EXPECT_BYTES_EQ(store.mirror(), testing::readFileBytes(path));

    SettingsStore second;
    EXPECT_FALSE(second.open(path));
    EXPECT_BYTES_EQ(store.mirror(), second.mirror());
    struct stat status {};
    ASSERT_EQ(0, ::stat(path.c_str(), &status));
    EXPECT_EQ(0600u, status.st_mode & 07777);

    // Later writes go to the file that now has the name.
    store.writeText("c", "3");
    SettingsStore reader;
    reader.open(path);
    reader.setSection("s");
    EXPECT_EQ("3", reader.readText("c"));
    EXPECT_FALSE(pathExists(path + ".new"));
}

}  // namespace
}  // namespace rankminer
