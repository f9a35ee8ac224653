#include "text/tag_stripper.h"

namespace rankminer {

namespace {

// A lead byte followed by a byte that is never a trail byte: how the pair
// converts decides whether that byte is a character of its own.
bool hasAmbiguousPair(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x81 && byte <= 0xFE) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next < 0x40) {
                return true;
            }
            ++i;  // the trail byte
        }
    }
    return false;
}

}  // namespace

std::string stripTags(std::string_view text, const RegexHelper& sameExpression) {
    if (text.find('<') == std::string_view::npos) {
        return std::string(text);
    }
    if (hasAmbiguousPair(text)) {
        return sameExpression.replace(text, "");
    }
    // '<' and '>' are below every trail byte, so each of their bytes is a
    // character of its own and the byte search finds exactly the matches.
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t open = text.find('<'); open != std::string_view::npos;) {
        // At least one character between the brackets: a '>' right after the
        // '<' is that character.
        const std::size_t close =
            open + 2 <= text.size() ? text.find('>', open + 2) : std::string_view::npos;
        if (close == std::string_view::npos) {
            break;  // no later '<' has a '>' after it either
        }
        out.append(text.substr(from, open - from));
        from = close + 1;
        open = text.find('<', from);
    }
    out.append(text.substr(from));
    return out;
}

std::string stripTagsAndLineBreaks(std::string_view text, const RegexHelper& sameExpression) {
    if (text.find_first_of("<\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    if (hasAmbiguousPair(text)) {
        return sameExpression.replace(text, "");
    }
    // Tags first: a '<' opens a tag exactly when a '>' follows one character
    // later or further, whatever lies between, so taking the line breaks out
    // afterwards removes the same bytes as the alternation does in one scan.
    std::string out = stripTags(text, sameExpression);
    std::erase_if(out, [](char c) { return c == '\r' || c == '\n'; });
    return out;
}

std::string removeBlanks(std::string_view text, const RegexHelper& sameExpression) {
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    std::size_t first = 0;
    while (first < text.size() && !blank(text[first])) {
        ++first;
    }
    if (first == text.size()) {
        return std::string(text);
    }
    if (hasAmbiguousPair(text)) {
        return sameExpression.replace(text, "");
    }
    std::string out(text.substr(0, first));
    out.reserve(text.size());
    for (std::size_t i = first; i < text.size(); ++i) {
        if (!blank(text[i])) {
            out += text[i];
        }
    }
    return out;
}

}  // namespace rankminer
