#pragma once

// Sorting numeric column values for the report list's sort.

#include <vector>

namespace rankminer {

// The rows by value ascending, equal values latest row first. Zero and minus
// zero count as equal; values must not be NaN.
std::vector<int> sortValuesLatestRowFirst(const std::vector<double>& values);

}  // namespace rankminer
