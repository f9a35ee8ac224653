#include "ranking/rank_page_url.h"

#include "text/html_extractor.h"

namespace rankminer {

std::string rankPageUrl(std::string_view rankUrl, bool mobile, std::string_view domain, int page,
                        int orderIndex) {
    std::string url(rankUrl);
    url += mobile ? "mobile/" : "baidu/";
    url += domain;
    url += domain.find('/') == std::string_view::npos ? "/-1/0/" : "/0/";
    url += std::to_string(page);
    url += '/';
    switch (orderIndex) {
        case 1:
            url += "ip/-1/";
            break;
        case 2:
            url += "exp/-1/";
            break;
        default:
            url += "position/1/";
            break;
    }
    return url;
}

int rankPagerCount(std::string_view pageText) {
    if (pageText.empty()) {
        return 0;
    }
    HtmlExtractor extractor;
    const std::string pager = extractor.findElement(pageText, "div", "class", "baidurank-pager");
    if (pager.empty()) {
        return 0;
    }
    return extractor.countElements(pager, "a");
}

}  // namespace rankminer
