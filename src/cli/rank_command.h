#pragma once

#include <vector>

namespace rankminer {

// The headless `rank` command; the arguments follow the command word.
// Returns the process exit status.
int runRankCommand(const std::vector<char*>& arguments);

}  // namespace rankminer
