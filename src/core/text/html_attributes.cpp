#include "text/html_attributes.h"

#include <string>

#include "text/gbk.h"
#include "text/html_extractor.h"

namespace rankminer {

std::string_view textBetweenView(std::string_view text, std::string_view left,
                                 std::string_view right) {
    const long long leftAt = findText(text, left, 1, true);
    if (leftAt == -1) {
        return {};
    }
    const long long from = leftAt + static_cast<long long>(left.size());
    const long long rightAt = findText(text, right, from, true);
    if (rightAt == -1) {
        return {};
    }
    return text.substr(static_cast<std::size_t>(from - 1),
                       static_cast<std::size_t>(rightAt - from));
}

bool startTagHasAttribute(std::string_view startTag, std::string_view name) {
    const std::string marker = " " + std::string(name) + "=";
    return containsText(startTag, marker, true);
}

bool startTagHasAttributeValue(std::string_view startTag, std::string_view name,
                               std::string_view loweredValue) {
    const std::string marker = " " + std::string(name) + "=";
    if (!containsText(startTag, marker, true)) {
        return false;  // every reading below starts with the marker
    }
    const std::string_view readings[] = {
        textBetweenView(startTag, marker + "\"", "\""),
        textBetweenView(startTag, marker + "'", "'"),
        textBetweenView(startTag, marker, " "),
        textBetweenView(startTag, marker, ">"),
    };
    for (const std::string_view reading : readings) {
        if (toLowerAscii(trimBlanks(reading)) == loweredValue) {
            return true;
        }
    }
    return false;
}

std::string HtmlExtractor::textBetween(std::string_view text, std::string_view left,
                                       std::string_view right) {
    return std::string(textBetweenView(text, left, right));
}

namespace {

// One reading of attributeValue with the given marker prefix. Sets `settled`
// when the attribute is present with an explicitly empty quoted value.
std::string_view readAttribute(std::string_view element, const std::string& marker, bool& settled) {
    for (const char quote : {'"', '\''}) {
        const std::string quoted = marker + quote;
        const std::string_view value = textBetweenView(element, quoted, std::string(1, quote));
        if (!value.empty()) {
            return value;
        }
        if (containsText(element, quoted + quote, true)) {
            settled = true;
            return {};
        }
    }
    const std::string_view toSpace = textBetweenView(element, marker, " ");
    const std::string_view toTagEnd = textBetweenView(element, marker, ">");
    if (!toTagEnd.empty() && (toSpace.empty() || toTagEnd.size() < toSpace.size())) {
        return toTagEnd;
    }
    return toSpace;
}

}  // namespace

std::string HtmlExtractor::attributeValue(std::string_view element, std::string_view name) {
    for (const char* prefix : {" ", ""}) {
        const std::string marker = prefix + std::string(name) + "=";
        bool settled = false;
        const std::string_view value = readAttribute(element, marker, settled);
        if (settled) {
            return {};
        }
        if (!value.empty()) {
            return trimBlanks(value);
        }
    }
    return {};
}

}  // namespace rankminer
