#pragma once

// A regular expression over GBK program text. The text reaches the engine as
// UTF-16, so a two-byte GBK character is one character for the pattern (the
// full-width space in a character class is one member) and bytes that are no
// GBK character come back unchanged.
//
// Matching rules the program's patterns rely on: "^" and "$" in multiline mode
// match at CR as well as LF; "." never matches CR or LF; "\s" is ASCII white
// space only (not the full-width space, which patterns name explicitly).

#include <memory>
#include <string>
#include <string_view>

namespace rankminer {

class RegexHelper {
public:
    RegexHelper();
    ~RegexHelper();
    RegexHelper(RegexHelper&&) noexcept;
    RegexHelper& operator=(RegexHelper&&) noexcept;
    RegexHelper(const RegexHelper&) = delete;
    RegexHelper& operator=(const RegexHelper&) = delete;

    // Pattern is GBK program text. Returns whether it compiled; on failure the
    // helper holds no pattern. Replaces any earlier pattern.
    bool compile(std::string_view pattern, bool ignoreCase = true, bool multiline = true,
                 bool global = true);
    bool isCompiled() const;

    // Replaces matches (every match when global, else the first) with the
    // literal replacement (GBK; "$" has no special meaning). An uncompiled
    // helper returns the text unchanged. Should the engine give up on a
    // pathological match, the rest of the text is kept as it is.
    std::string replace(std::string_view text, std::string_view replacement) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace rankminer
