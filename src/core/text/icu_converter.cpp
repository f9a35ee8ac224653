#include "text/icu_converter.h"

#include <unicode/ucnv.h>

#include <utility>
#include <vector>

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

namespace {

// Opening converters costs far more than converting a short cell (character
// references are converted one at a time), so each thread keeps the pairs it
// used last, reset before each use. Charset names come from pages, hence the
// bound.
class ConverterCache {
public:
    struct Pair {
        std::string from;
        std::string to;
        IcuConverter source;
        IcuConverter target;
    };

    const Pair* get(const char* from, const char* to) {
        for (const Pair& pair : pairs_) {
            if (pair.from == from && pair.to == to) {
                ucnv_reset(pair.source.get());
                ucnv_reset(pair.target.get());
                return &pair;
            }
        }
        Pair opened{from, to, IcuConverter(from), IcuConverter(to)};
        if (!opened.source.isOpen() || !opened.target.isOpen()) {
            return nullptr;
        }
        if (pairs_.size() >= kCapacity) {
            pairs_.erase(pairs_.begin());
        }
        pairs_.push_back(std::move(opened));
        return &pairs_.back();
    }

private:
    static constexpr std::size_t kCapacity = 8;
    std::vector<Pair> pairs_;
};

}  // namespace

std::string convertBetween(std::string_view bytes, const char* from, const char* to) {
    if (bytes.empty()) {
        return {};
    }
    thread_local ConverterCache cache;
    const ConverterCache::Pair* pair = cache.get(from, to);
    if (pair == nullptr) {
        return {};
    }
    UConverter* const sourceConverter = pair->source.get();
    UConverter* const targetConverter = pair->target.get();
    // Twice the input holds every conversion to a double-byte charset; other
    // targets get a retry with more room, up to a bound.
    std::string out(bytes.size() * 2 + 16, '\0');
    while (true) {
        char* outPtr = out.data();
        const char* inPtr = bytes.data();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_convertEx(targetConverter, sourceConverter, &outPtr, out.data() + out.size(), &inPtr,
                       bytes.data() + bytes.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                       &status);
        if (status == U_BUFFER_OVERFLOW_ERROR && out.size() < bytes.size() * 8 + 64) {
            out.assign(out.size() * 2, '\0');
            ucnv_resetToUnicode(sourceConverter);
            ucnv_resetFromUnicode(targetConverter);
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
