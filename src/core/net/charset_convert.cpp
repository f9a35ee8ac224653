#include <unicode/ucnv.h>

#include "net/decode.h"
#include "text/icu_converter.h"

namespace rankminer {

std::string convertCharset(std::string_view bytes, std::string_view from, std::string_view to) {
    if (bytes.empty()) {
        return {};
    }
    const IcuConverter source(std::string(from).c_str());
    const IcuConverter target(std::string(to).c_str());
    if (!source.isOpen() || !target.isOpen()) {
        return {};
    }
    // Twice the input holds every conversion to a double-byte charset; other
    // targets may need a retry with more room.
    std::string out(bytes.size() * 2 + 16, '\0');
    while (true) {
        char* outPtr = out.data();
        const char* inPtr = bytes.data();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_convertEx(target.get(), source.get(), &outPtr, out.data() + out.size(), &inPtr,
                       bytes.data() + bytes.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                       &status);
        if (status == U_BUFFER_OVERFLOW_ERROR && out.size() < bytes.size() * 8 + 64) {
            out.assign(out.size() * 2, '\0');
            ucnv_resetToUnicode(source.get());
            ucnv_resetFromUnicode(target.get());
            continue;
        }
        if (U_FAILURE(status)) {
            return {};
        }
        out.resize(static_cast<std::size_t>(outPtr - out.data()));
        return out;
    }
}

}  // namespace rankminer
