#pragma once

// Finds the start and end tags of one tag name in page text, comparing ASCII
// letters without regard to case and working on the text as it is (no lowered
// copy). A "<" is never the second byte of a GBK character, so the search can
// jump from "<" to "<".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rankminer {

class HtmlTagScanner {
public:
    explicit HtmlTagScanner(std::string_view tag);

    static constexpr std::size_t npos = std::string_view::npos;

    // Offset of the next "<tag" at or after `from` whose next byte is no ASCII
    // letter or digit (so "a" does not find "<abbr"; the end of the text
    // counts as a fit), or npos.
    std::size_t nextOpen(std::string_view text, std::size_t from) const;
    // Offset of the next "</tag>" at or after `from`, or npos.
    std::size_t nextClose(std::string_view text, std::size_t from) const;
    std::size_t closeLength() const { return name_.size() + 3; }

    bool isOpenAt(std::string_view text, std::size_t at) const;
    bool isCloseAt(std::string_view text, std::size_t at) const;

private:
    bool nameMatchesAt(std::string_view text, std::size_t at) const;

    std::string name_;  // lowered as a GBK text lowers
    bool asciiName_ = true;
    unsigned char firstByte_ = 0;
    std::vector<unsigned char> exact_;  // bytes of two-byte characters compare exactly
};

// Offset of the first ">" at or after `from`, remembering the last answer so
// that asking for ever later offsets reads the text once.
class GreaterSignFinder {
public:
    explicit GreaterSignFinder(std::string_view text) : text_(text) {}
    std::size_t next(std::size_t from);

private:
    std::string_view text_;
    std::size_t searchedFrom_ = std::string_view::npos;
    std::size_t found_ = std::string_view::npos;
};

}  // namespace rankminer
