#include <zlib.h>

#include <algorithm>

#include "net/decode.h"

namespace rankminer {

namespace {

constexpr std::size_t kWindowBytes = 8192;

// A z_stream set up for gzip input, ended on destruction.
class GzipInflater {
public:
    GzipInflater() { ready_ = inflateInit2(&stream_, 16 + MAX_WBITS) == Z_OK; }
    ~GzipInflater() {
        if (ready_) {
            inflateEnd(&stream_);
        }
    }
    GzipInflater(const GzipInflater&) = delete;
    GzipInflater& operator=(const GzipInflater&) = delete;

    bool ready() const { return ready_; }
    z_stream& stream() { return stream_; }

private:
    z_stream stream_{};
    bool ready_ = false;
};

}  // namespace

std::string inflateGzip(std::string_view bytes) {
    GzipInflater inflater;
    if (!inflater.ready()) {
        return {};
    }
    z_stream& stream = inflater.stream();
    std::string output;
    unsigned char buffer[kWindowBytes];
    std::size_t offset = 0;
    while (offset < bytes.size() && output.size() < kMaxInflatedBytes) {
        const std::size_t window = std::min(kWindowBytes, bytes.size() - offset);
        // zlib's interface takes non-const input; it does not write to it.
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + offset));
        stream.avail_in = static_cast<uInt>(window);
        stream.next_out = buffer;
        stream.avail_out = sizeof buffer;
        const int result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t consumed = window - stream.avail_in;
        const std::size_t produced = sizeof buffer - stream.avail_out;
        output.append(reinterpret_cast<const char*>(buffer), produced);
        offset += consumed;
        if (result == Z_STREAM_END) {
            // Another member may follow; anything else after the end is ignored.
            if (bytes.size() - offset < 2 || bytes[offset] != '\x1F' ||
                bytes[offset + 1] != '\x8B' || inflateReset(&stream) != Z_OK) {
                break;
            }
            continue;
        }
        if ((result != Z_OK && result != Z_BUF_ERROR) || (consumed == 0 && produced == 0)) {
            break;
        }
    }
    if (output.size() > kMaxInflatedBytes) {
        output.resize(kMaxInflatedBytes);
    }
    return output;
}

}  // namespace rankminer
