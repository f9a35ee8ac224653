#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace rankminer {

// The mining job's state, shared by the driver, the page loop and the parser.
// It outlives a job: headerLine stays for the export of the results box.
struct MiningState {
    bool stopRequested = false;
    std::int32_t rowsTotal = 0;
    std::int32_t rowsThisSeed = 0;
    std::string currentSeed;
    std::int32_t pageNumber = 0;
    // Not open when auto-save is off or the file could not be created; a
    // write then does nothing.
    OutputFile outputFile;
    std::string headerLine;
    // Some output folder or file of the current job could not be created or
    // written, so rows are missing on disk.
    bool diskFailure = false;
};

}  // namespace rankminer
