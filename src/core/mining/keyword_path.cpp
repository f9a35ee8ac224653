#include "mining/keyword_path.h"

#include <charconv>

#include "text/encodings.h"
#include "text/gbk.h"

namespace rankminer {

namespace {
constexpr int kHighestPage = 500;
constexpr char kHexDigits[] = "0123456789abcdef";

void appendHex(std::string& out, unsigned value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out.push_back(kHexDigits[(value >> shift) & 0xF]);
    }
}
}  // namespace

std::string encodeKeywordPath(std::string_view keyword) {
    const std::string units = gbkToUtf16le(keyword);
    std::string out;
    out.reserve(units.size() * 2);
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const unsigned unit =
            static_cast<unsigned char>(units[i]) |
            (static_cast<unsigned>(static_cast<unsigned char>(units[i + 1])) << 8);
        if (unit == '\r' || unit == '\n') {
            out.push_back(static_cast<char>(unit));
        } else if (unit < 0x100) {
            out.push_back('n');
            appendHex(out, unit, 2);
        } else {
            appendHex(out, unit, 4);
        }
    }
    return out;
}

std::string miningPageUrl(const SiteConfig& config, std::string_view keyword, int page) {
    std::string url = config.keywordUrl;
    url += encodeKeywordPath(keyword);
    url += '/';
    url += std::to_string(page);
    url += '/';
    return url;
}

int countResultPages(std::string_view page) {
    // One pass instead of 500 searches: at every character start that holds
    // "/", read the digits up to '/">'. A number written with a leading zero is
    // no page number the site would link ("/05/" does not contain "/5/").
    static constexpr std::string_view kLinkEnd = "/\">";
    int highest = 0;
    for (std::size_t i = 0; i < page.size(); i += gbkCharLength(page, i)) {
        if (page[i] != '/') {
            continue;
        }
        std::size_t end = i + 1;
        while (end < page.size() && page[end] >= '0' && page[end] <= '9') {
            ++end;
        }
        const std::size_t digits = end - i - 1;
        if (digits == 0 || digits > 3 || page[i + 1] == '0' ||
            page.substr(end, kLinkEnd.size()) != kLinkEnd) {
            continue;
        }
        int number = 0;
        std::from_chars(page.data() + i + 1, page.data() + end, number);
        if (number <= kHighestPage && number > highest) {
            highest = number;
        }
    }
    return highest;
}

}  // namespace rankminer
