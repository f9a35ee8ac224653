#pragma once

// GBK program text: the helpers every part of the program shares. Text is a
// std::string of GBK bytes; positions are 1-based byte positions and a search
// that finds nothing returns -1. Searches walk whole characters, so a match
// never starts on the second byte of a two-byte character.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rankminer {

// Length of the character starting at text[index]: 2 for a lead byte
// (0x81-0xFE) followed by another byte, else 1.
inline std::size_t gbkCharLength(std::string_view text, std::size_t index) {
    const auto byte = static_cast<unsigned char>(text[index]);
    return (byte >= 0x81 && byte <= 0xFE && index + 1 < text.size()) ? 2 : 1;
}

// The full-width space (A1 A1).
inline constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

// ---- Conversions at the program's boundaries --------------------------------
// Lossless: every byte string survives gbk -> unicode -> gbk unchanged, because
// bytes that are no valid GBK character travel as private-use code points
// (U+F780 + byte). Characters outside GBK become "?" on the way back.
std::u16string gbkToUtf16(std::string_view gbk);
std::string utf16ToGbk(std::u16string_view utf16);
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

// Program text from a UTF-8 source literal: gbk("采集完成！").
inline std::string gbk(std::string_view utf8) {
    return utf8ToGbk(utf8);
}

// ---- Searching ---------------------------------------------------------------
// 1-based position of needle in haystack at or after start (1-based), or -1.
// ignoreCase folds ASCII letters only. An empty needle is found at start when
// start <= size + 1.
long long findText(std::string_view haystack, std::string_view needle, long long start = 1,
                   bool ignoreCase = false);
// 1-based position of the last occurrence that starts at or before `from`
// (1-based; -1 means the end), or -1.
long long findLastText(std::string_view haystack, std::string_view needle, long long from = -1,
                       bool ignoreCase = false);
bool containsText(std::string_view haystack, std::string_view needle, bool ignoreCase = false);

// Replaces every occurrence, left to right without overlap.
std::string replaceAllText(std::string_view text, std::string_view find,
                           std::string_view replacement, bool ignoreCase = false);

// ASCII letters only; the second byte of a two-byte character is never changed.
std::string toLowerAscii(std::string_view text);
std::string toUpperAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Removes ASCII spaces and full-width spaces at both ends (not tabs or breaks).
std::string trimBlanks(std::string_view text);

// Splits on the separator: empty pieces between separators are kept, a
// trailing separator adds nothing; the empty text gives no pieces. An empty
// separator gives the text as its only piece.
std::vector<std::string> splitText(std::string_view text, std::string_view separator);

// Full-width ASCII forms (A3 A1..A3 FE) and the full-width space become ASCII.
std::string fullWidthToAscii(std::string_view text);

// The leading number of a text as an edit box reads it: blanks skipped, an
// optional sign, digits with an optional decimal part and exponent;
// full-width digits count as ASCII digits; no number reads as 0.
double leadingNumber(std::string_view text);
// The leading optionally signed decimal integer (fraction ignored), saturating.
long long leadingInteger(std::string_view text);

}  // namespace rankminer
