#pragma once

// Turns one ranking report page into report-list rows (and auto-save lines).

#include <string_view>

#include "ranking/ranking_run.h"

namespace rankminer {

// True when at least one non-empty keyword of the separated list occurs in the
// text, ASCII letters compared without regard to case.
bool containsKeyword(std::string_view text, std::string_view keywords,
                     std::string_view separator = "|");

// Adds a row per report-table row of the page (the table's header row never).
// rowCounter counts the table rows read for the domain, skipped duplicates
// included, and numbers the rows. Returns before the next row on a stop
// request.
void parseRankTable(std::string_view pageText, int& rowCounter, RankingRun& run);

}  // namespace rankminer
