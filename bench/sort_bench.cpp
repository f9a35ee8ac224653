// Sorting the report list by a column against a plain std::stable_sort of the
// same keys computed beforehand: the floor any list sort has to pay.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/report_list.h"
#include "report/sorting.h"
#include "text/gbk.h"

namespace {

using rankminer::MemoryReportList;

constexpr int kKeywordColumn = 2;
constexpr int kVolumeColumn = 4;

// Rows shaped like collected ones: many repeated volumes, keywords of mixed
// ASCII and GBK text.
MemoryReportList makeList(int rows) {
    std::mt19937 random(42);
    const std::string gbkWord = rankminer::gbk("关键字");
    MemoryReportList list;
    for (int r = 0; r < rows; ++r) {
        const int row = list.appendRow(std::to_string(r + 1));
        list.setCellText(row, 1, "site" + std::to_string(random() % 100) + ".com");
        list.setCellText(
            row, kKeywordColumn,
            (random() % 2 ? gbkWord : std::string("seo")) + std::to_string(random() % (rows + 1)));
        list.setCellText(row, 3, std::to_string(random() % 50 + 1));
        list.setCellText(row, kVolumeColumn, std::to_string(random() % 20000));
        list.setCellText(row, 5, std::to_string(random() % 1000000));
        list.setCellText(row, 6, "title of the page " + std::to_string(r));
        list.setCellText(row, 7, "http://127.0.0.1/page/" + std::to_string(r));
    }
    return list;
}

// Every timed sort, ours and the reference, starts from the same allocator
// state: the previous iteration's copy freed, the allocator's deferred tidying
// of those frees done and the free pages handed back, so each sort's
// temporaries cost what a first sort's do. Otherwise the two loops start from
// different states: ours frees a million rows between iterations, leaving
// tidying work to its first large allocation, the reference one key vector.
void settleAllocator() {
    malloc_trim(0);
}

void sortListBy(benchmark::State& state, int column, rankminer::SortKind kind) {
    const MemoryReportList original = makeList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        MemoryReportList list = original;
        settleAllocator();
        state.ResumeTiming();
        rankminer::sortReportList(list, column, true, kind);
        benchmark::DoNotOptimize(list);
        state.PauseTiming();
        list = MemoryReportList();  // freeing the copy is not the sort's cost
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortListText(benchmark::State& state) {
    sortListBy(state, kKeywordColumn, rankminer::SortKind::Text);
}
void BM_SortListNumeric(benchmark::State& state) {
    sortListBy(state, kVolumeColumn, rankminer::SortKind::Numeric);
}

// The order alone, from the column's texts.
void orderOf(benchmark::State& state, int column, rankminer::SortKind kind) {
    const MemoryReportList list = makeList(static_cast<int>(state.range(0)));
    std::vector<std::string> keys;
    for (int r = 0; r < list.rowCount(); ++r) {
        keys.push_back(list.cellText(r, column));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(rankminer::selectionOrder(keys, true, kind));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OrderText(benchmark::State& state) {
    orderOf(state, kKeywordColumn, rankminer::SortKind::Text);
}
void BM_OrderNumeric(benchmark::State& state) {
    orderOf(state, kVolumeColumn, rankminer::SortKind::Numeric);
}

void BM_StableSortTextKeys(benchmark::State& state) {
    const MemoryReportList list = makeList(static_cast<int>(state.range(0)));
    std::vector<std::string> original;
    for (int r = 0; r < list.rowCount(); ++r) {
        original.push_back(rankminer::toUpperAscii(list.cellText(r, kKeywordColumn)));
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> keys = original;
        settleAllocator();
        state.ResumeTiming();
        std::stable_sort(keys.begin(), keys.end());
        benchmark::DoNotOptimize(keys);
        state.PauseTiming();
        keys = {};
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StableSortNumericKeys(benchmark::State& state) {
    const MemoryReportList list = makeList(static_cast<int>(state.range(0)));
    std::vector<double> original;
    for (int r = 0; r < list.rowCount(); ++r) {
        original.push_back(rankminer::leadingNumber(list.cellText(r, kVolumeColumn)));
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<double> keys = original;
        settleAllocator();
        state.ResumeTiming();
        std::stable_sort(keys.begin(), keys.end());
        benchmark::DoNotOptimize(keys);
        state.PauseTiming();
        keys = {};
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_SortListText)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortListNumeric)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrderText)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrderNumeric)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortTextKeys)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortNumericKeys)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
