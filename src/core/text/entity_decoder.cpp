#include <cstdint>
#include <utility>
#include <vector>

#include "platform/message_pump.h"
#include "text/cleanup.h"
#include "text/encodings.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr std::size_t npos = std::string::npos;

// The named references in the order they are replaced: "&amp;" first, so a
// reference written as "&amp;lt;" ends up as "<".
const std::vector<std::pair<std::string, std::string>>& namedReferences() {
    static const std::vector<std::pair<std::string, std::string>> table = [] {
        const std::vector<std::string> names = splitText(
            "&amp;|&ndash;|&mdash;|&ldquo;|&rdquo;|&nbsp;|&lt;|&gt;|&quot;|&times;|&divide;|"
            "&middot;|&hellip;|&lsquo;|&rsquo;|&permil;|&prime;|&Prime;|&larr;|&uarr;|&rarr;|"
            "&darr;|&radic;|&prop;|&infin;|&ang;|&and;|&or;|&cap;|&cup;|&int;|&there4;|&sim;|"
            "&asymp;|&ne;|&equiv;|&le;|&ge;|&oplus;|&perp;",
            "|");
        const std::vector<std::string> characters = splitText(
            gbk("&|–|—|“|”| |<|>|\"|×|÷|·|…|‘|’|‰|′|″|←|↑|→|↓|√|∝|∞|∠|∧|∨|∩|∪|∫|∴|～|≈|≠|≡|≤|≥|"
                "⊕|⊥"),
            "|");
        std::vector<std::pair<std::string, std::string>> pairs;
        for (std::size_t i = 0; i < names.size() && i < characters.size(); ++i) {
            pairs.emplace_back(names[i], characters[i]);
        }
        return pairs;
    }();
    return table;
}

// Whether the name (which starts with '&') is written at some '&' of the
// text, ASCII letters compared without regard to case. Cells hold few '&', so
// this spares a whole-text replacement pass for each of the names that cannot
// match.
bool writtenAtSomeAmpersand(std::string_view text, std::string_view name) {
    const auto lower = [](unsigned char byte) {
        return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
    };
    for (std::size_t at = text.find('&'); at != npos; at = text.find('&', at + 1)) {
        if (text.size() - at < name.size()) {
            return false;
        }
        std::size_t k = 1;
        while (k < name.size() && lower(static_cast<unsigned char>(text[at + k])) ==
                                      lower(static_cast<unsigned char>(name[k]))) {
            ++k;
        }
        if (k == name.size()) {
            return true;
        }
    }
    return false;
}

std::string decodeNamed(std::string_view text) {
    std::string result(text);
    for (const auto& [name, character] : namedReferences()) {
        if (result.find('&') == npos) {
            break;  // no later reference can match any more
        }
        if (writtenAtSomeAmpersand(result, name)) {
            result = replaceAllText(result, name, character, true);
        }
    }
    return result;
}

bool isCWhiteSpace(unsigned char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// The digits read as a C decimal reader reads them: leading white space, a
// sign, as many digits as follow. Saturates far beyond any character code.
long long readDecimal(std::string_view digits) {
    std::size_t i = 0;
    while (i < digits.size() && isCWhiteSpace(static_cast<unsigned char>(digits[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
        negative = digits[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        if (value < (1LL << 40)) {
            value = value * 10 + (digits[i] - '0');
        }
    }
    return negative ? -value : value;
}

// The hexadecimal reading of a reference written &#x41;: the byte after "&#"
// is dropped whatever it is; a byte that is no hex digit counts -2. The sum
// wraps at 32 bits like the four-byte value it stands for.
std::uint32_t readHexadecimal(std::string_view digits) {
    static constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    const std::string upper = toUpperAscii(digits.empty() ? digits : digits.substr(1));
    std::uint32_t value = 0;
    for (const char byte : upper) {
        const std::size_t digit = kHexDigits.find(byte);
        value = value * 16 + (digit == npos ? static_cast<std::uint32_t>(-2)
                                            : static_cast<std::uint32_t>(digit));
    }
    return value;
}

// The GBK text for the code a numeric reference names.
std::string characterFor(std::string_view digits) {
    const long long decimal = readDecimal(digits);
    const std::uint32_t code =
        decimal != 0 ? (decimal < 0 || decimal > 0xFFFFFFFFLL ? 0xFFFFFFFFu
                                                              : static_cast<std::uint32_t>(decimal))
                     : readHexadecimal(digits);
    if (code == 0) {
        return {};  // a zero code unit ends the converted text
    }
    if (code < 0x80) {
        return std::string(1, static_cast<char>(code));
    }
    // Beyond one UTF-16 unit, or half a surrogate pair: no character GBK has.
    if (code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return "?";
    }
    const char unit[2] = {static_cast<char>(code & 0xFF), static_cast<char>(code >> 8)};
    return utf16leToGbk(std::string_view(unit, 2));
}

// The decoded part of the text, after everything still undecoded. Kept
// reversed so that putting text in front of it costs only that text.
class DecodedTail {
public:
    bool startsWith(char byte) const { return !reversed_.empty() && reversed_.back() == byte; }

    void prepend(std::string_view piece) {
        const std::size_t base = reversed_.size();
        reversed_.append(piece.rbegin(), piece.rend());
        const std::size_t semicolon = piece.find(';');
        if (semicolon != npos) {
            firstSemicolon_ = base + (piece.size() - 1 - semicolon);
        }
    }

    // Offset from the front of the first ";", or npos.
    std::size_t firstSemicolon() {
        if (firstSemicolon_ == npos) {
            for (std::size_t i = reversed_.size(); i > knownFreeBelow_; --i) {
                if (reversed_[i - 1] == ';') {
                    firstSemicolon_ = i - 1;
                    break;
                }
            }
            if (firstSemicolon_ == npos) {
                knownFreeBelow_ = reversed_.size();
                return npos;
            }
        }
        return reversed_.size() - 1 - firstSemicolon_;
    }

    // Removes and returns the first `count` bytes.
    std::string takeFront(std::size_t count) {
        std::string front(reversed_.rbegin(), reversed_.rbegin() + static_cast<long>(count));
        reversed_.resize(reversed_.size() - count);
        if (firstSemicolon_ != npos && firstSemicolon_ >= reversed_.size()) {
            firstSemicolon_ = npos;
        }
        if (knownFreeBelow_ > reversed_.size()) {
            knownFreeBelow_ = reversed_.size();
        }
        return front;
    }

    std::string text() const { return std::string(reversed_.rbegin(), reversed_.rend()); }

private:
    std::string reversed_;
    std::size_t firstSemicolon_ = npos;  // index into reversed_
    std::size_t knownFreeBelow_ = 0;     // reversed_[0, this) holds no ";"
};

// Numeric references from the end of the text towards its start. A reference
// is decoded where it stands and the search goes on in front of it, so a
// result that completes an earlier "&" to "&#" is read as well.
std::string decodeNumeric(std::string_view text) {
    if (text.find("&#") == npos) {
        return std::string(text);
    }
    std::string undecoded(text);
    DecodedTail decoded;
    for (;;) {
        if (!undecoded.empty() && undecoded.back() == '&' && decoded.startsWith('#')) {
            undecoded.pop_back();
            decoded.prepend("&");
        } else {
            const std::size_t reference = undecoded.rfind("&#");
            if (reference == npos) {
                break;
            }
            decoded.prepend(std::string_view(undecoded).substr(reference));
            undecoded.resize(reference);
        }
        pumpMessages();
        const std::size_t semicolon = decoded.firstSemicolon();
        if (semicolon == npos) {
            continue;  // stays as written; an earlier "&#" may still have a ";"
        }
        const std::string whole = decoded.takeFront(semicolon + 1);
        decoded.prepend(characterFor(std::string_view(whole).substr(2, semicolon - 2)));
    }
    return undecoded + decoded.text();
}

}  // namespace

std::string decodeEntities(std::string_view text, bool namedOnly) {
    std::string result = decodeNamed(text);
    return namedOnly ? result : decodeNumeric(result);
}

}  // namespace rankminer
