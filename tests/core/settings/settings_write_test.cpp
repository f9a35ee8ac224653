#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "settings/settings_store.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::readFileBytes;
using testing::TempDir;

// A store on a fresh file in its own folder, with the file's initial bytes.
class SettingsWrite : public ::testing::Test {
protected:
    void openWith(const std::string& gbkContent) {
        ASSERT_TRUE(writeWholeFile(path_, gbkContent));
        ASSERT_TRUE(store_->open(path_));
    }
    std::string fileBytes() const { return readFileBytes(path_); }

    TempDir dir_;
    std::string path_ = dir_.file("settings.ini");
    std::optional<SettingsStore> store_{std::in_place};
};

TEST_F(SettingsWrite, MissingFileIsCreatedEmptyAndReadsDefaults) {
    ASSERT_TRUE(store_->open(path_));
    EXPECT_TRUE(store_->isWritable());
    EXPECT_TRUE(pathExists(path_));
    EXPECT_EQ("", fileBytes());
    store_->setSection("s");
    EXPECT_EQ("d", store_->readText("k", "d"));
    EXPECT_EQ(7, store_->readNumber("k", 7));
    EXPECT_TRUE(store_->readFlag("k", true));
}

TEST_F(SettingsWrite, FirstWritesBuildTheFileAndLaterSectionsAreAppended) {
    ASSERT_TRUE(store_->open(path_));
    store_->setSection(gbk("主界面"));
    store_->writeText("a", "1");
    store_->writeText("b", "2");
    EXPECT_BYTES_EQ(gbk("[主界面]\r\nb=2\r\na=1"), fileBytes());
    store_->setSection(gbk("查找参数"));
    store_->writeText(gbk("字符"), "x");
    EXPECT_BYTES_EQ(gbk("[主界面]\r\nb=2\r\na=1\r\n[查找参数]\r\n字符=x"), fileBytes());
    EXPECT_BYTES_EQ(store_->mirror(), fileBytes());
}

// One write into a known file, and the whole file afterwards.
struct WriteCase {
    const char* name;
    const char* beforeUtf8;
    const char* section;
    const char* key;
    const char* valueUtf8;
    const char* afterUtf8;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsWriteInPlace : public SettingsWrite,
                             public ::testing::WithParamInterface<WriteCase> {};

TEST_P(SettingsWriteInPlace, FileEqualsExpectedAndMirror) {
    const WriteCase& c = GetParam();
    openWith(gbk(c.beforeUtf8));
    store_->setSection(gbk(c.section));
    store_->writeText(gbk(c.key), gbk(c.valueUtf8));
    EXPECT_BYTES_EQ(gbk(c.afterUtf8), fileBytes());
    EXPECT_BYTES_EQ(store_->mirror(), fileBytes());
    EXPECT_BYTES_EQ(gbk(c.valueUtf8), store_->readText(gbk(c.key)));
}

INSTANTIATE_TEST_SUITE_P(
    Updates, SettingsWriteInPlace,
    ::testing::Values(
        WriteCase{"LongerValueShiftsTail", "[s]\r\na=1\r\nb=2", "s", "a", "12345",
                  "[s]\r\na=12345\r\nb=2"},
        WriteCase{"ShorterValueTruncatesFile", "[s]\r\na=12345\r\nb=2", "s", "a", "9",
                  "[s]\r\na=9\r\nb=2"},
        WriteCase{"SameSizeValue", "[s]\r\na=123\r\nb=2", "s", "a", "193", "[s]\r\na=193\r\nb=2"},
        WriteCase{"SameValueLeavesFile", "[s]\r\na=1", "s", "a", "1", "[s]\r\na=1"},
        WriteCase{"EmptyValueIsKept", "[s]\r\na=1\r\nb=2", "s", "a", "", "[s]\r\na=\r\nb=2"},
        WriteCase{"NewKeyBecomesFirstLine", "[s]\r\na=1", "s", "b", "2", "[s]\r\nb=2\r\na=1"},
        WriteCase{"NewKeyInFirstOfTwoSections", "[s]\r\na=1\r\n[t]\r\nb=2", "s", "b", "x",
                  "[s]\r\nb=x\r\na=1\r\n[t]\r\nb=2"},
        WriteCase{"LineBreaksAreStoredAsMarks", "[s]\r\na=1", "s", "a", "x\r\ny", "[s]\r\na=x┊*┊y"},
        // The new key line is closed, so the rest of the header's line stays.
        WriteCase{"BareLineFeedFileGetsKeyLineAfterHeader", "[s]\na=1\nb=2", "s", "a", "9",
                  "[s]\r\na=9\r\n\na=1\nb=2"},
        WriteCase{"TextAfterHeaderStaysOnItsLine", "[s]tail\r\nb=2", "s", "a", "9",
                  "[s]\r\na=9\r\ntail\r\nb=2"},
        WriteCase{"BareLineFeedFileWithoutHeaderGetsSection", "x\n[s]\na=1", "s", "a", "9",
                  "x\n[s]\na=1\r\n[s]\r\na=9"},
        WriteCase{"MidLineHeaderIsNotReused", "x[s]\r\na=1", "s", "a", "2",
                  "x[s]\r\na=1\r\n[s]\r\na=2"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

// Bytes before the changed value are never written again: a byte changed
// behind the store's back (the lock is only advisory) survives the update.
TEST_F(SettingsWrite, UpdateWritesOnlyFromTheChangedValueOn) {
    openWith("[s]\r\na=1\r\nb=2\r\nc=3");
    {
        std::FILE* outside = std::fopen(path_.c_str(), "r+b");
        ASSERT_NE(nullptr, outside);
        ASSERT_EQ(0, std::fseek(outside, 1, SEEK_SET));
        ASSERT_EQ('S', std::fputc('S', outside));
        std::fclose(outside);
    }
    store_->setSection("s");
    store_->writeText("b", "22");
    EXPECT_BYTES_EQ("[S]\r\na=1\r\nb=22\r\nc=3", fileBytes());
    store_->writeText("c", "4");  // same size: only the one byte
    EXPECT_BYTES_EQ("[S]\r\na=1\r\nb=22\r\nc=4", fileBytes());
}

TEST_F(SettingsWrite, SameKeyTwiceLeavesOneLineWithLastValue) {
    ASSERT_TRUE(store_->open(path_));
    store_->setSection("s");
    store_->writeText("k", "first");
    store_->writeText("k", "second value");
    EXPECT_BYTES_EQ("[s]\r\nk=second value", fileBytes());
}

TEST_F(SettingsWrite, ValueKindsRoundTrip) {
    ASSERT_TRUE(store_->open(path_));
    store_->setSection("s");
    store_->writeNumber("zero", 0);
    store_->writeNumber("negativeZero", -0.0);
    store_->writeNumber("minusOne", -1);
    store_->writeNumber("half", 0.5);
    store_->writeNumber("big", 1234567);
    store_->writeFlag("yes", true);
    store_->writeFlag("no", false);
    EXPECT_BYTES_EQ(gbk("[s]\r\nno=假\r\nyes=真\r\nbig=1234567\r\nhalf=0.5\r\nminusOne=-1"
                        "\r\nnegativeZero=0\r\nzero=0"),
                    fileBytes());
    EXPECT_EQ(0.5, store_->readNumber("half", 9));
    EXPECT_EQ(-1, store_->readNumber("minusOne", 9));
    EXPECT_EQ(1234567, store_->readNumber("big", 9));
    EXPECT_TRUE(store_->readFlag("yes", false));
    EXPECT_FALSE(store_->readFlag("no", true));
}

TEST_F(SettingsWrite, MalformedNumbersAndFlagsReadAsZeroAndFalse) {
    openWith(gbk("[s]\r\nn=abc\r\nm=\r\nf=yes\r\ng=0\r\nh=\r\ni=真 "));
    store_->setSection("s");
    EXPECT_EQ(0, store_->readNumber("n", 5));
    EXPECT_EQ(0, store_->readNumber("m", 5));
    EXPECT_FALSE(store_->readFlag("f", true));
    EXPECT_FALSE(store_->readFlag("g", true));
    EXPECT_FALSE(store_->readFlag("h", true));
    EXPECT_FALSE(store_->readFlag("i", true));  // not exactly "真"
}

// Many writes of every shape; after each one the file must equal the mirror
// and every key must read back its last value.
TEST_F(SettingsWrite, FileEqualsMirrorAfterEveryWrite) {
    openWith(gbk("[主界面]\r\n编辑框域名=a.com"));
    std::mt19937 random(20261210);
    const std::vector<std::string> sections = {gbk("主界面"), gbk("查找参数"), "x"};
    const std::vector<std::string> keys = {"a", "b", gbk("编辑框域名"), gbk("字符")};
    const std::vector<std::string> values = {"", "1", "long value with = and [x]", gbk("关键字"),
                                             "two\r\nlines"};
    std::vector<std::vector<std::string>> last(sections.size(),
                                               std::vector<std::string>(keys.size(), "<none>"));
    last[0][2] = "a.com";
    for (int step = 0; step < 300; ++step) {
        const std::size_t s = random() % sections.size();
        const std::size_t k = random() % keys.size();
        const std::string& value = values[random() % values.size()];
        store_->setSection(sections[s]);
        store_->writeText(keys[k], value);
        last[s][k] = value;
        ASSERT_BYTES_EQ(store_->mirror(), fileBytes()) << "after step " << step;
        for (std::size_t cs = 0; cs < sections.size(); ++cs) {
            store_->setSection(sections[cs]);
            for (std::size_t ck = 0; ck < keys.size(); ++ck) {
                ASSERT_EQ(last[cs][ck], store_->readText(keys[ck], "<none>"))
                    << "step " << step << " section " << cs << " key " << ck;
            }
        }
    }
    // A new store reads back what the last one left.
    store_.reset();
    SettingsStore reopened;
    ASSERT_TRUE(reopened.open(path_));
    for (std::size_t cs = 0; cs < sections.size(); ++cs) {
        reopened.setSection(sections[cs]);
        for (std::size_t ck = 0; ck < keys.size(); ++ck) {
            EXPECT_EQ(last[cs][ck], reopened.readText(keys[ck], "<none>"));
        }
    }
}

TEST_F(SettingsWrite, SecondStoreOnTheFileReadsButCannotWrite) {
    openWith("[s]\r\nk=1");
    SettingsStore second;
    EXPECT_FALSE(second.open(path_));
    EXPECT_FALSE(second.isWritable());
    second.setSection("s");
    EXPECT_EQ("1", second.readText("k"));
    second.writeText("k", "2");
    second.writeBytes("b", "bytes");
    EXPECT_EQ("2", second.readText("k"));  // the mirror changed
    EXPECT_BYTES_EQ("[s]\r\nk=1", fileBytes());
    EXPECT_FALSE(pathExists(dir_.file("inibin")));

    store_->setSection("s");
    store_->writeText("k", "3");  // the holder still writes
    EXPECT_BYTES_EQ("[s]\r\nk=3", fileBytes());
}

TEST_F(SettingsWrite, LockIsReleasedWhenTheStoreCloses) {
    openWith("");
    {
        SettingsStore other;
        EXPECT_FALSE(other.open(path_));
    }
    store_.reset();
    SettingsStore next;
    EXPECT_TRUE(next.open(path_));
}

TEST_F(SettingsWrite, UnwritablePlaceReadsDefaultsAndKeepsWritesInMirror) {
    EXPECT_FALSE(store_->open(dir_.file("missing-folder/settings.ini")));
    store_->setSection("s");
    store_->writeText("k", "v");
    EXPECT_EQ("v", store_->readText("k"));
    EXPECT_FALSE(pathExists(dir_.file("missing-folder")));
}

TEST_F(SettingsWrite, BytesGoToSideFileBesideTheSettings) {
    ASSERT_TRUE(store_->open(path_));
    store_->setSection(gbk("主界面"));
    const std::string bytes("a\0b\r\n\xFF", 6);
    store_->writeBytes(gbk("编辑框x"), bytes);
    EXPECT_BYTES_EQ(bytes, readFileBytes(dir_.file("inibin/主界面-编辑框x.ibn")));
    EXPECT_BYTES_EQ(bytes, store_->readBytes(gbk("编辑框x"), "d"));
    EXPECT_EQ("", fileBytes());  // the settings file itself is untouched
    store_->writeBytes(gbk("编辑框x"), "");
    EXPECT_EQ("d", store_->readBytes(gbk("编辑框x"), "d"));  // empty side file
    EXPECT_EQ("d", store_->readBytes("other", "d"));         // missing side file
    store_->setSection("a/b");
    store_->writeBytes("k", "x");
    EXPECT_EQ("d", store_->readBytes("k", "d"));
    EXPECT_FALSE(pathExists(dir_.file("inibin/a")));
}

// A section whose name holds a line break can never be found as a header.
class SettingsGiveUp : public SettingsWrite {
protected:
    struct Shown {
        std::string text;
        std::string title;
        bool warning;
    };
    void SetUp() override {
        store_->setMessageSink([this](std::string_view text, std::string_view title, bool warning) {
            shown_.push_back({std::string(text), std::string(title), warning});
            onMessage();
        });
    }
    std::function<void()> onMessage = [] {};
    std::vector<Shown> shown_;
};

TEST_F(SettingsGiveUp, ElevenAppendsThenTwoMessagesAndTheWriteIsDropped) {
    openWith("[s]\r\nk=1");
    for (const std::string section : {"x]\r\n[y", "x\r\n[y", "\r\n"}) {
        SCOPED_TRACE(section);
        shown_.clear();
        const std::string before = store_->mirror();
        store_->setSection(section);
        store_->writeText("k", "v");
        ASSERT_EQ(2u, shown_.size());
        EXPECT_BYTES_EQ(gbk("配置模块出现意外，可能导致无法正常保存！详情请咨询青杞。"),
                        shown_[0].text);
        EXPECT_BYTES_EQ(gbk("青杞："), shown_[0].title);
        EXPECT_TRUE(shown_[0].warning);
        EXPECT_BYTES_EQ(store_->mirror(), shown_[1].text);
        EXPECT_FALSE(shown_[1].warning);
        const std::string header = "\r\n[" + section + "]";
        std::string expected = before;
        for (int i = 0; i < 11; ++i) {
            expected += header;
        }
        EXPECT_BYTES_EQ(expected, store_->mirror());
        EXPECT_BYTES_EQ(store_->mirror(), fileBytes());
    }
    store_->setSection("s");
    store_->writeText("k", "2");  // later writes are tried again and work
    EXPECT_EQ("2", store_->readText("k"));
    EXPECT_BYTES_EQ(store_->mirror(), fileBytes());
}

TEST_F(SettingsGiveUp, FirstAppendIntoEmptyFileHasNoLeadingBreak) {
    openWith("");
    store_->setSection("a\r\nb");
    store_->writeText("k", "v");
    ASSERT_EQ(2u, shown_.size());
    EXPECT_EQ(0u, store_->mirror().find("[a\r\nb]\r\n[a\r\nb]"));
}

TEST_F(SettingsGiveUp, WriteFromInsideTheMessageIsAppliedAfterwards) {
    openWith("");
    bool wrote = false;
    onMessage = [&] {
        if (!wrote) {
            wrote = true;
            store_->setSection("later");
            store_->writeText("k", "queued");
            // Not applied yet: the failing write is still being handled.
            EXPECT_EQ(std::string::npos, store_->mirror().find("[later]"));
        }
    };
    store_->setSection("bad\r\n");
    store_->writeText("k", "v");
    store_->setSection("later");
    EXPECT_EQ("queued", store_->readText("k"));
    EXPECT_EQ(2u, shown_.size());
    EXPECT_BYTES_EQ(store_->mirror(), fileBytes());
}

}  // namespace
}  // namespace rankminer
