#include "ranking/page_loop.h"

#include <algorithm>

#include "net/decode.h"
#include "net/fetch.h"
#include "platform/message_pump.h"
#include "platform/waiter.h"
#include "ranking/rank_page_url.h"
#include "ranking/ranking_controls.h"
#include "ranking/table_parser.h"
#include "text/gbk.h"

namespace rankminer {

namespace {
constexpr long long kPauseAfterRequestMs = 3000;
constexpr long long kPauseAfterTooManyQueriesMs = 10000;

// The paced waits are not cut short by a stop request: the pause protects
// the site and the client address whatever the user does.
void pause(const RankingRun& run, long long milliseconds) {
    pacedWait(run.config.scaledPause(milliseconds));
}

std::string withoutZeroBytes(std::string body) {
    body.erase(std::remove(body.begin(), body.end(), '\0'), body.end());
    return body;
}

// True when the user wants the same page again after a daily-quota answer.
bool retryAfterQuota(RankingRun& run) {
    const RankingControls& controls = rankingControls();
    run.host.setBrowserAddress(run.pageUrl);
    run.host.selectTabPage(2);
    if (!run.host.isChecked(controls.ipPrompt)) {
        return true;
    }
    const MessageAnswer answer =
        run.host.messageBox(rankingTexts().quotaPrompt, MessageButtons::OkCancel);
    if (answer == MessageAnswer::Cancel) {
        run.host.setCaption(controls.startButton, rankingCaptions().stopping);
        return false;
    }
    return true;
}
}  // namespace

std::string fetchRankPage(RankingRun& run, int page) {
    const RankingControls& controls = rankingControls();
    const RankingTexts& texts = rankingTexts();
    for (;;) {
        pumpMessagesNow();
        run.pageUrl = rankPageUrl(run.config.rankUrl, run.host.isChecked(controls.mobile),
                                  run.domain, page, run.host.selectedIndex(controls.order));
        std::string url = run.pageUrl;
        FetchOptions options;
        if (run.config.fetchTimeLimitSeconds > 0) {
            options.timeLimitSeconds = run.config.fetchTimeLimitSeconds;
        }
        const std::string text = decodePage(withoutZeroBytes(fetchPage(url, options)));
        pause(run, kPauseAfterRequestMs);

        if (containsText(text, texts.tooManyQueries)) {
            run.host.beep();
            pause(run, kPauseAfterTooManyQueriesMs);
        } else if (containsText(text, texts.dailyQuota)) {
            if (!retryAfterQuota(run)) {
                return text;
            }
        } else {
            return text;
        }
        // A rate-limit answer: the same page again, unless the user asked to
        // stop meanwhile (a site that keeps answering so would hold the job).
        if (!run.running()) {
            return text;
        }
    }
}

void collectDomainPages(RankingRun& run) {
    std::string pageText = fetchRankPage(run, 1);
    run.totalPages = rankPagerCount(pageText);
    run.currentPage = 0;
    run.pagesDone = 0;
    int rowCounter = 0;
    do {
        if (!run.running()) {
            break;
        }
        ++run.currentPage;
        static const std::string domainLabel = gbk("域名：");
        static const std::string pageLabel = gbk("  当前页：");
        static const std::string totalLabel = gbk("  总：");
        run.setStatus(domainLabel + run.domain + pageLabel + std::to_string(run.currentPage) +
                      totalLabel + std::to_string(run.totalPages));
        if (run.currentPage != 1) {
            pageText = fetchRankPage(run, run.currentPage);
        }
        parseRankTable(pageText, rowCounter, run);
        run.pagesDone = run.currentPage;
        ReportList& list = run.host.reportList();
        list.ensureVisible(list.rowCount() - 1);
        pumpMessagesNow();
    } while (run.currentPage < run.totalPages);
}

}  // namespace rankminer
