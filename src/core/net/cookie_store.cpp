#include "net/cookie_store.h"

#include <array>
#include <charconv>
#include <ctime>
#include <mutex>

#include "net/curl_handles.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

struct ShareDeleter {
    void operator()(CURLSH* share) const { curl_share_cleanup(share); }
};
using CurlShare = std::unique_ptr<CURLSH, ShareDeleter>;

std::string_view trimmedView(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool domainCovers(std::string_view domain, std::string_view host) {
    if (equalsIgnoreCase(domain, host)) {
        return true;
    }
    return host.size() > domain.size() && host[host.size() - domain.size() - 1] == '.' &&
           equalsIgnoreCase(host.substr(host.size() - domain.size()), domain);
}

// A Set-Cookie value as a stored cookie for http://host; false when it cannot
// be stored (no name, or a Domain that does not cover the host).
bool cookieFromHeader(std::string_view host, std::string_view header, StoredCookie& cookie) {
    const std::size_t pairEnd = std::min(header.find(';'), header.size());
    const std::string_view pair = header.substr(0, pairEnd);
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    cookie.name = std::string(trimmedView(pair.substr(0, equals)));
    cookie.value = std::string(trimmedView(pair.substr(equals + 1)));
    if (cookie.name.empty()) {
        return false;
    }
    cookie.domain = toLowerAscii(host);
    cookie.path.assign(1, '/');
    bool haveMaxAge = false;
    std::size_t start = pairEnd;
    while (start < header.size()) {
        const std::size_t end = std::min(header.find(';', start + 1), header.size());
        const std::string_view attribute = trimmedView(header.substr(start + 1, end - start - 1));
        start = end;
        const std::size_t eq = attribute.find('=');
        const std::string_view name = trimmedView(attribute.substr(0, eq));
        const std::string_view value = eq == std::string_view::npos
                                           ? std::string_view()
                                           : trimmedView(attribute.substr(eq + 1));
        if (equalsIgnoreCase(name, "domain") && !value.empty()) {
            std::string_view domain = value.front() == '.' ? value.substr(1) : value;
            if (!domainCovers(domain, host)) {
                return false;
            }
            cookie.domain = toLowerAscii(domain);
            cookie.includeSubdomains = true;
        } else if (equalsIgnoreCase(name, "path") && !value.empty() && value.front() == '/') {
            cookie.path = std::string(value);
        } else if (equalsIgnoreCase(name, "secure")) {
            cookie.secure = true;
        } else if (equalsIgnoreCase(name, "httponly")) {
            cookie.httpOnly = true;
        } else if (equalsIgnoreCase(name, "max-age")) {
            long long seconds = 0;
            const auto [ptr, error] =
                std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (error == std::errc() && ptr == value.data() + value.size()) {
                haveMaxAge = true;
                // Zero or less deletes: an expiry in the past does that.
                cookie.expires =
                    seconds <= 0 ? 1 : static_cast<long long>(std::time(nullptr)) + seconds;
            }
        } else if (equalsIgnoreCase(name, "expires") && !haveMaxAge) {
            const std::string date(value);
            const time_t when = curl_getdate(date.c_str(), nullptr);
            if (when > 0) {
                cookie.expires = when;
            }
        }
    }
    return true;
}

}  // namespace

struct CookieStore::Impl {
    CurlShare share;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;
    std::mutex observerMutex;
    std::function<void()> observer;

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<Impl*>(self)->locks[static_cast<std::size_t>(data)].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<Impl*>(self)->locks[static_cast<std::size_t>(data)].unlock();
    }

    // An easy handle reading and writing the store; null when curl fails.
    CurlEasy handle() const {
        CurlEasy easy = makeCurlEasy();
        if (easy && share && curl_easy_setopt(easy.get(), CURLOPT_SHARE, share.get()) == CURLE_OK) {
            return easy;
        }
        return nullptr;
    }
};

CookieStore& CookieStore::instance() {
    static CookieStore* store = new CookieStore();
    return *store;
}

CookieStore::CookieStore() : impl_(std::make_unique<Impl>()) {
    ensureCurlInitialised();
    impl_->share.reset(curl_share_init());
    CURLSH* share = impl_->share.get();
    if (share == nullptr) {
        return;
    }
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &Impl::lock);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &Impl::unlock);
    curl_share_setopt(share, CURLSHOPT_USERDATA, impl_.get());
    if (curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) != CURLSHE_OK) {
        impl_->share.reset();
    }
}

CookieStore::~CookieStore() = default;

void CookieStore::setCookie(const StoredCookie& cookie) {
    CurlEasy easy = impl_->handle();
    if (!easy || cookie.name.empty()) {
        return;
    }
    const std::string line = netscapeCookieLine(cookie);
    curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, line.c_str());
}

void CookieStore::setCookieFromHeader(std::string_view host, std::string_view setCookieValue) {
    StoredCookie cookie;
    if (cookieFromHeader(host, setCookieValue, cookie)) {
        setCookie(cookie);
    }
}

std::vector<StoredCookie> CookieStore::allCookies() const {
    std::vector<StoredCookie> cookies;
    CurlEasy easy = impl_->handle();
    if (!easy) {
        return cookies;
    }
    curl_slist* lines = nullptr;
    if (curl_easy_getinfo(easy.get(), CURLINFO_COOKIELIST, &lines) != CURLE_OK) {
        return cookies;
    }
    const auto now = static_cast<long long>(std::time(nullptr));
    for (curl_slist* line = lines; line != nullptr; line = line->next) {
        StoredCookie cookie;
        // Expired cookies linger in curl's list until its next clean-up.
        if (parseNetscapeCookieLine(line->data, cookie) &&
            (cookie.expires == 0 || cookie.expires > now)) {
            cookies.push_back(std::move(cookie));
        }
    }
    curl_slist_free_all(lines);
    return cookies;
}

void CookieStore::clear() {
    CurlEasy easy = impl_->handle();
    if (easy) {
        curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
    }
}

void CookieStore::setChangeObserver(std::function<void()> observer) {
    std::lock_guard lock(impl_->observerMutex);
    impl_->observer = std::move(observer);
}

void CookieStore::notifyChanged() {
    std::function<void()> observer;
    {
        std::lock_guard lock(impl_->observerMutex);
        observer = impl_->observer;
    }
    if (observer) {
        observer();
    }
}

bool CookieStore::attachTo(CURL* easy) const {
    return impl_->share && curl_easy_setopt(easy, CURLOPT_SHARE, impl_->share.get()) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "") == CURLE_OK;
}

std::string netscapeCookieLine(const StoredCookie& cookie) {
    std::string line;
    if (cookie.httpOnly) {
        line += "#HttpOnly_";
    }
    line += cookie.domain;
    line += cookie.includeSubdomains ? "\tTRUE\t" : "\tFALSE\t";
    line += cookie.path.empty() ? std::string("/") : cookie.path;
    line += cookie.secure ? "\tTRUE\t" : "\tFALSE\t";
    line += std::to_string(cookie.expires);
    line += '\t';
    line += cookie.name;
    line += '\t';
    line += cookie.value;
    return line;
}

bool parseNetscapeCookieLine(std::string_view line, StoredCookie& cookie) {
    constexpr std::string_view kHttpOnly = "#HttpOnly_";
    cookie.httpOnly = line.substr(0, kHttpOnly.size()) == kHttpOnly;
    if (cookie.httpOnly) {
        line.remove_prefix(kHttpOnly.size());
    }
    if (line.empty() || line.front() == '#') {
        return false;
    }
    // Seven fields; the value, last, may be empty.
    std::array<std::string_view, 7> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t tab = i + 1 < fields.size() ? line.find('\t', start) : line.size();
        if (tab == std::string_view::npos) {
            return false;
        }
        fields[i] = line.substr(start, tab - start);
        start = tab + 1;
    }
    std::string_view domain = fields[0];
    if (!domain.empty() && domain.front() == '.') {
        domain.remove_prefix(1);
    }
    cookie.domain = std::string(domain);
    cookie.includeSubdomains = fields[1] == "TRUE";
    cookie.path = std::string(fields[2]);
    cookie.secure = fields[3] == "TRUE";
    cookie.expires = 0;
    std::from_chars(fields[4].data(), fields[4].data() + fields[4].size(), cookie.expires);
    cookie.name = std::string(fields[5]);
    cookie.value = std::string(fields[6]);
    return !cookie.name.empty();
}

}  // namespace rankminer
