#pragma once

// The one-call page download of the keyword mining: fetch with a Referer, a
// 120-second default limit and automatic decoding to GBK text.

#include <string>

#include "net/decode.h"

namespace rankminer {

struct PageTextOptions {
    std::string postText;                  // not empty: a POST of this form text
    TextEncoding* encodingHint = nullptr;  // in and out; Auto when absent
    double timeLimit = 0;                  // seconds, truncated; within 1e-7 of 0: 120
    std::string proxy;
    std::string postBytes;  // the body; empty: the bytes of postText
    std::string referer;    // empty: the URL, trimmed
    std::string cookies;
    std::string extraHeaders;           // lines ending in "\r\n", ahead of the Referer
    std::string* cookiesOut = nullptr;  // written when the fetch completes
    std::string* bodyOut = nullptr;     // the raw body, always written when given
};

// The page as GBK text; empty on failure or time-out. The URL loses its
// fragment (in the caller's variable too) and may gain "http://". A hint of
// Auto becomes Utf8 when the response headers declare charset=utf-8.
std::string fetchPageText(std::string& url, const PageTextOptions& options = {});

}  // namespace rankminer
