#pragma once

// The mining page's controls by their design names (GBK), and the options the
// job reads from them.

#include <string>

#include "platform/job_host.h"

namespace rankminer {

struct MiningControls {
    std::string startButton;
    std::string seedList;
    std::string volumeBox;
    std::string indexedBox;
    std::string firstBox;
    std::string secondBox;
    std::string difficultyBox;
    std::string maximumRows;
    std::string results;
    std::string autoSave;
    std::string folder;
    std::string extension;
    std::string perSeedFiles;
    std::string keepEmptyKeyword;
    std::string pagePause;
    std::string seedPause;
};

const MiningControls& miningControls();

// The start button's captions: idle, running, stopping.
const std::string& miningIdleCaption();
const std::string& miningRunningCaption();
const std::string& miningStoppingCaption();

// Which optional fields follow the keyword in a result line.
struct MiningFields {
    bool volume = false;
    bool indexed = false;
    bool first = false;
    bool second = false;
    bool difficulty = false;
};

MiningFields readMiningFields(JobHost& host);

// "关键词" and the names of the chosen fields, comma-separated, in line order.
std::string miningHeaderLine(const MiningFields& fields);

// The leading integer of 编辑框限定数量; 0 or less means no maximum.
long long readRowMaximum(JobHost& host);
// A pause box (seconds, decimals allowed) in whole milliseconds; 0 for no number.
long long readPauseMilliseconds(JobHost& host, const std::string& box);

}  // namespace rankminer
