#include "net/cookie_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <ctime>

#include "net/request.h"
#include "support/loopback_server.h"

namespace rankminer {
namespace {

using testing::LoopbackReply;
using testing::LoopbackServer;

// A Cookie line with its pairs in name order (the store sends them in an
// order of its own).
std::string sortedPairs(std::string line) {
    const std::size_t colon = line.find(':') + 1;
    std::vector<std::string> pairs;
    for (std::size_t start = colon; start < line.size();) {
        std::size_t end = line.find(';', start);
        end = end == std::string::npos ? line.size() : end;
        std::string pair = line.substr(start, end - start);
        pair.erase(0, pair.find_first_not_of(' '));
        pairs.push_back(pair);
        start = end + 1;
    }
    std::sort(pairs.begin(), pairs.end());
    std::string sorted = line.substr(0, colon);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        sorted += (i == 0 ? " " : "; ") + pairs[i];
    }
    return sorted;
}

class CookieStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server.port(), 0);
        CookieStore::instance().clear();
        CookieStore::instance().setChangeObserver(nullptr);
    }
    void TearDown() override { CookieStore::instance().setChangeObserver(nullptr); }

    // The Cookie header lines of the request the server got for this call.
    std::string cookieLinesOf(const std::string& cookies, const std::string& setCookie = {}) {
        server.enqueue(LoopbackReply::http(200, setCookie, "x"));
        RequestRecord record;
        record.url = server.url("/");
        record.cookies = cookies;
        performRequest(record);
        const std::string request = server.requests().back();
        std::string lines;
        for (std::size_t at = request.find("\r\nCookie:"); at != std::string::npos;
             at = request.find("\r\nCookie:", at + 2)) {
            lines +=
                sortedPairs(request.substr(at + 2, request.find("\r\n", at + 2) - at - 2)) + "|";
        }
        return lines;
    }

    LoopbackServer server;
};

TEST_F(CookieStoreTest, CookiesFlowBetweenRequestsThroughTheStore) {
    EXPECT_EQ(cookieLinesOf("", "Set-Cookie: a=1; path=/\r\n"), "");
    EXPECT_EQ(cookieLinesOf(""), "Cookie: a=1|");
    // Caller cookies keep the store out: only they are sent ...
    EXPECT_EQ(cookieLinesOf("own=9", "Set-Cookie: b=2; path=/\r\n"), "Cookie: own=9|");
    // ... yet what the response set went into the store.
    EXPECT_EQ(cookieLinesOf(""), "Cookie: a=1; b=2|");
}

TEST_F(CookieStoreTest, CookiesOfOnlySpacesLeaveTheStoreOn) {
    CookieStore::instance().setCookieFromHeader("127.0.0.1", "kept=yes");
    const std::string lines = cookieLinesOf("  ", "Set-Cookie: more=1\r\n");
    EXPECT_NE(lines.find("Cookie: kept=yes|"), std::string::npos);
    EXPECT_NE(lines.find("Cookie:|"), std::string::npos);
    EXPECT_EQ(cookieLinesOf(""), "Cookie: kept=yes; more=1|");
}

TEST_F(CookieStoreTest, ObserverHearsOfResponsesThatSetCookies) {
    std::atomic<int> calls{0};
    CookieStore::instance().setChangeObserver([&] { ++calls; });
    cookieLinesOf("");
    EXPECT_EQ(calls, 0);
    cookieLinesOf("", "Set-Cookie: a=1\r\n");
    EXPECT_EQ(calls, 1);
    cookieLinesOf("mine=1", "Set-Cookie: b=1\r\n");
    EXPECT_EQ(calls, 2);
    // The browser mirror writes with setCookie; that must not echo back.
    CookieStore::instance().setCookie({"127.0.0.1", false, "/", false, false, 0, "c", "1"});
    EXPECT_EQ(calls, 2);
}

TEST_F(CookieStoreTest, SetCookieRoundTripsEveryField) {
    const long long later = static_cast<long long>(std::time(nullptr)) + 3600;
    const StoredCookie cookie{"example.com", true, "/sub", true, true, later, "sid", "v a l"};
    CookieStore::instance().setCookie(cookie);
    const std::vector<StoredCookie> all = CookieStore::instance().allCookies();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].domain, "example.com");
    EXPECT_TRUE(all[0].includeSubdomains);
    EXPECT_EQ(all[0].path, "/sub");
    EXPECT_TRUE(all[0].secure);
    EXPECT_TRUE(all[0].httpOnly);
    EXPECT_EQ(all[0].expires, later);
    EXPECT_EQ(all[0].name, "sid");
    EXPECT_EQ(all[0].value, "v a l");

    CookieStore::instance().setCookie({"example.com", true, "/sub", true, true, later, "sid", "2"});
    ASSERT_EQ(CookieStore::instance().allCookies().size(), 1u);
    EXPECT_EQ(CookieStore::instance().allCookies()[0].value, "2");
    CookieStore::instance().clear();
    EXPECT_TRUE(CookieStore::instance().allCookies().empty());
}

TEST_F(CookieStoreTest, SetCookieFromHeaderReadsAttributes) {
    CookieStore& store = CookieStore::instance();
    store.setCookieFromHeader("www.example.com", "host=1");
    store.setCookieFromHeader("www.example.com", "wide=2; Domain=.example.com; Path=/p; Secure");
    store.setCookieFromHeader("www.example.com", "foreign=3; domain=other.com");
    store.setCookieFromHeader("www.example.com", "gone=4; Max-Age=0");
    store.setCookieFromHeader("www.example.com", "=noname");
    std::vector<StoredCookie> all = store.allCookies();
    ASSERT_EQ(all.size(), 2u);
    if (all[0].name != "host") {
        std::swap(all[0], all[1]);
    }
    EXPECT_EQ(all[0].domain, "www.example.com");
    EXPECT_FALSE(all[0].includeSubdomains);
    EXPECT_EQ(all[0].path, "/");
    EXPECT_EQ(all[1].name, "wide");
    EXPECT_EQ(all[1].domain, "example.com");
    EXPECT_TRUE(all[1].includeSubdomains);
    EXPECT_EQ(all[1].path, "/p");
    EXPECT_TRUE(all[1].secure);
}

TEST(NetscapeCookieLine, RejectsLinesWithoutSevenFields) {
    StoredCookie cookie;
    EXPECT_FALSE(parseNetscapeCookieLine("example.com\tFALSE\t/\tFALSE\t0\tname", cookie));
    EXPECT_FALSE(parseNetscapeCookieLine("# a comment", cookie));
    ASSERT_TRUE(parseNetscapeCookieLine(".example.com\tTRUE\t/\tFALSE\t0\tname\t", cookie));
    EXPECT_EQ(cookie.domain, "example.com");
    EXPECT_EQ(cookie.value, "");
}

}  // namespace
}  // namespace rankminer
