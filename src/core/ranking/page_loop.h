#pragma once

// Walks the report pages of the current domain: fetch, pause, rate-limit
// answers, the pager count of page 1, status and the table parser.

#include <string>

#include "ranking/ranking_run.h"

namespace rankminer {

// Pages 1 .. total of run.domain (page 1 fetched once), until a stop request.
void collectDomainPages(RankingRun& run);

// Page n of run.domain as GBK text after the pause; empty when the fetch
// failed. Repeats the request while the site answers with a rate-limit page,
// until the answer is normal, the user cancels the quota prompt, or a stop
// request arrives (then the rate-limit page itself is returned).
std::string fetchRankPage(RankingRun& run, int page);

}  // namespace rankminer
