#include "net/decode.h"
#include "text/icu_converter.h"

namespace rankminer {

std::string convertCharset(std::string_view bytes, std::string_view from, std::string_view to) {
    return convertBetween(bytes, std::string(from).c_str(), std::string(to).c_str());
}

}  // namespace rankminer
