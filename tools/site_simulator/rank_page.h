#pragma once

// Whole ranking report pages, as the server sends them (before any gzip or
// UTF-8 conversion).

#include <string>
#include <string_view>

namespace rankminer::sim {

struct RankPageRequest {
    bool mobile = false;
    std::string domain;
    int page = 1;
    std::string order;  // "position/1/", "ip/-1/" or "exp/-1/"
};

// The URL path of a report page ("/rank/baidu/d/-1/0/2/position/1/").
std::string rankPagePath(const RankPageRequest& request);

std::string rankReportPage(const RankPageRequest& request, int rowsPerPage, int defaultPages,
                           std::string_view engineHost);

std::string tooFastPage();
std::string quotaPage();

}  // namespace rankminer::sim
