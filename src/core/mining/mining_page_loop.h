#pragma once

#include <string>

#include "mining/mining_state.h"
#include "platform/job_host.h"
#include "platform/site_config.h"

namespace rankminer {

// Page n of the current seed as GBK text; empty when the fetch fails.
std::string fetchMiningPage(const SiteConfig& config, const MiningState& state, int page);

// Walks the result pages of state.currentSeed: the page count comes from page
// 1, every page goes through the parser, each is followed by the page pause.
// Ends at the page count, at the seed's maximum, or before the next page
// after a stop request.
void runMiningPageLoop(JobHost& host, const SiteConfig& config, MiningState& state);

}  // namespace rankminer
