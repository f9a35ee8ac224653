// The loopback site itself: routes, scenario counters, redirects, encodings
// and the agreement between the pages and the expected rows. Checked over
// HTTP without the program's own parsers, so a fault here is the
// simulator's and not the client's.

#include <gtest/gtest.h>
#include <httplib.h>
#include <zlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "site_simulator/site_simulator.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer::sim {
namespace {

class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        SimulatorOptions options;
        options.rowsPerPage = 5;
        options.slowDelay = std::chrono::milliseconds(20);
        simulator_ = std::make_unique<SiteSimulator>(options);
        ASSERT_TRUE(simulator_->start());
        client_ = std::make_unique<httplib::Client>("127.0.0.1", simulator_->port());
        client_->set_decompress(false);
    }

    httplib::Result get(const std::string& path) { return client_->Get(path); }

    std::string rankPath(std::string_view domain, int page, std::string_view engine = "baidu") {
        return "/rank/" + std::string(engine) + "/" + std::string(domain) + "/-1/0/" +
               std::to_string(page) + "/position/1/";
    }

    std::unique_ptr<SiteSimulator> simulator_;
    std::unique_ptr<httplib::Client> client_;
};

// The text of the first <div class="NAME"> up to the next "</div>".
std::string divBlock(std::string_view page, std::string_view name) {
    const std::string open = "<div class=\"" + std::string(name) + "\">";
    const auto start = page.find(open);
    if (start == std::string_view::npos) {
        return {};
    }
    const auto end = page.find("</div>", start);
    return std::string(page.substr(start, end - start));
}

std::size_t countOf(std::string_view text, std::string_view needle, bool ignoreCase = false) {
    std::size_t count = 0;
    long long at = 1;
    while ((at = findText(text, needle, at, ignoreCase)) != -1) {
        ++count;
        at += static_cast<long long>(needle.size());
    }
    return count;
}

// Strict UTF-8 with at least one multi-byte sequence: what the client's
// detector takes for UTF-8. A GBK page must never pass.
bool looksLikeUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        if (lead >= 0x80) {
            length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
            if (length == 0 || i + length > bytes.size()) {
                return false;
            }
            for (std::size_t k = 1; k < length; ++k) {
                if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) {
                    return false;
                }
            }
            multiByte = true;
        }
        i += length;
    }
    return multiByte;
}

std::string gunzip(std::string_view bytes) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        return {};
    }
    std::string out;
    char buffer[8192];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : std::string();
}

// ---- Keyword path decoding ---------------------------------------------------

struct PathCase {
    std::string name;
    std::string segment;
    std::string keywordUtf8;
};
void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name << " '" << c.segment << "'";
}

class KeywordPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(KeywordPathTest, DecodesToGbk) {
    EXPECT_BYTES_EQ(gbk(GetParam().keywordUtf8), decodeKeywordPath(GetParam().segment));
}

INSTANTIATE_TEST_SUITE_P(
    Segments, KeywordPathTest,
    ::testing::Values(PathCase{"ascii", "n61n62n63", "abc"},
                      PathCase{"chinese", "5173952e", "关键"}, PathCase{"mixed", "n615173", "a关"},
                      PathCase{"upper_case_hex", "N53n45N4F", "SEO"},
                      PathCase{"line_break_passes_raw", "n61\r\nn62", "a\r\nb"},
                      PathCase{"empty", "", ""}, PathCase{"short_unit_is_malformed", "n615", ""},
                      PathCase{"non_hex_is_malformed", "zz12", ""}),
    [](const auto& info) { return info.param.name; });

// ---- Routes ------------------------------------------------------------------

struct RouteCase {
    std::string name;
    std::string path;
    int status;
};
void PrintTo(const RouteCase& c, std::ostream* os) {
    *os << c.path << " -> " << c.status;
}

class RouteTest : public SimulatorTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(RouteTest, AnswersWithStatus) {
    const auto result = get(GetParam().path);
    ASSERT_TRUE(result) << httplib::to_string(result.error());
    EXPECT_EQ(GetParam().status, result->status);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RouteTest,
    ::testing::Values(
        RouteCase{"bare_domain", "/rank/baidu/a.com/-1/0/1/position/1/", 200},
        RouteCase{"mobile_by_visits", "/rank/mobile/a.com/-1/0/2/ip/-1/", 200},
        RouteCase{"slashed_domain", "/rank/baidu/a.com/news/0/1/exp/-1/", 200},
        RouteCase{"bare_domain_with_slashed_separator", "/rank/baidu/a.com/0/1/position/1/", 404},
        RouteCase{"slashed_domain_with_bare_separator", "/rank/baidu/a.com/news/-1/0/1/position/1/",
                  404},
        RouteCase{"unknown_engine", "/rank/google/a.com/-1/0/1/position/1/", 404},
        RouteCase{"order_with_wrong_direction", "/rank/baidu/a.com/-1/0/1/position/-1/", 404},
        RouteCase{"page_zero", "/rank/baidu/a.com/-1/0/0/position/1/", 404},
        RouteCase{"no_trailing_slash", "/rank/baidu/a.com/-1/0/1/position/1", 404},
        RouteCase{"keyword_page", "/kw/n61n62n63/2/", 200},
        RouteCase{"empty_keyword", "/kw//1/", 200},
        RouteCase{"malformed_keyword", "/kw/zz/1/", 404},
        RouteCase{"keyword_without_page", "/kw/n61/", 404},
        RouteCase{"redirect_target", "/target/abc", 200}, RouteCase{"user_page", "/user.php", 200},
        RouteCase{"index", "/", 200}, RouteCase{"unknown", "/nothing/here", 404}),
    [](const auto& info) { return info.param.name; });

// ---- Ranking pages -----------------------------------------------------------

TEST_F(SimulatorTest, PagerHoldsOneLinkPerPage) {
    for (const auto& [domain, pages] :
         {std::pair<std::string, int>{"pages5.test", 5}, {"pages1.test", 1}, {"a.com", 3}}) {
        const auto result = get(rankPath(domain, 1));
        ASSERT_TRUE(result);
        const std::string pager = divBlock(result->body, "baidurank-pager");
        EXPECT_EQ(static_cast<std::size_t>(pages), countOf(pager, "<a ", true)) << domain;
        EXPECT_EQ(pages, rankPageCount(domain, 3)) << domain;
    }
    const auto nopager = get(rankPath("nopager.test", 1));
    ASSERT_TRUE(nopager);
    EXPECT_EQ(std::string::npos, nopager->body.find("baidurank-pager"));
    EXPECT_NE(std::string::npos, nopager->body.find("baidurank-list"));
}

TEST_F(SimulatorTest, ReportTableHoldsHeaderAndExpectedRows) {
    const auto result = get(rankPath("a.com", 2));
    ASSERT_TRUE(result);
    const std::string& page = result->body;
    const auto rows = simulator_->expectedRankRows("a.com", 2, false);
    ASSERT_EQ(5u, rows.size());
    const auto list = page.find("<div class=\"baidurank-list\">");
    ASSERT_NE(std::string::npos, list);
    const std::string_view table(page.data() + list, page.find("</table>", list) - list);
    EXPECT_EQ(rows.size() + 1, countOf(table, "<tr", true));
    for (const auto& row : rows) {
        EXPECT_NE(std::string::npos, table.find(row.keyword)) << gbkToUtf8(row.keyword);
        EXPECT_NE(std::string::npos, table.find(row.href)) << row.href;
        EXPECT_FALSE(row.rank.empty());
        EXPECT_FALSE(row.volume.empty());
        EXPECT_FALSE(row.indexed.empty());
        EXPECT_EQ(std::string::npos, row.title.find(',')) << "commas must become full-width";
        EXPECT_TRUE(row.href.starts_with("http://" + simulator_->engineHost()) ||
                    row.href.starts_with("HTTP://" + simulator_->engineHost()))
            << row.href;
    }
    EXPECT_TRUE(simulator_->expectedRankRows("a.com", 4, false).empty());
    const auto pastEnd = get(rankPath("a.com", 4));
    ASSERT_TRUE(pastEnd);
    EXPECT_EQ(1u, countOf(divBlock(pastEnd->body, "baidurank-list"), "<tr", true));
}

TEST_F(SimulatorTest, GbkPagesDoNotPassForUtf8) {
    for (const std::string& path :
         {rankPath("a.com", 1), rankPath("b.org", 3, "mobile"), std::string("/kw/5173952e/1/"),
          std::string("/kw/n61/2/"), std::string("/user.php")}) {
        const auto result = get(path);
        ASSERT_TRUE(result);
        EXPECT_FALSE(looksLikeUtf8(result->body)) << path;
        EXPECT_EQ("text/html", result->get_header_value("Content-Type")) << path;
    }
}

TEST_F(SimulatorTest, KeywordsDifferAcrossPagesUnlessDupes) {
    const auto keywordsOf = [](std::string_view domain, int page) {
        std::set<std::string> keywords;
        for (const auto& row : expectedRankRows(domain, page, false, 20, "h")) {
            keywords.insert(row.keyword);
        }
        return keywords;
    };
    const auto shared = [&](std::string_view domain) {
        const auto first = keywordsOf(domain, 1);
        const auto second = keywordsOf(domain, 2);
        return std::count_if(second.begin(), second.end(),
                             [&](const std::string& k) { return first.count(k) > 0; });
    };
    EXPECT_EQ(20u, keywordsOf("a.com", 1).size());
    // Long reports run through every word combination more than once.
    std::set<std::string> longReport;
    for (const auto& row : expectedRankRows("pages300.test", 1, false, 10'000, "h")) {
        longReport.insert(row.keyword);
    }
    EXPECT_EQ(10'000u, longReport.size());
    EXPECT_EQ(0, shared("a.com"));
    EXPECT_EQ(0, shared("pages5.test"));
    EXPECT_GT(shared("dupes.test"), 0);
}

TEST_F(SimulatorTest, MobileRowsHaveNoIndexedCount) {
    const auto rows = simulator_->expectedRankRows("a.com", 1, true);
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
        EXPECT_TRUE(row.indexed.empty());
        EXPECT_NE(std::string::npos, row.href.find("/s?")) << row.href;
    }
}

// ---- Rate limits -------------------------------------------------------------

TEST_F(SimulatorTest, TooFastAnswersFirstRequestOfEveryPage) {
    static const std::string tooFast = gbk("您的查询太频繁了");
    const auto limited = [&](int page) {
        const auto result = get(rankPath("toofast.test", page));
        return result && result->body.find(tooFast) != std::string::npos;
    };
    EXPECT_TRUE(limited(1));
    EXPECT_FALSE(limited(1));
    EXPECT_FALSE(limited(1));
    EXPECT_TRUE(limited(2));
    EXPECT_FALSE(limited(2));
    simulator_->resetScenarios();
    EXPECT_TRUE(limited(1));
}

TEST_F(SimulatorTest, QuotaAnswersTheFirstRequestsOfTheDomain) {
    static const std::string quota = gbk("您所在IP今天已经提交");
    const auto limited = [&](std::string_view domain, int page) {
        const auto result = get(rankPath(domain, page));
        return result && result->body.find(quota) != std::string::npos;
    };
    EXPECT_TRUE(limited("quota.test", 1));
    EXPECT_FALSE(limited("quota.test", 1));

    // The count is per domain, not per page.
    EXPECT_TRUE(limited("quota3.test", 1));
    EXPECT_TRUE(limited("quota3.test", 2));
    EXPECT_TRUE(limited("quota3.test", 1));
    EXPECT_FALSE(limited("quota3.test", 1));
    EXPECT_FALSE(limited("quota3.test", 2));
    const auto normal = get(rankPath("quota3.test", 2));
    ASSERT_TRUE(normal);
    EXPECT_NE(std::string::npos, normal->body.find("baidurank-list"));
}

// ---- Redirects ---------------------------------------------------------------

TEST_F(SimulatorTest, RedirectLinksAnswerWithTheirTarget) {
    const auto rows = simulator_->expectedRankRows("a.com", 1, false);
    const auto mobileRows = simulator_->expectedRankRows("a.com", 1, true);
    for (const auto& row : {rows.front(), mobileRows.front()}) {
        const std::string path = row.href.substr(row.href.find('/', 7));
        const auto result = get(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(302, result->status) << path;
        EXPECT_EQ(row.resolved, result->get_header_value("Location")) << path;
        const auto target = get(row.resolved.substr(row.resolved.find('/', 7)));
        ASSERT_TRUE(target);
        EXPECT_EQ(200, target->status);
    }
}

TEST_F(SimulatorTest, DeadLinksAnswerWithoutLocation) {
    for (const bool mobile : {false, true}) {
        const auto rows = simulator_->expectedRankRows("deadlink.test", 1, mobile);
        ASSERT_FALSE(rows.empty());
        for (const auto& row : rows) {
            const auto result = get(row.href.substr(row.href.find('/', 7)));
            ASSERT_TRUE(result) << row.href;
            EXPECT_EQ(200, result->status) << row.href;
            EXPECT_FALSE(result->has_header("Location")) << row.href;
            EXPECT_TRUE(row.resolved.empty()) << row.href;
        }
    }
}

// ---- Encodings ---------------------------------------------------------------

TEST_F(SimulatorTest, GzipDomainSendsTheCompressedPage) {
    const auto result = get(rankPath("gzip.test", 1));
    ASSERT_TRUE(result);
    ASSERT_GE(result->body.size(), 2u);
    EXPECT_BYTES_EQ(std::string("\x1F\x8B"), result->body.substr(0, 2));
    const std::string page = gunzip(result->body);
    EXPECT_NE(std::string::npos, page.find("baidurank-list"));
    EXPECT_NE(std::string::npos,
              page.find(simulator_->expectedRankRows("gzip.test", 1, false).front().keyword));
}

TEST_F(SimulatorTest, Utf8RankingPageDeclaresItInMeta) {
    const auto result = get(rankPath("utf8.test", 1));
    ASSERT_TRUE(result);
    EXPECT_EQ("text/html", result->get_header_value("Content-Type"));
    EXPECT_NE(std::string::npos, result->body.find("charset=utf-8\">"));
    EXPECT_TRUE(looksLikeUtf8(result->body));
    const std::string page = utf8ToGbk(result->body);
    for (const auto& row : simulator_->expectedRankRows("utf8.test", 1, false)) {
        EXPECT_NE(std::string::npos, page.find(row.keyword));
    }
}

TEST_F(SimulatorTest, Utf8KeywordPageDeclaresItOnlyInTheHeader) {
    const auto result = get("/kw/n75n74n66n38n6bn77/1/");  // utf8kw
    ASSERT_TRUE(result);
    EXPECT_EQ("text/html; charset=utf-8", result->get_header_value("Content-Type"));
    EXPECT_EQ(-1, findText(result->body, "charset=", 1, true)) << "no meta charset";
    EXPECT_TRUE(looksLikeUtf8(result->body));
    EXPECT_NE(std::string::npos, utf8ToGbk(result->body).find(gbk("关键词")));
}

// ---- Mining pages ------------------------------------------------------------

TEST_F(SimulatorTest, MiningPagerLinksEndWithThePageNumbers) {
    const auto bigPages = get("/kw/n62n69n67n70n61n67n65n73n36n30n30/1/");  // bigpages600
    ASSERT_TRUE(bigPages);
    EXPECT_NE(std::string::npos, bigPages->body.find("/600/\">"));
    EXPECT_NE(std::string::npos, bigPages->body.find("/500/\">"));
    EXPECT_NE(std::string::npos, bigPages->body.find("/2/\">"));
    EXPECT_EQ(600, miningPageCount("bigpages600", 3));

    const auto ordinary = get("/kw/5173952e/1/");
    ASSERT_TRUE(ordinary);
    EXPECT_NE(std::string::npos, ordinary->body.find("/3/\">"));
    EXPECT_EQ(std::string::npos, ordinary->body.find("/4/\">"));

    const auto onePage = get("/kw/n6fn6en65n70n61n67n65/1/");  // onepage
    ASSERT_TRUE(onePage);
    for (const std::string_view end : {"/1/\">", "/2/\">"}) {
        EXPECT_EQ(std::string::npos, onePage->body.find(end)) << end;
    }
}

TEST_F(SimulatorTest, MiningPageHoldsOnlyTheResultRows) {
    const std::string keyword = gbk("关键");
    const auto result = get("/kw/5173952e/2/");
    ASSERT_TRUE(result);
    const auto rows = expectedMiningRows(keyword, 2, 5);
    ASSERT_EQ(5u, rows.size());
    EXPECT_NE(std::string::npos, result->body.find("<div class=\"ci-content\">"));
    // Every <tr> of the page counts as a row for the client: header + rows.
    EXPECT_EQ(rows.size() + 1, countOf(result->body, "<tr", true));
    for (const auto& row : rows) {
        if (!row.keyword.empty()) {
            EXPECT_NE(std::string::npos, result->body.find(row.keyword));
            EXPECT_NE(std::string::npos, row.keyword.find(keyword));
        }
        EXPECT_TRUE(row.difficulty.starts_with("lv")) << row.difficulty;
        EXPECT_EQ(std::string::npos, row.first.find(' ')) << "white space must be removed";
    }
}

TEST_F(SimulatorTest, SomeMiningRowsHaveNoKeyword) {
    int empty = 0;
    for (int page = 1; page <= 3; ++page) {
        for (const auto& row : expectedMiningRows("abc", page, 20)) {
            empty += row.keyword.empty() ? 1 : 0;
        }
    }
    EXPECT_GT(empty, 0);
    EXPECT_LT(empty, 60);
}

// ---- Request log -------------------------------------------------------------

TEST_F(SimulatorTest, LogKeepsRawRequestsInOrder) {
    ASSERT_TRUE(client_->Get("/link?url=abc", {{"Referer", "http://x/"}}));
    ASSERT_TRUE(get("/kw/n61/1/"));
    ASSERT_TRUE(get("/kw/n61/2/"));
    const auto log = simulator_->requests();
    ASSERT_EQ(3u, log.size());
    EXPECT_EQ("GET", log[0].method);
    EXPECT_EQ("/link?url=abc", log[0].path);
    EXPECT_NE(std::string::npos, log[0].headers.find("Referer: http://x/\r\n"));
    // Only what the client sent: no connection addresses.
    EXPECT_EQ(std::string::npos, log[0].headers.find("ADDR")) << log[0].headers;
    EXPECT_EQ(std::string::npos, log[0].headers.find("_PORT")) << log[0].headers;
    EXPECT_EQ("/kw/n61/2/", log[2].path);
    EXPECT_EQ(2, simulator_->requestCount("/kw/"));
    EXPECT_EQ(1, simulator_->requestCount("/link"));
    simulator_->clearLog();
    EXPECT_TRUE(simulator_->requests().empty());
}

TEST_F(SimulatorTest, SlowDomainStillAnswersThePage) {
    const auto result = get(rankPath("slow.test", 1));
    ASSERT_TRUE(result);
    EXPECT_NE(std::string::npos, result->body.find("baidurank-list"));
}

TEST(SimulatorLifecycle, StartsOnceAndStopsTwice) {
    SiteSimulator simulator;
    ASSERT_TRUE(simulator.start());
    EXPECT_FALSE(simulator.start());
    EXPECT_GT(simulator.port(), 0);
    EXPECT_EQ("http://127.0.0.1:" + std::to_string(simulator.port()) + "/rank/",
              simulator.rankUrl());
    simulator.stop();
    simulator.stop();
    EXPECT_FALSE(simulator.start());
    httplib::Client client("127.0.0.1", simulator.port());
    EXPECT_FALSE(client.Get("/"));
}

#ifdef RANKMINER_SIM_BINARY
// The demo's executable: announces its port, serves, and ends cleanly on
// SIGTERM.
TEST(SimulatorExecutable, PrintsPortServesAndExitsOnSigterm) {
    int out[2];
    ASSERT_EQ(0, pipe(out));
    const pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(RANKMINER_SIM_BINARY, RANKMINER_SIM_BINARY, "--rows", "4", "--pages", "2",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    FILE* stream = fdopen(out[0], "r");
    ASSERT_NE(nullptr, stream);
    char line[64] = {};
    const bool gotLine = fgets(line, sizeof line, stream) != nullptr;
    fclose(stream);
    const std::string first = gotLine ? line : "";

    int port = 0;
    if (first.starts_with("PORT=")) {
        port = std::stoi(first.substr(5));
    }
    if (port > 0) {
        httplib::Client client("127.0.0.1", port);
        const auto page = client.Get("/rank/baidu/a.com/-1/0/1/position/1/");
        EXPECT_TRUE(page && page->status == 200);
        if (page) {
            // --pages 2 and --rows 4 reach the pages.
            EXPECT_EQ(2u, countOf(divBlock(page->body, "baidurank-pager"), "<a ", true));
            EXPECT_EQ(5u, countOf(divBlock(page->body, "baidurank-list"), "<tr", true));
        }
    }
    kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_EQ("PORT=" + std::to_string(port) + "\n", first);
    EXPECT_GT(port, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(0, WEXITSTATUS(status));
}
#endif

}  // namespace
}  // namespace rankminer::sim
