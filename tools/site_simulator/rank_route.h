#pragma once

#include <optional>
#include <string_view>

#include "site_simulator/rank_page.h"

namespace rankminer::sim {

// Reads a ranking report path such as "/rank/baidu/d.com/-1/0/2/position/1/"
// or "/rank/mobile/d.com/a/0/1/ip/-1/". Nothing when the engine, the order,
// the page number or the separator does not fit (a bare domain must use
// "/-1/0/", a domain holding "/" must use "/0/").
std::optional<RankPageRequest> parseRankPath(std::string_view path);

}  // namespace rankminer::sim
