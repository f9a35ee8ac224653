#include "site_simulator/rank_route.h"

#include <charconv>
#include <string>

namespace rankminer::sim {

namespace {
// Cuts the last "/"-separated piece off text; nothing when there is no "/".
std::optional<std::string_view> popLast(std::string_view& text) {
    const auto slash = text.rfind('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view piece = text.substr(slash + 1);
    text = text.substr(0, slash);
    return piece;
}
}  // namespace

std::optional<RankPageRequest> parseRankPath(std::string_view path) {
    constexpr std::string_view prefix = "/rank/";
    if (!path.starts_with(prefix) || !path.ends_with('/')) {
        return std::nullopt;
    }
    std::string_view rest = path.substr(prefix.size(), path.size() - prefix.size() - 1);
    RankPageRequest request;
    const auto engineEnd = rest.find('/');
    if (engineEnd == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view engine = rest.substr(0, engineEnd);
    if (engine != "baidu" && engine != "mobile") {
        return std::nullopt;
    }
    request.mobile = engine == "mobile";
    rest = rest.substr(engineEnd + 1);

    const auto orderValue = popLast(rest);
    const auto orderName = popLast(rest);
    const auto pageText = popLast(rest);
    const auto zero = popLast(rest);
    if (!orderValue || !orderName || !pageText || zero != "0") {
        return std::nullopt;
    }
    if (*orderName == "position" && *orderValue == "1") {
        request.order = "position/1/";
    } else if (*orderName == "ip" && *orderValue == "-1") {
        request.order = "ip/-1/";
    } else if (*orderName == "exp" && *orderValue == "-1") {
        request.order = "exp/-1/";
    } else {
        return std::nullopt;
    }
    const auto [end, error] =
        std::from_chars(pageText->data(), pageText->data() + pageText->size(), request.page);
    if (error != std::errc{} || end != pageText->data() + pageText->size() || request.page < 1) {
        return std::nullopt;
    }

    // What is left is "domain/-1" for a bare domain, or the domain itself
    // when it holds a "/".
    if (rest.ends_with("/-1")) {
        const std::string_view bare = rest.substr(0, rest.size() - 3);
        if (bare.find('/') != std::string_view::npos) {
            return std::nullopt;
        }
        request.domain = std::string(bare);
    } else {
        if (rest.find('/') == std::string_view::npos) {
            return std::nullopt;
        }
        request.domain = std::string(rest);
    }
    return request;
}

}  // namespace rankminer::sim
