#include "report/sorting.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "platform/large_buffer.h"
#include "platform/message_pump.h"
#include "report/value_sort.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

// Numeric keys closer than this count as equal.
constexpr double kNumericTolerance = 0.0000001;

// The comparisons of the selection, kept in exactly this form: the order below
// is only correct because it reproduces their rounding.
bool atLeast(double a, double b) {
    return a - b >= -kNumericTolerance;
}
bool atMost(double a, double b) {
    return a - b <= kNumericTolerance;
}

// Bytes [from, from + 8) of a key, big-endian, so that comparing two of them
// as integers compares those bytes as unsigned values; short keys are padded
// with zero bytes, and equal prefixes fall back to the full key.
std::uint64_t keyPrefix(std::string_view key, std::size_t from) {
    std::uint64_t prefix = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        prefix <<= 8;
        if (i < key.size()) {
            prefix |= static_cast<unsigned char>(key[i]);
        }
    }
    return prefix;
}

// Text keys form a total order, so the selection is a sort in which equal keys
// come out latest row first.
std::vector<int> textOrder(const std::vector<std::string>& upperKeys, bool ascending) {
    // Sixteen bytes of prefix decide most comparisons of collected keywords
    // without touching the keys, which lie scattered in memory.
    struct Entry {
        std::uint64_t prefix;
        std::uint64_t prefixTail;
        int row;
    };
    std::vector<Entry> entries;
    resizeLarge(entries, upperKeys.size());
    for (std::size_t i = 0; i < upperKeys.size(); ++i) {
        entries[i] = {keyPrefix(upperKeys[i], 0), keyPrefix(upperKeys[i], 8), static_cast<int>(i)};
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        pumpMessages();
        int compared = a.prefix < b.prefix ? -1 : (a.prefix > b.prefix ? 1 : 0);
        if (compared == 0) {
            compared = a.prefixTail < b.prefixTail ? -1 : (a.prefixTail > b.prefixTail ? 1 : 0);
        }
        if (compared == 0) {
            compared = upperKeys[a.row].compare(upperKeys[b.row]);
        }
        if (compared != 0) {
            return ascending ? compared < 0 : compared > 0;
        }
        return a.row > b.row;
    });
    std::vector<int> order;
    resizeLarge(order, entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order[i] = entries[i].row;
    }
    return order;
}

// The selection itself, for a group of rows whose keys lie within the
// tolerance of their neighbours: there the comparison is not transitive and
// only running it gives its order. Quadratic in the group's size.
void appendSelection(std::vector<int> group, const std::vector<double>& values, bool ascending,
                     std::vector<int>& order) {
    std::sort(group.begin(), group.end());  // the rows' order before the sort
    while (!group.empty()) {
        std::size_t chosen = 0;
        for (std::size_t i = 1; i < group.size(); ++i) {
            const double current = values[group[chosen]];
            const double candidate = values[group[i]];
            if (ascending ? atLeast(current, candidate) : atMost(current, candidate)) {
                chosen = i;
            }
        }
        order.push_back(group[chosen]);
        group.erase(group.begin() + static_cast<std::ptrdiff_t>(chosen));
        pumpMessages();
    }
}

// Numeric keys: sort exactly, then cut the sorted keys into groups wherever
// two neighbours are further apart than the tolerance. Across groups the
// selection's comparison agrees with the exact order (subtraction is
// monotonic), so each pass takes its row from the lowest (highest) group left
// and the groups come out whole, in order. Inside a group of exactly equal
// keys the selection takes the last row first; any other group is ordered by
// running the selection on it.
std::vector<int> numericOrder(const std::vector<double>& values, bool ascending) {
    const std::vector<int> sorted = sortValuesLatestRowFirst(values);
    const auto valueAt = [&](std::size_t i) { return values[static_cast<std::size_t>(sorted[i])]; };
    std::vector<int> order;
    order.reserve(values.size());
    const auto appendGroup = [&](std::size_t begin, std::size_t end) {
        if (valueAt(begin) == valueAt(end - 1)) {
            // Sorted latest row first already.
            order.insert(order.end(), sorted.begin() + static_cast<std::ptrdiff_t>(begin),
                         sorted.begin() + static_cast<std::ptrdiff_t>(end));
        } else {
            appendSelection(std::vector<int>(sorted.begin() + static_cast<std::ptrdiff_t>(begin),
                                             sorted.begin() + static_cast<std::ptrdiff_t>(end)),
                            values, ascending, order);
        }
    };
    // Whether two neighbours share a group depends on them alone, so the
    // groups are the same read from either end.
    const std::size_t count = sorted.size();
    if (ascending) {
        for (std::size_t begin = 0; begin < count;) {
            std::size_t end = begin + 1;
            while (end < count && atLeast(valueAt(end - 1), valueAt(end))) {
                ++end;
            }
            appendGroup(begin, end);
            begin = end;
        }
    } else {
        for (std::size_t end = count; end > 0;) {
            std::size_t begin = end - 1;
            while (begin > 0 && atLeast(valueAt(begin - 1), valueAt(begin))) {
                --begin;
            }
            appendGroup(begin, end);
            end = begin;
        }
    }
    return order;
}

// The numeric order of `rows` values read one by one. Whole numbers are a
// tolerance apart only when equal, so every group holds equal values and the
// exact order is the selection's: they go straight into the whole-number sort.
// The first value it refuses sends the values read so far, and the rest, to
// the general order.
template <typename ValueOfRow>
std::vector<int> numericOrderOf(std::size_t rows, bool ascending, ValueOfRow valueOfRow) {
    std::size_t row = 0;
    std::vector<double> values;
    {
        WholeNumberSort whole(rows, ascending);
        while (row < rows && whole.add(valueOfRow(row))) {
            ++row;
        }
        if (row == rows) {
            return whole.takeOrder();
        }
        values = whole.values();
    }
    values.reserve(rows);
    for (; row < rows; ++row) {
        values.push_back(valueOfRow(row));
    }
    return numericOrder(values, ascending);
}

}  // namespace

SortKind sortKindForColumn(int column) {
    return column == 0 || column == 4 || column == 5 ? SortKind::Numeric : SortKind::Text;
}

std::vector<int> selectionOrder(const std::vector<std::string>& keys, bool ascending,
                                SortKind kind) {
    if (kind == SortKind::Numeric) {
        return numericOrderOf(keys.size(), ascending,
                              [&keys](std::size_t row) { return leadingNumber(keys[row]); });
    }
    std::vector<std::string> upperKeys;
    upperKeys.reserve(keys.size());
    for (const std::string& key : keys) {
        upperKeys.push_back(toUpperAscii(key));
    }
    return textOrder(upperKeys, ascending);
}

void sortReportList(ReportList& list, int column, bool ascending, SortKind kind) {
    const int columns = list.columnCount();
    if (column < 0 || column >= columns) {
        return;
    }
    // Rows a running job appends while this pumps messages are not counted.
    const int rows = list.rowCount();
    std::vector<int> order;
    if (kind == SortKind::Numeric) {
        order = numericOrderOf(
            static_cast<std::size_t>(rows), ascending, [&list, column](std::size_t row) {
                pumpMessages();
                return leadingNumber(list.cellText(static_cast<int>(row), column));
            });
    } else {
        std::vector<std::string> upperKeys;
        resizeLarge(upperKeys, static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            upperKeys[r] = toUpperAscii(list.cellText(r, column));
            pumpMessages();
        }
        order = textOrder(upperKeys, ascending);
    }
    list.reorderRows(order);
}

void HeaderSorter::onHeaderClicked(ReportList& list, int column) {
    if (list.rowCount() == 0) {
        return;
    }
    ascending_ = !ascending_;
    sortReportList(list, column, ascending_, sortKindForColumn(column));
}

}  // namespace rankminer
