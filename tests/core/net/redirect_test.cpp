#include "net/redirect.h"

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/loopback_server.h"

namespace rankminer {
namespace {

using testing::LoopbackReply;
using testing::LoopbackServer;

TEST(ResolveRedirect, ReturnsLocationAsSentWithTheFixedHeaders) {
    LoopbackServer server;
    ASSERT_NE(server.port(), 0);
    server.enqueue(LoopbackReply::http(302, "Location:  target/page?x=1 \r\n", "moved"));
    EXPECT_EQ(resolveRedirect(server.url("/link?url=abc")), "target/page?x=1");
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string expected =
        "GET /link?url=abc HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
        "\r\n"
        "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)\r\n"
        "Accept-Language: zh-cn\r\n"
        "Connection: Keep-Alive\r\n"
        "Accept: image/gif, image/x-xbitmap, image/jpeg, imagepeg, "
        "application/x-shockwave-flash, application/x-silverlight, */*\r\n\r\n";
    EXPECT_BYTES_EQ(expected, server.requests()[0]);
}

TEST(ResolveRedirect, DoesNotFollowAndSharesNoCookies) {
    LoopbackServer server;
    ASSERT_NE(server.port(), 0);
    server.enqueue(LoopbackReply::http(301, "Set-Cookie: a=1\r\nLocation: http://127.0.0.1:" +
                                                std::to_string(server.port()) + "/b\r\n"));
    server.enqueue(LoopbackReply::http(302, "Location: /c\r\n"));
    EXPECT_EQ(resolveRedirect(server.url("/a")),
              "http://127.0.0.1:" + std::to_string(server.port()) + "/b");
    EXPECT_EQ(resolveRedirect(server.url("/b")), "/c");
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[1].find("Cookie"), std::string::npos);
}

TEST(ResolveRedirect, EmptyOn200AndOnAnUnreachablePort) {
    int port = 0;
    {
        LoopbackServer server;
        ASSERT_NE(server.port(), 0);
        server.enqueue(LoopbackReply::http(200, {}, "no redirect"));
        EXPECT_EQ(resolveRedirect(server.url("/")), "");
        port = server.port();
    }
    EXPECT_EQ(resolveRedirect("http://127.0.0.1:" + std::to_string(port) + "/"), "");
    EXPECT_EQ(resolveRedirect(""), "");
}

}  // namespace
}  // namespace rankminer
