// The cost of pumpMessages() once per character over 1 MB of GBK page, with a
// pump installed that does a little work per dispatch as the window's event
// processing would, against the same loop with no pump installed. The loop
// body is the kind of scan the core runs per character (character length,
// a tag count), so the ratio is the pump's share of a real loop.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/message_pump.h"
#include "text/gbk.h"

namespace {

const std::string& page() {
    static const std::string bytes = [] {
        const std::string row = rankminer::gbk(
            "<tr><td class=\"title\">上海装修公司</td><td>1,200</td><td>网页标题</td></tr>\n");
        std::string text;
        while (text.size() < 1024 * 1024) {
            text += row;
        }
        return text;
    }();
    return bytes;
}

template <bool kPumps>
int scan(const std::string& text) {
    int tags = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        tags += byte == '<' ? 1 : 0;
        i += rankminer::gbkCharLength(text, i);
        if constexpr (kPumps) {
            rankminer::pumpMessages();
        }
    }
    return tags;
}

// Work comparable to a redraw check: walk a small event queue.
int g_dispatches = 0;
void guiLikePump() {
    static int queue[64] = {};
    for (int& event : queue) {
        event = event * 31 + g_dispatches;
    }
    benchmark::DoNotOptimize(queue);
    ++g_dispatches;
}

// The loop with no pump call at all: the base the goal is measured against.
void BM_Scan_NoCall(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(scan<false>(page()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page().size()));
}

// Calls per character, nothing installed (the headless commands before a job).
void BM_Scan_NoPump(benchmark::State& state) {
    rankminer::installMessagePump({});
    for (auto _ : state) {
        benchmark::DoNotOptimize(scan<true>(page()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page().size()));
}

void BM_Scan_GuiPump(benchmark::State& state) {
    rankminer::installMessagePump(guiLikePump);
    g_dispatches = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scan<true>(page()));
    }
    rankminer::installMessagePump({});
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page().size()));
    state.counters["dispatches"] = g_dispatches;
}

BENCHMARK(BM_Scan_NoCall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_NoPump)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_GuiPump)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
