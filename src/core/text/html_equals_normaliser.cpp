#include "text/html_equals_normaliser.h"

#include <array>

#include "text/gbk_tables.h"

namespace rankminer {

namespace {

constexpr std::size_t kMaxBlanks = 10;
constexpr unsigned char kFullWidthSpaceByte = 0xA1;

bool isAsciiWhiteSpace(unsigned char byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' ||
           byte == '\r';
}

unsigned char byteAt(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

// Character length as the regular-expression engine sees the text: the same
// pairing rule as the conversion to UTF-16 (a lead byte pairs only with a
// trail byte that makes a character).
std::size_t engineCharLength(std::string_view text, std::size_t index,
                             const detail::GbkTables& tables) {
    const unsigned char lead = byteAt(text, index);
    if (lead >= 0x81 && lead <= 0xFE && index + 1 < text.size() &&
        tables.pairToUnit[lead << 8 | byteAt(text, index + 1)] != 0) {
        return 2;
    }
    return 1;
}

bool isFullWidthSpacePair(std::string_view text, std::size_t index) {
    return index + 1 < text.size() && byteAt(text, index) == kFullWidthSpaceByte &&
           byteAt(text, index + 1) == kFullWidthSpaceByte;
}

// Where the removable blanks in front of the "=" at `equals` begin; `floor` is
// a character boundary no removal may cross (the end of the previous match).
std::size_t blanksStart(std::string_view text, std::size_t floor, std::size_t equals,
                        const detail::GbkTables& tables) {
    std::size_t runStart = equals;
    while (runStart > floor && (isAsciiWhiteSpace(byteAt(text, runStart - 1)) ||
                                byteAt(text, runStart - 1) == kFullWidthSpaceByte)) {
        --runStart;
    }
    if (runStart == equals) {
        return equals;
    }
    // Bytes below 0x40 are never trail bytes, so the place after one is a
    // character boundary; from there the pairing of A1 bytes is certain.
    std::size_t boundary = runStart;
    while (boundary > floor && byteAt(text, boundary - 1) >= 0x40) {
        --boundary;
    }
    std::array<std::size_t, kMaxBlanks> lastBlanks{};
    std::size_t blanks = 0;
    for (std::size_t i = boundary; i < equals;) {
        const std::size_t length = engineCharLength(text, i, tables);
        const bool blank =
            length == 1 ? isAsciiWhiteSpace(byteAt(text, i)) : isFullWidthSpacePair(text, i);
        if (blank) {
            lastBlanks[blanks % kMaxBlanks] = i;
            ++blanks;
        } else {
            blanks = 0;
        }
        i += length;
    }
    if (blanks == 0) {
        return equals;
    }
    const std::size_t removed = blanks < kMaxBlanks ? blanks : kMaxBlanks;
    return lastBlanks[(blanks - removed) % kMaxBlanks];
}

// The end of up to ten blanks after the "=" at `equals`.
std::size_t blanksEnd(std::string_view text, std::size_t equals) {
    std::size_t i = equals + 1;
    for (std::size_t count = 0; count < kMaxBlanks && i < text.size(); ++count) {
        if (isAsciiWhiteSpace(byteAt(text, i))) {
            i += 1;
        } else if (isFullWidthSpacePair(text, i)) {
            i += 2;
        } else {
            break;
        }
    }
    return i;
}

}  // namespace

std::string normaliseEquals(std::string_view text) {
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::string(text);
    }
    const detail::GbkTables& tables = detail::gbkTables();
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;  // text[0, done) is settled; a character boundary
    while (equals != std::string_view::npos) {
        const std::size_t cut = blanksStart(text, done, equals, tables);
        out.append(text.substr(done, cut - done));
        out.push_back('=');
        done = blanksEnd(text, equals);
        equals = text.find('=', done);
    }
    out.append(text.substr(done));
    return out;
}

}  // namespace rankminer
