#pragma once

namespace rankminer {

// True when the arguments name a headless subcommand ("rank", "mine", "--help").
bool isHeadlessCommand(int argc, char** argv);

// Runs the headless subcommand; returns the process exit status.
int runCommandLine(int argc, char** argv);

}  // namespace rankminer
