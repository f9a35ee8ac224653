#pragma once

// One complete HTTP or HTTPS exchange, run synchronously on the calling
// (worker) thread. Every call opens and closes its own handles; the only state
// that outlives a call is the process-wide cookie store (net/cookie_store.h).

#include <atomic>
#include <string>
#include <string_view>

namespace rankminer {

struct RequestRecord {
    // Inputs.
    std::string url;  // absolute, "http://" or "https://"
    std::string method = "GET";
    std::string proxy;         // "host:port" of an HTTP proxy, plain-HTTP traffic only
    std::string extraHeaders;  // header lines each ending in "\r\n"; also switches defaults off
    std::string postData;      // request body, POST only
    std::string cookies;       // sent verbatim as a Cookie header; blank: use the store
    bool forbidRedirects = false;
    // Outputs.
    std::string body;             // raw body, capped at kMaxBodyBytes
    std::string responseHeaders;  // raw headers of the final response, status line first
    std::string cookiesOut;       // "name=value;" for every Set-Cookie, in order
};

// A body that grows past this is cut here and the transfer ends: no page of
// the sites we read comes near it, and a runaway server must not exhaust memory.
inline constexpr std::size_t kMaxBodyBytes = 64u * 1024u * 1024u;

// Runs the exchange synchronously. abort (optional) cancels the transfer when
// it becomes true. Failures leave an empty (or partial) body; nothing throws.
void performRequest(RequestRecord& record, const std::atomic<bool>* abort = nullptr);

// The host name, lower-case, without scheme, port or path; empty when none.
std::string urlHost(std::string_view url);
// The port named in the URL; without one, 443 for "https" URLs and 80 for the
// rest; a port that is no number gives 0.
int urlPort(std::string_view url);
// Everything from the first "/" after the host (query and fragment included),
// case kept; "/" when there is none.
std::string urlPath(std::string_view url);

}  // namespace rankminer
