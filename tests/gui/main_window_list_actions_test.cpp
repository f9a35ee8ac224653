// The window's export and copy buttons and the list's pop-up menu reach the
// list tools: files, clipboard and the list itself change as the user asks.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/gbk_qt.h"
#include "app/gui_job_host.h"
#include "app/user_dialogs.h"
#include "main_window_fixture.h"
#include "text/gbk.h"

namespace rankminer::testing {
namespace {

// Answers the save dialog with a fixed path and keeps the messages.
class ScriptedDialogs : public UserDialogs {
public:
    QString path;
    QStringList messages;
    QString askSavePath(QWidget*, SaveDialogState& state) override {
        state.fileName = path;
        return path;
    }
    void showMessage(QWidget*, const QString& text) override { messages << text; }
};

class MainWindowListActionsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        setUserDialogs(&dialogs_);
        openWindow();
        ReportList& list = window_->host().reportList();
        const char* keywords[] = {"甲词", "乙词"};
        for (int row = 0; row < 2; ++row) {
            list.appendRow(std::to_string(row + 1));
            list.setCellText(row, 1, "example.com");
            list.setCellText(row, 2, gbk(keywords[row]));
            list.setCellText(row, 3, std::to_string(row + 4));
        }
    }

    void TearDown() override {
        MainWindowTest::TearDown();
        setUserDialogs(nullptr);
    }

    QAction* menuItem(const char16_t* text) const {
        return window_->findChild<QMenu*>(QStringLiteral("文件"))
            ->findChild<QAction*>(QString::fromUtf16(text));
    }

    ScriptedDialogs dialogs_;
    ModalWatcher boxes_;  // answers the "done" messages
};

TEST_F(MainWindowListActionsTest, ExportButtonWritesTheListAndKeepsThePath) {
    dialogs_.path = QString::fromStdString(dir_.file("list.csv"));
    widget<QPushButton>(u"按钮导出")->click();
    const std::string saved = readFileBytes(dir_.file("list.csv"));
    EXPECT_NE(saved.find(gbk("甲词")), std::string::npos);
    EXPECT_NE(saved.find(gbk("乙词")), std::string::npos);
    EXPECT_EQ(widget<QPushButton>(u"按钮导出")->property("tag").toString(), dialogs_.path);
    EXPECT_EQ(boxes_.messages, QStringList{QStringLiteral("导出完毕！")});
}

TEST_F(MainWindowListActionsTest, CopyButtonPutsTheListOnTheClipboard) {
    QGuiApplication::clipboard()->clear();
    widget<QPushButton>(u"按钮复制")->click();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QStringLiteral("甲词")));
    EXPECT_TRUE(copied.contains(QStringLiteral("乙词")));
}

TEST_F(MainWindowListActionsTest, MiningExportButtonWritesTheResultsBox) {
    widget<QPlainTextEdit>(u"编辑框结果关键词")->setPlainText(QStringLiteral("结果一\n结果二\n"));
    dialogs_.path = QString::fromStdString(dir_.file("words.txt"));
    widget<QPushButton>(u"按钮1")->click();
    EXPECT_NE(readFileBytes(dir_.file("words.txt")).find(gbk("结果一\r\n结果二")),
              std::string::npos);
}

TEST_F(MainWindowListActionsTest, MenuCopiesTheSelectedRowAndClearsTheList) {
    ReportList& list = window_->host().reportList();
    list.selectRow(1);
    QGuiApplication::clipboard()->clear();
    menuItem(u"复制一行")->trigger();
    const QString row = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(row.contains(QStringLiteral("乙词")));
    EXPECT_FALSE(row.contains(QStringLiteral("甲词")));

    menuItem(u"清空列表")->trigger();
    EXPECT_EQ(list.rowCount(), 0);
}

}  // namespace
}  // namespace rankminer::testing
