#include "text/encodings.h"

#include "platform/message_pump.h"
#include "text/icu_converter.h"

namespace rankminer {

std::string urlEncodeGbk(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool alnum = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= 'a' && byte <= 'z');
        // ".", "_" and "-" are encoded and then restored in the same pass.
        if (alnum || byte == '.' || byte == '_' || byte == '-') {
            out.push_back(c);
            continue;
        }
        out.push_back('%');
        out.push_back(kHex[byte >> 4]);
        out.push_back(kHex[byte & 0x0F]);
        pumpMessages();
    }
    return out;
}

std::string gbkToUtf16le(std::string_view text) {
    return convertBetween(text, "windows-936", "UTF-16LE");
}

std::string utf16leToGbk(std::string_view bytes) {
    const std::string_view units = bytes.substr(0, bytes.size() / 2 * 2);
    // The text ends at the first zero unit.
    std::size_t end = 0;
    while (end < units.size() && (units[end] != '\0' || units[end + 1] != '\0')) {
        end += 2;
    }
    std::string out = convertBetween(units.substr(0, end), "UTF-16LE", "windows-936");
    const std::size_t zero = out.find('\0');
    if (zero != std::string::npos) {
        out.resize(zero);
    }
    return out;
}

}  // namespace rankminer
