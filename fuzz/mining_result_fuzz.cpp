// The related-keyword result parser and page count on arbitrary page text.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_host.h"
#include "mining/keyword_path.h"
#include "mining/mining_controls.h"
#include "mining/mining_state.h"
#include "mining/result_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    rankminer::fuzzing::FuzzHost host(rankminer::miningRunningCaption());
    rankminer::MiningState state;
    state.currentSeed = "seed";
    rankminer::parseMiningPage(host, state, page, state.currentSeed);
    if (state.rowsTotal < 0 || state.rowsThisSeed != state.rowsTotal) {
        std::abort();
    }
    const int pages = rankminer::countResultPages(page);
    if (pages < 0 || pages > 999) {
        std::abort();
    }
    return 0;
}
