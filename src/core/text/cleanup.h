#pragma once

// Turning cell texts cut from pages into plain GBK values.

#include <string>
#include <string_view>

#include "text/regex_helper.h"

namespace rankminer {

// Replaces, for each piece of findList in order, every occurrence (ASCII case
// ignored) by the replacementList piece at the same position; missing
// replacement pieces are empty. Each step works on the previous step's result.
// Lists split as text lists do; an empty separator means "|". Empty find
// pieces are skipped.
std::string replaceEach(std::string_view text, std::string_view findList,
                        std::string_view replacementList, std::string_view separator = "|");

// Decodes the named character references the site uses (&amp; first, ASCII
// case ignored, so "&amp;lt;" becomes "<") and, unless namedOnly, numeric
// references &#65; and &#x41; / &#X41;. A "&#" takes everything up to the
// next ";" as its digits. A code GBK cannot show becomes "?".
std::string decodeEntities(std::string_view text, bool namedOnly = false);

// Removes blanks (space, full-width space, tab) by mode: 0 at the start of
// every line, 1 at the end of every line, 2 both, 3 every run anywhere, 4
// blank lines with their CR LF. Compiles the mode's pattern into `helper`
// unless alreadyCompiled (then `helper`'s own pattern is used and mode is
// ignored). An unknown mode leaves the text unchanged.
std::string trimSpaces(std::string_view text, int mode, RegexHelper& helper,
                       bool alreadyCompiled = false);

// Removes tabs, "&nbsp;", every line break, then spaces and full-width spaces
// at both ends.
std::string cleanCell(std::string_view text);

}  // namespace rankminer
