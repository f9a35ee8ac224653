#include "net/page_text.h"

#include <gtest/gtest.h>

#include "net/cookie_store.h"
#include "support/bytes.h"
#include "support/loopback_server.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::LoopbackReply;
using testing::LoopbackServer;

class PageTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server.port(), 0);
        CookieStore::instance().clear();
    }
    std::string request(std::size_t index) const { return server.requests().at(index); }
    LoopbackServer server;
};

TEST_F(PageTextTest, UrlAloneGetsOneRefererAndLosesItsFragment) {
    server.enqueue(LoopbackReply::http(200, {}, "<p>ok</p>"));
    std::string url = server.url("/words?k=a#results");
    EXPECT_EQ(fetchPageText(url), "<p>ok</p>");
    EXPECT_EQ(url, server.url("/words?k=a"));
    const std::string expected =
        "GET /words?k=a HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
        "\r\nUser-Agent: Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/30.0.1599.101 Safari/537.36\r\nReferer: " +
        url +
        "\r\nAccept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
        "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
        "application/msword, */*\r\nAccept-Language: zh-cn\r\n\r\n";
    EXPECT_BYTES_EQ(expected, request(0));
}

struct HeaderCharsetCase {
    std::string name;
    std::string contentType;
    bool decodedAsUtf8;
};

void PrintTo(const HeaderCharsetCase& c, std::ostream* os) {
    *os << c.name;
}

class HeaderCharsetTest : public PageTextTest,
                          public ::testing::WithParamInterface<HeaderCharsetCase> {};

// The body's four-byte sequence fails the automatic UTF-8 test, so only a
// declaration in the response headers makes it decode as UTF-8.
TEST_P(HeaderCharsetTest, HeaderDeclarationDecides) {
    const std::string body = "caf\xC3\xA9 \xF0\x9F\x98\x80";
    server.enqueue(LoopbackReply::http(200, GetParam().contentType, body));
    std::string url = server.url("/");
    TextEncoding hint = TextEncoding::Auto;
    PageTextOptions options;
    options.encodingHint = &hint;
    const std::string text = fetchPageText(url, options);
    if (GetParam().decodedAsUtf8) {
        EXPECT_BYTES_EQ(gbk("café ?"), text);
        EXPECT_EQ(hint, TextEncoding::Utf8);
    } else {
        EXPECT_BYTES_EQ(body, text);
        EXPECT_EQ(hint, TextEncoding::Auto);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ContentTypes, HeaderCharsetTest,
    ::testing::Values(
        HeaderCharsetCase{"Bare", "Content-Type: text/html; charset=UTF-8\r\n", true},
        HeaderCharsetCase{"DoubleQuoted", "Content-Type: text/html; charset=\"utf-8\"\r\n", true},
        HeaderCharsetCase{"SingleQuoted", "Content-Type: text/html; Charset='Utf-8'\r\n", true},
        HeaderCharsetCase{"Gbk", "Content-Type: text/html; charset=gbk\r\n", false},
        HeaderCharsetCase{"None", "", false}),
    [](const ::testing::TestParamInfo<HeaderCharsetCase>& info) { return info.param.name; });

TEST_F(PageTextTest, PostTextBecomesAFormBodyAndOutputsAreWritten) {
    server.enqueue(LoopbackReply::http(200, "Set-Cookie: s=1; path=/\r\n", "posted"));
    std::string url = server.url("/form");
    std::string cookies;
    std::string body;
    PageTextOptions options;
    options.postText = "q=1&r=2";
    options.referer = "http://from.example/";
    options.extraHeaders = "X-Probe: 1\r\n";
    options.cookies = "c=1";
    options.cookiesOut = &cookies;
    options.bodyOut = &body;
    EXPECT_EQ(fetchPageText(url, options), "posted");
    EXPECT_EQ(cookies, "s=1;");
    EXPECT_EQ(body, "posted");
    const std::string sent = request(0);
    EXPECT_EQ(sent.rfind("POST /form HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(sent.find("X-Probe: 1\r\nReferer: http://from.example/\r\n"), std::string::npos);
    EXPECT_NE(sent.find("Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 7\r\n"
                        "Cookie: c=1\r\n\r\nq=1&r=2"),
              std::string::npos);
}

TEST_F(PageTextTest, PostBytesWinOverPostText) {
    server.enqueue(LoopbackReply::http(200, {}, "ok"));
    std::string url = server.url("/form");
    PageTextOptions options;
    options.postText = "text";
    options.postBytes = std::string("b\0y", 3);
    EXPECT_EQ(fetchPageText(url, options), "ok");
    const std::string sent = request(0);
    EXPECT_EQ(sent.substr(sent.size() - 3), std::string("b\0y", 3));
}

TEST_F(PageTextTest, LimitBelowOneSecondTimesOutAtOnce) {
    server.setFallback(LoopbackReply::http(200, {}, "too late"));
    std::string url = server.url("/");
    std::string body = "before";
    PageTextOptions options;
    options.timeLimit = 0.5;
    options.bodyOut = &body;
    EXPECT_EQ(fetchPageText(url, options), "");
    EXPECT_EQ(body, "");
}

}  // namespace
}  // namespace rankminer
