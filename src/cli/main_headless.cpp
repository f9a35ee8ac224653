#include <cstdio>

#include "cli/cli_main.h"

// The executable of a build without Qt: the headless commands only.
int main(int argc, char** argv) {
    if (!rankminer::isHeadlessCommand(argc, argv)) {
        std::fputs(
            "rankminer: this build has no window; use `rankminer rank` or `rankminer mine`\n",
            stderr);
        return 2;
    }
    return rankminer::runCommandLine(argc, argv);
}
