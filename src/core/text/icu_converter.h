#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UConverter;

namespace rankminer {

// An ICU converter opened by name, closed on destruction. Not thread-safe: use
// one per thread or per call.
class IcuConverter {
public:
    explicit IcuConverter(const char* name);
    ~IcuConverter();
    IcuConverter(IcuConverter&& other) noexcept;
    IcuConverter& operator=(IcuConverter&& other) noexcept;
    IcuConverter(const IcuConverter&) = delete;
    IcuConverter& operator=(const IcuConverter&) = delete;

    bool isOpen() const { return converter_ != nullptr; }
    UConverter* get() const { return converter_; }

private:
    UConverter* converter_ = nullptr;
};

// Converts bytes between two charsets through ICU; empty on any failure.
// Characters the target cannot hold become its substitution character.
std::string convertBetween(std::string_view bytes, const char* from, const char* to);

}  // namespace rankminer
