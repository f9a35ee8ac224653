#include "report/value_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "platform/message_pump.h"

namespace rankminer {

namespace {

// Below this a comparison sort is as fast and needs no count tables.
constexpr std::size_t kRadixThreshold = 4096;
constexpr int kDigitBits = 11;
constexpr int kDigits = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

// The value's bits turned so that unsigned comparison orders the values:
// negatives have every bit flipped, the others their sign bit set.
std::uint64_t orderedBits(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

unsigned digitOf(std::uint64_t key, int digit) {
    return static_cast<unsigned>((key >> (digit * kDigitBits)) & (kBuckets - 1));
}

struct Keyed {
    std::uint64_t key;
    int row;
};

// Least significant digit first, each pass stable; a digit every key shares
// needs no pass. Collected numbers (counts, volumes) share most low bits.
void radixSort(std::vector<Keyed>& items) {
    std::vector<std::array<std::size_t, kBuckets>> counts(kDigits);
    for (auto& count : counts) {
        count.fill(0);
    }
    for (const Keyed& item : items) {
        for (int d = 0; d < kDigits; ++d) {
            ++counts[d][digitOf(item.key, d)];
        }
        pumpMessages();
    }
    std::vector<Keyed> buffer(items.size());
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
        for (const Keyed& item : items) {
            buffer[count[digitOf(item.key, d)]++] = item;
            pumpMessages();
        }
        items.swap(buffer);
    }
}

}  // namespace

std::vector<int> sortValuesLatestRowFirst(const std::vector<double>& values) {
    std::vector<int> rows(values.size());
    if (values.size() < kRadixThreshold) {
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
    std::vector<Keyed> items(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t row = values.size() - 1 - i;
        items[i] = {orderedBits(values[row]), static_cast<int>(row)};
    }
    radixSort(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        rows[i] = items[i].row;
    }
    return rows;
}

}  // namespace rankminer
