#include "report/value_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "platform/large_buffer.h"
#include "platform/message_pump.h"

namespace rankminer {

namespace {

// Below this a comparison sort is as fast and needs no count tables.
constexpr std::size_t kRadixThreshold = 4096;
constexpr int kDigitBits = 11;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

// The value's bits turned so that unsigned comparison orders the values:
// negatives have every bit flipped, the others their sign bit set.
std::uint64_t orderedBits(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

template <typename Key>
unsigned digitOf(Key key, int digit) {
    return static_cast<unsigned>((key >> (digit * kDigitBits)) & (kBuckets - 1));
}

template <typename Key>
struct Keyed {
    Key key;
    int row;
};

// The bits of the int32 values with the sign bit flipped: unsigned comparison
// orders them.
constexpr std::uint32_t kSignFlip = 0x80000000U;
constexpr double kLowestWhole = -2147483648.0;
constexpr double kBeyondWhole = 2147483648.0;

// Least significant digit first, each pass stable; a digit every key shares
// needs no pass. Collected numbers (counts, volumes) leave most digits alike:
// the low mantissa bits of a double, the high bits of a small whole number.
template <typename Item>
void radixSort(std::vector<Item>& items) {
    using Key = decltype(Item::key);
    constexpr int kDigits = (static_cast<int>(sizeof(Key)) * 8 + kDigitBits - 1) / kDigitBits;
    std::vector<std::array<std::size_t, kBuckets>> counts(kDigits);
    for (auto& count : counts) {
        count.fill(0);
    }
    for (const Item& item : items) {
        for (int d = 0; d < kDigits; ++d) {
            ++counts[d][digitOf(item.key, d)];
        }
        pumpMessages();
    }
    std::vector<Item> buffer;
    for (int d = 0; d < kDigits; ++d) {
        auto& count = counts[d];
        if (count[digitOf(items.front().key, d)] == items.size()) {
            continue;
        }
        std::size_t start = 0;
        for (std::size_t& bucket : count) {
            const std::size_t size = bucket;
            bucket = start;
            start += size;
        }
        if (buffer.empty()) {
            resizeLarge(buffer, items.size());
        }
        for (const Item& item : items) {
            buffer[count[digitOf(item.key, d)]++] = item;
            pumpMessages();
        }
        items.swap(buffer);
    }
}

template <typename Item>
std::vector<int> rowsOf(const std::vector<Item>& items) {
    std::vector<int> rows;
    resizeLarge(rows, items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        rows[i] = items[i].row;
    }
    return rows;
}

}  // namespace

std::vector<int> sortValuesLatestRowFirst(const std::vector<double>& values) {
    if (values.size() < kRadixThreshold) {
        std::vector<int> rows(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            rows[i] = static_cast<int>(i);
        }
        std::sort(rows.begin(), rows.end(), [&values](int a, int b) {
            pumpMessages();
            const double left = values[static_cast<std::size_t>(a)];
            const double right = values[static_cast<std::size_t>(b)];
            return left != right ? left < right : a > b;
        });
        return rows;
    }
    // Fed latest row first, the stable passes keep equal values in that order.
    std::vector<Keyed<std::uint64_t>> items;
    resizeLarge(items, values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t row = values.size() - 1 - i;
        items[i] = {orderedBits(values[row]), static_cast<int>(row)};
    }
    radixSort(items);
    return rowsOf(items);
}

WholeNumberSort::WholeNumberSort(std::size_t rows, bool ascending) : ascending_(ascending) {
    resizeLarge(items_, rows);
}

bool WholeNumberSort::add(double value) {
    // The comparisons are false for NaN too.
    if (taken_ == items_.size() || !(value >= kLowestWhole && value < kBeyondWhole) ||
        std::trunc(value) != value) {
        return false;
    }
    const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) ^ kSignFlip;
    // Fed latest row first, the stable passes keep equal values in that order.
    items_[items_.size() - 1 - taken_] = {ascending_ ? bits : ~bits, static_cast<int>(taken_)};
    ++taken_;
    return true;
}

std::vector<double> WholeNumberSort::values() const {
    std::vector<double> values(taken_);
    for (std::size_t row = 0; row < taken_; ++row) {
        const std::uint32_t key = items_[items_.size() - 1 - row].key;
        values[row] = static_cast<std::int32_t>((ascending_ ? key : ~key) ^ kSignFlip);
    }
    return values;
}

std::vector<int> WholeNumberSort::takeOrder() {
    // Rows announced but never taken hold no value: leave them out.
    items_.erase(items_.begin(), items_.end() - static_cast<std::ptrdiff_t>(taken_));
    if (items_.empty()) {
        return {};
    }
    radixSort(items_);
    std::vector<int> order = rowsOf(items_);
    items_ = {};
    return order;
}

}  // namespace rankminer
