#include "report/find.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "text/gbk.h"

namespace rankminer {
namespace {

constexpr int kAllColumns = 8;

MemoryReportList listWithRows(const std::vector<std::vector<std::string>>& rows) {
    MemoryReportList list;
    for (const auto& cells : rows) {
        const int row = list.appendRow("");
        for (std::size_t c = 0; c < cells.size(); ++c) {
            list.setCellText(row, static_cast<int>(c), gbk(cells[c]));
        }
    }
    return list;
}

struct MatchCase {
    const char* name;
    std::vector<std::string> cells;
    int column;
    std::string needle;
    bool ignoreCase;
    bool expected;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.name;
}

class RowMatches : public ::testing::TestWithParam<MatchCase> {};

TEST_P(RowMatches, TestsTheCellOrTheRowText) {
    const MatchCase& c = GetParam();
    const MemoryReportList list = listWithRows({c.cells});
    EXPECT_EQ(c.expected, rowMatches(list, 0, c.column, gbk(c.needle), c.ignoreCase));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowMatches,
    ::testing::Values(
        MatchCase{"InTheCell", {"1", "a.com", "seo"}, 2, "e", false, true},
        MatchCase{"OnlyTheChosenCell", {"1", "a.com", "seo"}, 1, "seo", false, false},
        MatchCase{"CaseMatters", {"", "", "abc"}, 2, "ABC", false, false},
        MatchCase{"IgnoreCase", {"", "", "abc"}, 2, "ABC", true, true},
        MatchCase{
            "CommaJoinsCellsInRowText", {"1", "a.com", "seo"}, kAllColumns, "com,se", false, true},
        MatchCase{
            "RowTextSkipsLeadingEmptyCells", {"", "", "seo"}, kAllColumns, ",seo", false, false},
        MatchCase{"EmptyNeedleMatchesFilledCell", {"", "", "x"}, 2, "", false, true},
        MatchCase{"EmptyNeedleSkipsEmptyCell", {"", "", "x"}, 1, "", false, false},
        MatchCase{"EmptyNeedleMatchesAnyFilledRow", {"", "", "x"}, kAllColumns, "", false, true},
        // "中文" is D6 D0 CE C4: the bytes D0 CE straddle two characters.
        MatchCase{"NeverAcrossACharacter", {"", "", "中文"}, 2, "\xD0\xCE", false, false},
        MatchCase{"WholeCharacters", {"", "", "关键字"}, 2, "键", false, true},
        MatchCase{"ColumnOutOfRange", {"x", "x", "x"}, 9, "x", false, false}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return std::string(info.param.name); });

TEST(FindNextRow, SearchesBelowTheSelectionAndWrapsOnce) {
    MemoryReportList list = listWithRows({{"a"}, {"b"}, {"a"}});
    list.selectRow(0);
    EXPECT_EQ(2, findNextRow(list, 0, "a", false));
    EXPECT_EQ(2, list.selectedRow());
    EXPECT_EQ(2, list.lastVisibleRow());
    EXPECT_EQ(0, findNextRow(list, 0, "a", false));
    EXPECT_EQ(0, list.selectedRow());
    EXPECT_EQ(0, list.lastVisibleRow());
}

TEST(FindNextRow, WithoutSelectionStartsAtTheTop) {
    MemoryReportList list = listWithRows({{"a"}, {"b"}});
    EXPECT_EQ(1, findNextRow(list, 0, "b", false));
}

TEST(FindNextRow, OnlyMatchIsTheSelectedRowFoundAgain) {
    MemoryReportList list = listWithRows({{"a"}, {"b"}, {"c"}});
    list.selectRow(1);
    EXPECT_EQ(1, findNextRow(list, 0, "b", false));
    EXPECT_EQ(1, list.selectedRow());
}

TEST(FindNextRow, NothingFoundClearsTheSelection) {
    MemoryReportList list = listWithRows({{"a"}, {"b"}});
    list.selectRow(0);
    EXPECT_EQ(-1, findNextRow(list, 0, "z", false));
    EXPECT_EQ(-1, list.selectedRow());
    EXPECT_EQ(-1, list.lastVisibleRow());
}

TEST(FindNextRow, EmptyListFindsNothing) {
    MemoryReportList list;
    EXPECT_EQ(-1, findNextRow(list, kAllColumns, "a", false));
}

}  // namespace
}  // namespace rankminer
