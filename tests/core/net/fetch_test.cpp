#include "net/fetch.h"

#include <gtest/gtest.h>

#include <atomic>

#include "net/cookie_store.h"
#include "platform/message_pump.h"
#include "platform/waiter.h"
#include "support/loopback_server.h"

namespace rankminer {
namespace {

using std::chrono_literals::operator""s;
using std::chrono_literals::operator""ms;
using testing::LoopbackReply;
using testing::LoopbackServer;

// Counts the waits it is asked for and blocks like the headless front end.
class CountingWaiter : public BlockingWaiter {
public:
    void waitFor(WaitSignal& signal, Clock::time_point deadline) override {
        ++waits;
        BlockingWaiter::waitFor(signal, deadline);
    }
    std::atomic<int> waits{0};
};

class FetchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server.port(), 0);
        CookieStore::instance().clear();
        installWaiter(waiter);
        installMessagePump([this] { ++pumps; });
    }
    void TearDown() override {
        installMessagePump(nullptr);
        installWaiter(nullptr);
    }

    LoopbackServer server;
    std::shared_ptr<CountingWaiter> waiter = std::make_shared<CountingWaiter>();
    int pumps = 0;
};

TEST_F(FetchTest, CompletedFetchWritesOutputsThroughTheWaiter) {
    server.enqueue(LoopbackReply::http(200, "Set-Cookie: s=1; path=/\r\n", "page body"));
    std::string url = server.url("/p");
    std::string headers = "old";
    std::string cookies = "old";
    FetchOptions options;
    options.headersOut = &headers;
    options.cookiesOut = &cookies;
    EXPECT_EQ(fetchPage(url, options), "page body");
    EXPECT_EQ(headers.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_EQ(cookies, "s=1;");
    EXPECT_GE(waiter->waits, 1);
    EXPECT_GE(pumps, 1);
}

TEST_F(FetchTest, PostSendsTheBodyAndTheCallersHeaders) {
    server.setFallback(LoopbackReply::http(200, {}, "ok"));
    std::string url = server.url("/form");
    FetchOptions options;
    options.method = 1;
    options.postData = "a=1";
    options.extraHeaders = "X-Probe: 1\r\n";
    options.cookies = "c=2";
    EXPECT_EQ(fetchPage(url, options), "ok");
    const std::string request = server.requests().at(0);
    EXPECT_EQ(request.rfind("POST /form HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(request.find("X-Probe: 1\r\n"), std::string::npos);
    EXPECT_NE(request.find("Cookie: c=2\r\n\r\na=1"), std::string::npos);
}

TEST_F(FetchTest, BlankUrlStartsNothing) {
    std::string url = "  \xA1\xA1 ";
    std::string headers = "untouched";
    FetchOptions options;
    options.headersOut = &headers;
    EXPECT_EQ(fetchPage(url, options), "");
    EXPECT_EQ(url, "  \xA1\xA1 ");
    EXPECT_EQ(headers, "untouched");
    EXPECT_EQ(waiter->waits, 0);
}

TEST_F(FetchTest, MissingSchemeIsAddedAndWrittenBack) {
    server.setFallback(LoopbackReply::http(200, {}, "ok"));
    std::string url = "127.0.0.1:" + std::to_string(server.port()) + "/a";
    EXPECT_EQ(fetchPage(url), "ok");
    EXPECT_EQ(url, "http://127.0.0.1:" + std::to_string(server.port()) + "/a");

    // The scheme test is case-sensitive: a capital scheme is prefixed too,
    // and the doubled scheme leads nowhere.
    std::string capital = "HTTP://127.0.0.1:" + std::to_string(server.port()) + "/a";
    EXPECT_EQ(fetchPage(capital), "");
    EXPECT_EQ(capital.rfind("http://HTTP://", 0), 0u);
}

TEST_F(FetchTest, TimeOutReturnsEmptyCancelsTheTransferAndKeepsOutputs) {
    LoopbackReply stall;
    stall.bytes = "HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nfirst part";
    stall.stall = true;
    server.enqueue(stall);
    std::string url = server.url("/stall");
    std::string headers = "before";
    std::string cookies = "before";
    FetchOptions options;
    options.timeLimitSeconds = 1;
    options.headersOut = &headers;
    options.cookiesOut = &cookies;
    EXPECT_EQ(fetchPage(url, options), "");
    EXPECT_EQ(headers, "before");
    EXPECT_EQ(cookies, "before");
    // The abandoned worker gives up its connection once it sees the abort.
    EXPECT_TRUE(server.waitForIdle(20s));
}

TEST_F(FetchTest, LateResultNeverReachesTheCaller) {
    LoopbackReply late = LoopbackReply::http(200, "Set-Cookie: late=1\r\n", "late body");
    late.delay = 1500ms;
    server.enqueue(late);
    std::string url = server.url("/late");
    std::string headers = "before";
    FetchOptions options;
    options.timeLimitSeconds = 1;
    options.headersOut = &headers;
    EXPECT_EQ(fetchPage(url, options), "");
    EXPECT_TRUE(server.waitForIdle(20s));
    EXPECT_EQ(headers, "before");
}

TEST_F(FetchTest, ZeroSecondLimitTimesOutAtOnce) {
    server.setFallback(LoopbackReply::http(200, {}, "quick"));
    std::string url = server.url("/");
    std::string headers = "before";
    FetchOptions options;
    options.timeLimitSeconds = 0;
    options.headersOut = &headers;
    EXPECT_EQ(fetchPage(url, options), "");
    EXPECT_EQ(headers, "before");
    EXPECT_EQ(waiter->waits, 1);
}

// A front end whose waits wake early (as a GUI's does on every event) does
// not stretch the limit: it is measured from the start.
class ImpatientWaiter : public Waiter {
public:
    void waitFor(WaitSignal& signal, Clock::time_point deadline) override {
        ++waits;
        signal.blockUntil(std::min(deadline, Clock::now() + 20ms));
    }
    std::atomic<int> waits{0};
};

TEST_F(FetchTest, EarlyWakesKeepWaitingUntilTheWorkerEnds) {
    auto impatient = std::make_shared<ImpatientWaiter>();
    installWaiter(impatient);
    LoopbackReply slow = LoopbackReply::http(200, {}, "slow body");
    slow.delay = 300ms;
    server.enqueue(slow);
    std::string url = server.url("/slow");
    EXPECT_EQ(fetchPage(url), "slow body");
    EXPECT_GT(impatient->waits, 1);
    EXPECT_GE(pumps, impatient->waits);
}

}  // namespace
}  // namespace rankminer
