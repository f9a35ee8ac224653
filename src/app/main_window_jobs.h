#pragma once

// What the main window runs on behalf of its controls: the two jobs and the
// header-click sorter.

#include "mining/mining_job.h"
#include "platform/job_host.h"
#include "platform/site_config.h"
#include "ranking/ranking_job.h"
#include "report/sorting.h"

namespace rankminer {

struct MainWindowJobs {
    MainWindowJobs(JobHost& host, const SiteConfig& config)
        : ranking(host, config), mining(host, config) {}

    RankingJob ranking;
    MiningJob mining;
    HeaderSorter sorter;
};

}  // namespace rankminer
