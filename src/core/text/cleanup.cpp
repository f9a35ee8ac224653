#include "text/cleanup.h"

#include "text/gbk.h"

namespace rankminer {

std::string replaceEach(std::string_view text, std::string_view findList,
                        std::string_view replacementList, std::string_view separator) {
    if (separator.empty()) {
        separator = "|";
    }
    const std::vector<std::string> finds = splitText(findList, separator);
    const std::vector<std::string> replacements = splitText(replacementList, separator);
    std::string result(text);
    for (std::size_t i = 0; i < finds.size(); ++i) {
        if (finds[i].empty()) {
            continue;
        }
        const std::string_view replacement =
            i < replacements.size() ? std::string_view(replacements[i]) : std::string_view{};
        result = replaceAllText(result, finds[i], replacement, true);
    }
    return result;
}

std::string trimSpaces(std::string_view text, int mode, RegexHelper& helper, bool alreadyCompiled) {
    if (!alreadyCompiled) {
        // Blanks: space, full-width space, tab.
        static const std::string patterns[] = {
            gbk("^[ 　\\t]+"), gbk("[ 　\\t]+$"),        gbk("^[ 　\\t]+|[ 　\\t]+$"),
            gbk("[ 　\\t]+"),  gbk("^[ 　\\t]*$\\r\\n"),
        };
        if (mode < 0 || mode >= static_cast<int>(std::size(patterns))) {
            return std::string(text);
        }
        helper.compile(patterns[mode]);
    }
    return helper.replace(text, "");
}

namespace {

void removeAll(std::string& text, std::string_view piece) {
    std::size_t write = 0;
    std::size_t read = 0;
    while (read < text.size()) {
        if (text.compare(read, piece.size(), piece) == 0) {
            read += piece.size();
            continue;
        }
        text[write++] = text[read++];
    }
    text.resize(write);
}

}  // namespace

std::string cleanCell(std::string_view text) {
    // Each step sees the previous one's result: "&nb<TAB>sp;" loses its tab
    // and then counts as "&nbsp;". None of the pieces can be the second byte
    // of a GBK character, so byte searches serve.
    std::string cell(text);
    removeAll(cell, "\t");
    removeAll(cell, "&nbsp;");
    removeAll(cell, "\r\n");
    removeAll(cell, "\n");
    removeAll(cell, "\r");
    return trimBlanks(cell);
}

}  // namespace rankminer
