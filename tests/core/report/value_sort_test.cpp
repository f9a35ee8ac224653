#include "report/value_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace rankminer {
namespace {

std::vector<std::pair<double, int>> referenceOrder(const std::vector<double>& values) {
    std::vector<std::pair<double, int>> sorted;
    for (std::size_t i = 0; i < values.size(); ++i) {
        sorted.emplace_back(values[i], static_cast<int>(i));
    }
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second > b.second;
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

std::vector<double> allEqual(std::mt19937&, std::size_t count) {
    return std::vector<double>(count, 42.0);
}

INSTANTIATE_TEST_SUITE_P(Report, SortValues,
                         ::testing::Values(ValueMix{"FewVolumes", 100, volumes},
                                           ValueMix{"ManyVolumes", 50'000, volumes},
                                           ValueMix{"FewOfEveryKind", 300, everyKind},
                                           ValueMix{"ManyOfEveryKind", 50'000, everyKind},
                                           ValueMix{"ManyEqual", 10'000, allEqual}),
                         [](const ::testing::TestParamInfo<ValueMix>& info) {
                             return std::string(info.param.name);
                         });

TEST(SortValues, EmptyGivesNothing) {
    EXPECT_TRUE(sortValuesLatestRowFirst({}).empty());
}

}  // namespace
}  // namespace rankminer
