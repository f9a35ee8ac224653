#include "mining/output_files.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/files.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::TempDir;

TEST(MakeDirectoryPath, CreatesEveryMissingLevel) {
    TempDir temp;
    const std::string tail = gbk("/x/目录/z/");
    ASSERT_TRUE(makeDirectoryPath(programPath(temp.path()) + tail));
    EXPECT_TRUE(isDirectory(programPath(temp.path()) + gbk("/x/目录/z")));
    // Already there: nothing to do, still true.
    EXPECT_TRUE(makeDirectoryPath(programPath(temp.path()) + tail));
}

TEST(MakeDirectoryPath, TrailingSeparatorIsOptional) {
    TempDir temp;
    const std::string folder = programPath(temp.path()) + "/out";
    ASSERT_TRUE(makeDirectoryPath(folder));
    EXPECT_TRUE(isDirectory(folder));
    EXPECT_EQ(folder + "/", withTrailingSeparator(folder));
    EXPECT_EQ(folder + "/", withTrailingSeparator(folder + "/"));
    EXPECT_EQ("", withTrailingSeparator(""));
}

TEST(MakeDirectoryPath, FailsWhereALevelIsAFile) {
    TempDir temp;
    const std::string file = programPath(temp.path()) + "/plain";
    ASSERT_TRUE(writeWholeFile(file, "x"));
    EXPECT_FALSE(makeDirectoryPath(file + "/below/"));
    EXPECT_FALSE(makeDirectoryPath(file));
    EXPECT_FALSE(pathExists(file + "/below"));
    EXPECT_FALSE(makeDirectoryPath(""));
}

struct FileNameCase {
    const char* name;
    std::string text;  // GBK
    std::string safe;  // GBK
};

void PrintTo(const FileNameCase& c, std::ostream* os) {
    *os << c.name;
}

class ToFileName : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(ToFileName, MakesTheTextSafe) {
    EXPECT_BYTES_EQ(GetParam().safe, toFileName(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ToFileName,
    ::testing::Values(FileNameCase{"SlashAndColon", "a/b:c", gbk("a／b：c")},
                      FileNameCase{"AllEightReserved", "\\/:*?|<>", gbk("＼／：＊？｜＜＞")},
                      FileNameCase{"QuotesAndBreaksDropped", "\"a\"\r\nb\rc\nd\te", "abcde"},
                      FileNameCase{"OtherTextUntouched", gbk(" 关键词 . "), gbk(" 关键词 . ")},
                      // The trail byte 0x5C of this character is no backslash.
                      FileNameCase{"TrailByteBackslashKept", std::string("\x95\x5C", 2),
                                   std::string("\x95\x5C", 2)},
                      FileNameCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<FileNameCase>& info) { return info.param.name; });

std::tm at(int hour, int minute, int second) {
    std::tm when{};
    when.tm_year = 2017 - 1900;
    when.tm_mon = 10;
    when.tm_mday = 8;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    return when;
}

TEST(DateTimeText, StopsAtTheLastNonZeroUnit) {
    EXPECT_BYTES_EQ(gbk("2017年11月8日9时5分3秒"), dateTimeText(at(9, 5, 3)));
    EXPECT_BYTES_EQ(gbk("2017年11月8日14时30分"), dateTimeText(at(14, 30, 0)));
    EXPECT_BYTES_EQ(gbk("2017年11月8日0时0分7秒"), dateTimeText(at(0, 0, 7)));
    EXPECT_BYTES_EQ(gbk("2017年11月8日0时1分"), dateTimeText(at(0, 1, 0)));
    EXPECT_BYTES_EQ(gbk("2017年11月8日5时"), dateTimeText(at(5, 0, 0)));
    EXPECT_BYTES_EQ(gbk("2017年11月8日"), dateTimeText(at(0, 0, 0)));
}

TEST(OutputFilePaths, JoinFolderNameDateAndExtension) {
    const std::string when = gbk("2017年11月8日");
    EXPECT_BYTES_EQ(gbk("/d/全部结果_2017年11月8日.csv"), allResultsFilePath("/d/", when, "csv"));
    EXPECT_BYTES_EQ(gbk("/d/a／b：c_2017年11月8日.txt"), seedFilePath("/d/", "a/b:c", when, "txt"));
    EXPECT_BYTES_EQ(gbk("/d/_2017年11月8日.csv"), seedFilePath("/d/", "", when, "csv"));
}

TEST(DefaultMiningDirectory, IsBelowHome) {
    EXPECT_BYTES_EQ(homeDirectory() + gbk("/挖掘的关键词"), defaultMiningDirectory());
}

}  // namespace
}  // namespace rankminer
