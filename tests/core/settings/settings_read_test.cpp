#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/files.h"
#include "settings/settings_store.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::TempDir;

// A settings file as found on disk, and what one read of it gives.
struct ReadCase {
    const char* name;
    const char* fileUtf8;  // converted to GBK before it is written
    const char* section;
    const char* key;
    bool expectFound;          // false: the default comes back
    const char* expectedUtf8;  // when found
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsRead, FindsOnlyKeysOfTheSection) {
    const ReadCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.file("settings.ini");
    ASSERT_TRUE(writeWholeFile(path, gbk(c.fileUtf8)));
    SettingsStore store;
    ASSERT_TRUE(store.open(path));
    store.setSection(gbk(c.section));
    const std::string fallback = "<default>";
    const std::string value = store.readText(gbk(c.key), fallback);
    if (c.expectFound) {
        EXPECT_BYTES_EQ(gbk(c.expectedUtf8), value);
    } else {
        EXPECT_BYTES_EQ(fallback, value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layout, SettingsRead,
    ::testing::Values(
        ReadCase{"FirstKeyAfterHeader", "[主界面]\r\n编辑框域名=a.com\r\n编辑框网址=x", "主界面",
                 "编辑框域名", true, "a.com"},
        ReadCase{"LastKeyRunsToEndOfFile", "[主界面]\r\n编辑框域名=a.com\r\n编辑框网址=x", "主界面",
                 "编辑框网址", true, "x"},
        ReadCase{"PresentButEmptyIsEmpty", "[主界面]\r\n编辑框域名=\r\n编辑框网址=x", "主界面",
                 "编辑框域名", true, ""},
        ReadCase{"ValueKeepsBlanksAndLaterEquals", "[s]\r\nk= a = b ", "s", "k", true, " a = b "},
        ReadCase{"MissingKeyGivesDefault", "[主界面]\r\n编辑框网址=x", "主界面", "编辑框域名",
                 false, ""},
        ReadCase{"MissingSectionGivesDefault", "[其他]\r\n编辑框域名=x", "主界面", "编辑框域名",
                 false, ""},
        ReadCase{"LongerKeyIsAnotherKey", "[s]\r\nkey2=x\r\nkey=y", "s", "key", true, "y"},
        ReadCase{"KeysAreCaseSensitive", "[s]\r\nKey=x", "s", "key", false, ""},
        ReadCase{"HeaderInMidLineIsNoHeader", "x[主界面]\r\n编辑框域名=a", "主界面", "编辑框域名",
                 false, ""},
        ReadCase{"HeaderAfterLineBreakCounts", "[a]\r\nk=1\r\n[主界面]\r\nk=2", "主界面", "k", true,
                 "2"},
        ReadCase{"FirstCountingHeaderWins", "x[s]\r\nk=1\r\n[s]\r\nk=2\r\n[s]\r\nk=3", "s", "k",
                 true, "2"},
        ReadCase{"KeyUnderFollowingSectionIsNotFound",
                 "[主界面]\r\n编辑框网址=x\r\n[查找参数]\r\n编辑框域名=y", "主界面", "编辑框域名",
                 false, ""},
        ReadCase{"BracketedValueIsNoHeaderLine", "[s]\r\na=[x]y\r\nk=v", "s", "k", true, "v"},
        ReadCase{"BlanksAroundEqualsDoNotMatch", "[s]\r\nkey = v\r\nkey =w", "s", "key", false, ""},
        ReadCase{"BareLineFeedsHoldNoKeyLine", "[s]\nkey=v\nother=w", "s", "key", false, ""},
        ReadCase{"StoredBreakReadsAsLineBreak", "[s]\r\nk=a┊*┊b┊*┊", "s", "k", true, "a\r\nb\r\n"},
        ReadCase{"GbkTextSurvives", "[查找参数]\r\n字符=关键字", "查找参数", "字符", true,
                 "关键字"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rankminer
