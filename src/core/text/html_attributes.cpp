#include "text/html_attributes.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "text/gbk.h"
#include "text/html_extractor.h"

namespace rankminer {

namespace {

constexpr std::size_t npos = std::string_view::npos;

unsigned char lowerAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 32) : byte;
}

bool isLeadRange(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Whether a character starts at `at`, walking characters from the start of
// the text as findText does. Only the run of lead-range bytes just before
// `at` decides it: the byte in front of such a run always ends a character.
bool isCharacterStart(std::string_view text, std::size_t at) {
    std::size_t run = 0;
    while (run < at && isLeadRange(static_cast<unsigned char>(text[at - run - 1]))) {
        ++run;
    }
    return run % 2 == 0;
}

bool matchesFoldedAt(std::string_view text, std::size_t at, std::string_view needle) {
    for (std::size_t k = 1; k < needle.size(); ++k) {
        if (lowerAscii(static_cast<unsigned char>(text[at + k])) !=
            lowerAscii(static_cast<unsigned char>(needle[k]))) {
            return false;
        }
    }
    return true;
}

// 0-based findText(text, needle, from + 1, true): the same matches, found by
// jumping to the needle's first byte instead of comparing at every character.
std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
    const auto first = needle.empty() ? 0 : static_cast<unsigned char>(needle[0]);
    if (needle.empty() || first >= 0x80) {
        const long long found = findText(text, needle, static_cast<long long>(from) + 1, true);
        return found == -1 ? npos : static_cast<std::size_t>(found - 1);
    }
    if (needle.size() > text.size()) {
        return npos;
    }
    const std::size_t last = text.size() - needle.size();
    // Markers end in "=" or a quote, far rarer in a tag than their leading
    // space: jump between those when the last byte is no letter.
    const auto final = static_cast<unsigned char>(needle.back());
    if (lowerAscii(final) < 'a' || lowerAscii(final) > 'z') {
        const std::size_t tail = needle.size() - 1;
        for (std::size_t end = from + tail; end < text.size(); ++end) {
            const void* hit = std::memchr(text.data() + end, final, text.size() - end);
            if (hit == nullptr) {
                return npos;
            }
            end = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
            const std::size_t at = end - tail;
            if (lowerAscii(static_cast<unsigned char>(text[at])) == lowerAscii(first) &&
                matchesFoldedAt(text, at, needle) && isCharacterStart(text, at)) {
                return at;
            }
        }
        return npos;
    }
    const unsigned char lower = lowerAscii(first);
    const bool letter = lower >= 'a' && lower <= 'z';
    for (std::size_t at = from; at <= last; ++at) {
        if (letter) {
            if (lowerAscii(static_cast<unsigned char>(text[at])) != lower) {
                continue;
            }
        } else {
            const void* hit = std::memchr(text.data() + at, first, last - at + 1);
            if (hit == nullptr) {
                return npos;
            }
            at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        }
        if (matchesFoldedAt(text, at, needle) && isCharacterStart(text, at)) {
            return at;
        }
    }
    return npos;
}

}  // namespace

std::string_view textBetweenView(std::string_view text, std::string_view left,
                                 std::string_view right) {
    const std::size_t leftAt = findIgnoringCase(text, left, 0);
    if (leftAt == npos) {
        return {};
    }
    const std::size_t from = leftAt + left.size();
    const std::size_t rightAt = findIgnoringCase(text, right, from);
    if (rightAt == npos) {
        return {};
    }
    return text.substr(from, rightAt - from);
}

AttributeTest::AttributeTest(std::string_view name, std::string_view value)
    : kind_(!value.empty() ? Kind::Value : (!name.empty() ? Kind::Present : Kind::Any)),
      marker_(" " + std::string(name) + "="),
      doubleQuoted_(marker_ + "\""),
      apostrophed_(marker_ + "'"),
      loweredValue_(toLowerAscii(value)),
      asciiValue_(std::all_of(value.begin(), value.end(),
                              [](char byte) { return static_cast<unsigned char>(byte) < 0x80; })) {}

bool AttributeTest::passes(std::string_view startTag) const {
    if (kind_ == Kind::Any) {
        return true;
    }
    const std::size_t markerAt = findIgnoringCase(startTag, marker_, 0);
    if (markerAt == npos) {
        return false;  // every reading below starts with the marker
    }
    if (kind_ == Kind::Present) {
        return true;
    }
    // The four readings in turn, each from the first place its left marker
    // stands; they all begin with the marker found above, so no search
    // starts before it. The first reading that equals the value decides.
    const std::size_t valueAt = markerAt + marker_.size();
    for (const char quote : {'"', '\''}) {
        const std::string& quoted = quote == '"' ? doubleQuoted_ : apostrophed_;
        const std::size_t quotedAt = valueAt < startTag.size() && startTag[valueAt] == quote
                                         ? markerAt
                                         : findIgnoringCase(startTag, quoted, markerAt + 1);
        if (quotedAt != npos && readingEquals(startTag, quotedAt + quoted.size(), quote)) {
            return true;
        }
    }
    return readingEquals(startTag, valueAt, ' ') || readingEquals(startTag, valueAt, '>');
}

// Whether the text from `from` up to the first `right` after it equals the
// value once trimmed, ASCII case ignored.
bool AttributeTest::readingEquals(std::string_view startTag, std::size_t from, char right) const {
    const std::size_t rightAt = findIgnoringCase(startTag, std::string_view(&right, 1), from);
    if (rightAt == npos) {
        return false;
    }
    const std::string_view reading = startTag.substr(from, rightAt - from);
    // Trimming only shortens, so a shorter reading cannot match.
    if (reading.size() < loweredValue_.size()) {
        return false;
    }
    const std::string trimmed = trimBlanks(reading);
    if (!asciiValue_) {
        return toLowerAscii(trimmed) == loweredValue_;
    }
    // An ASCII value cannot equal text holding a double-byte character (its
    // lead byte is no ASCII byte), so folding byte by byte decides the same.
    if (trimmed.size() != loweredValue_.size()) {
        return false;
    }
    for (std::size_t k = 0; k < trimmed.size(); ++k) {
        if (lowerAscii(static_cast<unsigned char>(trimmed[k])) !=
            static_cast<unsigned char>(loweredValue_[k])) {
            return false;
        }
    }
    return true;
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
        if (findIgnoringCase(element, quoted + quote, 0) != npos) {
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
