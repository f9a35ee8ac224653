#include "ranking/auto_save.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

std::tm novemberMorning() {
    std::tm time{};
    time.tm_year = 2017 - 1900;
    time.tm_mon = 10;
    time.tm_mday = 8;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    return time;
}

TEST(AutoSave, FileNameCarriesTheStampWithDashesAndTheModeExtension) {
    EXPECT_BYTES_EQ(gbk("百度排名自动保存_2017-11-08 09-05-03.csv"),
                    autoSaveFileName(novemberMorning(), 0));
    EXPECT_BYTES_EQ(gbk("百度排名自动保存_2017-11-08 09-05-03.txt"),
                    autoSaveFileName(novemberMorning(), 1));
    EXPECT_BYTES_EQ(gbk("百度排名自动保存_2017-11-08 09-05-03.txt"),
                    autoSaveFileName(novemberMorning(), -1));
}

TEST(AutoSave, FallsBackToTheNextFolderWhenTheFirstTakesNoFile) {
    testing::TempDir dir;
    // A plain file where the first folder should be: nothing can be created
    // in it, whatever the rights of the user running the test.
    const std::string notAFolder = dir.file("program");
    ASSERT_TRUE(writeWholeFile(notAFolder, "x"));
    const std::string name = gbk("百度排名自动保存_x.csv");
    AutoSaveTarget target = openAutoSaveFile({}, name, {notAFolder, dir.path()});
    ASSERT_TRUE(target.file.isOpen());
    EXPECT_EQ(dir.path() + "/" + name, target.path);
    // The GBK name reaches the file system as UTF-8.
    EXPECT_EQ(0, ::access(dir.file("百度排名自动保存_x.csv").c_str(), F_OK));
}

TEST(AutoSave, ChosenPathIsUsedAsItIsAndTruncated) {
    testing::TempDir dir;
    const std::string chosen = dir.file("mine.csv");
    ASSERT_TRUE(writeWholeFile(chosen, "old contents\r\n"));
    AutoSaveTarget target = openAutoSaveFile(chosen, "ignored.csv", {dir.path()});
    ASSERT_TRUE(target.file.isOpen());
    EXPECT_EQ(chosen, target.path);
    target.file.close();
    EXPECT_BYTES_EQ("", testing::readFileBytes(chosen));
    EXPECT_FALSE(pathExists(dir.file("ignored.csv")));
}

TEST(AutoSave, NothingOpensWhenNoFolderTakesTheFile) {
    AutoSaveTarget target =
        openAutoSaveFile({}, "x.csv", {"/nonexistent-folder-a", "/nonexistent-folder-b"});
    EXPECT_FALSE(target.file.isOpen());
    AutoSaveTarget chosen = openAutoSaveFile("/nonexistent-folder/x.csv", "x.csv", {});
    EXPECT_FALSE(chosen.file.isOpen());
}

}  // namespace
}  // namespace rankminer
