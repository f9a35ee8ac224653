#pragma once

// Removal of every tag, as replacing the expression "<[\s\S]+?>" by nothing
// does, in one pass over the bytes instead of a round trip through UTF-16 and
// the regular-expression engine.

#include <string>
#include <string_view>

#include "text/regex_helper.h"

namespace rankminer {

// `sameExpression` must hold "<[\s\S]+?>" (global); it serves the rare text
// in which a lead byte is followed by '<', '>' or another byte below 0x40,
// where only the conversion decides which bytes form characters.
std::string stripTags(std::string_view text, const RegexHelper& sameExpression);

}  // namespace rankminer
