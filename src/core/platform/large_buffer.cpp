#include "platform/large_buffer.h"

#include <sys/mman.h>

#include <cstdint>

namespace rankminer {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

}  // namespace

void adviseHugePages(const void* data, std::size_t bytes) {
    if (data == nullptr || bytes < 2 * kHugePage) {
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
    if (end > begin) {
        // Advice only: a kernel without the feature refuses it, and the
        // buffer works as before.
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

}  // namespace rankminer
