#include "cli/mine_command.h"

#include <cstdio>

namespace rankminer {

// Placeholder until the command lands; fails loudly rather than pretending.
int runMineCommand(const std::vector<char*>& /*arguments*/) {
    std::fputs("rankminer mine: not built yet\n", stderr);
    return 2;
}

}  // namespace rankminer
