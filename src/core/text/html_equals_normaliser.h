#pragma once

#include <string>
#include <string_view>

namespace rankminer {

// Removes up to ten blanks directly before and after every "=" (blanks: ASCII
// white space and the full-width space), so an attribute written as
// `class = "x"` reads `class="x"`. Gives exactly what the regular expression
// "[\s　]{0,10}=[\s　]{0,10}" replaced by "=" gives, including how a longer
// run of blanks is cut and how GBK bytes pair into characters, at the cost of
// one pass over the text.
std::string normaliseEquals(std::string_view text);

}  // namespace rankminer
