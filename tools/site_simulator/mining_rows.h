#pragma once

// The rows of a simulated related-keyword report: each row's HTML and the
// line fields a correct parser cleans out of it.

#include <string>
#include <string_view>
#include <vector>

#include "site_simulator/site_simulator.h"

namespace rankminer::sim {

struct MiningRowMarkup {
    std::string html;  // one <tr> ... </tr>
    MiningRow expected;
};

// keyword is GBK. Rows for any page >= 1; the page total is the caller's.
std::vector<MiningRowMarkup> miningRowMarkup(std::string_view keyword, int page, int rowsPerPage);

}  // namespace rankminer::sim
