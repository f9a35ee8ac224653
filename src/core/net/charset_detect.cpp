#include <cstdint>
#include <cstring>

#include "net/decode.h"
#include "platform/message_pump.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

// The three ways a meta element may name each charset, in the order they are
// tried: bare, double-quoted, single-quoted.
bool declares(std::string_view element, std::string_view name) {
    const std::string bare = "charset=" + std::string(name);
    const std::string doubleQuoted = "charset=\"" + std::string(name) + "\"";
    const std::string singleQuoted = "charset='" + std::string(name) + "'";
    return containsText(element, bare, true) || containsText(element, doubleQuoted, true) ||
           containsText(element, singleQuoted, true);
}

std::string_view headOf(std::string_view text) {
    const long long open = findText(text, "<head>", 1, true);
    if (open < 1) {
        return text;
    }
    const long long inner = open + 6;
    const long long close = findText(text, "</head>", inner, true);
    if (close < 1 || close == inner) {
        return text;
    }
    return text.substr(static_cast<std::size_t>(inner - 1),
                       static_cast<std::size_t>(close - inner));
}

}  // namespace

MetaCharset findMetaCharset(std::string_view text) {
    const std::string_view head = headOf(text);
    long long from = 1;
    while (true) {
        const long long open = findText(head, "<meta", from, true);
        if (open < 1) {
            return {};
        }
        const long long inner = open + 5;
        const long long close = findText(head, ">", inner);
        if (close < 1 || close == inner) {
            return {};
        }
        const std::string_view element = head.substr(static_cast<std::size_t>(inner - 1),
                                                     static_cast<std::size_t>(close - inner));
        if (declares(element, "UTF-8")) {
            return {true, 1};
        }
        if (declares(element, "Big5")) {
            return {true, 2};
        }
        if (declares(element, "Big5-HKSCS")) {
            return {true, 3};
        }
        from = close + 1;
    }
}

bool looksLikeUtf8(std::string_view bytes) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    std::size_t ascii = 0;
    while (i < n) {
        pumpMessages();
        // Eight ASCII bytes at a time: the result is the same as stepping
        // through them one by one.
        if (i + 8 <= n) {
            std::uint64_t block = 0;
            std::memcpy(&block, b + i, 8);
            if ((block & kHighBits) == 0) {
                ascii += 8;
                i += 8;
                continue;
            }
        }
        if (b[i] < 0x80) {
            ++ascii;
            ++i;
        } else if (i + 1 < n && (b[i] & 0xE0) == 0xC0 && (b[i + 1] & 0xC0) == 0x80) {
            i += 2;
        } else if (i + 2 < n && (b[i] & 0xF0) == 0xE0 && (b[i + 1] & 0xC0) == 0x80 &&
                   (b[i + 2] & 0xC0) == 0x80) {
            i += 3;
        } else {
            return false;
        }
    }
    return ascii != n;
}

}  // namespace rankminer
