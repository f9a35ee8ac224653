#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QWidget>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/gbk_qt.h"
#include "app/list_actions.h"
#include "gui_test_env.h"
#include "parts_test_support.h"
#include "platform/files.h"
#include "settings/settings_store.h"
#include "support/bytes.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

const std::string kQuotedTitles =
    gbk("\"序号\",\"域名\",\"关键字\",\"排名\",\"搜索量\",\"收录量\",\"网页标题\",\"链接\"\r\n");

// The window's tools over a recorded host: the list, the export controls,
// the answers to the save dialog and the messages shown.
class ListActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        config_.engineHost = "127.0.0.1:8";
        actions_ = std::make_unique<ListActions>(&window_, host_, store_, config_,
                                                 [this] { return miningHeader_; });
        host_.indexes[gbk("组合框导出模式")] = 0;
        QGuiApplication::clipboard()->clear();
    }

    void addRow(std::vector<std::string> cells) {
        const int row = host_.list.appendRow(cells.at(0));
        for (int c = 1; c < static_cast<int>(cells.size()); ++c) {
            host_.list.setCellText(row, c, cells[c]);
        }
    }

    // Two rows; the first title holds a double quote.
    void addTwoRows() {
        addRow({"1", "example.com", gbk("关键词"), "2", "30", "400", gbk("标题\"甲\""),
                "http://example.com/a"});
        addRow({"2", "example.net", "kw", "5", "", "7", "t", "http://example.net/"});
    }

    QString clipboardText() const { return QGuiApplication::clipboard()->text(); }
    std::string lastMessage() const {
        return host_.messages.empty() ? std::string() : host_.messages.back().text;
    }
    std::string lastStatus() const {
        return host_.statusTexts.empty() ? std::string() : host_.statusTexts.back();
    }

    // The application exists before the window member below.
    QApplication& app_ = testing::testApplication();
    testing::TempDir dir_;
    SettingsStore store_;  // outlives the find dialog that writes to it on closing
    QWidget window_;
    testing::RecordingHost host_;
    testing::RecordingDialogs dialogs_;
    testing::UrlRecorder urls_;
    SiteConfig config_ = SiteConfig::defaults();
    std::string miningHeader_;
    std::unique_ptr<ListActions> actions_;
};

// The mode-0 text of addTwoRows(): every cell quoted, quotes doubled.
std::string twoRowsAsCsv() {
    return kQuotedTitles +
           gbk("\"1\",\"example.com\",\"关键词\",\"2\",\"30\",\"400\","
               "\"标题\"\"甲\"\"\",\"http://example.com/a\"\r\n") +
           "\"2\",\"example.net\",\"kw\",\"5\",\"\",\"7\",\"t\",\"http://example.net/\"\r\n";
}

TEST_F(ListActionsTest, ExportInCsvModeWritesQuotedLinesAndKeepsThePath) {
    addTwoRows();
    const std::string path = dir_.file("out.csv");
    dialogs_.saveAnswers.push_back(QString::fromStdString(path));
    actions_->exportReportList();

    ASSERT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_EQ(dialogs_.asked[0].filterIndex, 1) << "csv filter in mode 0";
    EXPECT_BYTES_EQ(twoRowsAsCsv(), testing::readFileBytes(path));
    EXPECT_BYTES_EQ(path, host_.tags[gbk("按钮导出")]);
    EXPECT_BYTES_EQ(gbk("导出完毕！"), lastMessage());

    // The next export starts from the kept path.
    dialogs_.saveAnswers.push_back(QString());
    actions_->exportReportList();
    ASSERT_EQ(dialogs_.asked.size(), 2u);
    EXPECT_EQ(dialogs_.asked[1].fileName.toStdString(), path);
}

TEST_F(ListActionsTest, ExportWithAFreeTemplateNamesItsColumnsAndLeavesTheFilter) {
    addTwoRows();
    host_.indexes[gbk("组合框导出模式")] = 1;
    host_.texts[gbk("编辑框表达式")] = "#3";
    sharedSaveDialog().filterIndex = 2;
    const std::string path = dir_.file("out.txt");
    dialogs_.saveAnswers.push_back(QString::fromStdString(path));
    actions_->exportReportList();

    ASSERT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_EQ(dialogs_.asked[0].filterIndex, 2);
    EXPECT_BYTES_EQ(gbk("关键字\r\n关键词\r\nkw\r\n"), testing::readFileBytes(path));
}

TEST_F(ListActionsTest, ExportOfAnEmptyListWritesTheHeaderAlone) {
    const std::string path = dir_.file("empty.csv");
    dialogs_.saveAnswers.push_back(QString::fromStdString(path));
    actions_->exportReportList();
    EXPECT_BYTES_EQ(kQuotedTitles, testing::readFileBytes(path));
}

TEST_F(ListActionsTest, CancelledExportChangesNothing) {
    addTwoRows();
    host_.tags[gbk("按钮导出")] = dir_.file("before.csv");
    dialogs_.saveAnswers.push_back(QString());
    actions_->exportReportList();
    EXPECT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_BYTES_EQ(dir_.file("before.csv"), host_.tags[gbk("按钮导出")]);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_FALSE(pathExists(dir_.file("before.csv")));
}

TEST_F(ListActionsTest, FailedWritesSayExportFailed) {
    addTwoRows();
    const std::string unwritable = dir_.file("no-such-folder/out.csv");
    dialogs_.saveAnswers.push_back(QString::fromStdString(unwritable));
    actions_->exportReportList();
    EXPECT_BYTES_EQ(gbk("导出失败！"), lastMessage());
    EXPECT_BYTES_EQ(unwritable, host_.tags[gbk("按钮导出")]) << "the path is kept all the same";

    dialogs_.saveAnswers.push_back(QString::fromStdString(unwritable));
    actions_->exportMiningResults();
    EXPECT_BYTES_EQ(gbk("导出失败！"), lastMessage());
}

TEST_F(ListActionsTest, CopyPutsTheExportTextOnTheClipboardAsUnicode) {
    addTwoRows();
    actions_->copyReportList();
    EXPECT_EQ(clipboardText(), toQString(twoRowsAsCsv()));
    EXPECT_TRUE(clipboardText().startsWith(QStringLiteral("\"序号\",\"域名\"")));
    EXPECT_BYTES_EQ(gbk("已将列表数据复制到剪辑板！"), lastMessage());
}

struct MiningCase {
    const char* name;
    const char* fileName;
    const char* header;    // of the last mining job; UTF-8
    const char* expected;  // UTF-8, converted to GBK
};

void PrintTo(const MiningCase& c, std::ostream* os) {
    *os << c.name << ": " << c.fileName;
}

class MiningExport : public ListActionsTest, public ::testing::WithParamInterface<MiningCase> {};

TEST_P(MiningExport, HeaderLineOnlyForCsvNames) {
    const MiningCase& c = GetParam();
    miningHeader_ = gbk(c.header);
    host_.texts[gbk("编辑框结果关键词")] = gbk("词一,10\r\n词二,20\r\n");
    const std::string path = dir_.file(c.fileName);
    dialogs_.saveAnswers.push_back(QString::fromStdString(path));
    actions_->exportMiningResults();
    ASSERT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_EQ(dialogs_.asked[0].filterIndex, 1);
    EXPECT_BYTES_EQ(gbk(c.expected), testing::readFileBytes(path));
    EXPECT_BYTES_EQ(gbk("导出成功！"), lastMessage());
}

INSTANTIATE_TEST_SUITE_P(
    ListActions, MiningExport,
    ::testing::Values(
        MiningCase{"CsvName", "r.csv", "关键词,搜索量", "关键词,搜索量\r\n词一,10\r\n词二,20\r\n"},
        MiningCase{"UpperCaseCsv", "R.CSV", "关键词,搜索量",
                   "关键词,搜索量\r\n词一,10\r\n词二,20\r\n"},
        MiningCase{"TextName", "r.txt", "关键词,搜索量", "词一,10\r\n词二,20\r\n"},
        MiningCase{"CsvOnlyInTheMiddle", "r.csv.txt", "关键词", "词一,10\r\n词二,20\r\n"},
        MiningCase{"BeforeAnyMiningJob", "r.csv", "", "\r\n词一,10\r\n词二,20\r\n"}),
    [](const ::testing::TestParamInfo<MiningCase>& info) { return std::string(info.param.name); });

TEST_F(ListActionsTest, CopyRowJoinsTheCellsWithCommas) {
    addRow({"a", "b", "c"});
    addRow({"1", gbk("中文"), "x"});
    host_.list.selectRow(0);
    actions_->copyRow();
    EXPECT_EQ(clipboardText(), QStringLiteral("a,b,c,,,,,"));
    host_.list.selectRow(1);
    actions_->copyRow();
    EXPECT_EQ(clipboardText(), QStringLiteral("1,中文,x,,,,,"));

    host_.list.selectRow(-1);
    actions_->copyRow();
    EXPECT_TRUE(clipboardText().isEmpty()) << "no row selected";
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(ListActionsTest, SearchOpensTheEnginesAddressWithTheEncodedKeyword) {
    addRow({"1", "example.com", "a b"});
    addRow({"2", "example.com", gbk("你好")});
    host_.list.selectRow(0);
    actions_->searchKeyword();
    host_.list.selectRow(1);
    actions_->searchKeyword();
    ASSERT_EQ(urls_.urls.size(), 2);
    EXPECT_EQ(urls_.urls[0].toEncoded(), "http://127.0.0.1:8/baidu?word=a%20b");
    EXPECT_EQ(urls_.urls[1].toEncoded(), "http://127.0.0.1:8/baidu?word=%C4%E3%BA%C3");
}

struct LinkCase {
    const char* name;
    const char* link;
    bool opened;
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name << ": " << c.link;
}

class RowLink : public ListActionsTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(RowLink, OnlyWebAddressesFromTheListAreOpened) {
    const LinkCase& c = GetParam();
    addRow({"1", "example.com", "kw", "1", "", "", "t", c.link});
    host_.list.selectRow(0);
    actions_->openRowLink();
    if (c.opened) {
        ASSERT_EQ(urls_.urls.size(), 1);
        EXPECT_EQ(urls_.urls[0].toString().toStdString(), c.link);
        EXPECT_TRUE(lastStatus().empty());
    } else {
        EXPECT_TRUE(urls_.urls.isEmpty());
        EXPECT_FALSE(lastStatus().empty()) << "the status bar says why";
    }
}

INSTANTIATE_TEST_SUITE_P(
    ListActions, RowLink,
    ::testing::Values(LinkCase{"WebAddress", "http://example.com/page.html", true},
                      LinkCase{"LocalPath", "/home/user/.bashrc", false},
                      LinkCase{"FileAddress", "file:///etc/passwd", false},
                      LinkCase{"Script", "javascript:alert(document.cookie)", false},
                      LinkCase{"Program", "C:\\Windows\\System32\\calc.exe", false},
                      LinkCase{"EmptyLink", "", false}),
    [](const ::testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

TEST_F(ListActionsTest, ClearEmptiesTheListAndFindOpensOverTheWindow) {
    addTwoRows();
    actions_->clearList();
    EXPECT_EQ(host_.list.rowCount(), 0);
    EXPECT_TRUE(host_.messages.empty());

    actions_->openFindDialog();
    EXPECT_NE(window_.findChild<QDialog*>(QStringLiteral("查找表项")), nullptr);
}

}  // namespace
}  // namespace rankminer
