#pragma once

// Attribute reading on start-tag and element texts, shared by the element
// finder's attribute test and HtmlExtractor::attributeValue.

#include <string>
#include <string_view>

namespace rankminer {

// The bytes strictly between the first `left` and the first `right` after it,
// ASCII case ignored, GBK-aware; empty when either marker is missing.
std::string_view textBetweenView(std::string_view text, std::string_view left,
                                 std::string_view right);

// The element finder's attribute test on a start tag, prepared once per
// search. With a value: the attribute `name`, read in each of the four ways a
// page may write it (double-quoted, apostrophes, unquoted up to a space, up
// to ">"), equals the value once blanks are trimmed, ASCII case ignored. It
// needs " name=" right before the value, so `class = "x"` in a raw page does
// not count. With a name only: the start tag carries " name=". With neither:
// every start tag passes.
class AttributeTest {
public:
    AttributeTest(std::string_view name, std::string_view value);
    bool passes(std::string_view startTag) const;

private:
    enum class Kind { Any, Present, Value };
    bool readingEquals(std::string_view startTag, std::size_t from, char right) const;
    Kind kind_;
    std::string marker_;
    std::string doubleQuoted_;
    std::string apostrophed_;
    std::string loweredValue_;
    bool asciiValue_;
};

}  // namespace rankminer
