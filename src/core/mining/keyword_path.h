#pragma once

// Addresses of the related-keyword report.

#include <string>
#include <string_view>

#include "platform/site_config.h"

namespace rankminer {

// The keyword's path segment: each UTF-16 code unit in lower-case hex, units
// below 0x100 as "n" and two digits, others as four digits; CR and LF pass
// through unchanged. "abc" gives "n61n62n63"; the empty keyword gives "".
std::string encodeKeywordPath(std::string_view keyword);

// keywordUrl + segment + "/" + page + "/".
std::string miningPageUrl(const SiteConfig& config, std::string_view keyword, int page);

// The highest page number (1..500) that a pager link on the page points to,
// recognised by its end: "/", the number, "/", '"' and ">". 0 when none.
int countResultPages(std::string_view page);

}  // namespace rankminer
