#pragma once

// The request header block the engine sends, and the cookie lines it reads
// back. Kept apart from the transfer so the exact bytes can be checked alone.

#include <string>
#include <string_view>
#include <vector>

#include "net/request.h"

namespace rankminer {

inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/30.0.1599.101 Safari/537.36";

// The user agent for a request: the trimmed value of the caller's
// "User-Agent:" line, empty when that line is not written in exactly that
// case or lacks its "\r\n", the default agent when the caller names none.
std::string chooseUserAgent(std::string_view extraHeaders);

// The caller's extra headers followed by the defaults they do not switch off
// (Accept, Referer, Accept-Language), the form headers of a POST with a body,
// and the caller's Cookie line last, followed by an empty line.
std::string buildHeaderBlock(const RequestRecord& record);

// The text after "Set-Cookie: " of every response header line that holds it
// (any letter case), in order, line breaks removed.
std::vector<std::string> setCookieValues(std::string_view responseHeaders);

// "name=value;" for each value: the part before the first ";" and a ";".
std::string cookiePairs(const std::vector<std::string>& setCookies);

}  // namespace rankminer
