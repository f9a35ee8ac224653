#include "net/header_block.h"

#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr std::string_view kDefaultAccept =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";

bool holds(std::string_view block, std::string_view word) {
    return containsText(block, word, true);
}

void appendCookieLine(std::string& block, const std::string& cookies) {
    if (!cookies.empty()) {
        block += "Cookie: ";
        block += cookies;
        block += "\r\n\r\n";
    }
}

}  // namespace

std::string chooseUserAgent(std::string_view extraHeaders) {
    constexpr std::string_view kName = "User-Agent:";
    if (!holds(extraHeaders, kName)) {
        return std::string(kDefaultUserAgent);
    }
    const long long nameAt = findText(extraHeaders, kName);
    if (nameAt < 1) {
        return {};
    }
    const long long valueAt = nameAt + static_cast<long long>(kName.size());
    const long long endAt = findText(extraHeaders, "\r\n", valueAt);
    if (endAt < 1) {
        return {};
    }
    return trimBlanks(extraHeaders.substr(static_cast<std::size_t>(valueAt - 1),
                                          static_cast<std::size_t>(endAt - valueAt)));
}

std::string buildHeaderBlock(const RequestRecord& record) {
    std::string block = record.extraHeaders;
    if (!holds(block, "Accept")) {
        block += kDefaultAccept;
    }
    if (!holds(block, "Referer")) {
        block += "Referer: " + record.url + "\r\n";
    } else if (holds(block, "RefererNo")) {
        const long long at = findText(block, "RefererNo");
        if (at > 0) {
            block.erase(static_cast<std::size_t>(at - 1), 9);
        }
    }
    if (!holds(block, "Accept-Language")) {
        block += "Accept-Language: zh-cn\r\n";
    }
    if (record.method == "GET") {
        appendCookieLine(block, record.cookies);
    } else if (record.method == "POST") {
        if (!record.postData.empty()) {
            if (!holds(block, "Content-Type")) {
                block += "Content-Type: application/x-www-form-urlencoded\r\n";
            }
            if (!holds(block, "Content-Length")) {
                block += "Content-Length: " + std::to_string(record.postData.size()) + "\r\n";
            }
        }
        appendCookieLine(block, record.cookies);
    }
    return block;
}

std::vector<std::string> setCookieValues(std::string_view responseHeaders) {
    constexpr std::string_view kMarker = "Set-Cookie: ";
    std::vector<std::string> values;
    if (!holds(responseHeaders, kMarker)) {
        return values;
    }
    std::size_t start = 0;
    while (start < responseHeaders.size()) {
        std::size_t end = responseHeaders.find('\n', start);
        if (end == std::string_view::npos) {
            end = responseHeaders.size();
        }
        std::string_view line = responseHeaders.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (holds(line, kMarker)) {
            // The marker's length comes off the line's start, wherever the marker stood.
            values.emplace_back(line.substr(std::min(line.size(), kMarker.size())));
        }
        start = end + 1;
    }
    return values;
}

std::string cookiePairs(const std::vector<std::string>& setCookies) {
    std::string pairs;
    for (const std::string& value : setCookies) {
        const std::size_t semicolon = value.find(';');
        if (semicolon != std::string::npos) {
            pairs.append(value, 0, semicolon);
        }
        pairs += ';';
    }
    return pairs;
}

}  // namespace rankminer
