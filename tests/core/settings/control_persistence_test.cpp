#include "settings/control_persistence.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::readFileBytes;
using testing::TempDir;

// Every kind of state in one fake; a real widget has only its kind's.
struct FakeControl : PersistableControl {
    explicit FakeControl(std::string_view utf8Name, std::string_view utf8Tag = {})
        : controlName(gbk(utf8Name)), controlTag(gbk(utf8Tag)) {}
    std::string name() const override { return controlName; }
    std::string tag() const override { return controlTag; }
    void setTag(std::string_view v) override { controlTag = std::string(v); }
    std::string text() const override { return content; }
    void setText(std::string_view v) override { content = std::string(v); }
    bool checked() const override { return isChecked; }
    void setChecked(bool v) override { isChecked = v; }
    int selectedIndex() const override { return selection; }
    void setSelectedIndex(int v) override { selection = v; }
    std::string itemList() const override { return items; }
    void setItemList(std::string_view v) override { items = std::string(v); }
    std::string comboText() const override { return editText; }
    void setComboText(std::string_view v) override { editText = std::string(v); }
    std::vector<int> selectedIndexes() const override { return selections; }
    void setSelectedIndexes(const std::vector<int>& v) override { selections = v; }
    std::vector<int> checkedIndexes() const override { return checks; }
    void setCheckedIndexes(const std::vector<int>& v) override { checks = v; }
    int currentIndex() const override { return current; }
    void setCurrentIndex(int v) override { current = v; }
    double colour() const override { return colourValue; }
    void setColour(double v) override { colourValue = v; }

    std::string controlName;
    std::string controlTag;
    std::string content;
    bool isChecked = false;
    int selection = -1;
    std::string items;
    std::string editText;
    std::vector<int> selections;
    std::vector<int> checks;
    int current = -1;
    double colourValue = 0;
};

class ControlPersistence : public ::testing::Test {
protected:
    void openWith(const std::string& utf8Content) {
        ASSERT_TRUE(writeWholeFile(path_, gbk(utf8Content)));
        store_.emplace();
        ASSERT_TRUE(store_->open(path_));
    }
    // A new store on the same file, as at the next program start.
    void reopen() {
        store_.reset();
        store_.emplace();
        ASSERT_TRUE(store_->open(path_));
    }
    std::string fileBytes() const { return readFileBytes(path_); }

    TempDir dir_;
    std::string path_ = dir_.file("settings.ini");
    std::optional<SettingsStore> store_;
};

TEST_F(ControlPersistence, FirstSaveWritesKeysInReverseControlOrder) {
    openWith("");
    FakeControl button("按钮保存路径");
    button.controlTag = "/tmp/a.csv";
    FakeControl edit("编辑框关键词列表");
    edit.content = gbk("一\r\n二");
    FakeControl check("选择框移动端");
    check.isChecked = true;
    FakeControl combo("组合框排序");
    combo.selection = 1;
    FakeControl label("标签4");
    label.content = "ignored";
    FakeControl unnamed("");
    saveControls(*store_, gbk("主界面"), {&button, &edit, &check, &combo, &label, &unnamed});
    EXPECT_BYTES_EQ(gbk("[主界面]\r\n组合框排序=1\r\n选择框移动端=真\r\n编辑框关键词列表=一┊*┊二"
                        "\r\n按钮保存路径.标记=/tmp/a.csv"),
                    fileBytes());

    FakeControl findText("编辑框字符");
    findText.content = "abc";
    saveControls(*store_, gbk("查找参数"), {&findText});
    EXPECT_BYTES_EQ(gbk("[主界面]\r\n组合框排序=1\r\n选择框移动端=真\r\n编辑框关键词列表=一┊*┊二"
                        "\r\n按钮保存路径.标记=/tmp/a.csv\r\n[查找参数]\r\n编辑框字符=abc"),
                    fileBytes());
}

TEST_F(ControlPersistence, SaveThenLoadRestoresEveryKind) {
    openWith("");
    FakeControl button("按钮导出");
    button.controlTag = gbk("导出.txt");
    FakeControl edit("编辑框域名");
    edit.content = "a.com|b.com";
    FakeControl radio("单选框1");
    radio.isChecked = true;
    FakeControl combo("组合框导出模式");
    combo.selection = 2;
    combo.items = "a\r\nb\r\nc";
    combo.editText = "typed";
    FakeControl list("列表框1");
    list.items = "x\r\ny\r\nz";
    list.selections = {0, 2};
    FakeControl checkList("选择列表框1");
    checkList.items = "p\r\nq";
    checkList.current = 1;
    checkList.checks = {1};
    FakeControl colour("颜色选择器1");
    colour.colourValue = 16711680;
    const std::vector<PersistableControl*> all = {&button, &edit,      &radio, &combo,
                                                  &list,   &checkList, &colour};
    const PersistOptions options{{}, true, true};
    saveControls(*store_, gbk("主界面"), all, options);

    std::vector<FakeControl> fresh = {FakeControl("按钮导出"),   FakeControl("编辑框域名"),
                                      FakeControl("单选框1"),    FakeControl("组合框导出模式"),
                                      FakeControl("列表框1"),    FakeControl("选择列表框1"),
                                      FakeControl("颜色选择器1")};
    std::vector<PersistableControl*> freshPointers;
    for (auto& control : fresh) {
        freshPointers.push_back(&control);
    }
    reopen();
    loadControls(*store_, gbk("主界面"), freshPointers, options);
    EXPECT_EQ(button.controlTag, fresh[0].controlTag);
    EXPECT_EQ(edit.content, fresh[1].content);
    EXPECT_TRUE(fresh[2].isChecked);
    EXPECT_EQ(2, fresh[3].selection);
    EXPECT_EQ(combo.items, fresh[3].items);
    EXPECT_EQ("typed", fresh[3].editText);
    EXPECT_EQ(list.items, fresh[4].items);
    EXPECT_EQ((std::vector<int>{0, 2}), fresh[4].selections);
    EXPECT_EQ(checkList.items, fresh[5].items);
    EXPECT_EQ(1, fresh[5].current);
    EXPECT_EQ((std::vector<int>{1}), fresh[5].checks);
    EXPECT_EQ(16711680, fresh[6].colourValue);
    // Item lists live in side files, the rest in the settings file.
    EXPECT_EQ(combo.items, readFileBytes(dir_.file("inibin/主界面-组合框导出模式.列表.ibn")));
    EXPECT_EQ(list.items, readFileBytes(dir_.file("inibin/主界面-列表框1.ibn")));
    EXPECT_NE(std::string::npos, fileBytes().find(gbk("\r\n列表框1.选中=0,2")));
    EXPECT_NE(std::string::npos, fileBytes().find(gbk("\r\n选择列表框1.打勾=1")));
}

// One stored value loaded into a control whose state differs from it.
struct LoadCase {
    const char* name;
    const char* fileUtf8;
    const char* controlUtf8;
    bool initialChecked;
    int initialSelection;
    const char* initialText;
    bool expectChecked;
    int expectSelection;
    const char* expectText;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class ControlLoad : public ControlPersistence, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ControlLoad, SetsTheControlFromTheStoredValue) {
    const LoadCase& c = GetParam();
    openWith(c.fileUtf8);
    FakeControl control(c.controlUtf8);
    control.isChecked = c.initialChecked;
    control.selection = c.initialSelection;
    control.content = c.initialText;
    loadControls(*store_, gbk("主界面"), {&control});
    EXPECT_EQ(c.expectChecked, control.isChecked);
    EXPECT_EQ(c.expectSelection, control.selection);
    EXPECT_BYTES_EQ(gbk(c.expectText), control.content);
    EXPECT_BYTES_EQ(gbk(c.fileUtf8), fileBytes());  // loading writes nothing
}

INSTANTIATE_TEST_SUITE_P(
    Values, ControlLoad,
    ::testing::Values(
        LoadCase{"CheckFromTrue", "[主界面]\r\n选择框1=真", "选择框1", false, -1, "", true, -1, ""},
        LoadCase{"CheckFromFalse", "[主界面]\r\n选择框1=假", "选择框1", true, -1, "", false, -1,
                 ""},
        LoadCase{"CheckFromZero", "[主界面]\r\n选择框1=0", "选择框1", true, -1, "", false, -1, ""},
        LoadCase{"CheckFromEmpty", "[主界面]\r\n选择框1=", "选择框1", true, -1, "", false, -1, ""},
        LoadCase{"CheckMissingKeepsState", "[主界面]\r\n选择框2=假", "选择框1", true, -1, "", true,
                 -1, ""},
        LoadCase{"ComboOneSelectsSecond", "[主界面]\r\n组合框1=1", "组合框1", false, 0, "", false,
                 1, ""},
        LoadCase{"ComboMinusOneClears", "[主界面]\r\n组合框1=-1", "组合框1", false, 0, "", false,
                 -1, ""},
        LoadCase{"ComboFractionTruncates", "[主界面]\r\n组合框1=2.9", "组合框1", false, 0, "",
                 false, 2, ""},
        LoadCase{"ComboMissingKeepsSelection", "[主界面]", "组合框1", false, 3, "", false, 3, ""},
        LoadCase{"EditFromEmptyEmpties", "[主界面]\r\n编辑框1=", "编辑框1", false, -1, "old", false,
                 -1, ""},
        LoadCase{"EditMissingKeepsText", "[主界面]\r\n编辑框2=x", "编辑框1", false, -1, "old",
                 false, -1, "old"},
        LoadCase{"EditRestoresLineBreaks", "[主界面]\r\n编辑框1=a┊*┊b", "编辑框1", false, -1, "",
                 false, -1, "a\r\nb"},
        LoadCase{"UnknownPrefixIgnored", "[主界面]\r\n标签1=x", "标签1", false, -1, "old", false,
                 -1, "old"}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST_F(ControlPersistence, TagsAndSkipNamesKeepControlsOut) {
    openWith("[主界面]\r\n编辑框禁止=stored\r\n编辑框跳过=stored\r\n编辑框字节=text");
    FakeControl forbidden("编辑框禁止", "禁止保存");
    forbidden.content = "mine";
    FakeControl skipped("编辑框跳过");
    skipped.content = "mine";
    FakeControl bytes("编辑框字节", "字节集方式");
    bytes.content = "raw\r\nbytes";
    const PersistOptions options{{gbk("编辑框跳过")}, false, false};
    const std::vector<PersistableControl*> controls = {&forbidden, &skipped, &bytes};

    loadControls(*store_, gbk("主界面"), controls, options);
    EXPECT_EQ("mine", forbidden.content);
    EXPECT_EQ("mine", skipped.content);
    EXPECT_EQ("raw\r\nbytes", bytes.content);  // no side file yet: unchanged

    const std::string before = fileBytes();
    saveControls(*store_, gbk("主界面"), controls, options);
    EXPECT_BYTES_EQ(before, fileBytes());
    EXPECT_EQ("raw\r\nbytes", readFileBytes(dir_.file("inibin/主界面-编辑框字节.ibn")));

    bytes.content = "changed";
    loadControls(*store_, gbk("主界面"), controls, options);
    EXPECT_EQ("raw\r\nbytes", bytes.content);
}

TEST_F(ControlPersistence, ButtonWithBytesTagKeepsTagInSideFile) {
    openWith("");
    FakeControl button("按钮1", "字节集方式");
    saveControls(*store_, gbk("主界面"), {&button});
    EXPECT_EQ("", fileBytes());
    EXPECT_BYTES_EQ(gbk("字节集方式"), readFileBytes(dir_.file("inibin/主界面-按钮1.标记.ibn")));
}

TEST_F(ControlPersistence, PrefixOrderTellsCheckListFromCheckBox) {
    openWith("");
    FakeControl checkList("选择列表框2");
    checkList.isChecked = true;  // not its state: a check list box keeps indexes
    checkList.current = 0;
    saveControls(*store_, gbk("主界面"), {&checkList});
    EXPECT_BYTES_EQ(gbk("[主界面]\r\n选择列表框2.打勾=\r\n选择列表框2.选中=0"), fileBytes());
}

}  // namespace
}  // namespace rankminer
