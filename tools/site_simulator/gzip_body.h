#pragma once

#include <string>
#include <string_view>

namespace rankminer::sim {

// The bytes as one gzip member (magic 1F 8B); empty when zlib fails.
std::string gzipCompress(std::string_view bytes);

}  // namespace rankminer::sim
