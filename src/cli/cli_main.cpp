#include "cli/cli_main.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/mine_command.h"
#include "cli/rank_command.h"

namespace rankminer {

namespace {
void printUsage(std::FILE* out) {
    std::fputs(
        "usage: rankminer                 start the window\n"
        "       rankminer rank [options]  collect the ranking report of domains\n"
        "       rankminer mine [options]  mine related keywords of seed keywords\n"
        "Run `rankminer rank --help` or `rankminer mine --help` for the options.\n",
        out);
}
}  // namespace

bool isHeadlessCommand(int argc, char** argv) {
    if (argc < 2) {
        return false;
    }
    const std::string_view command = argv[1];
    return command == "rank" || command == "mine" || command == "--help" || command == "-h";
}

int runCommandLine(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string_view command = argv[1];
    std::vector<char*> rest(argv + 2, argv + argc);
    if (command == "rank") {
        return runRankCommand(rest);
    }
    if (command == "mine") {
        return runMineCommand(rest);
    }
    if (command == "--help" || command == "-h") {
        printUsage(stdout);
        return 0;
    }
    std::fprintf(stderr, "rankminer: unknown command '%.*s'\n", static_cast<int>(command.size()),
                 command.data());
    printUsage(stderr);
    return 2;
}

}  // namespace rankminer
