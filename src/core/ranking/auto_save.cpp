#include "ranking/auto_save.h"

#include "ranking/ranking_controls.h"
#include "ranking/time_stamp.h"
#include "text/gbk.h"

namespace rankminer {

std::string autoSaveFileName(const std::tm& time, int exportMode) {
    const std::string stamp = replaceAllText(timeStampText(time), ":", "-");
    return rankingTexts().autoSavePrefix + stamp + (exportMode != 0 ? ".txt" : ".csv");
}

std::vector<std::string> autoSaveFolders() {
    std::vector<std::string> folders;
    for (std::string folder : {programDirectory(), documentsDirectory(), homeDirectory()}) {
        if (folder.empty()) {
            continue;
        }
        bool known = false;
        for (const auto& other : folders) {
            known = known || other == folder;
        }
        if (!known) {
            folders.push_back(std::move(folder));
        }
    }
    return folders;
}

AutoSaveTarget openAutoSaveFile(std::string_view chosenPath, const std::string& fileName,
                                const std::vector<std::string>& folders) {
    AutoSaveTarget target;
    if (!chosenPath.empty()) {
        target.path = std::string(chosenPath);
        target.file.open(target.path);
        return target;
    }
    for (const auto& folder : folders) {
        target.path = folder + "/" + fileName;
        if (target.file.open(target.path)) {
            return target;
        }
    }
    return target;
}

}  // namespace rankminer
