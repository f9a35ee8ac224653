#pragma once

#include <vector>

namespace rankminer {

// The headless `mine` command; the arguments follow the command word.
// Returns the process exit status.
int runMineCommand(const std::vector<char*>& arguments);

}  // namespace rankminer
