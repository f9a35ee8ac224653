#include "site_simulator/rank_page.h"

#include "site_simulator/page_chrome.h"
#include "site_simulator/rank_rows.h"
#include "site_simulator/scenarios.h"
#include "text/gbk.h"

namespace rankminer::sim {

namespace {
std::string pager(const RankPageRequest& request, int pages) {
    static const std::string previous = gbk("上一页");
    static const std::string next = gbk("下一页");
    // Every page is an <a>, the current one included: the client takes the
    // number of links as the page total. Previous/next are spans so they do
    // not count.
    std::string html =
        "<div class=\"baidurank-pager\">\n<span class=\"prev\">" + previous + "</span>\n";
    RankPageRequest link = request;
    for (int n = 1; n <= pages; ++n) {
        link.page = n;
        const std::string tag = n % 4 == 3 ? "A" : "a";
        html += "<" + tag + " href=\"" + rankPagePath(link) + "\"" +
                (n == request.page ? " class=\"current\"" : "") + ">" + std::to_string(n) + "</" +
                tag + ">\n";
    }
    html += "<span class=\"next\">" + next + "</span>\n</div>\n";
    return html;
}

// A table outside the report, with the same cell classes as the report rows,
// so a parser that reads the whole page instead of the report block gets
// wrong rows.
std::string summaryTable(std::string_view domain) {
    static const std::string site = gbk("站点");
    static const std::string weight = gbk("百度权重");
    static const std::string updated = gbk("更新时间");
    return "<div class=\"summary\"><table class=\"info\">\n<tr><td class=\"title\">" + site +
           "</td><td>" + std::string(domain) + "</td></tr>\n<tr><td class=\"title\">" + weight +
           "</td><td class=\"center\"><span class=\"blue\">5</span></td></tr>\n" +
           "<tr><td class=\"title\">" + updated + "</td><td>2026-12-10</td></tr>\n</table></div>\n";
}

std::string headerRow() {
    static const std::string row =
        gbk("<tr class=\"head\"><th width=\"30%\">关键词</th>"
            "<td class=\"title\">关键词（点击排序）</td>"
            "<th><span class=\"blue\">排名</span></th><th>搜索量</th><th>收录量</th>"
            "<th>网页标题</th></tr>\n");
    return row;
}
}  // namespace

std::string rankPagePath(const RankPageRequest& request) {
    const bool slashed = request.domain.find('/') != std::string::npos;
    return std::string("/rank/") + (request.mobile ? "mobile/" : "baidu/") + request.domain +
           (slashed ? "/0/" : "/-1/0/") + std::to_string(request.page) + "/" + request.order;
}

std::string rankReportPage(const RankPageRequest& request, int rowsPerPage, int defaultPages,
                           std::string_view engineHost) {
    const RankScenarioInfo scenario = rankScenarioOf(request.domain, defaultPages);
    static const std::string titleTail = gbk("的百度关键词排名_第");
    static const std::string pageWord = gbk("页");
    static const std::string noData = gbk("暂无该站点的关键词排名数据。");
    const std::string title = request.domain + titleTail + std::to_string(request.page) + pageWord;
    const std::string charset = scenario.kind == RankScenario::Utf8 ? "utf-8" : "gb2312";

    std::string html = pageTop(title, charset);
    html += summaryTable(request.domain);
    if (scenario.kind == RankScenario::Empty) {
        html += "<div class=\"tips\"><p>" + noData + "</p></div>\n";
        return html + pageBottom();
    }
    html += "<div class=\"baidurank-list\">\n<table width=\"100%\" cellspacing=\"0\">\n";
    html += headerRow();
    if (request.page <= scenario.pages) {
        for (const auto& row : rankRowMarkup(request.domain, request.page, request.mobile,
                                             rowsPerPage, defaultPages, engineHost)) {
            html += row.html;
        }
    }
    html += "</table>\n</div>\n";
    if (scenario.kind != RankScenario::NoPager) {
        html += pager(request, scenario.pages);
    }
    return html + pageBottom();
}

std::string tooFastPage() {
    return notePage(gbk("查询提示"), gbk("您的查询太频繁了，请稍后再试！"));
}

std::string quotaPage() {
    return notePage(gbk("查询提示"),
                    gbk("您所在IP今天已经提交了太多查询，请登录后继续使用，或明天再来。"));
}

}  // namespace rankminer::sim
