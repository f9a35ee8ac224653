// The ranking report parser and pager count on arbitrary page text.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_host.h"
#include "platform/site_config.h"
#include "ranking/rank_page_url.h"
#include "ranking/ranking_controls.h"
#include "ranking/ranking_run.h"
#include "ranking/table_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    static const rankminer::SiteConfig config = rankminer::SiteConfig::defaults();
    rankminer::fuzzing::FuzzHost host(rankminer::rankingCaptions().running);
    rankminer::RankingRun run(host, config);
    run.domain = "fuzz.test";
    int rowCounter = 0;
    rankminer::parseRankTable(page, rowCounter, run);
    if (rowCounter < 0 || host.list.rowCount() > rowCounter) {
        std::abort();
    }
    if (rankminer::rankPagerCount(page) < 0) {
        std::abort();
    }
    return 0;
}
