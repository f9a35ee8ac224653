#include "ranking/table_parser.h"

#include "net/redirect.h"
#include "platform/message_pump.h"
#include "ranking/ranking_controls.h"
#include "text/cleanup.h"
#include "text/gbk.h"
#include "text/html_extractor.h"
#include "text/regex_helper.h"
#include "text/tag_stripper.h"

namespace rankminer {

namespace {

struct RowExpressions {
    RegexHelper tagStripper;
    RegexHelper keywordTail;
};

std::string keywordOf(std::string_view row, HtmlExtractor& extractor,
                      const RowExpressions& expressions) {
    std::string keyword = extractor.findElement(row, "td", "class", "title");
    keyword = stripTagsAndLineBreaks(keyword, expressions.tagStripper);
    keyword = expressions.keywordTail.replace(keyword, "");
    RegexHelper trimmer;
    return trimSpaces(keyword, 2, trimmer);
}

// The first link's inner text inside the index-th "center" cell (1-based).
std::string centerCellValue(std::string_view row, int index, HtmlExtractor& extractor,
                            const RowExpressions& expressions) {
    const std::string cell = extractor.findElement(row, "td", "class", "center", index);
    std::string value = extractor.findElement(cell, "a", {}, {}, 0, true);
    value = stripTagsAndLineBreaks(value, expressions.tagStripper);
    return cleanCell(decodeEntities(value));
}

std::string linkTarget(const std::string& href, RankingRun& run) {
    if (!run.host.isChecked(rankingControls().resolveLinks) ||
        !containsKeyword(href, run.config.redirectPrefixes())) {
        return href;
    }
    std::string target = resolveRedirect(href);
    return target.empty() ? href : target;
}

void addRow(std::string_view row, const std::string& keyword, int rowCounter,
            HtmlExtractor& extractor, const RowExpressions& expressions, RankingRun& run) {
    const RankingControls& controls = rankingControls();
    ReportList& list = run.host.reportList();
    const int current = list.appendRow(std::to_string(rowCounter));
    list.setCellText(current, 1, cleanCell(run.domain));
    list.setCellText(current, 2, cleanCell(keyword));

    std::string rank = extractor.findElement(row, "span", "class", "blue");
    list.setCellText(current, 3, cleanCell(stripTagsAndLineBreaks(rank, expressions.tagStripper)));
    list.setCellText(current, 4, centerCellValue(row, 2, extractor, expressions));
    if (!run.host.isChecked(controls.mobile)) {
        list.setCellText(current, 5, centerCellValue(row, 3, extractor, expressions));
    }
    list.ensureVisible(list.rowCount() - 1);

    const std::string link = extractor.findElement(row, "a", "name", "baiduLink");
    static const std::string fullWidthComma = gbk("，");
    std::string title = stripTagsAndLineBreaks(link, expressions.tagStripper);
    title = replaceAllText(title, ",", fullWidthComma);
    list.setCellText(current, 6, cleanCell(title));
    const std::string href = HtmlExtractor::attributeValue(link, "href");
    list.setCellText(current, 7, cleanCell(linkTarget(href, run)));
    ++run.rowsAdded;

    if (run.host.isChecked(controls.autoSave) && run.output.isOpen()) {
        if (!run.output.write(formatRow(list, current, run.format))) {
            run.writeFailed = true;
        }
    }
}

}  // namespace

bool containsKeyword(std::string_view text, std::string_view keywords, std::string_view separator) {
    for (const auto& keyword : splitText(keywords, separator)) {
        if (!keyword.empty() && containsText(text, keyword, true)) {
            return true;
        }
    }
    return false;
}

void parseRankTable(std::string_view pageText, int& rowCounter, RankingRun& run) {
    HtmlExtractor extractor;
    RowExpressions expressions;
    expressions.tagStripper.compile("<[\\s\\S]+?>|\\r\\n|\\r|\\n");
    static const std::string keywordTailPattern = gbk("此关键词包含:.+");
    expressions.keywordTail.compile(keywordTailPattern);

    const std::string table = extractor.findElement(pageText, "div", "class", "baidurank-list");
    if (table.empty()) {
        return;
    }
    const int rows = extractor.collectElements(table, "tr");
    for (int i = 1; i <= rows; ++i) {
        if (!run.running()) {
            return;
        }
        if (i == 1) {
            continue;  // the table's header
        }
        const std::string row = extractor.elementAt(i);
        if (row.empty()) {
            pumpMessagesNow();
            continue;
        }
        ++rowCounter;
        const std::string keyword = keywordOf(row, extractor, expressions);
        if (run.host.isChecked(rankingControls().dedupe) &&
            !run.seenKeywords.insert(keyword).second) {
            continue;
        }
        addRow(row, keyword, rowCounter, extractor, expressions, run);
        pumpMessagesNow();
    }
}

}  // namespace rankminer
