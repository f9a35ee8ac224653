#pragma once

// The ranking job's auto-save file: its name, its folder and its opening.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace rankminer {

// "百度排名自动保存_2017-11-08 09-05-03.csv" (".txt" when exportMode is not 0):
// the time stamp with its ":" turned into "-". GBK.
std::string autoSaveFileName(const std::tm& time, int exportMode);

// Where a time-stamped file goes, in order of preference: beside the program,
// then the documents folder, then the home folder.
std::vector<std::string> autoSaveFolders();

struct AutoSaveTarget {
    OutputFile file;   // open on success
    std::string path;  // GBK; the path opened, or the last one tried
};

// Opens the chosen path when it is not empty (used as it is), else the
// time-stamped name in the first folder of `folders` where it can be created.
// The file is created or truncated. On failure the file is not open.
AutoSaveTarget openAutoSaveFile(std::string_view chosenPath, const std::string& fileName,
                                const std::vector<std::string>& folders);

}  // namespace rankminer
