#pragma once

// Helpers shared by the web-access tests.

#include <string>
#include <string_view>

namespace rankminer::testing {

// Replaces every "{key}" in text with value.
inline std::string fill(std::string text, std::string_view key, std::string_view value) {
    const std::string marker = "{" + std::string(key) + "}";
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + value.size())) {
        text.replace(at, marker.size(), value);
    }
    return text;
}

// The gzip encoding of bytes (one member).
std::string gzipBytes(std::string_view bytes);

}  // namespace rankminer::testing
