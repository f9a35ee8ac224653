#pragma once

// Deterministic choices for the simulated pages: the same (text, numbers)
// always gives the same sequence, so pages and expected rows agree without
// sharing state.

#include <cstdint>
#include <string>
#include <string_view>

namespace rankminer::sim {

class ContentDice {
public:
    ContentDice(std::string_view seedText, long long a, long long b);

    std::uint64_t next();
    // 0 .. n-1; n must be positive.
    int below(int n);
    // lo .. hi inclusive.
    long long between(long long lo, long long hi);

private:
    std::uint64_t state_;
};

// Stable 64-bit hash of a text (FNV-1a).
std::uint64_t textHash(std::string_view text);

// Word pools for keywords and titles, GBK.
const std::string& chineseWord(std::size_t index);  // index taken modulo the pool size
std::size_t chineseWordCount();
const std::string& asciiWord(std::size_t index);
std::size_t asciiWordCount();

// Lower-case hex of the value, 16 digits.
std::string hexToken(std::uint64_t value);

// The decimal digits of value in groups of three joined by separator
// ("1&#44;234&#44;567" with "&#44;").
std::string groupThousands(long long value, std::string_view separator);

// "&", "<", ">" and '"' as character references, so a text can sit in a page
// without being taken for markup.
std::string escapeHtml(std::string_view text);

}  // namespace rankminer::sim
