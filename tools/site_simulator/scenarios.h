#pragma once

// Which behaviour a domain or a keyword selects (see site_simulator.h).

#include <string_view>

namespace rankminer::sim {

enum class RankScenario {
    Normal,
    NoPager,
    TooFast,
    Quota,
    Slow,
    Gzip,
    Utf8,
    Dupes,
    Empty,
    DeadLink
};

struct RankScenarioInfo {
    RankScenario kind = RankScenario::Normal;
    int pages = 1;
    int quotaAnswers = 0;  // Quota: how many requests of the domain get the quota page
};

RankScenarioInfo rankScenarioOf(std::string_view domain, int defaultPages);

enum class MiningScenario { Normal, Utf8, OnePage, BigPages, Slow };

struct MiningScenarioInfo {
    MiningScenario kind = MiningScenario::Normal;
    int pages = 1;
};

// keyword is the decoded (GBK) keyword.
MiningScenarioInfo miningScenarioOf(std::string_view keyword, int defaultPages);

}  // namespace rankminer::sim
