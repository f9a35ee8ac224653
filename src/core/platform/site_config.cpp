#include "platform/site_config.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

namespace rankminer {

namespace {
std::string withTrailingSlash(std::string url) {
    if (url.empty() || url.back() != '/') {
        url.push_back('/');
    }
    return url;
}

void overrideFromEnv(std::string& target, const char* name, bool slash) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
        target = slash ? withTrailingSlash(value) : std::string(value);
    }
}
}  // namespace

std::string SiteConfig::redirectPrefixes() const {
    return "http://" + engineHost + "/link?url=|http://" + engineMobileHost + "/s?";
}

std::string SiteConfig::searchAddress() const {
    return "http://" + engineHost + "/baidu?word=";
}

std::string SiteConfig::userPage() const {
    return siteUrl + "user.php";
}

long long SiteConfig::scaledPause(long long milliseconds) const {
    const double scaled = static_cast<double>(milliseconds) * timeScale;
    return scaled <= 0 ? 0 : static_cast<long long>(std::llround(scaled));
}

SiteConfig SiteConfig::defaults() {
    SiteConfig config;
    config.rankUrl = "http://rank.example.com/";
    config.keywordUrl = "https://ci.example.com/";
    config.siteUrl = "http://www.example.com/";
    config.engineHost = "www.example.org";
    config.engineMobileHost = "m.example.org";
    return config;
}

SiteConfig SiteConfig::fromEnvironment() {
    SiteConfig config = defaults();
    overrideFromEnv(config.rankUrl, "RANKMINER_RANK_URL", true);
    overrideFromEnv(config.keywordUrl, "RANKMINER_KEYWORD_URL", true);
    overrideFromEnv(config.siteUrl, "RANKMINER_SITE_URL", true);
    overrideFromEnv(config.engineHost, "RANKMINER_ENGINE_HOST", false);
    overrideFromEnv(config.engineMobileHost, "RANKMINER_ENGINE_MOBILE_HOST", false);
    if (const char* scale = std::getenv("RANKMINER_TIME_SCALE"); scale != nullptr) {
        char* end = nullptr;
        const double value = std::strtod(scale, &end);
        if (end != scale && std::isfinite(value) && value >= 0) {
            config.timeScale = value;
        }
    }
    return config;
}

}  // namespace rankminer
