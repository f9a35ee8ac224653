#include "ranking/ranking_run.h"

#include "ranking/ranking_controls.h"

namespace rankminer {

bool RankingRun::running() {
    return host.caption(rankingControls().startButton) == rankingCaptions().running;
}

void RankingRun::setStatus(const std::string& text) {
    host.setStatusText(saveFailed() ? text + rankingTexts().notSaving : text);
}

}  // namespace rankminer
