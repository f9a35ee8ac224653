#include "text/gbk.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "text/gbk_tables.h"

namespace rankminer {

namespace {

inline unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

inline unsigned char upperAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

bool matchesAt(std::string_view haystack, std::size_t at, std::string_view needle,
               bool ignoreCase) {
    if (!ignoreCase) {
        return haystack.compare(at, needle.size(), needle) == 0;
    }
    for (std::size_t k = 0; k < needle.size(); ++k) {
        if (lowerAscii(static_cast<unsigned char>(haystack[at + k])) !=
            lowerAscii(static_cast<unsigned char>(needle[k]))) {
            return false;
        }
    }
    return true;
}

// Byte offset of the first character boundary at or after `from`, walking
// characters from the start of the text.
template <typename Visit>
void forEachBoundary(std::string_view text, std::size_t from, std::size_t last, Visit visit) {
    std::size_t i = 0;
    while (i <= last && i < text.size()) {
        if (i >= from && visit(i)) {
            return;
        }
        i += gbkCharLength(text, i);
    }
}

void appendUnitAsUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void appendCode(std::string& out, char16_t unit) {
    const auto& tables = detail::gbkTables();
    if (unit >= detail::kRawByteBase && unit < detail::kRawByteBase + 0x100) {
        out.push_back(static_cast<char>(unit - detail::kRawByteBase));
        return;
    }
    const std::uint16_t code = tables.unitToCode[unit];
    if (code == 0 && unit != 0) {
        out.push_back('?');
    } else if (code < 0x100) {
        out.push_back(static_cast<char>(code));
    } else {
        out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
}

}  // namespace

std::u16string gbkToUtf16(std::string_view gbk) {
    const auto& tables = detail::gbkTables();
    std::u16string out;
    out.reserve(gbk.size());
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (byte < 0x80) {
            out.push_back(byte);
            ++i;
            continue;
        }
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < gbk.size()) {
            const auto trail = static_cast<unsigned char>(gbk[i + 1]);
            const char16_t unit = tables.pairToUnit[byte << 8 | trail];
            if (unit != 0) {
                out.push_back(unit);
                i += 2;
                continue;
            }
        }
        const char16_t single = tables.byteToUnit[byte];
        out.push_back(single != 0 ? single : static_cast<char16_t>(detail::kRawByteBase + byte));
        ++i;
    }
    return out;
}

std::string utf16ToGbk(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            out.push_back('?');  // one character outside GBK
            ++i;
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            out.push_back('?');
            continue;
        }
        appendCode(out, unit);
    }
    return out;
}

std::string gbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (char16_t unit : gbkToUtf16(gbk)) {
        appendUnitAsUtf8(out, unit);
    }
    return out;
}

std::string utf8ToGbk(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const auto cont = [&](std::size_t k) { return k < utf8.size() && (at(k) & 0xC0) == 0x80; };
    while (i < utf8.size()) {
        const unsigned char b = at(i);
        char32_t cp = 0;
        std::size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0 && cont(i + 1)) {
            cp = (b & 0x1F) << 6 | (at(i + 1) & 0x3F);
            len = 2;
        } else if ((b & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
            cp = (b & 0x0F) << 12 | (at(i + 1) & 0x3F) << 6 | (at(i + 2) & 0x3F);
            len = 3;
        } else if ((b & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            cp = 0x10000;  // outside the BMP, so outside GBK
            len = 4;
        } else {
            cp = 0xFFFD;
        }
        i += len;
        if (cp >= 0x10000 || cp == 0xFFFD || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back('?');
        } else {
            appendCode(out, static_cast<char16_t>(cp));
        }
    }
    return out;
}

long long findText(std::string_view haystack, std::string_view needle, long long start,
                   bool ignoreCase) {
    if (start < 1) {
        start = 1;
    }
    const auto from = static_cast<std::size_t>(start - 1);
    if (needle.empty()) {
        return from <= haystack.size() ? start : -1;
    }
    if (needle.size() > haystack.size()) {
        return -1;
    }
    const std::size_t last = haystack.size() - needle.size();
    long long found = -1;
    forEachBoundary(haystack, from, last, [&](std::size_t i) {
        if (matchesAt(haystack, i, needle, ignoreCase)) {
            found = static_cast<long long>(i) + 1;
            return true;
        }
        return false;
    });
    return found;
}

long long findLastText(std::string_view haystack, std::string_view needle, long long from,
                       bool ignoreCase) {
    if (needle.size() > haystack.size()) {
        return -1;
    }
    std::size_t last = haystack.size() - needle.size();
    if (from >= 1 && static_cast<std::size_t>(from - 1) < last) {
        last = static_cast<std::size_t>(from - 1);
    }
    long long found = -1;
    forEachBoundary(haystack, 0, last, [&](std::size_t i) {
        if (matchesAt(haystack, i, needle, ignoreCase)) {
            found = static_cast<long long>(i) + 1;
        }
        return false;
    });
    return found;
}

bool containsText(std::string_view haystack, std::string_view needle, bool ignoreCase) {
    return findText(haystack, needle, 1, ignoreCase) != -1;
}

std::string replaceAllText(std::string_view text, std::string_view find,
                           std::string_view replacement, bool ignoreCase) {
    if (find.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    // Characters between matches are copied a run at a time; the first byte
    // is tested before the whole comparison.
    const unsigned char first = lowerAscii(static_cast<unsigned char>(find[0]));
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte == static_cast<unsigned char>(find[0]) ||
             (ignoreCase && lowerAscii(byte) == first)) &&
            i + find.size() <= text.size() && matchesAt(text, i, find, ignoreCase)) {
            out.append(text.substr(runStart, i - runStart));
            out.append(replacement);
            i += find.size();
            runStart = i;
            continue;
        }
        i += gbkCharLength(text, i);
    }
    out.append(text.substr(runStart));
    return out;
}

std::string toLowerAscii(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t len = gbkCharLength(out, i);
        if (len == 1) {
            out[i] = static_cast<char>(lowerAscii(static_cast<unsigned char>(out[i])));
        }
        i += len;
    }
    return out;
}

std::string toUpperAscii(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t len = gbkCharLength(out, i);
        if (len == 1) {
            out[i] = static_cast<char>(upperAscii(static_cast<unsigned char>(out[i])));
        }
        i += len;
    }
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && matchesAt(a, 0, b, true);
}

std::string trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end) {
        if (text[begin] == ' ') {
            ++begin;
        } else if (text.substr(begin, 2) == kFullWidthSpace) {
            begin += 2;
        } else {
            break;
        }
    }
    // Trailing blanks: walk characters so a trail byte A1 is not mistaken.
    std::size_t keep = begin;
    for (std::size_t i = begin; i < end;) {
        const std::size_t len = gbkCharLength(text, i);
        const std::string_view ch = text.substr(i, len);
        if (ch != " " && ch != kFullWidthSpace) {
            keep = i + len;
        }
        i += len;
    }
    return std::string(text.substr(begin, keep - begin));
}

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t pieceStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, separator.size(), separator) == 0) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += separator.size();
            pieceStart = i;
            continue;
        }
        i += gbkCharLength(text, i);
    }
    if (pieceStart < text.size()) {
        pieces.emplace_back(text.substr(pieceStart));
    }
    return pieces;
}

std::string fullWidthToAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = gbkCharLength(text, i);
        if (len == 2) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
                out.push_back(static_cast<char>(trail - 0x80));
            } else if (lead == 0xA1 && trail == 0xA1) {
                out.push_back(' ');
            } else {
                out.append(text.substr(i, 2));
            }
        } else {
            out.push_back(text[i]);
        }
        i += len;
    }
    return out;
}

namespace {
// The span of the leading number: [begin, end) within the ASCII form.
std::string_view leadingNumberSpan(const std::string& ascii, bool allowFraction) {
    std::size_t i = 0;
    while (i < ascii.size() && (ascii[i] == ' ' || ascii[i] == '\t')) {
        ++i;
    }
    const std::size_t begin = i;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) {
        ++i;
    }
    const auto isDigit = [&](std::size_t k) {
        return k < ascii.size() && ascii[k] >= '0' && ascii[k] <= '9';
    };
    bool digits = false;
    while (isDigit(i)) {
        ++i;
        digits = true;
    }
    if (allowFraction && i < ascii.size() && ascii[i] == '.') {
        std::size_t k = i + 1;
        bool fraction = false;
        while (isDigit(k)) {
            ++k;
            fraction = true;
        }
        if (digits || fraction) {
            i = k;
            digits = true;
        }
    }
    if (!digits) {
        return {};
    }
    if (allowFraction && i < ascii.size() && (ascii[i] == 'e' || ascii[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < ascii.size() && (ascii[k] == '+' || ascii[k] == '-')) {
            ++k;
        }
        if (isDigit(k)) {
            while (isDigit(k)) {
                ++k;
            }
            i = k;
        }
    }
    return std::string_view(ascii).substr(begin, i - begin);
}
}  // namespace

double leadingNumber(std::string_view text) {
    const std::string ascii =
        fullWidthToAscii(text.substr(0, std::min<std::size_t>(text.size(), 512)));
    std::string_view span = leadingNumberSpan(ascii, true);
    if (span.empty()) {
        return 0;
    }
    if (span.front() == '+') {
        span.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(span.data(), span.data() + span.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0;
    }
    return value;
}

long long leadingInteger(std::string_view text) {
    const std::string ascii =
        fullWidthToAscii(text.substr(0, std::min<std::size_t>(text.size(), 512)));
    std::string_view span = leadingNumberSpan(ascii, false);
    if (span.empty()) {
        return 0;
    }
    const bool negative = span.front() == '-';
    if (span.front() == '+' || span.front() == '-') {
        span.remove_prefix(1);
    }
    long long value = 0;
    for (char c : span) {
        const int digit = c - '0';
        if (value > (std::numeric_limits<long long>::max() - digit) / 10) {
            return negative ? std::numeric_limits<long long>::min()
                            : std::numeric_limits<long long>::max();
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace rankminer
