// Our ranking table parser and mining result parser against libxml2 + XPath
// and gumbo on the same pages extracting the same cells, and against a single
// memmem pass for the row marker (the floor no extractor can beat). Each
// benchmark also reports "rows" (rows extracted, so a peer that silently
// found nothing shows) and "peak_x_page": peak resident memory growth of one
// parse of the page, in multiples of the page size, measured in a child
// process whose high-water mark was reset first.
// Pages are GBK; libxml2 is told so, gumbo gets a UTF-8 copy.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "cli/headless_host.h"
#include "mining/mining_controls.h"
#include "mining/result_parser.h"
#include "peer_extractors.h"
#include "peer_pages.h"
#include "ranking/ranking_controls.h"
#include "ranking/ranking_run.h"
#include "ranking/table_parser.h"

namespace rankminer::bench {
namespace {

// ---- Our parsers, with a window that touches no network or disk ------------

void quietHost(HeadlessHost& host) {
    host.onStatus = [](std::string_view) {};
    host.onMessage = [](std::string_view, std::string_view) {};
}

int ourRanking(std::string_view page) {
    HeadlessHost host;
    quietHost(host);
    // Redirect resolution, auto-save and dedupe stay unchecked.
    host.setCaption(rankingControls().startButton, rankingCaptions().running);
    const SiteConfig config = SiteConfig::defaults();
    RankingRun run(host, config);
    run.domain = "www.example.com";
    int rowCounter = 0;
    parseRankTable(page, rowCounter, run);
    return host.reportList().rowCount();
}

int ourMining(std::string_view page) {
    HeadlessHost host;
    quietHost(host);
    const MiningControls& controls = miningControls();
    for (const std::string* box : {&controls.volumeBox, &controls.indexedBox, &controls.firstBox,
                                   &controls.secondBox, &controls.difficultyBox}) {
        host.setChecked(*box, true);
    }
    MiningState state;
    parseMiningPage(host, state, page, {});
    return state.rowsTotal;
}

int memmemFloor(std::string_view page) {
    static constexpr char marker[] = "<tr";
    int count = 0;
    const char* at = page.data();
    const char* end = page.data() + page.size();
    while (const void* hit = memmem(at, static_cast<std::size_t>(end - at), marker, 3)) {
        ++count;
        at = static_cast<const char*>(hit) + 3;
    }
    return count;
}

// ---- Peak memory of one parse ----------------------------------------------

long statusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) {
            long value = 0;
            for (char c : line.substr(length)) {
                if (c >= '0' && c <= '9') {
                    value = value * 10 + (c - '0');
                }
            }
            return value;
        }
    }
    return -1;
}

// Peak resident growth of `parse` in a child, in multiples of the page size;
// negative when the kernel offers no high-water reset.
double peakGrowthRatio(std::string_view page, const std::function<int(std::string_view)>& parse) {
    int channel[2];
    if (pipe(channel) != 0) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        long growth = -1;
        // Freed heap of earlier iterations is still resident; hand it back so
        // the parse's own allocations show in the high-water mark.
        malloc_trim(0);
        if (std::FILE* reset = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", reset);
            std::fclose(reset);
            const long before = statusKilobytes("VmRSS:");
            benchmark::DoNotOptimize(parse(page));
            growth = statusKilobytes("VmHWM:") - before;
        }
        const ssize_t written = write(channel[1], &growth, sizeof growth);
        _exit(written == sizeof growth ? 0 : 1);
    }
    close(channel[1]);
    long growth = -1;
    const ssize_t got = read(channel[0], &growth, sizeof growth);
    close(channel[0]);
    waitpid(child, nullptr, 0);
    if (got != sizeof growth || growth < 0) {
        return -1;
    }
    return static_cast<double>(growth) * 1024.0 / static_cast<double>(page.size());
}

// ---- The benchmarks ---------------------------------------------------------

void run(benchmark::State& state, const std::string& page,
         const std::function<int(std::string_view)>& parse, bool measureMemory) {
    int rows = 0;
    for (auto _ : state) {
        rows = parse(page);
        benchmark::DoNotOptimize(rows);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
    state.counters["rows"] = rows;
    state.counters["page_kb"] = static_cast<double>(page.size()) / 1024.0;
    if (measureMemory) {
        state.counters["peak_x_page"] = peakGrowthRatio(page, parse);
    }
}

PageSize sizeOf(const benchmark::State& state) {
    return state.range(0) == 0 ? PageSize::Small : PageSize::Large;
}

int libxmlRanking(std::string_view page) {
    return static_cast<int>(libxmlExtract(page, kRankingRowsXPath, rankingXPaths()).size());
}
int libxmlMining(std::string_view page) {
    return static_cast<int>(libxmlExtract(page, kMiningRowsXPath, miningXPaths()).size());
}
int gumboRankingRows(std::string_view page) {
    return static_cast<int>(gumboRanking(page).size());
}
int gumboMiningRows(std::string_view page) {
    return static_cast<int>(gumboMining(page).size());
}

void BM_Ranking_Ours(benchmark::State& s) {
    run(s, rankingPage(sizeOf(s)), ourRanking, true);
}
void BM_Ranking_Libxml2(benchmark::State& s) {
    run(s, rankingPage(sizeOf(s)), libxmlRanking, true);
}
void BM_Ranking_Gumbo(benchmark::State& s) {
    run(s, rankingPage(sizeOf(s)), gumboRankingRows, true);
}
void BM_Ranking_Memmem(benchmark::State& s) {
    run(s, rankingPage(sizeOf(s)), memmemFloor, false);
}
void BM_Mining_Ours(benchmark::State& s) {
    run(s, miningPage(sizeOf(s)), ourMining, true);
}
void BM_Mining_Libxml2(benchmark::State& s) {
    run(s, miningPage(sizeOf(s)), libxmlMining, true);
}
void BM_Mining_Gumbo(benchmark::State& s) {
    run(s, miningPage(sizeOf(s)), gumboMiningRows, true);
}
void BM_Mining_Memmem(benchmark::State& s) {
    run(s, miningPage(sizeOf(s)), memmemFloor, false);
}

// Argument 0: the ~300 KB page with 20 rows; 1: the ~3 MB page with 2,000.
BENCHMARK(BM_Ranking_Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ranking_Libxml2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ranking_Gumbo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ranking_Memmem)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mining_Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mining_Libxml2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mining_Gumbo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mining_Memmem)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rankminer::bench

BENCHMARK_MAIN();
