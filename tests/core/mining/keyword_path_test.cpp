#include "mining/keyword_path.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

struct KeywordCase {
    const char* name;
    std::string keyword;  // GBK
    std::string segment;
};

void PrintTo(const KeywordCase& c, std::ostream* os) {
    *os << c.name;
}

class EncodeKeywordPath : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(EncodeKeywordPath, GivesTheSegment) {
    EXPECT_BYTES_EQ(GetParam().segment, encodeKeywordPath(GetParam().keyword));
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, EncodeKeywordPath,
    ::testing::Values(KeywordCase{"Ascii", "abc", "n61n62n63"},
                      KeywordCase{"CapitalsLowerCased", "SEO", "n53n45n4f"},
                      KeywordCase{"Chinese", gbk("关键"), "5173952e"},
                      KeywordCase{"Mixed", gbk("a关"), "n615173"}, KeywordCase{"Empty", "", ""},
                      // Latin-1 code units keep the short form; the
                      // full-width space is no ASCII space.
                      KeywordCase{"SpaceAndFullWidthSpace", gbk("a 　"), "n61n203000"},
                      KeywordCase{"LineBreaksPassThrough", "a\r\nb", "n61\r\nn62"},
                      KeywordCase{"BackslashIsEncoded", "\\u00", "n5cn75n30n30"},
                      // U+00E9 is in GBK (A8 A6): below 0x100, so "n" form.
                      KeywordCase{"LatinSmallEAcute", gbk("é"), "ne9"}),
    [](const ::testing::TestParamInfo<KeywordCase>& info) { return info.param.name; });

TEST(MiningPageUrl, JoinsRootSegmentAndPage) {
    SiteConfig config;
    config.keywordUrl = "http://127.0.0.1:8080/kw/";
    EXPECT_EQ("http://127.0.0.1:8080/kw/n61n62n63/2/", miningPageUrl(config, "abc", 2));
    EXPECT_EQ("http://127.0.0.1:8080/kw//1/", miningPageUrl(config, "", 1));
}

struct PagerCase {
    const char* name;
    std::string page;
    int count;
};

void PrintTo(const PagerCase& c, std::ostream* os) {
    *os << c.name;
}

class CountResultPages : public ::testing::TestWithParam<PagerCase> {};

TEST_P(CountResultPages, ReadsTheHighestLinkedPage) {
    EXPECT_EQ(GetParam().count, countResultPages(GetParam().page));
}

const std::string kPager =
    "<div class=\"pager\"><a href=\"/kw/n61/2/\">2</a><a href=\"/kw/n61/3/\">3</a>"
    "<a href=\"/kw/n61/7/\">last</a></div>";

INSTANTIATE_TEST_SUITE_P(
    Pages, CountResultPages,
    ::testing::Values(
        PagerCase{"PagerEndingAtSeven", kPager, 7},
        PagerCase{"NoPager", "<div class=\"ci-content\"><table></table></div>", 0},
        PagerCase{"EmptyPage", "", 0},
        PagerCase{"AboveFiveHundredIgnored",
                  "<a href=\"/x/600/\">600</a><a href=\"/x/500/\">500</a><a href=\"/x/3/\">", 500},
        PagerCase{"HighestNotLast", "<a href=\"/x/12/\">12</a><a href=\"/x/4/\">4</a>", 12},
        PagerCase{"SingleQuotesDoNotCount", "<a href='/x/9/'>9</a>", 0},
        PagerCase{"SlashesNeeded", "<a href=\"x9/\">", 0},
        PagerCase{"LeadingZeroIsNoPage", "<a href=\"/x/05/\">", 0},
        PagerCase{"ZeroIsNoPage", "<a href=\"/x/0/\">", 0},
        // 0x81 is a lead byte: like every text search, the scan takes it and
        // the byte after it as one character, so this slash starts no link end.
        PagerCase{"SlashInsideTwoByteCharacter", std::string("\x81/9/\">", 6), 0},
        PagerCase{"NumbersOutsideLinksIgnored", "/9/ and /8/\" >", 0}),
    [](const ::testing::TestParamInfo<PagerCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rankminer
