#include "mining/mining_page_loop.h"

#include "mining/keyword_path.h"
#include "mining/mining_controls.h"
#include "mining/result_parser.h"
#include "net/page_text.h"
#include "platform/message_pump.h"
#include "platform/waiter.h"
#include "text/gbk.h"

namespace rankminer {

std::string fetchMiningPage(const SiteConfig& config, const MiningState& state, int page) {
    std::string url = miningPageUrl(config, state.currentSeed, page);
    PageTextOptions options;
    options.timeLimit = config.fetchTimeLimitSeconds;  // 0: the default limit
    return fetchPageText(url, options);
}

namespace {
std::string progressText(const MiningState& state, int pageCount) {
    static const std::string kKeyword = gbk("关键词：");
    static const std::string kPage = gbk("  当前页：");
    static const std::string kTotal = gbk("  总：");
    return kKeyword + state.currentSeed + kPage + std::to_string(state.pageNumber) + kTotal +
           std::to_string(pageCount);
}
}  // namespace

void runMiningPageLoop(JobHost& host, const SiteConfig& config, MiningState& state) {
    const MiningControls& controls = miningControls();
    std::string page = fetchMiningPage(config, state, 1);
    const int pageCount = countResultPages(page);
    state.pageNumber = 0;
    while (!state.stopRequested) {
        ++state.pageNumber;
        host.setStatusText(progressText(state, pageCount));
        if (state.pageNumber != 1) {
            page = fetchMiningPage(config, state, state.pageNumber);
        }
        parseMiningPage(
            host, state, page,
            state.pageNumber == 1 ? std::string_view(state.currentSeed) : std::string_view());
        pacedWait(readPauseMilliseconds(host, controls.pagePause));
        const long long maximum = readRowMaximum(host);
        if (maximum > 0 && state.rowsThisSeed >= maximum) {
            break;
        }
        pumpMessages();
        if (state.pageNumber >= pageCount) {
            break;
        }
    }
}

}  // namespace rankminer
