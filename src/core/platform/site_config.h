#pragma once

#include <string>

namespace rankminer {

// Hosts of the ranking site and of the search engine, and the factor on the
// fixed pauses. Defaults are the build's; each can be overridden by an
// environment variable (see README).
struct SiteConfig {
    std::string rankUrl;           // RANKMINER_RANK_URL, ends in "/"
    std::string keywordUrl;        // RANKMINER_KEYWORD_URL, ends in "/"
    std::string siteUrl;           // RANKMINER_SITE_URL, ends in "/"
    std::string engineHost;        // RANKMINER_ENGINE_HOST, host[:port]
    std::string engineMobileHost;  // RANKMINER_ENGINE_MOBILE_HOST, host[:port]
    double timeScale = 1.0;        // RANKMINER_TIME_SCALE
    // Limit on one page download, in seconds; 0 keeps each job's own limit
    // (60 s ranking, 120 s mining). Only tests shorten it, to meet a server
    // that accepts and never answers without waiting a minute.
    int fetchTimeLimitSeconds = 0;

    // "http://" + engineHost + "/link?url=" and "http://" + engineMobileHost + "/s?",
    // joined by "|".
    std::string redirectPrefixes() const;
    // "http://" + engineHost + "/baidu?word="
    std::string searchAddress() const;
    // siteUrl + "user.php"
    std::string userPage() const;
    // A fixed pause scaled by timeScale, in milliseconds.
    long long scaledPause(long long milliseconds) const;

    static SiteConfig defaults();
    // The defaults overridden by the environment.
    static SiteConfig fromEnvironment();
};

}  // namespace rankminer
