#pragma once

// The decoder the mining parser uses on number cells.

#include <string>
#include <string_view>

namespace rankminer {

// Replaces "&#NNN;", "&#xHH;" and "&name;" by their characters in GBK ("?"
// for a character GBK lacks). Names are lower-cased before the lookup, so
// "&AMP;" and "&Agrave;" decode as "&amp;" and "&agrave;". A reference that
// names nothing, has a zero value, or lacks its ";" stays as written. One
// pass: "&amp;lt;" gives "&lt;".
std::string decodeCharacterReferences(std::string_view text);

// The value of the digits in the base: letters A-Z (either case) count 10-35,
// decimal digits their value, anything else 0; digits above the base are not
// rejected. Saturates at the largest long long instead of overflowing; a base
// below 1 gives 0.
long long parseBaseDigits(std::string_view text, int base);

}  // namespace rankminer
