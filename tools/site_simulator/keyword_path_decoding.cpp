#include <optional>
#include <string>

#include "site_simulator/site_simulator.h"
#include "text/gbk.h"

namespace rankminer::sim {

namespace {
std::optional<char16_t> hexUnit(std::string_view digits) {
    unsigned value = 0;
    for (const unsigned char c : digits) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return static_cast<char16_t>(value);
}
}  // namespace

// "n" + two hex digits is a unit below 0x100, four hex digits any other unit,
// a raw CR or LF stands for itself.
std::string decodeKeywordPath(std::string_view segment) {
    std::u16string units;
    std::size_t i = 0;
    while (i < segment.size()) {
        const char c = segment[i];
        std::size_t width = 4;
        std::size_t skip = 0;
        if (c == '\r' || c == '\n') {
            units.push_back(static_cast<char16_t>(c));
            ++i;
            continue;
        }
        if (c == 'n' || c == 'N') {
            width = 2;
            skip = 1;
        }
        if (i + skip + width > segment.size()) {
            return {};
        }
        const auto unit = hexUnit(segment.substr(i + skip, width));
        if (!unit) {
            return {};
        }
        units.push_back(*unit);
        i += skip + width;
    }
    return utf16ToGbk(units);
}

}  // namespace rankminer::sim
