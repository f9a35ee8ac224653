#pragma once

// The state of one ranking job, shared by its driver, page loop and table
// parser, alive for one click of the start button.

#include <string>
#include <unordered_set>

#include "platform/files.h"
#include "platform/job_host.h"
#include "platform/site_config.h"
#include "ranking/line_format.h"

namespace rankminer {

struct RankingRun {
    RankingRun(JobHost& jobHost, const SiteConfig& siteConfig)
        : host(jobHost), config(siteConfig) {}

    JobHost& host;
    const SiteConfig& config;

    std::string domain;                            // the domain being collected
    std::unordered_set<std::string> seenKeywords;  // of the current domain
    int currentPage = 0;
    int totalPages = 0;
    int pagesDone = 0;    // pages of the current domain handed to the parser
    std::string pageUrl;  // of the last request

    OutputFile output;  // open while rows are saved
    LineFormat format;
    bool wantedSaving = false;  // auto-save was on, but the file could not be created
    bool writeFailed = false;   // a row line did not reach the file
    int rowsAdded = 0;

    // The stop signal is the start button's caption: anything but "停止".
    bool running();
    // Status texts get the "not saving" notice while rows are meant for a
    // file that could not be created, so the loss is never silent.
    void setStatus(const std::string& text);
    bool saveFailed() const { return wantedSaving && (!output.isOpen() || writeFailed); }
};

}  // namespace rankminer
