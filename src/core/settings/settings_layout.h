#pragma once

// Where sections and keys lie in the settings file's bytes. Pure functions on
// the mirror; offsets are 0-based byte offsets.

#include <cstddef>
#include <string_view>

namespace rankminer {

// The bytes that open and close a key line and a header.
inline constexpr std::string_view kLineBreak = "\r\n";

// Offset of the first header of the section that counts: "[" + name + "]" at
// offset 0 or right after "\r\n". A name holding "\r\n" never has a header
// that counts: it could not be read back as one header line, and its bytes
// would otherwise pass for the headers of other sections.
std::size_t findSectionHeader(std::string_view mirror, std::string_view section);

struct KeyLocation {
    bool sectionFound = false;
    bool keyFound = false;
    std::size_t headerEnd = 0;   // just past the header's "]"
    std::size_t valueBegin = 0;  // just past the key line's "="
    std::size_t valueEnd = 0;    // at the next "\r\n" or the end
};

// The key's value in the section: the first key line "\r\n" + key + "=" after
// the header, provided no header line ("\r\n[" + name + "]\r\n", the name
// without "\r\n") lies between the two.
KeyLocation locateKey(std::string_view mirror, std::string_view section, std::string_view key);

}  // namespace rankminer
