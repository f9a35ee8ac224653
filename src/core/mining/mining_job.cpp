#include "mining/mining_job.h"

#include <utility>
#include <vector>

#include "mining/mining_controls.h"
#include "mining/mining_page_loop.h"
#include "mining/output_files.h"
#include "platform/waiter.h"
#include "text/gbk.h"

namespace rankminer {

MiningJob::MiningJob(JobHost& host, SiteConfig config) : host_(host), config_(std::move(config)) {}

void MiningJob::onStartClicked() {
    const MiningControls& controls = miningControls();
    if (host_.caption(controls.startButton) != miningIdleCaption()) {
        host_.setCaption(controls.startButton, miningStoppingCaption());
        state_.stopRequested = true;
        return;
    }
    if (host_.controlText(controls.seedList).empty()) {
        host_.messageBox(gbk("请先输入要挖掘的关键词列表！"));
        return;
    }
    runJob();
}

void MiningJob::runJob() {
    const MiningControls& controls = miningControls();
    state_.stopRequested = false;
    state_.diskFailure = false;
    anyFileOpened_ = false;
    host_.setCaption(controls.startButton, miningRunningCaption());
    host_.setStatusText(gbk("开始挖掘.."));
    const std::vector<std::string> seeds = splitText(host_.controlText(controls.seedList), "\r\n");
    host_.setControlText(controls.results, "");
    state_.rowsTotal = 0;
    state_.headerLine = miningHeaderLine(readMiningFields(host_));
    folder_ = withTrailingSeparator(host_.controlText(controls.folder));

    if (host_.isChecked(controls.autoSave) && !host_.isChecked(controls.perSeedFiles)) {
        openOutputFile(allResultsFilePath(folder_, currentDateTimeText(),
                                          host_.controlText(controls.extension)));
    }
    for (const std::string& seed : seeds) {
        mineSeed(seed);
        if (state_.stopRequested) {
            break;
        }
        pacedWait(readPauseMilliseconds(host_, controls.seedPause));
    }
    state_.outputFile.close();

    host_.setCaption(controls.startButton, miningIdleCaption());
    if (state_.diskFailure) {
        host_.setStatusText(anyFileOpened_ ? gbk("挖掘结束：部分结果没有保存到磁盘。")
                                           : gbk("挖掘结束：没有任何结果保存到磁盘。"));
    }
    host_.messageBox(completionMessage());
}

void MiningJob::mineSeed(const std::string& seed) {
    const MiningControls& controls = miningControls();
    state_.currentSeed = seed;
    if (host_.isChecked(controls.autoSave) && host_.isChecked(controls.perSeedFiles)) {
        openOutputFile(seedFilePath(folder_, seed, currentDateTimeText(),
                                    host_.controlText(controls.extension)));
    }
    state_.rowsThisSeed = 0;
    runMiningPageLoop(host_, config_, state_);
    if (host_.isChecked(controls.perSeedFiles)) {
        state_.outputFile.close();
    }
}

void MiningJob::openOutputFile(const std::string& path) {
    // The folder is made right before each file, so a folder removed while the
    // job runs, or auto-save switched on halfway, still gets its files.
    const bool folderReady = folder_.empty() || makeDirectoryPath(folder_);
    if (folderReady && state_.outputFile.open(path)) {
        anyFileOpened_ = true;
        return;
    }
    state_.outputFile.close();
    state_.diskFailure = true;
    host_.setStatusText((folderReady ? gbk("无法创建输出文件，结果不会保存到磁盘：")
                                     : gbk("无法创建输出目录，结果不会保存到磁盘：")) +
                        (folderReady ? path : folder_));
}

std::string MiningJob::completionMessage() const {
    std::string message =
        gbk("获取完成！总共 ") + std::to_string(state_.rowsTotal) + gbk(" 个关键词！");
    if (state_.diskFailure) {
        message += anyFileOpened_ ? gbk("部分输出文件无法创建或写入，这些结果没有保存到磁盘。")
                                  : gbk("输出目录或文件无法创建或写入，没有任何结果保存到磁盘。");
    }
    return message;
}

}  // namespace rankminer
