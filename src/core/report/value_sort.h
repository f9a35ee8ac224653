#pragma once

// Sorting numeric column values for the report list's sort.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rankminer {

// The rows by value ascending, equal values latest row first. Zero and minus
// zero count as equal; values must not be NaN.
std::vector<int> sortValuesLatestRowFirst(const std::vector<double>& values);

// Whole numbers sorted by value, ascending or descending, equal values latest
// row first, in half the memory of the general sort and with no copy of the
// values: counts and volumes are whole numbers, so a column's cells can go
// straight in, one row after another.
class WholeNumberSort {
public:
    WholeNumberSort(std::size_t rows, bool ascending);

    // Takes the next row's value. A value that is not a whole number in
    // [-2^31, 2^31), or one past the rows announced, is refused: false, and
    // nothing is taken.
    bool add(double value);
    // The values taken so far, in row order.
    std::vector<double> values() const;
    // The rows taken, in order.
    std::vector<int> takeOrder();

private:
    struct Item {
        std::uint32_t key;
        int row;
    };
    std::vector<Item> items_;  // latest row first
    std::size_t taken_ = 0;
    bool ascending_;
};

}  // namespace rankminer
