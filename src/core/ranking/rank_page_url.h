#pragma once

// Where a ranking report page lives and how many pages the report has.

#include <string>
#include <string_view>

namespace rankminer {

// rankUrl (ending in "/") + "baidu/" or "mobile/" + the domain as typed +
// "/-1/0/" (bare domain) or "/0/" (domain holding "/") + page + "/" + the
// order piece: index 1 "ip/-1/", 2 "exp/-1/", anything else "position/1/".
std::string rankPageUrl(std::string_view rankUrl, bool mobile, std::string_view domain, int page,
                        int orderIndex);

// The number of links in the page's "baidurank-pager" block; 0 when the page
// has none or is empty.
int rankPagerCount(std::string_view pageText);

}  // namespace rankminer
