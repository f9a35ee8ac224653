#pragma once

// The rows of a simulated ranking report: each row's HTML and, built from the
// same choices, the values a correct parser cleans out of it.

#include <string>
#include <string_view>
#include <vector>

#include "site_simulator/site_simulator.h"

namespace rankminer::sim {

struct RankRowMarkup {
    std::string html;  // one <tr> ... </tr>
    RankRow expected;
};

// Empty outside 1..rankPageCount() and for domains whose pages have no table.
std::vector<RankRowMarkup> rankRowMarkup(std::string_view domain, int page, bool mobile,
                                         int rowsPerPage, int defaultPages,
                                         std::string_view engineHost);

}  // namespace rankminer::sim
