// Cost of cutting a ranking report page into rows and cells, on a page of
// about 300 KB with 20 rows and one of about 3 MB with 2000 rows. Bytes per
// second are reported for both, so time per megabyte shows whether the cost
// grows linearly with the page.

#include <benchmark/benchmark.h>

#include <string>

#include "text/cleanup.h"
#include "text/gbk.h"
#include "text/html_extractor.h"
#include "text/regex_helper.h"

namespace rankminer {
namespace {

// Deterministic pseudo-random numbers so every run measures the same page.
class Sequence {
public:
    unsigned next(unsigned bound) {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 16) % bound;
    }

private:
    unsigned state_ = 20240611u;
};

std::string quoted(Sequence& sequence, const std::string& value) {
    switch (sequence.next(3)) {
        case 0:
            return "\"" + value + "\"";
        case 1:
            return "'" + value + "'";
        default:
            return value;
    }
}

// "=" with or without blanks around it, as pages write it.
std::string equalsSign(Sequence& sequence) {
    return sequence.next(4) == 0 ? " = " : "=";
}

std::string pageChrome(Sequence& sequence, std::size_t bytes) {
    static const std::string menuText = gbk("网站首页");
    static const std::string paragraph = gbk("关键词排名查询，收录量&amp;搜索量统计。");
    std::string chrome =
        "<html><head><meta charset=gbk><style>.nav{color:#333}td.title{width:30%}"
        "</style><script>var rows=[];for(var i=0;i<9;i++){rows.push('<tr>'+i+'</tr>');}"
        "</script></head><BODY><div class=\"nav\"><ul>";
    while (chrome.size() < bytes) {
        switch (sequence.next(4)) {
            case 0:
                chrome += "<li><a href=" + quoted(sequence, "/m/" + std::to_string(chrome.size())) +
                          ">" + menuText + "</a></li>";
                break;
            case 1:
                chrome += "<DIV class" + equalsSign(sequence) + quoted(sequence, "box side") +
                          "><p>" + paragraph + "</p><div class=inner>" + paragraph + "</div></DIV>";
                break;
            case 2:
                chrome += "<table class=\"stat\"><tr><td>1</td><td>" + paragraph +
                          "</td></tr><tr><td>2</td><td>&#20320;</td></tr></table>";
                break;
            default:
                chrome += "<script type=\"text/javascript\">document.write('<div>'+" +
                          std::to_string(sequence.next(1000)) + "+'</div>');</script>";
                break;
        }
    }
    return chrome + "</ul></div>";
}

std::string reportRow(Sequence& sequence, int number) {
    static const std::string keyword = gbk("上海装修公司");
    static const std::string label = gbk("此关键词包含:");
    static const std::string title = gbk("上海装修&amp;设计 — 官网");
    std::string row = "<tr>\r\n  <td class" + equalsSign(sequence) + "\"title\">\r\n    " +
                      keyword + std::to_string(number) + "<br/>" + label + "a,b\r\n  </td>\r\n";
    row +=
        "  <td><span class=\"blue\">" + std::to_string(1 + sequence.next(50)) + "</span></td>\r\n";
    for (int cell = 0; cell < 3; ++cell) {
        row += "  <TD class" + equalsSign(sequence) + quoted(sequence, "center") + "><a href='/k/" +
               std::to_string(number) + "'>" + std::to_string(sequence.next(100000)) +
               "&nbsp;</a></TD>\r\n";
    }
    row += "  <td><a name=\"baiduLink\" href='http://www.example.com/link?url=" +
           std::to_string(sequence.next(1000000)) + "&amp;wd=" + std::to_string(number) +
           "' target=_blank>" + title + "</a></td>\r\n";
    if (number % 10 == 0) {
        row += "  <td><table class=\"inner\"><tr><td>" + keyword +
               "</td></tr><tr><td>&#x4E2D;</td></tr></table></td>\r\n";
    }
    // Filler that pages carry per row (hidden detail blocks), so rows have a
    // realistic size.
    row += "  <td class=\"hide\"><div style=\"display:none\">";
    while (row.size() < 1350) {
        row += "<span title=\"" + keyword + "\">" + title + "</span>";
    }
    return row + "</div></td>\r\n</tr>\r\n";
}

std::string reportPage(std::size_t chromeBytes, int rows) {
    Sequence sequence;
    std::string page = pageChrome(sequence, chromeBytes / 2);
    page += "<div class=\"baidurank-list\"><table><tr><th>keyword</th><th>rank</th></tr>\r\n";
    for (int i = 1; i <= rows; ++i) {
        page += reportRow(sequence, i);
    }
    page += "</table></div>";
    page += pageChrome(sequence, chromeBytes / 2);
    return page + "</BODY></html>";
}

// The same page chrome (about 290 KB) around 20, 200 or 2000 rows: the
// 20-row page is about 300 KB, the 2000-row page about 2.5 MB.
const std::string& pageFor(const benchmark::State& state) {
    static const std::string pages[] = {
        reportPage(290 * 1024, 20),
        reportPage(290 * 1024, 200),
        reportPage(290 * 1024, 2000),
    };
    return pages[state.range(0)];
}

void reportSize(benchmark::State& state, const std::string& page) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
    state.counters["page_kb"] = static_cast<double>(page.size()) / 1024.0;
}

// The cuts the ranking parser makes: the list, its rows, every cell of a row.
void extractRows(benchmark::State& state) {
    const std::string& page = pageFor(state);
    for (auto _ : state) {
        HtmlExtractor extractor;
        const std::string list = extractor.findElement(page, "div", "class", "baidurank-list");
        const int rows = extractor.collectElements(list, "tr");
        std::size_t found = 0;
        for (int i = 2; i <= rows; ++i) {
            const std::string row = extractor.elementAt(i);
            found += extractor.findElement(row, "td", "class", "title").size();
            found += extractor.findElement(row, "span", "class", "blue").size();
            for (int cell = 1; cell <= 3; ++cell) {
                const std::string center =
                    extractor.findElement(row, "td", "class", "center", cell);
                found += extractor.findElement(center, "a", {}, {}, 0, true).size();
            }
            const std::string link = extractor.findElement(row, "a", "name", "baiduLink");
            found += HtmlExtractor::attributeValue(link, "href").size();
        }
        benchmark::DoNotOptimize(found);
    }
    reportSize(state, page);
}

// The same cuts with the cleanup every cell gets before it reaches the list.
void extractAndCleanRows(benchmark::State& state) {
    const std::string& page = pageFor(state);
    static const std::string keywordTail = gbk("此关键词包含:.+");
    for (auto _ : state) {
        HtmlExtractor extractor;
        RegexHelper tagStripper;
        tagStripper.compile("<[\\s\\S]+?>|\\r\\n|\\r|\\n");
        RegexHelper labelStripper;
        labelStripper.compile(keywordTail);
        const std::string list = extractor.findElement(page, "div", "class", "baidurank-list");
        const int rows = extractor.collectElements(list, "tr");
        std::size_t kept = 0;
        for (int i = 2; i <= rows; ++i) {
            const std::string row = extractor.elementAt(i);
            std::string keyword = extractor.findElement(row, "td", "class", "title");
            keyword = labelStripper.replace(tagStripper.replace(keyword, ""), "");
            RegexHelper trimmer;
            kept += cleanCell(trimSpaces(keyword, 2, trimmer)).size();
            kept += cleanCell(tagStripper.replace(
                                  extractor.findElement(row, "span", "class", "blue"), ""))
                        .size();
            for (int cell = 2; cell <= 3; ++cell) {
                const std::string center =
                    extractor.findElement(row, "td", "class", "center", cell);
                const std::string value = extractor.findElement(center, "a", {}, {}, 0, true);
                kept += cleanCell(decodeEntities(tagStripper.replace(value, ""))).size();
            }
            const std::string link = extractor.findElement(row, "a", "name", "baiduLink");
            kept += cleanCell(tagStripper.replace(link, "")).size();
            kept += cleanCell(HtmlExtractor::attributeValue(link, "href")).size();
        }
        benchmark::DoNotOptimize(kept);
    }
    reportSize(state, page);
}

// Argument: 0 for 20 rows, 1 for 200, 2 for 2000. Linear cost shows as the
// same time per added row between the three.
BENCHMARK(extractRows)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(extractAndCleanRows)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rankminer

BENCHMARK_MAIN();
