// Whole keyword-mining jobs against a site that misbehaves on the second of a
// seed's three pages. The job must neither crash nor hang, must keep every
// line it collected (results box and file alike), read the third page and go
// on with the next seed.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "mining/keyword_path.h"
#include "mining/mining_controls.h"
#include "mining/mining_job.h"
#include "platform/files.h"
#include "platform/site_config.h"
#include "site_simulator/mining_page.h"
#include "site_simulator/site_simulator.h"
#include "support/bytes.h"
#include "support/loopback_server.h"
#include "support/recording_host.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::LoopbackReply;
using testing::LoopbackServer;
using testing::RecordingHost;

constexpr int kRowsPerPage = 5;
constexpr int kPages = 3;
const std::string kHtml = "Content-Type: text/html\r\n";

std::string soundPage(std::string_view seed, int page) {
    return sim::miningReportPage(seed, encodeKeywordPath(seed), page, kRowsPerPage, kPages);
}

// The lines a correct job writes for one page, all five fields chosen.
std::string linesOf(std::string_view seed, int page) {
    std::string lines;
    for (const sim::MiningRow& row : sim::expectedMiningRows(seed, page, kRowsPerPage)) {
        std::string line = row.keyword.empty() && page == 1 ? std::string(seed) : row.keyword;
        for (const std::string* field :
             {&row.volume, &row.indexed, &row.first, &row.second, &row.difficulty}) {
            line += ',' + *field;
        }
        lines += line + "\r\n";
    }
    return lines;
}

struct MiningFault {
    std::string name;
    LoopbackReply (*reply)();
    // What the job can still read from the faulty page: none of its lines,
    // all of them, or whole lines from its start (a body cut short).
    enum class Readable { None, Whole, LeadingLines } readable;
};

void PrintTo(const MiningFault& fault, std::ostream* out) {
    *out << fault.name;
}

const std::vector<MiningFault>& miningFaults() {
    static const std::vector<MiningFault> faults = {
        {"ResetMidBody",
         [] {
             LoopbackReply reply = LoopbackReply::http(200, kHtml, soundPage("bad", 2));
             reply.dropAfterBytes = reply.bytes.size() / 2;
             return reply;
         },
         MiningFault::Readable::LeadingLines},
        {"TruncatedGzipBody",
         [] {
             // A gzip header and the start of a deflate stream, then nothing.
             const std::string cut("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03\xb3\xc9", 12);
             return LoopbackReply::http(200, kHtml + "Content-Encoding: gzip\r\n", cut);
         },
         MiningFault::Readable::None},
        {"ServerError500", [] { return LoopbackReply::http(500, kHtml, "<h1>oops</h1>"); },
         MiningFault::Readable::None},
        {"NotFound404", [] { return LoopbackReply::http(404); }, MiningFault::Readable::None},
        {"AcceptsAndNeverAnswers",
         [] {
             LoopbackReply reply;
             reply.stall = true;
             return reply;
         },
         MiningFault::Readable::None},
        {"TenMegabytePage",
         [] {
             std::string body = soundPage("bad", 2);
             body.insert(body.find("<div"), std::string(10 * 1024 * 1024, 'x'));
             return LoopbackReply::http(200, kHtml, body);
         },
         MiningFault::Readable::Whole},
        {"DeeplyNestedTags",
         [] {
             std::string body = soundPage("bad", 2);
             std::string nest;
             for (int i = 0; i < 200000; ++i) {
                 nest += "<div><b>";
             }
             body.insert(body.rfind("</body>"), nest);
             return LoopbackReply::http(200, kHtml, body);
         },
         MiningFault::Readable::Whole},
    };
    return faults;
}

class MiningUnderFaults : public ::testing::TestWithParam<MiningFault> {
protected:
    void SetUp() override {
        ASSERT_NE(0, server.port());
        config = SiteConfig::defaults();
        config.keywordUrl = server.url("/kw/");
        config.fetchTimeLimitSeconds = 1;
        host.captions[c.startButton] = miningIdleCaption();
        for (const std::string* box : {&c.volumeBox, &c.indexedBox, &c.firstBox, &c.secondBox,
                                       &c.difficultyBox, &c.keepEmptyKeyword}) {
            host.checks[*box] = true;
        }
        host.texts[c.maximumRows] = "0";
        host.texts[c.pagePause] = "0";
        host.texts[c.seedPause] = "0";
        host.texts[c.extension] = "csv";
        host.texts[c.folder] = programPath(dir.path());
        host.checks[c.autoSave] = true;
    }

    const MiningControls& c = miningControls();
    LoopbackServer server;
    testing::TempDir dir;
    SiteConfig config;
    RecordingHost host;
};

TEST_P(MiningUnderFaults, KeepsEveryLineAndGoesOn) {
    const MiningFault& fault = GetParam();
    server.setHandler([&](const std::string& request) {
        for (const std::string seed : {"bad", "next"}) {
            for (int page = 1; page <= kPages; ++page) {
                const std::string line =
                    "GET /kw/" + encodeKeywordPath(seed) + "/" + std::to_string(page) + "/ ";
                if (request.rfind(line, 0) != 0) {
                    continue;
                }
                if (seed == "bad" && page == 2) {
                    return fault.reply();
                }
                return LoopbackReply::http(200, kHtml, soundPage(seed, page));
            }
        }
        return LoopbackReply::http(404);
    });
    host.texts[c.seedList] = "bad\r\nnext\r\n";
    MiningJob job(host, config);
    job.onStartClicked();

    const std::string before = linesOf("bad", 1);
    const std::string after =
        linesOf("bad", 3) + linesOf("next", 1) + linesOf("next", 2) + linesOf("next", 3);
    const std::string& results = host.texts[c.results];
    ASSERT_FALSE(before.empty());
    ASSERT_GE(results.size(), before.size() + after.size());
    EXPECT_BYTES_EQ(before, results.substr(0, before.size()));
    EXPECT_BYTES_EQ(after, results.substr(results.size() - after.size()));
    const std::string middle =
        results.substr(before.size(), results.size() - before.size() - after.size());
    const std::string faultyPage = linesOf("bad", 2);
    switch (fault.readable) {
        case MiningFault::Readable::None:
            EXPECT_BYTES_EQ("", middle);
            break;
        case MiningFault::Readable::Whole:
            EXPECT_BYTES_EQ(faultyPage, middle);
            break;
        case MiningFault::Readable::LeadingLines: {
            // The body as far as it came is read: its whole rows as they are,
            // then at most one line for the row the cut went through.
            ASSERT_TRUE(middle.empty() || middle.ends_with("\r\n"));
            const std::size_t lastStart =
                middle.empty() ? 0 : middle.rfind("\r\n", middle.size() - 3);
            const std::size_t whole = lastStart == std::string::npos ? 0 : lastStart + 2;
            EXPECT_BYTES_EQ(faultyPage.substr(0, whole), middle.substr(0, whole));
            EXPECT_LT(middle.size(), faultyPage.size() + 8);
            break;
        }
    }
    EXPECT_EQ(miningIdleCaption(), host.captions[c.startButton]);
    EXPECT_EQ(6, static_cast<int>(server.requests().size()));

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(1u, files.size());
    EXPECT_BYTES_EQ(results, testing::readFileBytes(files[0].string()));
}

INSTANTIATE_TEST_SUITE_P(Faults, MiningUnderFaults, ::testing::ValuesIn(miningFaults()),
                         [](const ::testing::TestParamInfo<MiningFault>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace rankminer
