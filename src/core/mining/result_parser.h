#pragma once

// The related-keyword result page as result lines.

#include <string>
#include <string_view>

#include "mining/mining_controls.h"
#include "mining/mining_state.h"
#include "platform/job_host.h"
#include "text/html_extractor.h"
#include "text/regex_helper.h"

namespace rankminer {

// The three expressions that clean a cell; compiled once per page.
struct MiningCellCleaners {
    MiningCellCleaners();
    RegexHelper tags;         // every tag
    RegexHelper spaces;       // every run of white space
    RegexHelper lineTrimmer;  // blank lines, blanks around lines, line breaks
};

// The result line (without line break) of one table row: the keyword, then a
// comma and the text of each chosen field. A missing cell gives an empty
// field. `emptyKeywordStandIn` replaces a keyword that comes out empty.
std::string resultLineOfRow(HtmlExtractor& extractor, std::string_view row,
                            const MiningFields& fields, const MiningCellCleaners& cleaners,
                            std::string_view emptyKeywordStandIn);

// Appends a line per result row of the page to the results box and, with
// auto-save on, to the output file, counting rows in the state. Returns early
// on a stop request or when the seed's maximum is reached. A page without the
// result block yields nothing. `firstPageKeyword` is the seed on a seed's
// first page and empty on later pages.
void parseMiningPage(JobHost& host, MiningState& state, std::string_view page,
                     std::string_view firstPageKeyword);

}  // namespace rankminer
