#pragma once

// The ranking job: the handler of the start button 按钮开始采集. It runs the
// whole job inside the click and keeps the window alive by pumping messages;
// a click arriving meanwhile reaches the handler again and only turns the
// caption into "停止中", which the running job notices between pages and rows.

#include <memory>
#include <string>

#include "platform/job_host.h"
#include "platform/site_config.h"

namespace rankminer {

struct RankingRun;

class RankingJob {
public:
    RankingJob(JobHost& host, SiteConfig config);
    ~RankingJob();
    RankingJob(const RankingJob&) = delete;
    RankingJob& operator=(const RankingJob&) = delete;

    // Starts a job when the caption is "开始采集"; otherwise a stop request.
    void onStartClicked();

    // GBK path of the auto-save file of the last or current job; "" when
    // auto-save was off.
    const std::string& outputPath() const { return outputPath_; }
    // True while (or, after the job, when) rows went to the file whole.
    bool savingToFile() const;
    // Rows added to the report list by the last or current job.
    int rowsCollected() const;
    // Progress of the current domain (0 when idle or before page 1): the page
    // being worked on, the pages finished and the pager's total (0: no pager).
    int currentPage() const;
    int pagesDone() const;
    int totalPages() const;
    const SiteConfig& config() const { return config_; }

private:
    void runJob();
    void openOutput(RankingRun& run);

    JobHost& host_;
    SiteConfig config_;
    std::unique_ptr<RankingRun> run_;
    std::string outputPath_;
    bool lastSaving_ = false;
    int lastRows_ = 0;
};

}  // namespace rankminer
