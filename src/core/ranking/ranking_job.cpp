#include "ranking/ranking_job.h"

#include "ranking/auto_save.h"
#include "ranking/line_format.h"
#include "ranking/page_loop.h"
#include "ranking/ranking_controls.h"
#include "ranking/ranking_run.h"
#include "ranking/time_stamp.h"
#include "text/gbk.h"

namespace rankminer {

RankingJob::RankingJob(JobHost& host, SiteConfig config)
    : host_(host), config_(std::move(config)) {}

RankingJob::~RankingJob() = default;

int RankingJob::rowsCollected() const {
    return run_ ? run_->rowsAdded : lastRows_;
}

bool RankingJob::savingToFile() const {
    return run_ ? run_->output.isOpen() && !run_->writeFailed : lastSaving_;
}

int RankingJob::currentPage() const {
    return run_ ? run_->currentPage : 0;
}

int RankingJob::pagesDone() const {
    return run_ ? run_->pagesDone : 0;
}

int RankingJob::totalPages() const {
    return run_ ? run_->totalPages : 0;
}

void RankingJob::onStartClicked() {
    const RankingControls& controls = rankingControls();
    const RankingCaptions& captions = rankingCaptions();
    if (host_.caption(controls.startButton) != captions.idle) {
        host_.setCaption(controls.startButton, captions.stopping);
        return;
    }
    if (host_.controlText(controls.domains).empty()) {
        host_.messageBox(rankingTexts().noDomain);
        return;
    }
    runJob();
}

void RankingJob::openOutput(RankingRun& run) {
    const RankingControls& controls = rankingControls();
    const int exportMode = host_.selectedIndex(controls.exportMode);
    AutoSaveTarget target =
        openAutoSaveFile(host_.tagText(controls.savePathButton),
                         autoSaveFileName(localTimeNow(), exportMode), autoSaveFolders());
    run.output = std::move(target.file);
    outputPath_ = run.output.isOpen() ? target.path : std::string();
    const std::string header = buildHeaderLine(host_.reportList(), exportMode,
                                               host_.controlText(controls.expression), run.format);
    if (exportMode == 0 && run.output.isOpen() && !run.output.write(header)) {
        run.writeFailed = true;
    }
}

void RankingJob::runJob() {
    const RankingControls& controls = rankingControls();
    const RankingCaptions& captions = rankingCaptions();
    const RankingTexts& texts = rankingTexts();

    run_ = std::make_unique<RankingRun>(host_, config_);
    RankingRun& run = *run_;
    outputPath_.clear();
    if (host_.isChecked(controls.autoSave)) {
        run.wantedSaving = true;
        openOutput(run);
    }

    host_.setCaption(controls.startButton, captions.running);
    run.setStatus(texts.started);

    // The domain box is read once: pieces are not trimmed, empty ones are kept.
    const std::vector<std::string> domains = splitText(host_.controlText(controls.domains), "|");
    host_.reportList().deleteAllRows();
    for (const auto& domain : domains) {
        run.domain = domain;
        run.seenKeywords.clear();
        collectDomainPages(run);
        if (host_.caption(controls.startButton) != captions.running) {
            break;
        }
    }

    host_.setCaption(controls.startButton, captions.idle);
    lastSaving_ = run.output.isOpen() && !run.writeFailed;
    const bool lostRows = run.saveFailed();
    run.output.close();
    lastRows_ = run.rowsAdded;
    run_.reset();
    host_.messageBox(lostRows ? texts.finished + "\r\n" + texts.notSaving : texts.finished);
}

}  // namespace rankminer
