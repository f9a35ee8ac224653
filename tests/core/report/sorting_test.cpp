#include "report/sorting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/message_pump.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

// The selection the order must reproduce, written out directly: each pass
// keeps the first candidate and moves on to every later one that is not
// worse, so the last of the equal extremes is taken.
std::vector<int> quadraticSelection(const std::vector<std::string>& keys, bool ascending,
                                    SortKind kind) {
    const auto greaterOrEqual = [kind](const std::string& a, const std::string& b) {
        if (kind == SortKind::Numeric) {
            return leadingNumber(a) - leadingNumber(b) >= -0.0000001;
        }
        return toUpperAscii(a).compare(toUpperAscii(b)) >= 0;
    };
    const auto lessOrEqual = [kind](const std::string& a, const std::string& b) {
        if (kind == SortKind::Numeric) {
            return leadingNumber(a) - leadingNumber(b) <= 0.0000001;
        }
        return toUpperAscii(a).compare(toUpperAscii(b)) <= 0;
    };
    std::vector<int> candidates;
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        candidates.push_back(i);
    }
    std::vector<int> order;
    while (candidates.size() >= 2) {
        std::size_t chosen = 0;
        for (std::size_t i = 1; i < candidates.size(); ++i) {
            const std::string& current = keys[candidates[chosen]];
            const std::string& other = keys[candidates[i]];
            if (ascending ? greaterOrEqual(current, other) : lessOrEqual(current, other)) {
                chosen = i;
            }
        }
        order.push_back(candidates[chosen]);
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(chosen));
    }
    if (!candidates.empty()) {
        order.push_back(candidates.front());
    }
    return order;
}

struct KeyPool {
    const char* name;
    SortKind kind;
    std::vector<std::string> keys;
};

void PrintTo(const KeyPool& pool, std::ostream* os) {
    *os << pool.name;
}

class SelectionOrder : public ::testing::TestWithParam<KeyPool> {};

// Random lists drawn from a small pool, so ties and near-ties are common.
TEST_P(SelectionOrder, MatchesTheQuadraticSelection) {
    const KeyPool& pool = GetParam();
    std::mt19937 random(7);
    for (int trial = 0; trial < 400; ++trial) {
        const std::size_t size = random() % 40;
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < size; ++i) {
            keys.push_back(pool.keys[random() % pool.keys.size()]);
        }
        for (const bool ascending : {true, false}) {
            ASSERT_EQ(quadraticSelection(keys, ascending, pool.kind),
                      selectionOrder(keys, ascending, pool.kind))
                << "trial " << trial << (ascending ? " ascending" : " descending");
        }
    }
}

// Lists long enough for the sort to take its path for long lists.
TEST_P(SelectionOrder, LongListsMatchTheQuadraticSelection) {
    const KeyPool& pool = GetParam();
    std::mt19937 random(11);
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < 5000; ++i) {
        keys.push_back(pool.keys[random() % pool.keys.size()]);
    }
    for (const bool ascending : {true, false}) {
        ASSERT_EQ(quadraticSelection(keys, ascending, pool.kind),
                  selectionOrder(keys, ascending, pool.kind))
            << (ascending ? "ascending" : "descending");
    }
}

std::vector<std::string> nearTieChain() {
    // Steps of 0.4e-7 and 0.6e-7: chains whose ends are further apart than
    // the tolerance, where the comparison is not transitive.
    std::vector<std::string> keys;
    for (const char* key :
         {"1", "1.00000004", "1.00000006", "1.0000001", "1.00000014", "1.00000016", "1.0000002",
          "0.99999996", "0.9999999", "5", "5.00000009", "5.00000018", "-2", "-2.00000005"}) {
        keys.emplace_back(key);
    }
    return keys;
}

INSTANTIATE_TEST_SUITE_P(
    Pools, SelectionOrder,
    ::testing::Values(
        KeyPool{"TextWithCaseAndPrefixes",
                SortKind::Text,
                {"a", "A", "ab", "aB", "b", "B", "", "10", "9", gbk("中"), gbk("中文"), "z",
                 // Longer than eight bytes, alike in the first eight.
                 "keywords-1", "KEYWORDS-1", "keywords-10", "keywords", "keywords-2",
                 std::string("keywords\0", 9), gbk("关键字关键字1"), gbk("关键字关键字")}},
        KeyPool{"NumbersWithTies",
                SortKind::Numeric,
                {"1", "1.0", "2", "10", "", "abc", "1,200", "-3", "0", gbk("１２"), "12"}},
        KeyPool{"NumbersWithNearTies", SortKind::Numeric, nearTieChain()}),
    [](const ::testing::TestParamInfo<KeyPool>& info) { return std::string(info.param.name); });

// The report list as a grid of UTF-8 literals, for readable expectations.
std::vector<std::vector<std::string>> gridOf(const ReportList& list) {
    std::vector<std::vector<std::string>> grid;
    for (int r = 0; r < list.rowCount(); ++r) {
        grid.emplace_back();
        for (int c = 0; c < list.columnCount(); ++c) {
            grid.back().push_back(gbkToUtf8(list.cellText(r, c)));
        }
    }
    return grid;
}

// A list whose rows hold the key in `column` and a row tag in column 7.
MemoryReportList listWithKeys(int column, const std::vector<std::string>& keys) {
    MemoryReportList list;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int row = list.appendRow("");
        list.setCellText(row, column, gbk(keys[i]));
        list.setCellText(row, 7, "row" + std::to_string(i));
    }
    return list;
}

std::vector<std::string> column(const ReportList& list, int c) {
    std::vector<std::string> texts;
    for (int r = 0; r < list.rowCount(); ++r) {
        texts.push_back(gbkToUtf8(list.cellText(r, c)));
    }
    return texts;
}

struct SortCase {
    const char* name;
    int column;
    std::vector<std::string> keys;
    std::vector<std::string> ascendingKeys;
    std::vector<std::string> ascendingRows;  // the tags in column 7
};

void PrintTo(const SortCase& c, std::ostream* os) {
    *os << c.name;
}

class SortReportList : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortReportList, MovesWholeRowsIntoTheOrder) {
    const SortCase& c = GetParam();
    MemoryReportList list = listWithKeys(c.column, c.keys);
    sortReportList(list, c.column, true, sortKindForColumn(c.column));
    EXPECT_EQ(c.ascendingKeys, column(list, c.column));
    EXPECT_EQ(c.ascendingRows, column(list, 7));
}

INSTANTIATE_TEST_SUITE_P(
    Columns, SortReportList,
    ::testing::Values(
        SortCase{"SearchVolumeIsNumeric",
                 4,
                 {"10", "9", "100"},
                 {"9", "10", "100"},
                 {"row1", "row0", "row2"}},
        SortCase{
            "KeywordIgnoresCase", 2, {"c", "B", "a"}, {"a", "B", "c"}, {"row2", "row1", "row0"}},
        SortCase{"PrefixComesFirst", 2, {"abc", "ab"}, {"ab", "abc"}, {"row1", "row0"}},
        SortCase{"ThousandsSeparatorStopsTheNumber",
                 5,
                 {"2", "1,200"},
                 {"1,200", "2"},
                 {"row1", "row0"}},
        SortCase{"EmptyAndTextCountAsZero",
                 0,
                 {"1", "", "x", "-1"},
                 {"-1", "x", "", "1"},
                 {"row3", "row2", "row1", "row0"}},
        SortCase{"EqualKeysComeOutReversed",
                 1,
                 {"x", "x", "x"},
                 {"x", "x", "x"},
                 {"row2", "row1", "row0"}},
        SortCase{"RankIsText", 3, {"9", "10"}, {"10", "9"}, {"row1", "row0"}},
        SortCase{
            "GbkByteOrder", 6, {"中", "a", "啊"}, {"a", "啊", "中"}, {"row1", "row2", "row0"}}),
    [](const ::testing::TestParamInfo<SortCase>& info) { return std::string(info.param.name); });

TEST(SortReportListTest, SortingTwiceReversesEqualRunsAgain) {
    MemoryReportList list = listWithKeys(2, {"x", "y", "x", "x"});
    sortReportList(list, 2, true);
    EXPECT_EQ((std::vector<std::string>{"row3", "row2", "row0", "row1"}), column(list, 7));
    sortReportList(list, 2, true);
    EXPECT_EQ((std::vector<std::string>{"row0", "row2", "row3", "row1"}), column(list, 7));
}

TEST(SortReportListTest, ColumnOutOfRangeChangesNothing) {
    MemoryReportList list = listWithKeys(2, {"b", "a"});
    const auto before = gridOf(list);
    sortReportList(list, -1, true);
    sortReportList(list, 8, true);
    EXPECT_EQ(before, gridOf(list));
}

TEST(SortReportListTest, SelectionStaysOnTheRowIndex) {
    MemoryReportList list = listWithKeys(2, {"b", "a"});
    list.selectRow(0);
    sortReportList(list, 2, true);
    EXPECT_EQ(0, list.selectedRow());
    EXPECT_EQ("a", list.cellText(0, 2));
}

TEST(HeaderSorterTest, ClicksAlternateAndAnEmptyListChangesNothing) {
    HeaderSorter sorter;
    MemoryReportList empty;
    sorter.onHeaderClicked(empty, 4);
    EXPECT_FALSE(sorter.lastAscending());

    MemoryReportList list = listWithKeys(4, {"10", "9", "100"});
    sorter.onHeaderClicked(list, 4);
    EXPECT_TRUE(sorter.lastAscending());
    EXPECT_EQ((std::vector<std::string>{"9", "10", "100"}), column(list, 4));
    sorter.onHeaderClicked(list, 4);
    EXPECT_EQ((std::vector<std::string>{"100", "10", "9"}), column(list, 4));
    // Another header continues the alternation: ascending on all-equal keys
    // reverses the rows.
    sorter.onHeaderClicked(list, 3);
    EXPECT_TRUE(sorter.lastAscending());
    EXPECT_EQ((std::vector<std::string>{"9", "10", "100"}), column(list, 4));
}

// A running job appends a row while the sort pumps messages.
TEST(SortReportListTest, RowsAppendedDuringTheSortStayAtTheEnd) {
    std::vector<std::string> keys;
    for (int i = 0; i < 3000; ++i) {
        keys.push_back(std::to_string((i * 7919) % 3000));
    }
    MemoryReportList list = listWithKeys(0, keys);
    int dispatches = 0;
    installMessagePump([&] {
        if (++dispatches == 1) {
            const int row = list.appendRow("-5");
            list.setCellText(row, 7, "appended");
        }
    });
    // The pump dispatches only when a few milliseconds passed since the last.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sortReportList(list, 0, true, SortKind::Numeric);
    installMessagePump(nullptr);

    ASSERT_GE(dispatches, 1);
    ASSERT_EQ(3001, list.rowCount());
    EXPECT_EQ("-5", list.cellText(3000, 0));
    EXPECT_EQ("appended", list.cellText(3000, 7));
    for (int r = 0; r < 3000; ++r) {
        ASSERT_EQ(std::to_string(r), list.cellText(r, 0));
    }
}

}  // namespace
}  // namespace rankminer
