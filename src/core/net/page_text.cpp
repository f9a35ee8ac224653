#include "net/page_text.h"

#include <algorithm>
#include <cmath>

#include "net/fetch.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr int kDefaultLimitSeconds = 120;

bool declaresUtf8(std::string_view headers) {
    for (std::string_view form : {"charset=utf-8", "charset=\"utf-8\"", "charset='utf-8'"}) {
        if (containsText(headers, form, true)) {
            return true;
        }
    }
    return false;
}

int limitSeconds(double timeLimit) {
    if (std::fabs(timeLimit) <= 0.0000001 || !std::isfinite(timeLimit)) {
        return kDefaultLimitSeconds;
    }
    // Large limits saturate rather than overflow.
    constexpr double kLargest = 2000000.0;
    return static_cast<int>(std::trunc(std::clamp(timeLimit, -kLargest, kLargest)));
}

}  // namespace

std::string fetchPageText(std::string& url, const PageTextOptions& options) {
    const std::size_t hash = url.find('#');
    if (hash != std::string::npos) {
        url.resize(hash);
    }
    const std::string referer = options.referer.empty() ? trimBlanks(url) : options.referer;
    std::string headers;
    FetchOptions fetch;
    fetch.method = options.postText.empty() ? 0 : 1;
    fetch.proxy = options.proxy;
    fetch.extraHeaders = options.extraHeaders + "Referer: " + referer + "\r\n";
    fetch.postData = options.postBytes.empty() ? options.postText : options.postBytes;
    fetch.cookies = options.cookies;
    fetch.timeLimitSeconds = limitSeconds(options.timeLimit);
    fetch.headersOut = &headers;
    fetch.cookiesOut = options.cookiesOut;
    const std::string body = fetchPage(url, fetch);
    if (options.bodyOut != nullptr) {
        *options.bodyOut = body;
    }
    TextEncoding local = TextEncoding::Auto;
    TextEncoding& hint = options.encodingHint != nullptr ? *options.encodingHint : local;
    if (hint == TextEncoding::Auto && declaresUtf8(headers)) {
        hint = TextEncoding::Utf8;
    }
    return decodePage(body, hint);
}

}  // namespace rankminer
