#include "mining/result_parser.h"

#include "mining/character_references.h"
#include "platform/message_pump.h"
#include "text/cleanup.h"
#include "text/gbk.h"
#include "text/tag_stripper.h"

namespace rankminer {

MiningCellCleaners::MiningCellCleaners() {
    tags.compile("<[\\s\\S]+?>");
    spaces.compile("\\s+");
    lineTrimmer.compile(gbk("^[　 \\t]*$(\\r\\n)|^[ 　\\t]+|[ 　\\t]+$|\\r\\n|\\r|\\n"));
}

namespace {

// Every match of the line trimmer holds a blank, a tab, a line break or a
// full-width space (bytes A1 A1), so a text without those bytes stays as it is.
bool mayNeedLineTrimming(std::string_view text) {
    return text.find_first_of(" \t\r\n\xA1") != std::string_view::npos;
}

std::string cleanTextCell(const MiningCellCleaners& cleaners, std::string_view cell) {
    std::string text = stripTags(cell, cleaners.tags);
    if (!mayNeedLineTrimming(text)) {
        return text;
    }
    return cleaners.lineTrimmer.replace(text, "");
}

std::string cleanNumberCell(const MiningCellCleaners& cleaners, std::string_view cell) {
    return decodeCharacterReferences(cleanTextCell(cleaners, cell));
}

// A position cell links the result: its text without commas, tags or blanks.
std::string cleanPositionCell(const MiningCellCleaners& cleaners, std::string_view cell) {
    const std::string withoutCommas = replaceAllText(cell, ",", "");
    return removeBlanks(stripTags(decodeEntities(withoutCommas), cleaners.tags), cleaners.spaces);
}

}  // namespace

std::string resultLineOfRow(HtmlExtractor& extractor, std::string_view row,
                            const MiningFields& fields, const MiningCellCleaners& cleaners,
                            std::string_view emptyKeywordStandIn) {
    std::string line = cleanTextCell(cleaners, extractor.findElement(row, "td", "class", "title"));
    if (line.empty()) {
        line = emptyKeywordStandIn;
    }
    if (fields.volume) {
        line += ',';
        line += cleanNumberCell(cleaners, extractor.findElement(row, "span", "class", "blue"));
    }
    if (fields.indexed) {
        line += ',';
        line += cleanNumberCell(cleaners, extractor.findElement(row, "td", "class", "level"));
    }
    if (fields.first) {
        line += ',';
        line += cleanPositionCell(cleaners, extractor.findElement(row, "td", "class", "url", 1));
    }
    if (fields.second) {
        line += ',';
        line += cleanPositionCell(cleaners, extractor.findElement(row, "td", "class", "url", 2));
    }
    if (fields.difficulty) {
        const std::string inner = extractor.findElement(row, "td", "class", "level", 2, true);
        line += ',';
        line += HtmlExtractor::attributeValue(inner, "class");
    }
    return line;
}

void parseMiningPage(JobHost& host, MiningState& state, std::string_view page,
                     std::string_view firstPageKeyword) {
    const MiningControls& controls = miningControls();
    const MiningCellCleaners cleaners;
    HtmlExtractor extractor;
    if (extractor.findElement(page, "div", "class", "ci-content").empty()) {
        return;
    }
    const int rowCount = extractor.collectElements(page, "tr");
    for (int i = 1; i <= rowCount; ++i) {
        if (state.stopRequested) {
            return;
        }
        const std::string row = i == 1 ? std::string() : extractor.elementAt(i);
        if (!row.empty()) {
            const bool keepSeed =
                !firstPageKeyword.empty() && host.isChecked(controls.keepEmptyKeyword);
            std::string line = resultLineOfRow(extractor, row, readMiningFields(host), cleaners,
                                               keepSeed ? firstPageKeyword : std::string_view());
            line += "\r\n";
            host.appendControlText(controls.results, line);
            if (host.isChecked(controls.autoSave) && state.outputFile.isOpen() &&
                !state.outputFile.write(line)) {
                state.diskFailure = true;
            }
            ++state.rowsTotal;
            ++state.rowsThisSeed;
            const long long maximum = readRowMaximum(host);
            if (maximum > 0 && state.rowsThisSeed >= maximum) {
                return;
            }
        }
        pumpMessages();
    }
}

}  // namespace rankminer
