#pragma once

#include <string>
#include <string_view>

#include "mining/mining_state.h"
#include "platform/job_host.h"
#include "platform/site_config.h"

namespace rankminer {

// The keyword-mining job: the start button's handler runs the whole job,
// seed after seed, and returns when the list is done or a stop was requested.
// A click that arrives while the job runs (a nested call through the message
// pump) only requests the stop.
class MiningJob {
public:
    MiningJob(JobHost& host, SiteConfig config);

    void onStartClicked();
    // The state of the running or the last job; headerLine is what the CSV
    // export of the results uses.
    const MiningState& state() const { return state_; }

private:
    void runJob();
    void mineSeed(const std::string& seed);
    // Opens the output file in the output folder; on failure records it and
    // says so in the status bar.
    void openOutputFile(const std::string& path);
    std::string completionMessage() const;

    JobHost& host_;
    SiteConfig config_;
    MiningState state_;
    std::string folder_;  // with its trailing separator; empty: working folder
    bool anyFileOpened_ = false;
};

}  // namespace rankminer
