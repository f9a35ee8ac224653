#pragma once

#include <string>
#include <string_view>

namespace rankminer {

// Percent-encoding of GBK bytes for a query string: letters and digits stay,
// as do ".", "_" and "-"; every other byte is "%" and two upper-case hex
// digits (a space is %20, never "+").
std::string urlEncodeGbk(std::string_view text);

// GBK text to UTF-16LE code units (two bytes each, no terminator). Bytes that
// are no valid GBK become the converter's replacement character.
std::string gbkToUtf16le(std::string_view text);

// UTF-16LE code units to GBK text; a trailing odd byte is ignored, a unit GBK
// cannot represent becomes "?", and the text ends at the first zero unit.
std::string utf16leToGbk(std::string_view bytes);

}  // namespace rankminer
