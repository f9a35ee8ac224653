#include "text/icu_converter.h"

#include <unicode/ucnv.h>

#include <utility>

namespace rankminer {

IcuConverter::IcuConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    converter_ = ucnv_open(name, &status);
    if (U_FAILURE(status)) {
        converter_ = nullptr;
    }
}

IcuConverter::~IcuConverter() {
    if (converter_ != nullptr) {
        ucnv_close(converter_);
    }
}

IcuConverter::IcuConverter(IcuConverter&& other) noexcept
    : converter_(std::exchange(other.converter_, nullptr)) {}

IcuConverter& IcuConverter::operator=(IcuConverter&& other) noexcept {
    if (this != &other) {
        if (converter_ != nullptr) {
            ucnv_close(converter_);
        }
        converter_ = std::exchange(other.converter_, nullptr);
    }
    return *this;
}

std::string convertBetween(std::string_view bytes, const char* from, const char* to) {
    if (bytes.empty()) {
        return {};
    }
    IcuConverter source(from);
    IcuConverter target(to);
    if (!source.isOpen() || !target.isOpen()) {
        return {};
    }
    // Two bytes in may become up to four out (UTF-8 to GB18030 worst case).
    std::string out(bytes.size() * 4 + 16, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        char* outPtr = out.data();
        const char* inPtr = bytes.data();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_convertEx(target.get(), source.get(), &outPtr, out.data() + out.size(), &inPtr,
                       bytes.data() + bytes.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                       &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
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
    return {};
}

}  // namespace rankminer
