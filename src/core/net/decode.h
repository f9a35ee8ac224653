#pragma once

// Response bodies to program text (GBK): gzip undone, the encoding decided
// from the caller's hint, a byte-order mark, the page's meta declaration or a
// UTF-8 test, and the bytes converted. Characters GBK cannot hold become "?".

#include <string>
#include <string_view>

namespace rankminer {

enum class TextEncoding {
    Auto = 0,
    Gbk = 1,
    Utf8 = 2,
    Utf16Le = 3,
    Utf16Be = 4,
    Big5 = 5,
    Big5Hkscs = 6
};

// The page as GBK text, cut at its first zero byte. A page that is GBK
// already, or whose conversion yields nothing, comes back as it is. With
// Utf16Le or Utf16Be given, the first two bytes are dropped as a mark.
std::string decodePage(std::string_view body, TextEncoding encoding = TextEncoding::Auto);

// The gzip decoding of a body starting with 1F 8B: every member of a
// multi-member stream, or what inflated before a truncation or corruption.
// Empty when nothing inflates. Output stops at kMaxInflatedBytes.
std::string inflateGzip(std::string_view bytes);
inline constexpr std::size_t kMaxInflatedBytes = 64u * 1024u * 1024u;

struct MetaCharset {
    bool found = false;
    int code = 0;  // code 1 UTF-8, 2 Big5, 3 Big5-HKSCS
};
// The charset declared by the first meta element of the head that names
// UTF-8, Big5 or Big5-HKSCS; the walk stops at an empty "<meta>".
MetaCharset findMetaCharset(std::string_view text);

// True when the bytes are one- to three-byte UTF-8 sequences with at least
// one multi-byte sequence; pure ASCII and four-byte sequences give false.
bool looksLikeUtf8(std::string_view bytes);

// The bytes converted between two charsets named as ICU knows them; empty on
// failure. Characters the target lacks become its substitute ("?" for GBK).
std::string convertCharset(std::string_view bytes, std::string_view from, std::string_view to);

}  // namespace rankminer
