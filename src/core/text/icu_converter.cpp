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
    // Twice the input holds every conversion to a double-byte charset; other
    // targets get a retry with more room, up to a bound.
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
