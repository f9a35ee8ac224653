#pragma once

#include <string>
#include <string_view>

namespace rankminer::sim {

// A whole related-keyword page (GBK; the server converts utf8kw pages).
// segment is the path segment as requested, used for the pager links.
std::string miningReportPage(std::string_view keyword, std::string_view segment, int page,
                             int rowsPerPage, int defaultPages);

}  // namespace rankminer::sim
