#include "site_simulator/site_simulator.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "site_simulator/gzip_body.h"
#include "site_simulator/mining_page.h"
#include "site_simulator/mining_rows.h"
#include "site_simulator/page_chrome.h"
#include "site_simulator/rank_page.h"
#include "site_simulator/rank_route.h"
#include "site_simulator/rank_rows.h"
#include "site_simulator/scenarios.h"
#include "text/gbk.h"

namespace rankminer::sim {

namespace {
// Enough workers that a few stalled "slow" answers and idle keep-alive
// connections do not hold up the other requests of a test.
constexpr std::size_t kWorkerThreads = 16;

// Bodies go out through a content provider with a known length: the server
// library compresses plain bodies on its own when the client accepts gzip,
// and the pages must reach the client exactly as built.
void sendBody(httplib::Response& res, std::string body, const std::string& contentType) {
    if (body.empty()) {
        res.set_content("", contentType);
        return;
    }
    auto shared = std::make_shared<std::string>(std::move(body));
    res.set_content_provider(
        shared->size(), contentType,
        [shared](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            const std::size_t available = shared->size() - std::min(offset, shared->size());
            sink.write(shared->data() + offset, std::min(length, available));
            return true;
        });
}

// The raw value of name=... in the query part of a request target, or
// nothing when the query has no such parameter.
std::optional<std::string> queryValue(std::string_view target, std::string_view name) {
    const auto question = target.find('?');
    if (question == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view query = target.substr(question + 1);
    while (!query.empty()) {
        const auto amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        if (pair.size() > name.size() && pair.starts_with(name) && pair[name.size()] == '=') {
            return std::string(pair.substr(name.size() + 1));
        }
        if (amp == std::string_view::npos) {
            break;
        }
        query = query.substr(amp + 1);
    }
    return std::nullopt;
}

std::string queryOf(std::string_view target) {
    const auto question = target.find('?');
    return question == std::string_view::npos ? std::string()
                                              : std::string(target.substr(question + 1));
}
}  // namespace

struct SiteSimulator::Impl {
    explicit Impl(SimulatorOptions opts) : options(opts) {}

    SimulatorOptions options;
    httplib::Server server;
    std::thread thread;
    std::atomic<int> port{0};
    std::atomic<bool> listenEnded{false};
    bool started = false;
    bool stopped = false;

    mutable std::mutex mutex;
    std::vector<RequestLogEntry> log;
    std::map<std::string, int> pageAnswers;    // toofast: requests per page path
    std::map<std::string, int> domainAnswers;  // quota: requests per domain
    std::condition_variable wake;
    bool stopping = false;

    std::string engineHost() const { return "127.0.0.1:" + std::to_string(port.load()); }

    void record(const httplib::Request& req) {
        RequestLogEntry entry;
        entry.method = req.method;
        entry.path = req.target;
        for (const auto& [name, value] : req.headers) {
            // The server library files the connection's addresses among the
            // headers; the client never sent them.
            if (name == "LOCAL_ADDR" || name == "LOCAL_PORT" || name == "REMOTE_ADDR" ||
                name == "REMOTE_PORT") {
                continue;
            }
            entry.headers += name + ": " + value + "\r\n";
        }
        const std::lock_guard lock(mutex);
        log.push_back(std::move(entry));
    }

    // Stalls like an overloaded site; stop() cuts the stall short.
    void stall() {
        std::unique_lock lock(mutex);
        wake.wait_for(lock, options.slowDelay, [this] { return stopping; });
    }

    int countAnswer(std::map<std::string, int>& counters, const std::string& key) {
        const std::lock_guard lock(mutex);
        return ++counters[key];
    }

    void serveRank(const httplib::Request& req, httplib::Response& res) {
        const auto request = parseRankPath(req.path);
        if (!request) {
            res.status = 404;
            sendBody(res, notePage("404", "Not Found"), "text/html");
            return;
        }
        const RankScenarioInfo scenario = rankScenarioOf(request->domain, options.defaultPages);
        std::string body;
        if (scenario.kind == RankScenario::Slow) {
            stall();
        }
        if (scenario.kind == RankScenario::TooFast && countAnswer(pageAnswers, req.path) == 1) {
            body = tooFastPage();
        } else if (scenario.kind == RankScenario::Quota &&
                   countAnswer(domainAnswers, request->domain) <= scenario.quotaAnswers) {
            body = quotaPage();
        } else {
            body =
                rankReportPage(*request, options.rowsPerPage, options.defaultPages, engineHost());
            if (scenario.kind == RankScenario::Utf8) {
                body = gbkToUtf8(body);
            }
        }
        if (scenario.kind == RankScenario::Gzip) {
            body = gzipCompress(body);
            res.set_header("Content-Encoding", "gzip");
        }
        sendBody(res, std::move(body), "text/html");
    }

    void serveMining(const httplib::Request& req, httplib::Response& res) {
        // "/kw/{segment}/{page}/", the segment possibly empty.
        std::string_view rest = req.path;
        rest.remove_prefix(4);
        const auto slash = rest.find('/');
        int page = 0;
        bool ok = slash != std::string_view::npos && rest.ends_with('/');
        std::string_view segment;
        if (ok) {
            segment = rest.substr(0, slash);
            const std::string_view number = rest.substr(slash + 1, rest.size() - slash - 2);
            const auto [end, error] =
                std::from_chars(number.data(), number.data() + number.size(), page);
            ok = error == std::errc{} && end == number.data() + number.size() && page >= 1;
        }
        const std::string keyword = decodeKeywordPath(segment);
        if (!ok || (keyword.empty() && !segment.empty())) {
            res.status = 404;
            sendBody(res, notePage("404", "Not Found"), "text/html");
            return;
        }
        const MiningScenarioInfo scenario = miningScenarioOf(keyword, options.defaultPages);
        if (scenario.kind == MiningScenario::Slow) {
            stall();
        }
        std::string body =
            miningReportPage(keyword, segment, page, options.rowsPerPage, options.defaultPages);
        if (scenario.kind == MiningScenario::Utf8) {
            sendBody(res, gbkToUtf8(body), "text/html; charset=utf-8");
        } else {
            sendBody(res, std::move(body), "text/html");
        }
    }

    void serveRedirect(const httplib::Request& req, httplib::Response& res, bool mobile) {
        std::string target;
        if (const auto url = queryValue(req.target, "url")) {
            target = *url;
        } else if (mobile) {
            target = queryOf(req.target);
        }
        if (target.empty() || target.starts_with("dead")) {
            // No Location: the client cannot resolve this link.
            sendBody(res, notePage("link", gbk("链接已失效")), "text/html");
            return;
        }
        res.status = 302;
        res.set_header("Location", "http://" + engineHost() + "/target/" + target);
        sendBody(res, notePage("302", "Moved"), "text/html");
    }

    void dispatch(const httplib::Request& req, httplib::Response& res) {
        const std::string& path = req.path;
        if (path.starts_with("/rank/")) {
            serveRank(req, res);
        } else if (path.starts_with("/kw/")) {
            serveMining(req, res);
        } else if (path == "/link") {
            serveRedirect(req, res, false);
        } else if (path == "/s") {
            serveRedirect(req, res, true);
        } else if (path.starts_with("/target/")) {
            sendBody(res, notePage(gbk("目标页"), gbk("这是链接指向的网页。")), "text/html");
        } else if (path == "/user.php") {
            sendBody(res, notePage(gbk("用户中心"), gbk("请先登录。<a href=\"/\">返回首页</a>")),
                     "text/html");
        } else if (path == "/") {
            sendBody(res, notePage(gbk("站长数据"), gbk("欢迎使用站长数据查询。")), "text/html");
        } else {
            res.status = 404;
            sendBody(res, notePage("404", "Not Found"), "text/html");
        }
    }
};

SiteSimulator::SiteSimulator(SimulatorOptions options) : impl_(std::make_unique<Impl>(options)) {}

SiteSimulator::~SiteSimulator() {
    stop();
}

bool SiteSimulator::start() {
    Impl& impl = *impl_;
    // One run per object: the server library's state is not reset by stop().
    if (impl.started || impl.stopped) {
        return false;
    }
    impl.server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    // Short keep-alive: idle connections would otherwise hold stop() up.
    impl.server.set_keep_alive_timeout(1);
    impl.server.set_pre_routing_handler([&impl](const httplib::Request& req, httplib::Response&) {
        impl.record(req);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    const auto handler = [&impl](const httplib::Request& req, httplib::Response& res) {
        impl.dispatch(req, res);
    };
    impl.server.Get(R"([\s\S]*)", handler);
    if (impl.options.port == 0) {
        impl.port = impl.server.bind_to_any_port("127.0.0.1");
    } else if (impl.server.bind_to_port("127.0.0.1", impl.options.port)) {
        impl.port = impl.options.port;
    }
    if (impl.port <= 0) {
        impl.port = 0;
        return false;
    }
    impl.started = true;
    impl.thread = std::thread([&impl] {
        impl.server.listen_after_bind();
        impl.listenEnded = true;
    });
    // The server library ignores stop() until its loop runs; waiting here
    // keeps a stop() right after start() from being lost (and the join in
    // stop() from hanging).
    while (!impl.server.is_running() && !impl.listenEnded) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void SiteSimulator::stop() {
    Impl& impl = *impl_;
    if (!impl.started) {
        return;
    }
    {
        const std::lock_guard lock(impl.mutex);
        impl.stopping = true;
    }
    impl.wake.notify_all();
    impl.server.stop();
    if (impl.thread.joinable()) {
        impl.thread.join();
    }
    impl.started = false;
    impl.stopped = true;
}

int SiteSimulator::port() const {
    return impl_->port;
}
std::string SiteSimulator::baseUrl() const {
    return "http://" + impl_->engineHost() + "/";
}
std::string SiteSimulator::rankUrl() const {
    return baseUrl() + "rank/";
}
std::string SiteSimulator::keywordUrl() const {
    return baseUrl() + "kw/";
}
std::string SiteSimulator::engineHost() const {
    return impl_->engineHost();
}
SiteConfig SiteSimulator::siteConfig(double timeScale) const {
    SiteConfig config = SiteConfig::defaults();
    config.rankUrl = rankUrl();
    config.keywordUrl = keywordUrl();
    config.siteUrl = baseUrl();
    config.engineHost = engineHost();
    config.engineMobileHost = engineHost();
    config.timeScale = timeScale;
    return config;
}
const SimulatorOptions& SiteSimulator::options() const {
    return impl_->options;
}

std::vector<RequestLogEntry> SiteSimulator::requests() const {
    const std::lock_guard lock(impl_->mutex);
    return impl_->log;
}

int SiteSimulator::requestCount(std::string_view pathPrefix) const {
    const std::lock_guard lock(impl_->mutex);
    return static_cast<int>(std::count_if(
        impl_->log.begin(), impl_->log.end(),
        [pathPrefix](const RequestLogEntry& entry) { return entry.path.starts_with(pathPrefix); }));
}

void SiteSimulator::clearLog() {
    const std::lock_guard lock(impl_->mutex);
    impl_->log.clear();
}

void SiteSimulator::resetScenarios() {
    const std::lock_guard lock(impl_->mutex);
    impl_->pageAnswers.clear();
    impl_->domainAnswers.clear();
}

std::vector<RankRow> SiteSimulator::expectedRankRows(std::string_view domain, int page,
                                                     bool mobile) const {
    if (page > rankPageCount(domain, impl_->options.defaultPages)) {
        return {};
    }
    return sim::expectedRankRows(domain, page, mobile, impl_->options.rowsPerPage, engineHost());
}

std::vector<RankRow> expectedRankRows(std::string_view domain, int page, bool mobile,
                                      int rowsPerPage, std::string_view engineHost) {
    std::vector<RankRow> rows;
    // The page total only bounds what the server sends; any page number has
    // rows here, so callers without the simulator's options can still ask.
    for (auto& row : rankRowMarkup(domain, page, mobile, rowsPerPage, 1, engineHost)) {
        rows.push_back(std::move(row.expected));
    }
    return rows;
}

int rankPageCount(std::string_view domain, int defaultPages) {
    return rankScenarioOf(domain, defaultPages).pages;
}

std::vector<MiningRow> expectedMiningRows(std::string_view keyword, int page, int rowsPerPage) {
    std::vector<MiningRow> rows;
    for (auto& row : miningRowMarkup(keyword, page, rowsPerPage)) {
        rows.push_back(std::move(row.expected));
    }
    return rows;
}

int miningPageCount(std::string_view keyword, int defaultPages) {
    return miningScenarioOf(keyword, defaultPages).pages;
}

}  // namespace rankminer::sim
