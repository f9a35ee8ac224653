#include <charconv>

#include "net/request.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

// The host with its port part, as the URL names it (lower-cased).
std::string hostAndPort(std::string_view url) {
    std::string lower = toLowerAscii(url);
    if (lower.empty() || lower.back() != '/') {
        lower += '/';
    }
    std::string_view marker = "https://";
    if (lower.rfind(marker, 0) != 0) {
        marker = "http://";
        if (lower.find(marker) == std::string::npos) {
            lower.insert(0, marker);
        }
    }
    const std::size_t start = lower.find(marker) + marker.size();
    const std::size_t end = lower.find('/', start);
    if (end == std::string::npos) {
        return {};
    }
    return lower.substr(start, end - start);
}

}  // namespace

std::string urlHost(std::string_view url) {
    std::string host = hostAndPort(url);
    const std::size_t colon = host.find(':');
    if (colon != std::string::npos) {
        host.resize(colon);
    }
    return host;
}

int urlPort(std::string_view url) {
    const std::string host = hostAndPort(url);
    const std::size_t colon = host.rfind(':');
    if (colon == std::string::npos) {
        return toLowerAscii(url.substr(0, 5)) == "https" ? 443 : 80;
    }
    // The leading digits count, as a numeric conversion of the text would read them.
    const char* first = host.data() + colon + 1;
    const char* last = host.data() + host.size();
    int port = 0;
    const auto [end, error] = std::from_chars(first, last, port);
    if (error != std::errc() || end == first) {
        return 0;
    }
    return port;
}

std::string urlPath(std::string_view url) {
    const long long hostAt = findText(url, urlHost(url), 1, true);
    if (hostAt < 1) {
        return "/";
    }
    const long long slashAt = findText(url, "/", hostAt);
    if (slashAt < 1) {
        return "/";
    }
    return std::string(url.substr(static_cast<std::size_t>(slashAt - 1)));
}

}  // namespace rankminer
