#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/find_dialog.h"
#include "app/gbk_qt.h"
#include "gui_test_env.h"
#include "parts_test_support.h"
#include "platform/report_list.h"
#include "settings/settings_store.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

constexpr int kKeyword = 2;
constexpr int kAllColumns = 8;  // "【全部列】" follows the eight titles

// A window with a stand-in report view, its list, a settings file and the
// recorded message boxes.
class FindDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApplication();
        window_ = std::make_unique<QWidget>();
        view_ = new QLineEdit(window_.get());
        view_->setObjectName(QStringLiteral("超级列表框"));
        store_.open(dir_.file("rankminer.ini"));
    }

    void TearDown() override {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void addRow(std::vector<std::string> cells) {
        const int row = list_.appendRow(cells.at(0));
        for (int c = 1; c < static_cast<int>(cells.size()); ++c) {
            list_.setCellText(row, c, cells[c]);
        }
    }

    void addKeywordRows(std::initializer_list<const char*> keywords) {
        for (const char* keyword : keywords) {
            addRow({std::to_string(list_.rowCount() + 1), "example.com", gbk(keyword)});
        }
    }

    QDialog* open() {
        showFindDialog(window_.get(), list_, store_);
        return dialog();
    }
    QDialog* dialog() const { return window_->findChild<QDialog*>(QStringLiteral("查找表项")); }
    template <typename T>
    T* control(const char* name) const {
        return dialog()->findChild<T*>(QString::fromUtf8(name));
    }

    // Sets the inputs and clicks "开始查找"; returns the selected row afterwards.
    int find(const QString& needle, int column, bool ignoreCase = false) {
        control<QLineEdit>("编辑框字符")->setText(needle);
        control<QComboBox>("组合框列")->setCurrentIndex(column);
        control<QCheckBox>("选择框忽视")->setChecked(ignoreCase);
        control<QPushButton>("按钮查找")->click();
        return list_.selectedRow();
    }

    void closeDialog() {
        dialog()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    testing::TempDir dir_;
    std::unique_ptr<QWidget> window_;
    QLineEdit* view_ = nullptr;
    MemoryReportList list_;
    SettingsStore store_;
    testing::RecordingDialogs dialogs_;
};

TEST_F(FindDialogTest, OpensNonModalOverItsWindowWithTheColumnList) {
    QDialog* shown = open();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("查找表项"));
    EXPECT_FALSE(shown->isModal());
    EXPECT_EQ(shown->parentWidget(), window_.get());
    auto* columns = control<QComboBox>("组合框列");
    ASSERT_EQ(columns->count(), 9);
    EXPECT_EQ(columns->itemText(0), QStringLiteral("序号"));
    EXPECT_EQ(columns->itemText(7), QStringLiteral("链接"));
    EXPECT_EQ(columns->itemText(8), QStringLiteral("【全部列】"));
    EXPECT_EQ(columns->currentIndex(), kAllColumns) << "no stored column yet";
    EXPECT_EQ(control<QCheckBox>("选择框忽视")->text(), QStringLiteral("忽视大小写"));
    EXPECT_EQ(control<QPushButton>("按钮查找")->text(), QStringLiteral("开始查找"));

    // "查找定位.." again brings the same dialog forward.
    EXPECT_EQ(open(), shown);
    EXPECT_EQ(window_->findChildren<QDialog*>().size(), 1);
}

TEST_F(FindDialogTest, SearchesBelowTheSelectionAndWrapsAroundOnce) {
    addKeywordRows({"a", "b", "a"});
    open();
    list_.selectRow(0);
    EXPECT_EQ(find(QStringLiteral("a"), kKeyword), 2);
    EXPECT_EQ(list_.lastVisibleRow(), 2);
    EXPECT_EQ(window_->focusWidget(), view_) << "the list takes the keyboard focus";
    EXPECT_EQ(find(QStringLiteral("a"), kKeyword), 0) << "wrapped to the top";
    EXPECT_TRUE(dialogs_.messages.isEmpty());

    // The only match is the selected row: found again after the wrap.
    EXPECT_EQ(find(QStringLiteral("b"), kKeyword), 1);
    EXPECT_EQ(find(QStringLiteral("b"), kKeyword), 1);
}

TEST_F(FindDialogTest, NothingAnywhereSaysSoAndClearsTheSelection) {
    addKeywordRows({"a", "b"});
    open();
    list_.selectRow(1);
    EXPECT_EQ(find(QStringLiteral("zzz"), kKeyword), -1);
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_EQ(dialogs_.messages.front(), QStringLiteral("完全找不到！"));
}

TEST_F(FindDialogTest, AllColumnsMatchesAcrossTheCommaBetweenCells) {
    addRow({"1", "example.com", "kw", "3"});
    addRow({"2", "example.net", "other", "4"});
    open();
    EXPECT_EQ(find(QStringLiteral("net,oth"), kAllColumns), 1);
    EXPECT_EQ(find(QStringLiteral("net,oth"), 1), -1) << "one cell alone has no comma";
}

TEST_F(FindDialogTest, CaseIsIgnoredOnlyWhenAsked) {
    addKeywordRows({"ABC"});
    open();
    EXPECT_EQ(find(QStringLiteral("abc"), kKeyword, false), -1);
    EXPECT_EQ(find(QStringLiteral("abc"), kKeyword, true), 0);
}

TEST_F(FindDialogTest, GbkTextIsMatchedByWholeCharacters) {
    // "八烁" is B0 CB CB B8: its middle bytes spell "怂" (CB CB) across the
    // boundary of two characters, which must not count as a match.
    addKeywordRows({"八烁"});
    open();
    EXPECT_EQ(find(QStringLiteral("烁"), kKeyword), 0);
    list_.selectRow(-1);
    EXPECT_EQ(find(QStringLiteral("怂"), kKeyword), -1);
}

TEST_F(FindDialogTest, RemembersItsInputsInTheSettingsFile) {
    addKeywordRows({"a"});
    open();
    control<QLineEdit>("编辑框字符")->setText(QStringLiteral("关键"));
    control<QComboBox>("组合框列")->setCurrentIndex(3);
    control<QCheckBox>("选择框忽视")->setChecked(true);
    closeDialog();
    ASSERT_EQ(dialog(), nullptr);

    store_.setSection(gbk("查找参数"));
    EXPECT_BYTES_EQ(gbk("关键"), store_.readText(gbk("字符")));
    EXPECT_EQ(store_.readNumber(gbk("列")), 3);
    EXPECT_TRUE(store_.readFlag(gbk("选择框忽视")));

    open();
    EXPECT_EQ(control<QLineEdit>("编辑框字符")->text(), QStringLiteral("关键"));
    EXPECT_EQ(control<QComboBox>("组合框列")->currentIndex(), 3);
    EXPECT_TRUE(control<QCheckBox>("选择框忽视")->isChecked());
}

}  // namespace
}  // namespace rankminer
