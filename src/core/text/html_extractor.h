#pragma once

// Cuts elements out of page text by tag name (and optionally an attribute's
// value) without building a document tree. An element ends at the first end
// tag of its name that balances the start and end tags of that name lying
// between; without one it ends after its start tag. Tag names, attribute names
// and values compare ASCII letters without regard to case; GBK characters
// compare as bytes. Every element text handed out has the blanks around "="
// removed, so `class = "x"` in the page reads `class="x"` in the result.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rankminer {

class HtmlExtractor {
public:
    HtmlExtractor();

    // The index-th element (0 = the first; 1-based otherwise) of the tag whose
    // attribute has the given whole value (a class list "a b" does not match
    // "a"), from its "<" to the end of its end tag, or only what lies between
    // the two tags when innerOnly (empty for a self-closing element or one
    // without end tag). A name with an empty value asks only that the start
    // tag carries the attribute; empty name and value: every element counts.
    // The empty text when there is no such element. Leaves the collected
    // elements alone.
    std::string findElement(std::string_view text, std::string_view tag,
                            std::string_view attributeName = {},
                            std::string_view attributeValue = {}, int index = 0,
                            bool innerOnly = false);

    // Finds every element of the tag, nested ones included, in the order of
    // their start tags; keeps a copy of the text for elementAt. Returns the count.
    int collectElements(std::string_view text, std::string_view tag);
    // The i-th collected element (1-based), or the empty text.
    std::string elementAt(int i) const;
    // collectElements under another name (the collected list is replaced too).
    int countElements(std::string_view text, std::string_view tag);

    // The value of an attribute read from an element's text: quoted with
    // double quotes or apostrophes (spaces kept), or unquoted up to the next
    // space or ">"; blanks at both ends removed; empty when absent.
    static std::string attributeValue(std::string_view element, std::string_view name);
    // What lies between the first `left` and the first `right` after it (ASCII
    // case ignored); empty when either is missing.
    static std::string textBetween(std::string_view text, std::string_view left,
                                   std::string_view right);

    // The text the last successful findElement returned.
    const std::string& lastResult() const;

private:
    std::vector<std::size_t> matchStarts_;
    std::vector<std::size_t> matchEnds_;
    std::string matchSource_;
    std::string lastResult_;
};

}  // namespace rankminer
