// One key written 1,000 times into a settings file of 100 keys: the store's
// in-place update against rewriting the whole file on every write.

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "settings/settings_store.h"

namespace {

constexpr int kKeys = 100;
constexpr int kWrites = 1000;

// A fresh folder for one benchmark run, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "settings-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string file(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The value written on step i: lengths vary, so the tail moves.
std::string valueFor(int i) {
    return std::string(static_cast<std::size_t>(i % 7 + 1), 'v') + std::to_string(i);
}

void fillKeys(rankminer::SettingsStore& store) {
    store.setSection("main");
    for (int k = 0; k < kKeys; ++k) {
        store.writeText("key" + std::to_string(k), "value of key " + std::to_string(k));
    }
}

void BM_InPlaceWrites(benchmark::State& state) {
    ScratchFolder folder;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = folder.file("settings.ini");
        std::filesystem::remove(path);
        {
            rankminer::SettingsStore store;
            store.open(path);
            fillKeys(store);
            state.ResumeTiming();
            // The key in the middle of the file: half the file follows it.
            for (int i = 0; i < kWrites; ++i) {
                store.writeText("key50", valueFor(i));
            }
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kWrites);
}

void BM_WholeFileRewrites(benchmark::State& state) {
    ScratchFolder folder;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = folder.file("settings.ini");
        std::filesystem::remove(path);
        // The same content changes, applied to a store that has no file, and
        // the whole mirror written out after each.
        rankminer::SettingsStore memoryOnly;
        memoryOnly.open(folder.file("no-such-folder/settings.ini"));
        fillKeys(memoryOnly);
        state.ResumeTiming();
        for (int i = 0; i < kWrites; ++i) {
            memoryOnly.writeText("key50", valueFor(i));
            benchmark::DoNotOptimize(rankminer::writeWholeFile(path, memoryOnly.mirror()));
        }
    }
    state.SetItemsProcessed(state.iterations() * kWrites);
}

}  // namespace

BENCHMARK(BM_InPlaceWrites)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeFileRewrites)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
