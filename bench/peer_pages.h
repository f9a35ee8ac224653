#pragma once

// The pages the peer comparison runs on, built once per process and the same
// on every run: the simulator's report pages, padded with page chrome
// (navigation, styles, scripts, side boxes, other tables) up to a target size.

#include <string>

#include "site_simulator/mining_page.h"
#include "site_simulator/rank_page.h"
#include "text/gbk.h"

namespace rankminer::bench {

enum class PageSize { Small, Large };  // ~300 KB with 20 rows, ~3 MB with 2,000 rows

inline int rowsOf(PageSize size) {
    return size == PageSize::Small ? 20 : 2000;
}
inline std::size_t bytesOf(PageSize size) {
    return size == PageSize::Small ? 300'000 : 3'000'000;
}

// Chrome of about `bytes` bytes. Tables are left out where the parser reads
// every row of the page, so that every peer extracts the same rows.
inline std::string pageChrome(std::size_t bytes, bool withTables) {
    static const std::string menu = gbk("网站首页");
    static const std::string text = gbk("关键词排名查询，收录量&amp;搜索量统计&nbsp;工具。");
    std::string chrome = "<style type=\"text/css\">.side{float:right}td.x{width:30%}</style>\n";
    unsigned state = 20240611u;
    int piece = 0;
    while (chrome.size() < bytes) {
        state = state * 1103515245u + 12345u;
        const std::string number = std::to_string((state >> 16) % 100000);
        switch (piece++ % (withTables ? 5 : 4)) {
            case 0:
                chrome += "<UL class='menu'><li><a href=/m/" + number + ">" + menu +
                          "</a></li><LI><A HREF=\"/n/" + number + "\">" + menu + "</A></LI></UL>\n";
                break;
            case 1:
                chrome += "<DIV class = \"side box\"><p>" + text + "</p><div class=inner>" + text +
                          "&#20320;&#x597d;</div></DIV>\n";
                break;
            case 2:
                chrome += "<script type=\"text/javascript\">var a" + number +
                          "='<div class=\"x\">'+1+'</div>';if(a" + number +
                          ".length<3){document.write(a" + number + ");}</script>\n";
                break;
            case 3:
                chrome += "<dl><dt>" + menu + "</dt><dd><span class=\"gray\">" + text +
                          "</span></dd></dl>\n";
                break;
            default:
                chrome += "<table class=\"stat\"><tr><td>" + number + "</td><td>" + text +
                          "</td></tr></table>\n";
        }
    }
    return chrome;
}

// Inserts chrome before the report block and a tenth of it before the body's end.
inline std::string padded(std::string page, std::string_view marker, std::size_t target,
                          bool withTables) {
    if (page.size() >= target) {
        return page;
    }
    const std::size_t missing = target - page.size();
    const std::size_t body = page.rfind("</body>");
    if (body != std::string::npos) {
        page.insert(body, pageChrome(missing / 10, withTables));
    }
    const std::size_t at = page.find(marker);
    const std::size_t divStart = at == std::string::npos ? 0 : page.rfind("<div", at);
    page.insert(divStart == std::string::npos ? 0 : divStart,
                pageChrome(missing - missing / 10, withTables));
    return page;
}

inline const std::string& rankingPage(PageSize size) {
    static const auto build = [](PageSize s) {
        sim::RankPageRequest request;
        request.domain = "www.example.com";
        request.order = "position/1/";
        return padded(sim::rankReportPage(request, rowsOf(s), 1, "127.0.0.1:1"), "baidurank-list",
                      bytesOf(s), true);
    };
    static const std::string small = build(PageSize::Small);
    static const std::string large = build(PageSize::Large);
    return size == PageSize::Small ? small : large;
}

inline const std::string& miningPage(PageSize size) {
    static const auto build = [](PageSize s) {
        return padded(sim::miningReportPage("seo", "seo", 1, rowsOf(s), 1), "ci-content",
                      bytesOf(s), false);
    };
    static const std::string small = build(PageSize::Small);
    static const std::string large = build(PageSize::Large);
    return size == PageSize::Small ? small : large;
}

}  // namespace rankminer::bench
