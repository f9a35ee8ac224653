#include "mining/character_references.h"

#include <charconv>
#include <limits>

#include "mining/character_entities.h"
#include "text/encodings.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

// Position of the first `wanted` byte at a character start, at or after
// `from`, walking from `from` (which must be a character start), or npos.
std::size_t findByte(std::string_view text, char wanted, std::size_t from) {
    for (std::size_t i = from; i < text.size(); i += gbkCharLength(text, i)) {
        if (text[i] == wanted) {
            return i;
        }
    }
    return std::string_view::npos;
}

long long leadingDecimal(std::string_view digits) {
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        return std::numeric_limits<long long>::max();
    }
    return end == digits.data() ? 0 : value;
}

long long referenceValue(std::string_view name) {
    if (name.size() < 2) {
        return -1;
    }
    if (name[0] == '#') {
        if (name.size() < 3) {
            return -1;
        }
        if (name[1] == 'x') {
            return parseBaseDigits(name.substr(2), 16);
        }
        return leadingDecimal(name.substr(1));
    }
    const char32_t codePoint = lookUpCharacterEntity(toLowerAscii(name));
    return codePoint == 0 ? -1 : static_cast<long long>(codePoint);
}

void appendUnit(std::string& units, unsigned unit) {
    units.push_back(static_cast<char>(unit & 0xFF));
    units.push_back(static_cast<char>((unit >> 8) & 0xFF));
}

// The character in GBK; supplementary code points travel as a surrogate pair,
// values past Unicode become "?".
std::string characterInGbk(long long codePoint) {
    if (codePoint > 0x10FFFF) {
        return "?";
    }
    std::string units;
    const auto value = static_cast<unsigned>(codePoint);
    if (value < 0x10000) {
        appendUnit(units, value);
    } else {
        const unsigned offset = value - 0x10000;
        appendUnit(units, 0xD800 + (offset >> 10));
        appendUnit(units, 0xDC00 + (offset & 0x3FF));
    }
    return utf16leToGbk(units);
}

}  // namespace

std::string decodeCharacterReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t copyFrom = 0;
    std::size_t amp = findByte(text, '&', 0);
    while (amp != std::string_view::npos) {
        const std::size_t semicolon = findByte(text, ';', amp);
        long long value = -1;
        if (semicolon != std::string_view::npos) {
            value = referenceValue(text.substr(amp + 1, semicolon - amp - 1));
        }
        if (value > 0) {
            out.append(text.substr(copyFrom, amp - copyFrom));
            out += characterInGbk(value);
            copyFrom = semicolon + 1;
        } else {
            out.append(text.substr(copyFrom, amp + 1 - copyFrom));
            copyFrom = amp + 1;
        }
        // The next search starts right after this "&", even inside a decoded
        // reference, so the copy position may already lie beyond a later "&".
        amp = findByte(text, '&', amp + 1);
        while (amp != std::string_view::npos && amp < copyFrom) {
            amp = findByte(text, '&', amp + 1);
        }
    }
    if (copyFrom < text.size()) {
        out.append(text.substr(copyFrom));
    }
    return out;
}

long long parseBaseDigits(std::string_view text, int base) {
    constexpr long long kMax = std::numeric_limits<long long>::max();
    if (base < 1) {
        return 0;
    }
    long long value = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        int digit = 0;
        if (byte >= 'A' && byte <= 'Z') {
            digit = byte - 'A' + 10;
        } else if (byte >= 'a' && byte <= 'z') {
            digit = byte - 'a' + 10;
        } else if (byte >= '0' && byte <= '9') {
            digit = byte - '0';
        }
        if (value > (kMax - digit) / base) {
            return kMax;
        }
        value = value * base + digit;
    }
    return value;
}

}  // namespace rankminer
