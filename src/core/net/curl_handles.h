#pragma once

// Owning wrappers for the libcurl handles the web-access code opens. Each call
// of the engine opens its own handles; nothing here is shared between calls.

#include <curl/curl.h>

#include <memory>
#include <string>

namespace rankminer {

// Initialises libcurl once for the process. Every function that opens a curl
// handle calls this first; the first call must happen before worker threads
// start, which holds because only the job thread creates workers, after
// calling it.
void ensureCurlInitialised();

struct CurlEasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
// An easy handle, cleaned up on destruction; null when curl could not make one.
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
CurlEasy makeCurlEasy();

// A curl header list (curl_slist), freed on destruction.
class CurlHeaderList {
public:
    CurlHeaderList() = default;
    ~CurlHeaderList();
    CurlHeaderList(CurlHeaderList&& other) noexcept;
    CurlHeaderList& operator=(CurlHeaderList&& other) noexcept;
    CurlHeaderList(const CurlHeaderList&) = delete;
    CurlHeaderList& operator=(const CurlHeaderList&) = delete;

    // Appends one line; false when curl could not allocate it.
    bool append(const std::string& line);
    curl_slist* get() const { return list_; }

private:
    curl_slist* list_ = nullptr;
};

}  // namespace rankminer
