// Body decoding: gzip detection and inflation, charset detection and
// conversion, on arbitrary response bodies.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "net/decode.h"

using rankminer::TextEncoding;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the declared encoding, the rest is the body.
    const auto encoding = static_cast<TextEncoding>(data[0] % 7);
    const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
    rankminer::decodePage(body, encoding);
    rankminer::decodePage(body);
    if (rankminer::inflateGzip(body).size() > rankminer::kMaxInflatedBytes) {
        std::abort();
    }
    rankminer::findMetaCharset(body);
    return 0;
}
