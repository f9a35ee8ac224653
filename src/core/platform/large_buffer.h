#pragma once

// Large short-lived buffers (a sort's keys and moved rows for a million-row
// list) spend much of their life in first-touch page faults: one per 4 KB,
// and each is expensive on a virtual machine. Asking for huge pages before the
// first write makes that one fault per 2 MB. Linux only honours the request
// where transparent huge pages are enabled for advised memory; elsewhere it
// costs one failed system call.

#include <cstddef>
#include <vector>

namespace rankminer {

// Advises huge pages for the whole 2 MB blocks inside [data, data + bytes).
// Does nothing for buffers under 4 MB.
void adviseHugePages(const void* data, std::size_t bytes);

// v.resize(count) for a vector about to be filled, with huge pages advised for
// its storage before the new elements are first written.
template <typename T>
void resizeLarge(std::vector<T>& v, std::size_t count) {
    v.reserve(count);
    adviseHugePages(v.data(), v.capacity() * sizeof(T));
    v.resize(count);
}

}  // namespace rankminer
