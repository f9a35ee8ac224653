// How late a 10 ms timer of the window fires while a job parses the 3 MB
// ranking page and while the report list sorts 100,000 rows, with the
// window's own event dispatch installed as the message pump (offscreen).
// Prints one line per workload: "<name> worst_lateness_ms <value>".

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "app/qt_waiter.h"
#include "cli/headless_host.h"
#include "peer_pages.h"
#include "platform/report_list.h"
#include "ranking/ranking_controls.h"
#include "ranking/ranking_run.h"
#include "ranking/table_parser.h"
#include "report/sorting.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::milliseconds(10);

// Worst lateness of the ticking timer while `work` runs inside the event loop.
double worstLatenessMs(const std::function<void()>& work) {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    Clock::time_point expected = Clock::now() + kTick;
    double worst = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        worst = std::max(worst, std::chrono::duration<double, std::milli>(now - expected).count());
        expected = now + kTick;
    });
    timer.start(kTick);
    QTimer::singleShot(20, [&] {
        expected = Clock::now() + kTick;  // the timer restarts its count at its last firing
        work();
        // A firing held back by the work still has to happen to be counted.
        QTimer::singleShot(3 * kTick, [] { QCoreApplication::quit(); });
    });
    QCoreApplication::exec();
    timer.stop();
    return worst;
}

void parseLargePage() {
    rankminer::HeadlessHost host;
    host.onStatus = [](std::string_view) {};
    host.setCaption(rankminer::rankingControls().startButton, rankminer::rankingCaptions().running);
    const rankminer::SiteConfig config = rankminer::SiteConfig::defaults();
    rankminer::RankingRun run(host, config);
    run.domain = "www.example.com";
    int rowCounter = 0;
    rankminer::parseRankTable(rankminer::bench::rankingPage(rankminer::bench::PageSize::Large),
                              rowCounter, run);
}

rankminer::MemoryReportList manyRows() {
    rankminer::MemoryReportList list;
    unsigned state = 7;
    for (int r = 0; r < 100'000; ++r) {
        state = state * 1103515245u + 12345u;
        const int row = list.appendRow(std::to_string(r + 1));
        list.setCellText(row, 2, "seo" + std::to_string(state >> 8));
    }
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    rankminer::installQtEventDispatch();
    rankminer::bench::rankingPage(rankminer::bench::PageSize::Large);  // built before timing
    std::printf("parse_3mb_page worst_lateness_ms %.2f\n", worstLatenessMs(parseLargePage));
    rankminer::MemoryReportList list = manyRows();  // filled before timing
    std::printf("sort_100000_rows worst_lateness_ms %.2f\n", worstLatenessMs([&list] {
                    rankminer::sortReportList(list, 2, true, rankminer::SortKind::Text);
                }));
    return 0;
}
