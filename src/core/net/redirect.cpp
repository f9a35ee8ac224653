#include "net/redirect.h"

#include "net/curl_handles.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr long kConnectMs = 5000 + 5000;  // resolve + connect
constexpr long kTotalMs = 5000 + 5000 + 10000 + 5000;
constexpr long kReceiveSilenceSeconds = 5;

std::size_t discardBody(char*, std::size_t size, std::size_t count, void*) {
    return size * count;
}

std::size_t keepHeader(char* data, std::size_t size, std::size_t count, void* user) {
    std::string& headers = *static_cast<std::string*>(user);
    const std::string_view line(data, size * count);
    if (line.substr(0, 5) == "HTTP/") {
        headers.clear();
    }
    if (headers.size() < 1024 * 1024) {
        headers.append(line);
    }
    return size * count;
}

std::string locationOf(std::string_view headers) {
    std::size_t start = 0;
    while (start < headers.size()) {
        std::size_t end = headers.find('\n', start);
        if (end == std::string_view::npos) {
            end = headers.size();
        }
        const std::string_view line = headers.substr(start, end - start);
        start = end + 1;
        if (equalsIgnoreCase(line.substr(0, 9), "Location:")) {
            std::string_view value = line.substr(9);
            const std::size_t first = value.find_first_not_of(" \t");
            const std::size_t last = value.find_last_not_of(" \t\r");
            if (first == std::string_view::npos || last < first) {
                return {};
            }
            return std::string(value.substr(first, last - first + 1));
        }
    }
    return {};
}

}  // namespace

std::string resolveRedirect(std::string_view link) {
    CurlEasy easy = makeCurlEasy();
    if (!easy || link.empty()) {
        return {};
    }
    CURL* handle = easy.get();
    CurlHeaderList lines;
    // In this order; curl adds none of its own beside the request line and Host.
    lines.append("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)");
    lines.append("Accept-Language: zh-cn");
    lines.append("Connection: Keep-Alive");
    lines.append(
        "Accept: image/gif, image/x-xbitmap, image/jpeg, imagepeg, application/x-shockwave-flash, "
        "application/x-silverlight, */*");
    const std::string url(link);
    std::string headers;
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, lines.get());
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, kConnectMs);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, kTotalMs);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kReceiveSilenceSeconds);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &discardBody);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &keepHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &headers);
    curl_easy_perform(handle);
    // Whatever headers arrived count, even when the body then failed.
    return locationOf(headers);
}

}  // namespace rankminer
