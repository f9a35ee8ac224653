// Whole ranking jobs against a site that misbehaves: the first page of a
// domain is sound and claims a second one, the second one fails in some way.
// The job must neither crash nor hang, must keep every row it collected
// before the fault (in the list and in the file), and must go on with the
// next domain.

#include <gtest/gtest.h>
#include <zlib.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/site_config.h"
#include "ranking/ranking_controls.h"
#include "ranking/ranking_job.h"
#include "support/bytes.h"
#include "support/loopback_server.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::LoopbackReply;
using testing::LoopbackServer;
using testing::RecordingHost;

std::string rankRow(const std::string& keyword, const std::string& link) {
    return "<tr><td class=\"title\">" + keyword +
           "</td><td class=\"center\"><span class=\"blue\">3</span></td>"
           "<td class=\"center\"><a href=\"/t\">10</a></td><td class=\"center\"><a "
           "href=\"/t\">5</a></td><td><a name=\"baiduLink\" href=\"" +
           link + "\">title " + keyword + "</a></td></tr>";
}

// A rank page holding rows named <prefix>1..<prefix>rows and a pager of the
// given number of links.
std::string rankPage(const std::string& prefix, int rows, int pagerLinks,
                     const std::string& link = "http://x.test/a") {
    std::string page = "<html><body><div class=\"baidurank-list\"><table><tr><th>h</th></tr>";
    for (int r = 1; r <= rows; ++r) {
        page += rankRow(prefix + std::to_string(r), link);
    }
    page += "</table></div><div class=\"baidurank-pager\">";
    for (int p = 1; p <= pagerLinks; ++p) {
        page += "<a href=\"#\">" + std::to_string(p) + "</a>";
    }
    return page + "</div></body></html>";
}

std::string gzipped(const std::string& text) {
    z_stream stream{};
    EXPECT_EQ(Z_OK, deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY));
    std::string out(deflateBound(&stream, text.size()) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(Z_STREAM_END, deflate(&stream, Z_FINISH));
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

const std::string kHtml = "Content-Type: text/html\r\n";

struct PageFault {
    std::string name;
    LoopbackReply (*reply)();
    int rowsOnFaultyPage;  // rows the job can still read from the bad page
};

void PrintTo(const PageFault& fault, std::ostream* out) {
    *out << fault.name;
}

const std::vector<PageFault>& pageFaults() {
    static const std::vector<PageFault> faults = {
        {"ResetMidBody",
         [] {
             LoopbackReply reply = LoopbackReply::http(200, kHtml, rankPage("cut", 40, 2));
             reply.dropAfterBytes = reply.bytes.size() / 2;
             return reply;
         },
         0},
        {"TruncatedGzipBody",
         [] {
             const std::string body = gzipped(rankPage("gz", 40, 2));
             return LoopbackReply::http(200, kHtml + "Content-Encoding: gzip\r\n",
                                        body.substr(0, body.size() / 2));
         },
         0},
        {"ServerError500", [] { return LoopbackReply::http(500, kHtml, "<h1>oops</h1>"); }, 0},
        {"NotFound404", [] { return LoopbackReply::http(404); }, 0},
        {"TenMegabytePage",
         [] {
             std::string body = rankPage("big", 2, 2);
             body.insert(body.find("<div"), std::string(10 * 1024 * 1024, 'x'));
             return LoopbackReply::http(200, kHtml, body);
         },
         2},
        {"DeeplyNestedTags",
         [] {
             std::string body = rankPage("deep", 2, 2);
             std::string nest;
             for (int i = 0; i < 200000; ++i) {
                 nest += "<div><span>";
             }
             body.insert(body.find("</body>"), nest);
             return LoopbackReply::http(200, kHtml, body);
         },
         2},
        {"AcceptsAndNeverAnswers",
         [] {
             LoopbackReply reply;
             reply.stall = true;
             return reply;
         },
         0},
        {"HeadersThenSilence",
         [] {
             LoopbackReply reply = LoopbackReply::http(200, kHtml, rankPage("slow", 40, 2));
             reply.dropAfterBytes = reply.bytes.find("\r\n\r\n") + 100;
             reply.stall = true;
             return reply;
         },
         0},
        {"ImmediateClose",
         [] {
             LoopbackReply reply;
             reply.closeAfter = true;
             return reply;
         },
         0},
    };
    return faults;
}

class FaultySiteRanking : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(0, server.port());
        config = SiteConfig::defaults();
        config.rankUrl = server.url("/rank/");
        config.timeScale = 0.001;
        config.fetchTimeLimitSeconds = 1;
        host.captions[controls.startButton] = rankingCaptions().idle;
        host.indexes[controls.exportMode] = 0;
        host.indexes[controls.order] = 0;
        host.checks[controls.resolveLinks] = false;
        host.checks[controls.ipPrompt] = true;
        host.checks[controls.autoSave] = true;
        host.tags[controls.savePathButton] = dir.file("rows.csv");
    }

    const RankingControls& controls = rankingControls();
    LoopbackServer server;
    testing::TempDir dir;
    SiteConfig config;
    RecordingHost host;
};

class RankingUnderFaults : public FaultySiteRanking,
                           public ::testing::WithParamInterface<PageFault> {};

bool requestFor(const std::string& request, std::string_view domain, int page) {
    const std::string path = std::string(domain) + "/-1/0/" + std::to_string(page) + "/";
    return request.find(path) != std::string::npos && request.find(path) < request.find("\r\n");
}

TEST_P(RankingUnderFaults, KeepsEarlierRowsAndGoesOnWithTheNextDomain) {
    const PageFault& fault = GetParam();
    server.setHandler([&](const std::string& request) {
        if (requestFor(request, "bad.test", 1)) {
            return LoopbackReply::http(200, kHtml, rankPage("first", 3, 2));
        }
        if (requestFor(request, "bad.test", 2)) {
            return fault.reply();
        }
        if (requestFor(request, "next.test", 1)) {
            return LoopbackReply::http(200, kHtml, rankPage("after", 2, 1));
        }
        return LoopbackReply::http(404);
    });
    host.texts[controls.domains] = "bad.test|next.test";
    RankingJob job(host, config);
    job.onStartClicked();

    const int faultRows = fault.rowsOnFaultyPage;
    ASSERT_EQ(3 + faultRows + 2, host.list.rowCount());
    EXPECT_EQ(3 + faultRows + 2, job.rowsCollected());
    EXPECT_EQ("first1", host.list.cellText(0, 2));
    EXPECT_EQ("first3", host.list.cellText(2, 2));
    EXPECT_EQ("after2", host.list.cellText(3 + faultRows + 1, 2));
    EXPECT_EQ(1, host.messageCount(gbk("采集完成！")));
    EXPECT_EQ(rankingCaptions().idle, host.captions[controls.startButton]);

    // Header plus one whole line per row, the lines in list order.
    const std::string file = testing::readFileBytes(dir.file("rows.csv"));
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < file.size();) {
        const std::size_t end = file.find("\r\n", from);
        ASSERT_NE(std::string::npos, end) << "torn last line";
        lines.push_back(file.substr(from, end - from));
        from = end + 2;
    }
    ASSERT_EQ(static_cast<std::size_t>(1 + 3 + faultRows + 2), lines.size());
    EXPECT_NE(std::string::npos, lines[1].find("\"first1\""));
    EXPECT_NE(std::string::npos, lines.back().find("\"after2\""));
}

INSTANTIATE_TEST_SUITE_P(Faults, RankingUnderFaults, ::testing::ValuesIn(pageFaults()),
                         [](const ::testing::TestParamInfo<PageFault>& info) {
                             return info.param.name;
                         });

// Link resolution meets a redirect that points at itself, or a redirect host
// that refuses connections: each row is kept, with the answer's target or,
// failing that, the link as listed.
TEST_F(FaultySiteRanking, RedirectLoopAndRefusingHostKeepEveryRow) {
    int closedPort = 0;
    {
        LoopbackServer gone;
        closedPort = gone.port();
    }
    ASSERT_NE(0, closedPort);
    const std::string self = "127.0.0.1:" + std::to_string(server.port());
    const std::string loopLink = "http://" + self + "/link?url=loop";
    const std::string refusedLink =
        "http://127.0.0.1:" + std::to_string(closedPort) + "/s?word=gone";
    server.setHandler([&](const std::string& request) {
        if (request.rfind("GET /link?url=loop ", 0) == 0) {
            return LoopbackReply::http(302, "Location: " + loopLink + "\r\n");
        }
        if (requestFor(request, "loop.test", 1)) {
            return LoopbackReply::http(200, kHtml, rankPage("loop", 2, 1, loopLink));
        }
        if (requestFor(request, "refused.test", 1)) {
            return LoopbackReply::http(200, kHtml, rankPage("refused", 2, 1, refusedLink));
        }
        return LoopbackReply::http(404);
    });
    config.engineHost = self;
    config.engineMobileHost = "127.0.0.1:" + std::to_string(closedPort);
    host.checks[controls.resolveLinks] = true;
    host.texts[controls.domains] = "loop.test|refused.test";
    RankingJob job(host, config);
    job.onStartClicked();

    ASSERT_EQ(4, host.list.rowCount());
    int linkRequests = 0;
    for (const std::string& request : server.requests()) {
        linkRequests += request.rfind("GET /link?url=loop ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(2, linkRequests) << "one resolution per row, the redirect not followed";
    EXPECT_EQ(loopLink, host.list.cellText(0, 7));
    EXPECT_EQ(loopLink, host.list.cellText(1, 7));
    EXPECT_EQ(refusedLink, host.list.cellText(2, 7));
    EXPECT_EQ(refusedLink, host.list.cellText(3, 7));
    EXPECT_EQ(1, host.messageCount(gbk("采集完成！")));
}

// A pager claiming 100,000 pages: the job fetches page after page, one at a
// time, and a stop request ends it after the page in hand.
TEST(RankingUnderHugePager, RunsPageByPageAndStopsOnRequest) {
    LoopbackServer server;
    ASSERT_NE(0, server.port());
    const std::string page = rankPage("row", 1, 100000);
    server.setFallback(LoopbackReply::http(200, kHtml, page));
    SiteConfig config = SiteConfig::defaults();
    config.rankUrl = server.url("/rank/");
    config.timeScale = 0.001;
    const RankingControls& controls = rankingControls();
    RecordingHost host;
    testing::TempDir dir;
    host.captions[controls.startButton] = rankingCaptions().idle;
    host.indexes[controls.exportMode] = 0;
    host.indexes[controls.order] = 0;
    host.checks[controls.autoSave] = true;
    host.tags[controls.savePathButton] = dir.file("rows.csv");
    host.texts[controls.domains] = "huge.test";

    RankingJob job(host, config);
    const std::string pageFive = gbk("域名：huge.test  当前页：5  总：100000");
    host.installPumpHook([&] {
        if (!host.statusTexts.empty() && host.statusTexts.back() == pageFive &&
            host.captions[controls.startButton] == rankingCaptions().running) {
            job.onStartClicked();
        }
    });
    job.onStartClicked();

    EXPECT_EQ(5u, server.requests().size());
    // The fifth page was fetched when the stop came; its rows are not taken.
    EXPECT_EQ(4, host.list.rowCount());
    EXPECT_EQ(rankingCaptions().idle, host.captions[controls.startButton]);
    const std::string file = testing::readFileBytes(dir.file("rows.csv"));
    int lines = 0;
    for (const char c : file) {
        lines += c == '\n' ? 1 : 0;
    }
    EXPECT_EQ(1 + 4, lines);
}

}  // namespace
}  // namespace rankminer
