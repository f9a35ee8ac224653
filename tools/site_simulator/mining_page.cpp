#include "site_simulator/mining_page.h"

#include <set>

#include "site_simulator/content_dice.h"
#include "site_simulator/mining_rows.h"
#include "site_simulator/page_chrome.h"
#include "site_simulator/scenarios.h"
#include "text/gbk.h"

namespace rankminer::sim {

namespace {
// Links to pages 2..10, to 500 when the report is longer, and to the last
// page; the client takes the highest link number as the page total.
std::string pager(std::string_view segment, int page, int pages) {
    static const std::string next = gbk("下一页");
    std::set<int> targets;
    for (int n = 2; n <= pages && n <= 10; ++n) {
        targets.insert(n);
    }
    if (pages > 500) {
        targets.insert(500);
    }
    targets.insert(pages);
    const std::string base = "/kw/" + std::string(segment) + "/";
    std::string html = "<div class=\"pager\">\n<a href=\"" + base + "1/\">1</a>\n";
    for (const int n : targets) {
        if (n > 1) {
            html += "<a href=\"" + base + std::to_string(n) + "/\">" + std::to_string(n) + "</a>\n";
        }
    }
    if (page < pages) {
        html += "<a href=\"" + base + std::to_string(page + 1) + "/\">" + next + "</a>\n";
    }
    return html + "</div>\n";
}
}  // namespace

std::string miningReportPage(std::string_view keyword, std::string_view segment, int page,
                             int rowsPerPage, int defaultPages) {
    const MiningScenarioInfo scenario = miningScenarioOf(keyword, defaultPages);
    static const std::string titleTail = gbk("的相关关键词_关键词挖掘");
    static const std::string header =
        gbk("<tr class=\"thead\"><th>关键词</th><th>搜索量</th><th>收录量</th>"
            "<th>首页第一位</th><th>首页第二位</th><th>优化难度</th></tr>\n");
    const std::string charset = scenario.kind == MiningScenario::Utf8 ? "" : "gbk";

    std::string html = pageTop(std::string(keyword) + titleTail, charset);
    // No other <tr> on the page: the client reads every row of the page, not
    // only those inside the result block.
    html += "<div class=\"ci-content\">\n<table class=\"ci-table\" width=\"100%\">\n" + header;
    if (page <= scenario.pages) {
        for (const auto& row : miningRowMarkup(keyword, page, rowsPerPage)) {
            html += row.html;
        }
    }
    html += "</table>\n</div>\n";
    if (scenario.kind != MiningScenario::OnePage && scenario.pages > 1) {
        html += pager(segment, page, scenario.pages);
    }
    return html + pageBottom();
}

}  // namespace rankminer::sim
