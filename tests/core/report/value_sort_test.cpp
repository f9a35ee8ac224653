#include "report/value_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>

namespace rankminer {
namespace {

std::vector<std::pair<double, int>> referenceOrder(const std::vector<double>& values,
                                                   bool ascending = true) {
    std::vector<std::pair<double, int>> sorted;
    for (std::size_t i = 0; i < values.size(); ++i) {
        sorted.emplace_back(values[i], static_cast<int>(i));
    }
    std::sort(sorted.begin(), sorted.end(), [ascending](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return ascending ? a.first < b.first : a.first > b.first;
        }
        return a.second > b.second;
    });
    return sorted;
}

// Rows rather than pairs: zero and minus zero are equal values, so only the
// rows' order is fixed.
std::vector<int> rowsOf(const std::vector<std::pair<double, int>>& sorted) {
    std::vector<int> rows;
    for (const auto& [value, row] : sorted) {
        rows.push_back(row);
    }
    return rows;
}

struct ValueMix {
    const char* name;
    std::size_t count;
    std::vector<double> (*make)(std::mt19937& random, std::size_t count);
};

void PrintTo(const ValueMix& mix, std::ostream* os) {
    *os << mix.name;
}

class SortValues : public ::testing::TestWithParam<ValueMix> {};

TEST_P(SortValues, MatchesTheComparisonSort) {
    std::mt19937 random(7);
    const std::vector<double> values = GetParam().make(random, GetParam().count);
    EXPECT_EQ(rowsOf(referenceOrder(values)), sortValuesLatestRowFirst(values));
}

// The whole-number sort fed the values in row order: the rows in order, or
// nothing when it refuses a value.
std::optional<std::vector<int>> wholeNumberOrder(const std::vector<double>& values,
                                                 bool ascending) {
    WholeNumberSort sort(values.size(), ascending);
    for (const double value : values) {
        if (!sort.add(value)) {
            return std::nullopt;
        }
    }
    return sort.takeOrder();
}

// The whole-number sort takes every mix of 32-bit whole numbers and refuses
// the others, which are left to the general sort.
TEST_P(SortValues, WholeNumbersMatchTheComparisonSortBothWays) {
    std::mt19937 random(7);
    const std::vector<double> values = GetParam().make(random, GetParam().count);
    const bool whole = std::all_of(values.begin(), values.end(), [](double value) {
        return std::trunc(value) == value && value >= -2147483648.0 && value < 2147483648.0;
    });
    for (const bool ascending : {true, false}) {
        const std::optional<std::vector<int>> rows = wholeNumberOrder(values, ascending);
        ASSERT_EQ(whole, rows.has_value()) << (ascending ? "ascending" : "descending");
        if (whole) {
            EXPECT_EQ(rowsOf(referenceOrder(values, ascending)), *rows)
                << (ascending ? "ascending" : "descending");
        }
    }
}

std::vector<double> volumes(std::mt19937& random, std::size_t count) {
    std::vector<double> values;
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(static_cast<double>(random() % 20000));
    }
    return values;
}

// Signs, zeros of both signs, fractions, tiny and huge magnitudes, repeats.
std::vector<double> everyKind(std::mt19937& random, std::size_t count) {
    const double specials[] = {0.0,
                               -0.0,
                               1e-300,
                               -1e-300,
                               1e300,
                               -1e300,
                               0.5,
                               -0.5,
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::lowest(),
                               std::numeric_limits<double>::denorm_min()};
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    std::vector<double> values;
    for (std::size_t i = 0; i < count; ++i) {
        switch (random() % 3) {
            case 0:
                values.push_back(specials[random() % std::size(specials)]);
                break;
            case 1:
                values.push_back(spread(random));
                break;
            default:
                values.push_back(static_cast<double>(static_cast<int>(random() % 200) - 100));
        }
    }
    return values;
}

// Whole numbers spread over the widest span the whole-number sort takes,
// negatives included, with repeats.
std::vector<double> wideWholeNumbers(std::mt19937& random, std::size_t count) {
    const double low = -2147483648.0;
    const double high = low + 4294967295.0;
    std::vector<double> values{low, high};
    for (std::size_t i = 2; i < count; ++i) {
        switch (random() % 3) {
            case 0:
                values.push_back(random() % 2 ? low : high);
                break;
            case 1:
                values.push_back(static_cast<double>(static_cast<int>(random() % 7) - 3));
                break;
            default:
                values.push_back(low + static_cast<double>(random()));
        }
    }
    return values;
}

std::vector<double> allEqual(std::mt19937&, std::size_t count) {
    return std::vector<double>(count, 42.0);
}

INSTANTIATE_TEST_SUITE_P(Report, SortValues,
                         ::testing::Values(ValueMix{"FewVolumes", 100, volumes},
                                           ValueMix{"ManyVolumes", 50'000, volumes},
                                           ValueMix{"FewOfEveryKind", 300, everyKind},
                                           ValueMix{"ManyOfEveryKind", 50'000, everyKind},
                                           ValueMix{"ManyEqual", 10'000, allEqual},
                                           ValueMix{"WideWholeNumbers", 20'000, wideWholeNumbers}),
                         [](const ::testing::TestParamInfo<ValueMix>& info) {
                             return std::string(info.param.name);
                         });

TEST(SortValues, EmptyGivesNothing) {
    EXPECT_TRUE(sortValuesLatestRowFirst({}).empty());
    EXPECT_EQ(std::vector<int>(), wholeNumberOrder({}, true));
}

// Just outside what the whole-number sort takes: a fraction, the ends of the
// 32-bit range, a huge value, NaN, minus zero beside a fraction.
TEST(SortValues, WholeNumberSortRefusesTheRest) {
    const std::vector<std::vector<double>> refused{{1, 0.5},
                                                   {2147483648.0},
                                                   {-2147483649.0},
                                                   {1e300},
                                                   {std::numeric_limits<double>::quiet_NaN()},
                                                   {-0.0, 1e-300}};
    for (const auto& values : refused) {
        EXPECT_FALSE(wholeNumberOrder(values, true).has_value()) << values.back();
    }
    EXPECT_EQ((std::vector<int>{1, 0}), wholeNumberOrder({0, -0.0}, true));  // equal: latest first
    EXPECT_EQ((std::vector<int>{1, 0}), wholeNumberOrder({-2147483648.0, 2147483647.0}, false));
}

// After a refusal the values taken so far come back exactly, for the general
// sort to carry on from; rows past those announced are refused too.
TEST(SortValues, WholeNumberSortHandsBackWhatItTook) {
    for (const bool ascending : {true, false}) {
        WholeNumberSort sort(4, ascending);
        const std::vector<double> taken{-2147483648.0, 7, -0.0, 2147483647.0};
        for (const double value : taken) {
            ASSERT_TRUE(sort.add(value));
        }
        EXPECT_FALSE(sort.add(1));
        EXPECT_EQ(taken, sort.values());
    }
    WholeNumberSort partly(5, true);
    for (const double value : {3.0, 1.0, 3.0}) {
        ASSERT_TRUE(partly.add(value));
    }
    EXPECT_FALSE(partly.add(2.5));
    EXPECT_EQ((std::vector<double>{3, 1, 3}), partly.values());
    EXPECT_EQ((std::vector<int>{1, 2, 0}), partly.takeOrder());
}

}  // namespace
}  // namespace rankminer
