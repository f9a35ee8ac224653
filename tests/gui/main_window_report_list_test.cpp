// The report list's operations over the Qt model and view: batched
// publishing, scrolling, selection, widths, and a list of 100,000 rows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include "app/main_window_report_list.h"
#include "app/report_model.h"
#include "gui_test_env.h"
#include "text/gbk.h"

namespace rankminer::testing {
namespace {

class ReportListTest : public ::testing::Test {
protected:
    void SetUp() override { view_.resize(900, 300); }

    QApplication& app_ = testApplication();  // before any widget
    ReportModel model_;
    ReportListView view_{model_, nullptr};
    GuiReportList list_{model_, view_};
};

TEST_F(ReportListTest, AppendedRowsReachTheViewInOneBatch) {
    QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
    EXPECT_EQ(list_.appendRow("1"), 0);
    EXPECT_EQ(list_.appendRow("2"), 1);
    list_.setCellText(1, 2, gbk("关键词"));
    // The list holds them at once; the view sees them with the next batch.
    EXPECT_EQ(list_.rowCount(), 2);
    EXPECT_EQ(list_.cellText(1, 2), gbk("关键词"));
    EXPECT_EQ(model_.rowCount(), 0);
    QTRY_COMPARE(model_.rowCount(), 2);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 0);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 1);
    EXPECT_EQ(model_.data(model_.index(1, 2)).toString(), QStringLiteral("关键词"));
    EXPECT_EQ(model_.data(model_.index(1, 0)).toString(), QStringLiteral("2"));
}

TEST_F(ReportListTest, CellChangesOfPublishedRowsAreSignalled) {
    list_.appendRow("1");
    model_.publishPending();
    QSignalSpy changed(&model_, &QAbstractItemModel::dataChanged);
    list_.setCellText(0, 6, gbk("标题"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), model_.index(0, 6));
    EXPECT_EQ(model_.data(model_.index(0, 6)).toString(), QStringLiteral("标题"));
}

TEST_F(ReportListTest, OutOfRangeCellsReadEmptyAndIgnoreWrites) {
    list_.appendRow("1");
    const std::pair<int, int> outside[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 8}};
    for (const auto& [row, column] : outside) {
        list_.setCellText(row, column, "x");
        EXPECT_EQ(list_.cellText(row, column), "") << row << "," << column;
    }
    EXPECT_EQ(list_.cellText(0, 0), "1");
    EXPECT_EQ(list_.columnTitle(8), "");
    EXPECT_EQ(list_.columnWidth(8), 0);
}

TEST_F(ReportListTest, GbkBytesThatAreNoCharacterSurviveTheList) {
    const std::string odd = std::string("a\x81") + "\xFF" + gbk("字");
    list_.appendRow(odd);
    model_.publishPending();
    EXPECT_EQ(list_.cellText(0, 0), odd);
    EXPECT_FALSE(model_.data(model_.index(0, 0)).toString().isEmpty());
}

TEST_F(ReportListTest, ReorderMovesRowsWithOneChangeAndKeepsLaterRows) {
    for (const char* serial : {"a", "b", "c", "d"}) {
        const int row = list_.appendRow(serial);
        list_.setCellText(row, 7, std::string("link-") + serial);
    }
    model_.publishPending();
    list_.selectRow(0);
    QSignalSpy changed(&model_, &QAbstractItemModel::dataChanged);
    list_.reorderRows({2, 0, 1});  // row 3 is not part of the order
    auto column = [&](int c) {
        std::string cells;
        for (int row = 0; row < list_.rowCount(); ++row) {
            cells += list_.cellText(row, c) + " ";
        }
        return cells;
    };
    EXPECT_EQ(column(0), "c a b d ");
    EXPECT_EQ(column(7), "link-c link-a link-b link-d ");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), model_.index(2, 7));
    EXPECT_EQ(list_.selectedRow(), 0);  // the selection keeps its row number

    // Not a permutation of the leading rows: nothing moves.
    for (const std::vector<int>& bad :
         {std::vector<int>{0, 0, 1}, std::vector<int>{0, 3}, std::vector<int>{0, 1, 2, 3, 4}}) {
        list_.reorderRows(bad);
        EXPECT_EQ(column(0), "c a b d ");
    }
}

TEST_F(ReportListTest, ColumnsComeFromTheHeader) {
    EXPECT_EQ(list_.columnCount(), 8);
    EXPECT_EQ(list_.columnTitle(6), gbk("网页标题"));
    EXPECT_EQ(list_.columnWidth(2), 150);
    list_.setColumnWidth(2, 77);
    EXPECT_EQ(view_.header()->sectionSize(2), 77);
    EXPECT_EQ(list_.columnWidth(2), 77);
}

TEST_F(ReportListTest, SelectionIsOneRowOrNone) {
    for (int i = 0; i < 5; ++i) {
        list_.appendRow(std::to_string(i));
    }
    EXPECT_EQ(list_.selectedRow(), -1);
    list_.selectRow(3);  // before the batch: published on demand
    EXPECT_EQ(list_.selectedRow(), 3);
    list_.selectRow(1);
    EXPECT_EQ(list_.selectedRow(), 1);
    EXPECT_EQ(view_.selectionModel()->selectedRows().size(), 1);
    list_.selectRow(9);  // out of range: unchanged
    EXPECT_EQ(list_.selectedRow(), 1);
    list_.selectRow(-1);
    EXPECT_EQ(list_.selectedRow(), -1);
}

TEST_F(ReportListTest, DeleteAllRowsEmptiesListAndView) {
    for (int i = 0; i < 3; ++i) {
        list_.appendRow("r");
    }
    list_.selectRow(2);
    list_.appendRow("pending");
    list_.deleteAllRows();
    EXPECT_EQ(list_.rowCount(), 0);
    EXPECT_EQ(model_.rowCount(), 0);
    EXPECT_EQ(list_.selectedRow(), -1);
    // A later batch does not bring the deleted rows back.
    QTest::qWait(2 * ReportModel::kPublishIntervalMs);
    EXPECT_EQ(model_.rowCount(), 0);
    EXPECT_EQ(list_.appendRow("new"), 0);
}

// A job appends row after row and asks to see each one; with 100,000 rows the
// view still ends up showing the last row, and every row is in the model.
TEST_F(ReportListTest, HundredThousandRowsEndWithTheLastOneVisible) {
    view_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    constexpr int kRows = 100000;
    for (int i = 0; i < kRows; ++i) {
        const int row = list_.appendRow(std::to_string(i + 1));
        list_.setCellText(row, 2, gbk("关键词") + std::to_string(i));
        list_.ensureVisible(row);
        if (i % 1000 == 0) {
            QCoreApplication::processEvents();
        }
    }
    QTRY_COMPARE(model_.rowCount(), kRows);
    QTRY_COMPARE(view_.verticalScrollBar()->value(), view_.verticalScrollBar()->maximum());
    const QRect last = view_.visualRect(model_.index(kRows - 1, 0));
    EXPECT_TRUE(view_.viewport()->rect().intersects(last));
    EXPECT_EQ(list_.cellText(kRows - 1, 2), gbk("关键词") + std::to_string(kRows - 1));
}

}  // namespace
}  // namespace rankminer::testing
