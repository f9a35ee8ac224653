// urlEncodeGbk and encodeKeywordPath must give back the text they encode.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "mining/keyword_path.h"
#include "site_simulator/site_simulator.h"
#include "text/encodings.h"

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;  // the encoder writes upper-case digits only
}

// Strict percent-decoding: aborts on anything the encoder must not write.
std::string percentDecoded(std::string_view encoded) {
    std::string out;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(encoded[i]);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (plain) {
            out += static_cast<char>(c);
            continue;
        }
        if (c != '%' || i + 2 >= encoded.size() + 0 || hexValue(encoded[i + 1]) < 0 ||
            hexValue(encoded[i + 2]) < 0) {
            std::abort();
        }
        out += static_cast<char>(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2]));
        i += 2;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (percentDecoded(rankminer::urlEncodeGbk(text)) != text) {
        std::abort();
    }

    const std::string segment = rankminer::encodeKeywordPath(text);
    // The path holds UTF-16 units, so only text that survives the trip to
    // UTF-16 and back can come back whole; CR and LF pass through as they are
    // and have no decoding.
    const bool representable = rankminer::utf16leToGbk(rankminer::gbkToUtf16le(text)) == text;
    if (representable && text.find_first_of("\r\n") == std::string_view::npos &&
        rankminer::sim::decodeKeywordPath(segment) != text) {
        std::abort();
    }
    return 0;
}
