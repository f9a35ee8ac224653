#pragma once

// A loopback stand-in for the ranking site and the search engine's redirect
// links, for tests, benchmarks and the demo. Everything it serves is
// deterministic: the expected*() functions below compute, without HTTP, the
// rows a correct parser ends up with.
//
// Routes (all GET):
//   /rank/{baidu|mobile}/{domain}/-1/0/{page}/{position/1|ip/-1|exp/-1}/
//   /rank/{baidu|mobile}/{domain-with-slash}/0/{page}/{order}/
//       Ranking report page. GBK, Content-Type "text/html" (no charset). A
//       bare domain must use "/-1/0/", a domain holding "/" must use "/0/";
//       the other combination, an unknown engine or order answers 404.
//       The order does not change the rows.
//   /link?url=XYZ   302, Location: http://{engineHost}/target/XYZ
//   /s?url=XYZ      302 likewise (the mobile form); without "url=" the whole
//                   query is the target.
//   /target/...     200, a small page.
//   /kw/{segment}/{page}/   Related-keyword report; the segment is the
//       keyword path encoding ("n61n62", "5173952e"), empty allowed.
//   /user.php, /    small GBK pages.
//
// Ranking scenarios, chosen by the domain text:
//   pagesN.test   N pages (pages1.test: a pager with one link)
//   nopager.test  one page and no pager element at all
//   toofast.test  the first request of every page URL answers the
//                 "too many queries" page; later requests of it are normal
//   quota.test, quotaK.test  the first K requests (K = 1 by default) of the
//                 domain answer the daily-quota page; then normal
//   slow.test     every request stalls SimulatorOptions::slowDelay first
//   gzip.test     the body is gzip-compressed (and says so in
//                 Content-Encoding)
//   utf8.test     the page is UTF-8, declared by a meta http-equiv element
//   dupes.test    page 2 and later repeat some keywords of page 1
//   empty.test    a page without the report table (and without a pager)
//   deadlink.test links point at /link?url=dead..., which answers 200
//                 without Location, so resolving them fails
//   anything else SimulatorOptions::defaultPages pages
// Mining scenarios, chosen by the decoded keyword:
//   utf8kw        UTF-8 page without meta; only the Content-Type header
//                 declares "charset=utf-8"
//   onepage       no pager links
//   bigpagesN     N pages; the pager links to pages 2..10, 500 and N
//   slowkw        stalls slowDelay before answering
//   anything else defaultPages pages
// Pages past a report's last page still answer 200, with an empty table.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/site_config.h"

namespace rankminer::sim {

struct RequestLogEntry {
    std::string method;
    std::string path;     // raw path with query, as received
    std::string headers;  // "Name: value\r\n" lines, ordered by name (the server
                          // library does not keep the wire order)
};

struct SimulatorOptions {
    int port = 0;  // 0 = any free port on 127.0.0.1
    int rowsPerPage = 20;
    int defaultPages =
        3;  // ranking pages of an ordinary domain; mining pages of an ordinary keyword
    std::chrono::milliseconds slowDelay{3000};  // how long "slow" scenarios stall
};

// The deterministic content, so tests can compute expected rows without HTTP.
// All texts are GBK.
struct RankRow {
    std::string keyword, rank, volume, indexed, title, href;
    // What the redirect endpoint answers in Location for href; empty when the
    // link does not resolve (deadlink.test).
    std::string resolved;
};
struct MiningRow {
    std::string keyword, volume, indexed, first, second, difficulty;
};

// Rows of one ranking page as a correct parser cleans them: keyword without
// the site's "此关键词包含:" note, title with every "," turned into "，" and
// entities such as "&amp;" left as they are (the title gets no entity
// decoding), indexed empty for mobile reports. No duplicate filtering: on
// dupes.test the repeated keywords are in the list. href is exactly as on the
// page: "http://" + engineHost + the redirect path, so pass the simulator's
// engineHost(). Rows for any page >= 1 (the server sends them only up to
// rankPageCount()); empty for empty.test.
std::vector<RankRow> expectedRankRows(std::string_view domain, int page, bool mobile,
                                      int rowsPerPage, std::string_view engineHost = {});
// The number of pages the report of the domain has (the count of pager links
// on page 1; nopager.test and empty.test have 1 page and no pager).
int rankPageCount(std::string_view domain, int defaultPages);

// Rows of one related-keyword page as the parser cleans them. A row whose
// title cell is empty has an empty keyword (the parser's first-page rule may
// put the seed there). Rows for any page >= 1; the server sends them only up
// to miningPageCount().
std::vector<MiningRow> expectedMiningRows(std::string_view keyword, int page, int rowsPerPage);
// The site's page total for the keyword; bigpagesN gives N even above 500.
int miningPageCount(std::string_view keyword, int defaultPages);

// Inverse of the keyword path encoding; returns GBK. Empty text for a
// malformed segment.
std::string decodeKeywordPath(std::string_view segment);

class SiteSimulator {
public:
    explicit SiteSimulator(SimulatorOptions options = {});
    ~SiteSimulator();  // stops
    SiteSimulator(const SiteSimulator&) = delete;
    SiteSimulator& operator=(const SiteSimulator&) = delete;

    // Binds 127.0.0.1 and serves on a background thread. False when the port
    // cannot be bound or the simulator already runs or ran (one run per
    // object).
    bool start();
    // Wakes stalled "slow" answers and waits for the server thread.
    void stop();
    int port() const;
    std::string baseUrl() const;     // "http://127.0.0.1:PORT/" (RANKMINER_SITE_URL)
    std::string rankUrl() const;     // baseUrl() + "rank/"     (RANKMINER_RANK_URL)
    std::string keywordUrl() const;  // baseUrl() + "kw/"       (RANKMINER_KEYWORD_URL)
    std::string engineHost() const;  // "127.0.0.1:PORT" (RANKMINER_ENGINE_HOST and _MOBILE_HOST)
    const SimulatorOptions& options() const;
    // The program's hosts pointed at this simulator, with the given pause factor.
    SiteConfig siteConfig(double timeScale) const;

    std::vector<RequestLogEntry> requests() const;  // every request so far, in order
    int requestCount(std::string_view pathPrefix) const;
    void clearLog();
    // Forgets the toofast/quota counters, so those scenarios start over.
    void resetScenarios();

    // expectedRankRows() with this simulator's rows per page and host; empty
    // past the domain's last page.
    std::vector<RankRow> expectedRankRows(std::string_view domain, int page, bool mobile) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace rankminer::sim
