#pragma once

// Attribute reading on start-tag and element texts, shared by the element
// finder's attribute test and HtmlExtractor::attributeValue.

#include <string_view>

namespace rankminer {

// The bytes strictly between the first `left` and the first `right` after it,
// ASCII case ignored, GBK-aware; empty when either marker is missing.
std::string_view textBetweenView(std::string_view text, std::string_view left,
                                 std::string_view right);

// Whether the start tag's attribute `name`, read in each of the four ways a
// page may write it (double-quoted, apostrophes, unquoted up to a space, up
// to ">"), equals `loweredValue` once blanks are trimmed and ASCII lowered.
// Needs " name=" right before the value, so `class = "x"` in a raw page does
// not count.
bool startTagHasAttributeValue(std::string_view startTag, std::string_view name,
                               std::string_view loweredValue);

// Whether the start tag carries " name=" at all.
bool startTagHasAttribute(std::string_view startTag, std::string_view name);

}  // namespace rankminer
