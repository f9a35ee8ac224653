#include "net/request.h"

#include <gtest/gtest.h>

#include <thread>

#include "net/cookie_store.h"
#include "net_test_util.h"
#include "support/bytes.h"
#include "support/loopback_server.h"

namespace rankminer {
namespace {

using std::chrono_literals::operator""s;
using testing::fill;
using testing::LoopbackReply;
using testing::LoopbackServer;

constexpr std::string_view kAgent =
    "Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/30.0.1599.101 "
    "Safari/537.36";
constexpr std::string_view kAccept =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";

class RequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server.port(), 0);
        CookieStore::instance().clear();
    }

    RequestRecord get(std::string_view path) {
        RequestRecord record;
        record.url = server.url(path);
        performRequest(record);
        return record;
    }

    LoopbackServer server;
};

// ---- The request as the server receives it ----------------------------------

struct WireCase {
    std::string name;
    std::string method;
    std::string extraHeaders;
    std::string postData;
    std::string cookies;
    // After the request line and Host; {UA}, {ACCEPT} and {URL} are filled in.
    std::string expected;
};

void PrintTo(const WireCase& c, std::ostream* os) {
    *os << c.name;
}

class RequestWireTest : public RequestTest, public ::testing::WithParamInterface<WireCase> {};

TEST_P(RequestWireTest, SendsExactlyTheHeaderBlock) {
    const WireCase& c = GetParam();
    server.setFallback(LoopbackReply::http(200, {}, "ok"));
    RequestRecord record;
    record.url = server.url("/wire");
    record.method = c.method;
    record.extraHeaders = c.extraHeaders;
    record.postData = c.postData;
    record.cookies = c.cookies;
    performRequest(record);

    EXPECT_EQ(record.body, "ok");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    std::string expected = c.method +
                           " /wire HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                           "\r\n" + c.expected;
    expected = fill(fill(fill(expected, "UA", kAgent), "ACCEPT", kAccept), "URL", record.url);
    EXPECT_BYTES_EQ(expected, requests[0]);
}

INSTANTIATE_TEST_SUITE_P(
    HeaderBlock, RequestWireTest,
    ::testing::Values(
        WireCase{"PlainGet", "GET", "", "", "",
                 "User-Agent: {UA}\r\n{ACCEPT}Referer: {URL}\r\nAccept-Language: zh-cn\r\n\r\n"},
        WireCase{"ExtraHeadersComeFirst", "GET", "X-One: 1\r\nX-Two: 2\r\n", "", "",
                 "User-Agent: {UA}\r\nX-One: 1\r\nX-Two: 2\r\n{ACCEPT}Referer: {URL}\r\n"
                 "Accept-Language: zh-cn\r\n\r\n"},
        WireCase{"AcceptLanguageSuppressesAcceptToo", "GET", "Accept-Language: en\r\n", "", "",
                 "User-Agent: {UA}\r\nAccept-Language: en\r\nReferer: {URL}\r\n\r\n"},
        WireCase{"LowerCaseAcceptSuppressesDefault", "GET", "accept: text/html\r\n", "", "",
                 "User-Agent: {UA}\r\naccept: text/html\r\nReferer: {URL}\r\n"
                 "Accept-Language: zh-cn\r\n\r\n"},
        // The caller's agent line replaces the default and is sent once.
        WireCase{"UserAgentLine", "GET", "User-Agent:  Probe 1.0 \r\n", "", "",
                 "User-Agent:  Probe 1.0 \r\n{ACCEPT}Referer: {URL}\r\n"
                 "Accept-Language: zh-cn\r\n\r\n"},
        WireCase{"LowerCaseUserAgentLine", "GET", "user-agent: probe\r\n", "", "",
                 "user-agent: probe\r\n{ACCEPT}Referer: {URL}\r\nAccept-Language: zh-cn\r\n\r\n"},
        WireCase{"CallerReferer", "GET", "Referer: http://elsewhere/\r\n", "", "",
                 "User-Agent: {UA}\r\nReferer: http://elsewhere/\r\n{ACCEPT}"
                 "Accept-Language: zh-cn\r\n\r\n"},
        WireCase{"RefererNoSendsNeitherRefererNorTheWord", "GET", "RefererNo\r\nX-A: 1\r\n", "", "",
                 "User-Agent: {UA}\r\nX-A: 1\r\n{ACCEPT}Accept-Language: zh-cn\r\n\r\n"},
        // The word is removed only as written in this case; the lower-case one
        // still suppresses the default Referer.
        WireCase{"LowerCaseRefererNoStays", "GET", "X-Mode: refererno\r\n", "", "",
                 "User-Agent: {UA}\r\nX-Mode: refererno\r\n{ACCEPT}Accept-Language: zh-cn\r\n\r\n"},
        WireCase{"GetWithCookiesLast", "GET", "", "", "a=1; b=2",
                 "User-Agent: {UA}\r\n{ACCEPT}Referer: {URL}\r\nAccept-Language: zh-cn\r\n"
                 "Cookie: a=1; b=2\r\n\r\n"},
        // A header of only blanks cannot travel with its blanks; it goes empty.
        WireCase{"CookiesOfOnlySpaces", "GET", "", "", "   ",
                 "User-Agent: {UA}\r\n{ACCEPT}Referer: {URL}\r\nAccept-Language: zh-cn\r\n"
                 "Cookie:\r\n\r\n"},
        WireCase{"PostWithBody", "POST", "", "k=v&x=1", "s=9",
                 "User-Agent: {UA}\r\n{ACCEPT}Referer: {URL}\r\nAccept-Language: zh-cn\r\n"
                 "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 7\r\n"
                 "Cookie: s=9\r\n\r\nk=v&x=1"},
        WireCase{"PostWithoutBodyHasNoFormHeaders", "POST", "", "", "s=9",
                 "User-Agent: {UA}\r\n{ACCEPT}Referer: {URL}\r\nAccept-Language: zh-cn\r\n"
                 "Cookie: s=9\r\n\r\n"},
        WireCase{"PostKeepsCallerContentType", "POST", "Content-Type: text/plain\r\n", "abc", "",
                 "User-Agent: {UA}\r\nContent-Type: text/plain\r\n{ACCEPT}Referer: {URL}\r\n"
                 "Accept-Language: zh-cn\r\nContent-Length: 3\r\n\r\nabc"}),
    [](const ::testing::TestParamInfo<WireCase>& info) { return info.param.name; });

TEST_F(RequestTest, PathKeepsQueryAndFragmentAndDefaultsToSlash) {
    get("/list?q=a%20b&p=2#part");
    RequestRecord bare;
    bare.url = "http://127.0.0.1:" + std::to_string(server.port());
    performRequest(bare);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")),
              "GET /list?q=a%20b&p=2#part HTTP/1.1");
    EXPECT_EQ(requests[1].substr(0, requests[1].find("\r\n")), "GET / HTTP/1.1");
}

TEST_F(RequestTest, HttpsConnectsToPort443WhateverPortTheUrlNames) {
    RequestRecord record;
    record.url = "https://127.0.0.1:" + std::to_string(server.port()) + "/";
    performRequest(record);
    EXPECT_EQ(server.connectionCount(), 0u);
    EXPECT_TRUE(record.body.empty());
}

TEST_F(RequestTest, ProxyCarriesPlainHttpOnly) {
    server.setFallback(LoopbackReply::http(200, {}, "via proxy"));
    RequestRecord record;
    record.url = "http://pages.example.invalid:8080/a?b=1";
    record.proxy = "127.0.0.1:" + std::to_string(server.port());
    performRequest(record);
    EXPECT_EQ(record.body, "via proxy");
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string request = server.requests()[0];
    EXPECT_EQ(request.substr(0, request.find("\r\n")),
              "GET http://pages.example.invalid:8080/a?b=1 HTTP/1.1");
    EXPECT_EQ(request.find("Proxy-Connection"), std::string::npos);

    RequestRecord secure;
    secure.url = "https://127.0.0.1:1/";
    secure.proxy = record.proxy;
    performRequest(secure);
    EXPECT_EQ(server.requests().size(), 1u);
}

// ---- What comes back ---------------------------------------------------------

TEST_F(RequestTest, ErrorStatusKeepsBodyAndStatusLine) {
    server.enqueue(LoopbackReply::http(404, "X-Why: gone\r\n", "missing page"));
    const RequestRecord record = get("/x");
    EXPECT_EQ(record.body, "missing page");
    EXPECT_EQ(record.responseHeaders,
              "HTTP/1.1 404 Status\r\nX-Why: gone\r\nContent-Length: 12\r\n\r\n");
}

TEST_F(RequestTest, CookiesOutListsEveryPairInOrder) {
    server.enqueue(
        LoopbackReply::http(200,
                            "Set-Cookie: first=1; path=/\r\nset-cookie: second=two; HttpOnly\r\n"
                            "Set-Cookie: bare\r\n",
                            "b"));
    const RequestRecord record = get("/c");
    EXPECT_EQ(record.cookiesOut, "first=1;second=two;;");
}

TEST_F(RequestTest, HeadersLongerThan2KbStayWholeWithTheirCookies) {
    const std::string filler = "X-Filler: " + std::string(3000, 'f') + "\r\n";
    server.enqueue(LoopbackReply::http(200, filler + "Set-Cookie: late=yes; path=/\r\n",
                                       std::string(5000, 'b')));
    const RequestRecord record = get("/long");
    EXPECT_EQ(record.body, std::string(5000, 'b'));
    EXPECT_GT(record.responseHeaders.size(), 3000u);
    EXPECT_NE(record.responseHeaders.find(filler), std::string::npos);
    EXPECT_EQ(record.cookiesOut, "late=yes;");
}

TEST_F(RequestTest, DroppedConnectionKeepsWhatArrived) {
    LoopbackReply reply = LoopbackReply::http(200, {}, std::string(1000, 'z'));
    reply.dropAfterBytes = reply.bytes.size() - 400;
    server.enqueue(reply);
    const RequestRecord record = get("/drop");
    EXPECT_EQ(record.body, std::string(600, 'z'));
}

// A port that was just listened on and is closed again.
int closedPort() {
    LoopbackServer gone;
    return gone.port();
}

TEST_F(RequestTest, UnreachablePortGivesEmptyOutputs) {
    RequestRecord record;
    record.url = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
    performRequest(record);
    EXPECT_TRUE(record.body.empty());
    EXPECT_TRUE(record.responseHeaders.empty());
    EXPECT_TRUE(record.cookiesOut.empty());
}

TEST_F(RequestTest, RedirectIsFollowedAndFinalHeadersReported) {
    server.setHandler([](const std::string& request) {
        if (request.rfind("GET /start#top ", 0) == 0) {
            return LoopbackReply::http(302, "Location: next?n=1\r\nSet-Cookie: hop=1\r\n", "moved");
        }
        if (request.rfind("GET /next?n=1 ", 0) == 0) {
            return LoopbackReply::http(200, "X-Final: yes\r\n", "arrived");
        }
        return LoopbackReply::http(500);
    });
    const RequestRecord record = get("/start#top");
    EXPECT_EQ(record.body, "arrived");
    EXPECT_EQ(record.responseHeaders.rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_NE(record.responseHeaders.find("X-Final: yes"), std::string::npos);
    EXPECT_EQ(record.cookiesOut, "");
    // The hop's cookie went into the store and travelled with the next request.
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[1].find("\r\nCookie: hop=1\r\n"), std::string::npos);
}

TEST_F(RequestTest, PostAnsweredBy302IsFetchedAgainWithGet) {
    server.setHandler([](const std::string& request) {
        if (request.rfind("POST /form ", 0) == 0) {
            return LoopbackReply::http(302, "Location: /done\r\n");
        }
        return LoopbackReply::http(200, {}, request.substr(0, request.find(' ')));
    });
    RequestRecord record;
    record.url = server.url("/form");
    record.method = "POST";
    record.postData = "a=1";
    performRequest(record);
    EXPECT_EQ(record.body, "GET");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].find("Content-Length"), std::string::npos);
    EXPECT_EQ(requests[1].find("Content-Type"), std::string::npos);
}

TEST_F(RequestTest, ForbiddenRedirectReturnsTheRedirectItself) {
    server.enqueue(LoopbackReply::http(302, "Location: /elsewhere\r\n", "moved"));
    RequestRecord record;
    record.url = server.url("/start");
    record.forbidRedirects = true;
    performRequest(record);
    EXPECT_EQ(record.body, "moved");
    EXPECT_EQ(record.responseHeaders.rfind("HTTP/1.1 302", 0), 0u);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(RequestTest, AbortFlagCancelsAStalledTransfer) {
    LoopbackReply stall;
    stall.bytes = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial";
    stall.stall = true;
    server.enqueue(stall);
    std::atomic<bool> abort{false};
    std::thread canceller([&] {
        server.waitForRequests(1, 10s);
        abort = true;
    });
    RequestRecord record;
    record.url = server.url("/stall");
    performRequest(record, &abort);
    canceller.join();
    // The abort may come before or after the first bytes arrive.
    EXPECT_TRUE(record.body.empty() || record.body == "partial") << record.body;
    EXPECT_TRUE(server.waitForIdle(10s));
}

}  // namespace
}  // namespace rankminer
