#include "settings/settings_layout.h"

#include <string>

namespace rankminer {

namespace {

// Whether a header line starts with the "\r\n" at `lineBreak` and ends with
// a "\r\n" at or before `limit`.
bool headerLineAt(std::string_view mirror, std::size_t lineBreak, std::size_t limit) {
    const std::size_t open = lineBreak + kLineBreak.size();
    if (open >= mirror.size() || mirror[open] != '[') {
        return false;
    }
    const std::size_t next = mirror.find(kLineBreak, open);
    return next != std::string_view::npos && next <= limit && next > open + 1 &&
           mirror[next - 1] == ']';
}

bool headerLineBetween(std::string_view mirror, std::size_t from, std::size_t to) {
    static constexpr std::string_view kHeaderStart = "\r\n[";
    for (std::size_t at = mirror.find(kHeaderStart, from); at != std::string_view::npos && at < to;
         at = mirror.find(kHeaderStart, at + 1)) {
        if (headerLineAt(mirror, at, to)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::size_t findSectionHeader(std::string_view mirror, std::string_view section) {
    if (section.find(kLineBreak) != std::string_view::npos) {
        return std::string_view::npos;
    }
    std::string header;
    header.reserve(section.size() + 2);
    header += '[';
    header += section;
    header += ']';
    for (std::size_t at = mirror.find(header); at != std::string_view::npos;
         at = mirror.find(header, at + 1)) {
        if (at == 0 || (at >= 2 && mirror.substr(at - 2, 2) == kLineBreak)) {
            return at;
        }
    }
    return std::string_view::npos;
}

KeyLocation locateKey(std::string_view mirror, std::string_view section, std::string_view key) {
    KeyLocation location;
    const std::size_t header = findSectionHeader(mirror, section);
    if (header == std::string_view::npos) {
        return location;
    }
    location.sectionFound = true;
    location.headerEnd = header + section.size() + 2;

    std::string keyLine;
    keyLine.reserve(key.size() + 3);
    keyLine += kLineBreak;
    keyLine += key;
    keyLine += '=';
    const std::size_t line = mirror.find(keyLine, location.headerEnd);
    if (line == std::string_view::npos || headerLineBetween(mirror, location.headerEnd, line)) {
        return location;
    }
    location.keyFound = true;
    location.valueBegin = line + keyLine.size();
    const std::size_t end = mirror.find(kLineBreak, location.valueBegin);
    location.valueEnd = end == std::string_view::npos ? mirror.size() : end;
    return location;
}

}  // namespace rankminer
