#include "net/decode.h"

#include <gtest/gtest.h>

#include "net_test_util.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

using testing::gzipBytes;

std::string utf16(std::string_view utf8, bool littleEndian) {
    const std::u16string units = gbkToUtf16(gbk(utf8));
    std::string bytes;
    for (char16_t unit : units) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

// ---- decodePage --------------------------------------------------------------

struct DecodeCase {
    std::string name;
    std::string body;
    TextEncoding hint;
    std::string expected;  // GBK
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodePageTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodePageTest, DecodesToGbk) {
    EXPECT_BYTES_EQ(GetParam().expected, decodePage(GetParam().body, GetParam().hint));
}

const std::string kChinese = "采集中文";  // UTF-8 source bytes
// 繁體中文 in Big5 and in GBK.
const std::string kBig5Text = "\xC1\x63\xC5\xE9\xA4\xA4\xA4\xE5";
const std::string kBig5TextAsGbk = "\xB7\xB1\xF3\x77\xD6\xD0\xCE\xC4";

std::vector<DecodeCase> decodeCases() {
    const std::string gbkText = gbk(kChinese);
    const std::string metaUtf8 = "<html><head><meta charset=\"utf-8\"></head><body>";
    return {
        {"Utf8Mark", "\xEF\xBB\xBF" + kChinese, TextEncoding::Auto, gbkText},
        {"Utf16LeMark", "\xFF\xFE" + utf16(kChinese, true), TextEncoding::Auto, gbkText},
        {"Utf16BeMark", "\xFE\xFF" + utf16(kChinese, false), TextEncoding::Auto, gbkText},
        {"GbkUnchanged", "<p>" + gbkText + "</p>", TextEncoding::Auto, "<p>" + gbkText + "</p>"},
        {"AsciiUnchanged", "<p>plain</p>", TextEncoding::Auto, "<p>plain</p>"},
        {"Utf8WithoutMarkOrMeta", "<p>" + kChinese + "</p>", TextEncoding::Auto,
         "<p>" + gbkText + "</p>"},
        {"MetaUtf8", metaUtf8 + kChinese, TextEncoding::Auto, gbk(metaUtf8 + kChinese)},
        {"MetaBig5", "<meta charset=Big5>" + kBig5Text, TextEncoding::Auto,
         "<meta charset=Big5>" + kBig5TextAsGbk},
        // A four-byte sequence fails the UTF-8 test; without a declaration the
        // page is taken as it is.
        {"FourByteSequenceUnchanged", kChinese + "\xF0\x9F\x98\x80", TextEncoding::Auto,
         kChinese + "\xF0\x9F\x98\x80"},
        // Declared UTF-8, a character GBK lacks becomes "?".
        {"OutsideGbkBecomesQuestionMark", "\xEF\xBB\xBF" + kChinese + "\xF0\x9F\x98\x80",
         TextEncoding::Auto, gbkText + "?"},
        {"HintUtf8WithoutMark", kChinese, TextEncoding::Utf8, gbkText},
        {"HintUtf8SkipsMark", "\xEF\xBB\xBF" + kChinese, TextEncoding::Utf8, gbkText},
        // The first two bytes go even when they are no mark.
        {"HintUtf16DropsTwoBytes", utf16("xy" + kChinese, true), TextEncoding::Utf16Le,
         "y" + gbkText},
        {"HintGbkTakesAsIs", kChinese, TextEncoding::Gbk, kChinese},
        {"Big5Hint", kBig5Text, TextEncoding::Big5, kBig5TextAsGbk},
        {"Big5HkscsHint", kBig5Text, TextEncoding::Big5Hkscs, kBig5TextAsGbk},
        {"CutAtZeroByte", std::string("abc\0def", 7), TextEncoding::Auto, "abc"},
        {"Gzipped", gzipBytes("\xEF\xBB\xBF" + kChinese), TextEncoding::Auto, gbkText},
        {"GzipMagicButNothingInflates", "\x1F\x8B garbage", TextEncoding::Auto, ""},
        {"Empty", "", TextEncoding::Auto, ""},
    };
}

INSTANTIATE_TEST_SUITE_P(Pages, DecodePageTest, ::testing::ValuesIn(decodeCases()),
                         [](const ::testing::TestParamInfo<DecodeCase>& info) {
                             return info.param.name;
                         });

// ---- findMetaCharset ---------------------------------------------------------

struct MetaCase {
    std::string name;
    std::string text;
    bool found;
    int code;
};

void PrintTo(const MetaCase& c, std::ostream* os) {
    *os << c.name;
}

class MetaCharsetTest : public ::testing::TestWithParam<MetaCase> {};

TEST_P(MetaCharsetTest, FindsTheFirstDeclaration) {
    const MetaCharset meta = findMetaCharset(GetParam().text);
    EXPECT_EQ(meta.found, GetParam().found);
    EXPECT_EQ(meta.code, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, MetaCharsetTest,
    ::testing::Values(
        MetaCase{"BareUtf8AnyCase", "<head><META content='text/html; CHARSET=utf-8'></head>", true,
                 1},
        MetaCase{"DoubleQuoted", "<head><meta charset=\"UTF-8\" /></head>", true, 1},
        MetaCase{"SingleQuoted", "<head><meta charset='utf-8'></head>", true, 1},
        MetaCase{"FirstDeclarationWins",
                 "<head><meta name=x><meta charset=utf-8><meta charset=big5></head>", true, 1},
        MetaCase{"Big5", "<head><meta charset=\"big5\"></head>", true, 2},
        // The bare Big5 form is found inside the bare HKSCS name.
        MetaCase{"BareHkscsReadsAsBig5", "<head><meta charset=Big5-HKSCS></head>", true, 2},
        MetaCase{"QuotedHkscs", "<head><meta charset=\"Big5-HKSCS\"></head>", true, 3},
        MetaCase{"EmptyMetaStopsTheWalk", "<head><meta><meta charset=utf-8></head>", false, 0},
        MetaCase{"NoHeadSearchesWholeText", "<body><meta charset=utf-8>", true, 1},
        MetaCase{"EmptyHeadSearchesWholeText", "<head></head><meta charset=utf-8>", true, 1},
        MetaCase{"OutsideTheHeadIgnored", "<head><title>t</title></head><meta charset=utf-8>",
                 false, 0},
        MetaCase{"GbkDeclarationUnknown", "<head><meta charset=gbk></head>", false, 0},
        MetaCase{"UnclosedMeta", "<head><meta charset=utf-8", false, 0}),
    [](const ::testing::TestParamInfo<MetaCase>& info) { return info.param.name; });

TEST(DecodePage, EmptyMetaBeforeTheDeclarationLeavesTheUtf8Test) {
    const std::string page = "<head><meta><meta charset=big5></head>" + kChinese;
    EXPECT_BYTES_EQ(gbk(page), decodePage(page));
}

// ---- looksLikeUtf8 -----------------------------------------------------------

struct Utf8Case {
    std::string name;
    std::string bytes;
    bool expected;
};

void PrintTo(const Utf8Case& c, std::ostream* os) {
    *os << c.name;
}

class LooksLikeUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(LooksLikeUtf8Test, Judges) {
    EXPECT_EQ(looksLikeUtf8(GetParam().bytes), GetParam().expected);
}

std::vector<Utf8Case> utf8Cases() {
    std::vector<Utf8Case> cases = {
        {"Empty", "", false},
        {"PureAscii", std::string(37, 'a'), false},
        {"TwoByte", "caf\xC3\xA9", true},
        {"ThreeByte", kChinese, true},
        {"FourByteFails", "\xF0\x9F\x98\x80", false},
        {"TruncatedAtEnd", "abc\xE4\xB8", false},
        {"GbkFails", gbk(kChinese), false},
        {"LoneContinuationFails", "ab\x80", false},
    };
    // A bad byte at every position of the first blocks, after ASCII, must be
    // seen whatever the block stride; and a good sequence across a block
    // boundary must pass.
    for (std::size_t at = 0; at < 20; ++at) {
        cases.push_back({"BadByteAt" + std::to_string(at),
                         std::string(at, 'a') + "\xFF" + "abcdefghij", false});
        cases.push_back({"SequenceAt" + std::to_string(at),
                         std::string(at, 'a') + kChinese + "abcdefghij", true});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Bytes, LooksLikeUtf8Test, ::testing::ValuesIn(utf8Cases()),
                         [](const ::testing::TestParamInfo<Utf8Case>& info) {
                             return info.param.name;
                         });

// ---- inflateGzip and convertCharset ------------------------------------------

TEST(InflateGzip, MembersTruncationAndGarbage) {
    const std::string big(100000, 'x');
    const std::string one = gzipBytes("first member ");
    const std::string two = gzipBytes(big);
    EXPECT_EQ(inflateGzip(one + two), "first member " + big);
    // A cut stream keeps what inflated before the cut.
    const std::string cut = inflateGzip(two.substr(0, two.size() / 2));
    EXPECT_GT(cut.size(), 0u);
    EXPECT_EQ(cut, big.substr(0, cut.size()));
    // Bytes after the last member that are no gzip member are ignored.
    EXPECT_EQ(inflateGzip(one + "trailing"), "first member ");
    EXPECT_EQ(inflateGzip("\x1F\x8B\x08\x00 not deflate"), "");
    EXPECT_EQ(inflateGzip(""), "");
}

TEST(ConvertCharset, ConvertsAndFailsEmpty) {
    EXPECT_BYTES_EQ(gbk(kChinese), convertCharset(kChinese, "UTF-8", "windows-936"));
    EXPECT_BYTES_EQ(kChinese, convertCharset(gbk(kChinese), "GBK", "UTF-8"));
    // Larger than the first output guess: GBK to UTF-16 doubles and more.
    const std::string many(5000, 'a');
    EXPECT_EQ(convertCharset(many, "GBK", "UTF-32LE").size(), 20000u);
    EXPECT_EQ(convertCharset(kChinese, "no-such-charset", "GBK"), "");
    EXPECT_EQ(convertCharset("", "UTF-8", "GBK"), "");
}

}  // namespace
}  // namespace rankminer
