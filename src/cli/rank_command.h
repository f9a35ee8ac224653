#pragma once

#include <string>
#include <vector>

namespace rankminer {

// The options of `rankminer rank`, as typed (UTF-8).
struct RankOptions {
    std::string domains;      // the domain box: domains separated by "|"
    std::string domainsFile;  // read the domains from this file ("-": stdin) instead
    bool mobile = false;
    int order = 0;  // 0 position, 1 visits, 2 index
    bool dedupe = false;
    bool resolveLinks = true;
    int exportMode = 0;  // 0 csv, 1 template
    std::string lineTemplate;
    std::string outPath;  // empty: the time-stamped default
    bool save = true;
    bool ipPrompt = true;
    bool help = false;
};

struct RankOptionsResult {
    bool ok = false;
    std::string message;  // why the options are bad
    RankOptions options;
};

RankOptionsResult parseRankOptions(const std::vector<char*>& arguments);

// The headless `rank` command; the arguments follow the command word.
// Returns the process exit status.
int runRankCommand(const std::vector<char*>& arguments);

}  // namespace rankminer
