#include "site_simulator/scenarios.h"

#include <charconv>
#include <optional>

namespace rankminer::sim {

namespace {
// Page totals above this are refused as scenario names, so a typo cannot make
// a job walk millions of pages.
constexpr int kMaxPages = 5000;

// The number in prefix + digits + suffix, when text has exactly that shape.
std::optional<int> numberBetween(std::string_view text, std::string_view prefix,
                                 std::string_view suffix) {
    if (text.size() <= prefix.size() + suffix.size() || !text.starts_with(prefix) ||
        !text.ends_with(suffix)) {
        return std::nullopt;
    }
    const std::string_view digits =
        text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value < 1 ||
        value > kMaxPages) {
        return std::nullopt;
    }
    return value;
}
}  // namespace

RankScenarioInfo rankScenarioOf(std::string_view domain, int defaultPages) {
    RankScenarioInfo info;
    info.pages = defaultPages < 1 ? 1 : defaultPages;
    if (const auto pages = numberBetween(domain, "pages", ".test")) {
        info.pages = *pages;
    } else if (domain == "nopager.test") {
        info.kind = RankScenario::NoPager;
        info.pages = 1;
    } else if (domain == "toofast.test") {
        info.kind = RankScenario::TooFast;
    } else if (domain == "quota.test") {
        info.kind = RankScenario::Quota;
        info.quotaAnswers = 1;
    } else if (const auto answers = numberBetween(domain, "quota", ".test")) {
        info.kind = RankScenario::Quota;
        info.quotaAnswers = *answers;
    } else if (domain == "slow.test") {
        info.kind = RankScenario::Slow;
    } else if (domain == "gzip.test") {
        info.kind = RankScenario::Gzip;
    } else if (domain == "utf8.test") {
        info.kind = RankScenario::Utf8;
    } else if (domain == "dupes.test") {
        info.kind = RankScenario::Dupes;
        if (info.pages < 2) {
            info.pages = 2;
        }
    } else if (domain == "empty.test") {
        info.kind = RankScenario::Empty;
        info.pages = 1;
    } else if (domain == "deadlink.test") {
        info.kind = RankScenario::DeadLink;
    }
    return info;
}

MiningScenarioInfo miningScenarioOf(std::string_view keyword, int defaultPages) {
    MiningScenarioInfo info;
    info.pages = defaultPages < 1 ? 1 : defaultPages;
    if (keyword == "utf8kw") {
        info.kind = MiningScenario::Utf8;
    } else if (keyword == "onepage") {
        info.kind = MiningScenario::OnePage;
        info.pages = 1;
    } else if (const auto pages = numberBetween(keyword, "bigpages", "")) {
        info.kind = MiningScenario::BigPages;
        info.pages = *pages;
    } else if (keyword == "slowkw") {
        info.kind = MiningScenario::Slow;
    }
    return info;
}

}  // namespace rankminer::sim
