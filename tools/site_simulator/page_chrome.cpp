#include "site_simulator/page_chrome.h"

#include "site_simulator/content_dice.h"
#include "text/gbk.h"

namespace rankminer::sim {

std::string pageTop(std::string_view title, std::string_view metaCharset) {
    static const std::string chrome =
        gbk("<style type=\"text/css\">\n"
            "body{margin:0;font:12px/1.6 Arial,\"微软雅黑\"}\n"
            ".nav a{color:#333;margin:0 8px}.blue{color:#1a6fd4}.gray{color:#999}\n"
            "</style>\n"
            "<script type=\"text/javascript\">\n"
            "var _site = {name: 'rank', build: 20261210};\n"
            "function openTab(u) { if (u) { window.open(u); } return false; }\n"
            "</script>\n"
            "</head>\n"
            "<body>\n"
            "<div class=\"header\"><div class=\"logo\"><img src=\"/static/logo.png\" "
            "alt=\"站长数据\"></div>\n"
            "<div class=\"nav\"><a href=\"/\">首页</a>|<a href=\"/rank/\">权重查询</a>|"
            "<a href=\"/kw/\">关键词挖掘</a>|<a href=\"/user.php\">用户中心</a></div></div>\n");
    std::string page = "<!DOCTYPE html>\n<html>\n<head>\n";
    if (!metaCharset.empty()) {
        page += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" +
                std::string(metaCharset) + "\">\n";
    }
    page += "<meta name=\"keywords\" content=\"" + escapeHtml(title) + "\">\n";
    page += "<title>" + escapeHtml(title) + "</title>\n";
    page += chrome;
    return page;
}

std::string pageBottom() {
    static const std::string footer =
        gbk("<div class=\"footer\"><p>&copy; 2026 站长数据 &nbsp;|&nbsp; "
            "<a href=\"/about.html\">关于我们</a></p></div>\n"
            "<script type=\"text/javascript\">var _stat = [];</script>\n"
            "</body>\n</html>\n");
    return footer;
}

std::string notePage(std::string_view title, std::string_view message) {
    return pageTop(title, "gb2312") + "<div class=\"tips\"><p>" + std::string(message) +
           "</p></div>\n" + pageBottom();
}

}  // namespace rankminer::sim
