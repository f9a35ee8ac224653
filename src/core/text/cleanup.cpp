#include "text/cleanup.h"

#include <algorithm>

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

// Removes every occurrence, left to right without overlap, in place.
void removeAll(std::string& text, std::string_view piece) {
    std::size_t found = text.find(piece);
    if (found == std::string::npos) {
        return;
    }
    std::size_t write = found;
    std::size_t read = found + piece.size();
    for (;;) {
        found = text.find(piece, read);
        const std::size_t end = found == std::string::npos ? text.size() : found;
        // write <= read: copying forward never overwrites what is still to be read.
        std::copy(text.begin() + static_cast<long>(read), text.begin() + static_cast<long>(end),
                  text.begin() + static_cast<long>(write));
        write += end - read;
        if (found == std::string::npos) {
            break;
        }
        read = found + piece.size();
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
