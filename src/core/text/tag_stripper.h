#pragma once

// Cell cleanups that give exactly what replacing their regular expressions by
// nothing gives, in one pass over the bytes instead of a round trip through
// UTF-16 and the expression engine. The bytes they look for are below 0x40,
// which no trail byte is, so each is a character of its own.

// Removal of every tag, as replacing "<[\s\S]+?>" by nothing does.

#include <string>
#include <string_view>

#include "text/regex_helper.h"

namespace rankminer {

// `sameExpression` must hold "<[\s\S]+?>" (global); it serves the rare text
// in which a lead byte is followed by '<', '>' or another byte below 0x40,
// where only the conversion decides which bytes form characters.
std::string stripTags(std::string_view text, const RegexHelper& sameExpression);

// Removal of every tag and line break, as replacing
// "<[\s\S]+?>|\r\n|\r|\n" by nothing does (a tag's own line breaks go
// with it). `sameExpression` holds that expression and serves as above.
std::string stripTagsAndLineBreaks(std::string_view text, const RegexHelper& sameExpression);

// Removal of every run of white space, as replacing "\s+" by nothing does
// (tab, line feed, vertical tab, form feed, carriage return, space: no other
// character counts as a blank for that expression). `sameExpression` holds
// "\s+" and serves as for stripTags.
std::string removeBlanks(std::string_view text, const RegexHelper& sameExpression);

}  // namespace rankminer
