#include "cli/rank_command.h"

#include <cstdio>

namespace rankminer {

// Placeholder until the command lands; fails loudly rather than pretending.
int runRankCommand(const std::vector<char*>& /*arguments*/) {
    std::fputs("rankminer rank: not built yet\n", stderr);
    return 2;
}

}  // namespace rankminer
