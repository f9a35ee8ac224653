#pragma once

// The one way the jobs download a page: the request runs on a worker thread
// while the calling thread waits through the front end's waiter, which keeps
// the window alive, and gives up at the time limit.

#include <optional>
#include <string>

namespace rankminer {

struct FetchOptions {
    int method = 0;  // 1 = POST, anything else GET
    std::string proxy;
    std::string extraHeaders;
    std::string postData;
    std::string cookies;
    std::optional<int> timeLimitSeconds;  // nullopt = 60
    // Written only when the worker completes within the limit.
    std::string* headersOut = nullptr;
    std::string* cookiesOut = nullptr;
    bool forbidRedirects = false;
};

// Returns the raw response body; empty for a blank URL, a failed request or a
// time-out. A URL without "http://" or "https://" (case-sensitive) gets
// "http://" in front, written back into url. At the limit, measured from the
// start, the transfer is cancelled and abandoned: its late result never
// reaches the caller and the outputs keep their values.
std::string fetchPage(std::string& url, const FetchOptions& options = {});

}  // namespace rankminer
