#include <gtest/gtest.h>

#include "net/request.h"

namespace rankminer {
namespace {

struct UrlCase {
    std::string name;
    std::string url;
    std::string host;
    int port;
    std::string path;
};

void PrintTo(const UrlCase& c, std::ostream* os) {
    *os << c.name << " (" << c.url << ")";
}

class UrlPartsTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlPartsTest, SplitsHostPortAndPath) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(urlHost(c.url), c.host);
    EXPECT_EQ(urlPort(c.url), c.port);
    EXPECT_EQ(urlPath(c.url), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, UrlPartsTest,
    ::testing::Values(
        UrlCase{"PlainWithoutPort", "http://Example.COM/A/b?Q=1", "example.com", 80, "/A/b?Q=1"},
        UrlCase{"PlainWithPort", "http://example.com:8080/x", "example.com", 8080, "/x"},
        UrlCase{"HttpsWithoutPort", "https://example.com/x", "example.com", 443, "/x"},
        // The engine still connects secure requests to 443 (see the request tests).
        UrlCase{"HttpsWithPort", "https://example.com:8443/x", "example.com", 8443, "/x"},
        UrlCase{"NoPath", "http://example.com", "example.com", 80, "/"},
        UrlCase{"QueryWithoutSlashIsNoPath", "http://example.com?q=1", "example.com?q=1", 80, "/"},
        UrlCase{"FragmentKept", "http://example.com/p?q=1#frag", "example.com", 80, "/p?q=1#frag"},
        UrlCase{"NoScheme", "example.com:81/p", "example.com", 81, "/p"},
        UrlCase{"CapitalSchemeIsLowered", "HTTP://Example.com/P", "example.com", 80, "/P"},
        UrlCase{"PortThatIsNoNumber", "http://example.com:abc/p", "example.com", 0, "/p"},
        UrlCase{"PortWithTrailingText", "http://example.com:81x/p", "example.com", 81, "/p"},
        // The path search starts where the host text first appears.
        UrlCase{"HostRepeatedInPath", "http://a.b/a.b/c", "a.b", 80, "/a.b/c"},
        UrlCase{"Empty", "", "", 80, "/"}),
    [](const ::testing::TestParamInfo<UrlCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rankminer
