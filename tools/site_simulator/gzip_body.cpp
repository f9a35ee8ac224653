#include "site_simulator/gzip_body.h"

#include <zlib.h>

namespace rankminer::sim {

namespace {
// Owns an initialised deflate stream.
class DeflateStream {
public:
    DeflateStream() {
        // 16 + MAX_WBITS asks zlib for the gzip wrapper instead of zlib's own.
        ok_ = deflateInit2(&stream_, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                           Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~DeflateStream() {
        if (ok_) {
            deflateEnd(&stream_);
        }
    }
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    bool ok() const { return ok_; }
    z_stream& get() { return stream_; }

private:
    z_stream stream_{};
    bool ok_ = false;
};
}  // namespace

std::string gzipCompress(std::string_view bytes) {
    DeflateStream deflater;
    if (!deflater.ok()) {
        return {};
    }
    z_stream& stream = deflater.get();
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    // zlib's API takes non-const input; it does not write through it.
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) {
        return {};
    }
    out.resize(stream.total_out);
    return out;
}

}  // namespace rankminer::sim
