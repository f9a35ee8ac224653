// decodePage on a 1 MB UTF-8 page against a bare ICU conversion of the same
// bytes to GBK: the decoding around the conversion (gzip check, mark and meta
// search, UTF-8 test) should cost no more than the conversion itself.

#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include <string>

#include "net/decode.h"

namespace {

// About 1 MB of page: an ASCII head, then rows mixing markup and Chinese.
std::string utf8Page(bool declareCharset) {
    std::string page = "<html><head><title>report</title>";
    page += declareCharset ? "<meta charset=\"utf-8\">" : "<meta name=\"robots\" content=\"all\">";
    page += "</head><body><table>\n";
    const std::string row =
        "<tr><td>12</td><td>example.com</td><td>采集关键词排名</td><td>3</td>"
        "<td>1,200</td><td>搜索引擎优化工具的网页标题</td></tr>\n";
    while (page.size() < 1024 * 1024) {
        page += row;
    }
    return page + "</table></body></html>";
}

void bareIcuConversion(benchmark::State& state) {
    const std::string page = utf8Page(false);
    std::string out(page.size() * 2 + 16, '\0');
    UErrorCode status = U_ZERO_ERROR;
    UConverter* from = ucnv_open("UTF-8", &status);
    UConverter* to = ucnv_open("windows-936", &status);
    for (auto _ : state) {
        char* target = out.data();
        const char* source = page.data();
        status = U_ZERO_ERROR;
        ucnv_convertEx(to, from, &target, out.data() + out.size(), &source,
                       page.data() + page.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                       &status);
        benchmark::DoNotOptimize(target);
    }
    ucnv_close(from);
    ucnv_close(to);
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * page.size()));
}

void decodeDetected(benchmark::State& state) {
    const std::string page = utf8Page(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(rankminer::decodePage(page));
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * page.size()));
}

void decodeDeclared(benchmark::State& state) {
    const std::string page = utf8Page(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(rankminer::decodePage(page));
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * page.size()));
}

}  // namespace

BENCHMARK(bareIcuConversion)->Unit(benchmark::kMillisecond);
// No declaration: the UTF-8 test runs over the whole page.
BENCHMARK(decodeDetected)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeDeclared)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
