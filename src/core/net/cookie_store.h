#pragma once

// The process-wide cookie store shared by every request that does not bring
// its own cookies. It lives in a libcurl share handle with cookie locks, so
// worker threads may use it at the same time.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

typedef void CURL;

namespace rankminer {

struct StoredCookie {
    std::string domain;
    bool includeSubdomains = false;
    std::string path;
    bool secure = false;
    bool httpOnly = false;
    long long expires = 0;  // unix seconds, 0 = session
    std::string name;
    std::string value;
};

class CookieStore {
public:
    // The one store. It is never destroyed: detached fetch workers may still
    // be using it while the process exits.
    static CookieStore& instance();

    // Adds the cookie or replaces the one with the same domain, path and name.
    // Does not call the change observer (the browser mirror calls this).
    void setCookie(const StoredCookie& cookie);
    // Stores the cookie the way a "Set-Cookie: <setCookieValue>" header from
    // http://host would. Without a Domain attribute the cookie belongs to the
    // host alone; a Domain the host does not lie in is refused. No observer call.
    void setCookieFromHeader(std::string_view host, std::string_view setCookieValue);
    std::vector<StoredCookie> allCookies() const;
    void clear();
    // Called (from any thread) after a response stored cookies; the GUI mirrors them into the
    // browser.
    void setChangeObserver(std::function<void()> observer);

    // The request engine calls this after a response put cookies in the store.
    void notifyChanged();
    // Attaches the store to an easy handle, which then sends the stored cookies
    // and stores the ones it receives. False when curl refuses.
    bool attachTo(CURL* easy) const;

    CookieStore(const CookieStore&) = delete;
    CookieStore& operator=(const CookieStore&) = delete;

private:
    CookieStore();
    ~CookieStore();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The Netscape cookie-file line for a cookie ("#HttpOnly_" prefix when
// HttpOnly), and the reverse; the parse fails (false) on a line without seven
// tab-separated fields.
std::string netscapeCookieLine(const StoredCookie& cookie);
bool parseNetscapeCookieLine(std::string_view line, StoredCookie& cookie);

}  // namespace rankminer
