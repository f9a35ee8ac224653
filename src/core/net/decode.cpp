#include "net/decode.h"

namespace rankminer {

namespace {

// GBK with the Windows code page 936 table; characters outside it become "?".
constexpr std::string_view kProgramCharset = "windows-936";

std::string_view charsetName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Utf16Le:
            return "UTF-16LE";
        case TextEncoding::Utf16Be:
            return "UTF-16BE";
        case TextEncoding::Big5:
            return "BIG5";
        case TextEncoding::Big5Hkscs:
            return "BIG5-HKSCS";
        default:
            return {};
    }
}

std::string_view upToZero(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string decodePage(std::string_view body, TextEncoding encoding) {
    std::string inflated;
    if (startsWith(body, "\x1F\x8B")) {
        inflated = inflateGzip(body);
        body = inflated;
    }
    std::size_t position = 0;
    TextEncoding code = encoding;
    switch (code) {
        case TextEncoding::Auto:
            if (startsWith(body, "\xEF\xBB\xBF")) {
                code = TextEncoding::Utf8;
                position = 3;
            } else if (startsWith(body, "\xFF\xFE")) {
                code = TextEncoding::Utf16Le;
                position = 2;
            } else if (startsWith(body, "\xFE\xFF")) {
                code = TextEncoding::Utf16Be;
                position = 2;
            } else if (const MetaCharset meta = findMetaCharset(upToZero(body)); meta.found) {
                constexpr TextEncoding kByMeta[] = {TextEncoding::Utf8, TextEncoding::Big5,
                                                    TextEncoding::Big5Hkscs};
                code = kByMeta[meta.code - 1];
            }
            break;
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be:
            // The first two bytes go as a mark, whether or not they are one.
            position = std::min<std::size_t>(2, body.size());
            break;
        case TextEncoding::Utf8:
            position = startsWith(body, "\xEF\xBB\xBF") ? 3 : 0;
            break;
        default:
            break;
    }
    const std::string_view data = body.substr(position);
    if (code == TextEncoding::Auto && looksLikeUtf8(data)) {
        code = TextEncoding::Utf8;
    }
    const std::string_view from = charsetName(code);
    if (!from.empty() && !data.empty()) {
        std::string text = convertCharset(data, from, kProgramCharset);
        text.resize(upToZero(text).size());
        if (!text.empty()) {
            return text;
        }
    }
    return std::string(upToZero(body));
}

}  // namespace rankminer
