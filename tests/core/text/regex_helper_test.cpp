#include "text/regex_helper.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

// Source literals are UTF-8; the cases convert them to GBK program text.
struct PatternCase {
    const char* name;
    const char* pattern;
    const char* replacement;
    const char* input;
    const char* expected;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgramPatterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(ProgramPatterns, GiveTheFixedResult) {
    const PatternCase& c = GetParam();
    RegexHelper helper;
    ASSERT_TRUE(helper.compile(gbk(c.pattern)));
    EXPECT_BYTES_EQ(gbk(c.expected), helper.replace(gbk(c.input), gbk(c.replacement)));
}

// The seven patterns the parsers use, on the texts they meet.
INSTANTIATE_TEST_SUITE_P(
    Regex, ProgramPatterns,
    ::testing::Values(
        PatternCase{"EqualsBlanksGoWithFullWidthAndTab", "[\\s　]{0,10}=[\\s　]{0,10}", "=",
                    "<td class　　=\t\"title\">", "<td class=\"title\">"},
        PatternCase{"EqualsKeepsAnEleventhBlank", "[\\s　]{0,10}=[\\s　]{0,10}", "=",
                    "a"
                    "     "
                    "     "
                    " =b",
                    "a =b"},
        PatternCase{"LineEndsTrimmedBreaksKept", "^[ 　\\t]+|[ 　\\t]+$", "",
                    "  a b \t\r\n　c　\nd ", "a b\r\nc\nd"},
        PatternCase{"LabelRemovedToItsLineEndOnly", "此关键词包含:.+", "",
                    "词A此关键词包含:x,y\r\n下一行\n此关键词包含:z\rq", "词A\r\n下一行\n\rq"},
        PatternCase{"TagsAndBreaksRemoved", "<[\\s\\S]+?>|\\r\\n|\\r|\\n", "", "<b>12</b>\r\n3",
                    "123"},
        PatternCase{"TagSpanningLinesRemoved", "<[\\s\\S]+?>|\\r\\n|\\r|\\n", "",
                    "<a\r\nhref=x>t</a>\rz\n", "tz"},
        PatternCase{"TagsRemovedBreaksKept", "<[\\s\\S]+?>", "", "<p>a</p>\nb<br/>", "a\nb"},
        PatternCase{"WhiteSpaceRunsRemovedFullWidthKept", "\\s+", "", " a\t b\r\n c　d\x0B\x0C",
                    "abc　d"},
        PatternCase{"BlankLinesLineEndsAndBreaksRemoved",
                    "^[　 \\t]*$(\\r\\n)|^[ 　\\t]+|[ 　\\t]+$|\\r\\n|\\r|\\n", "",
                    "  x  \r\n \t \r\n y\r\n\r\nz\rw", "xyzw"}),
    [](const ::testing::TestParamInfo<PatternCase>& info) { return std::string(info.param.name); });

TEST(RegexHelper, LineAnchorsWorkAtCarriageReturnAndDotStopsThere) {
    RegexHelper helper;
    ASSERT_TRUE(helper.compile("^x"));
    EXPECT_EQ("a\r\nb\r", helper.replace("a\r\nxb\rx", ""));
    ASSERT_TRUE(helper.compile("x$"));
    EXPECT_EQ("a\rb\n", helper.replace("ax\rbx\nx", ""));
    ASSERT_TRUE(helper.compile("a.b"));
    EXPECT_EQ("a\rb|a\nb|", helper.replace("a\rb|a\nb|a-b", ""));
}

TEST(RegexHelper, SwitchesChangeCaseAnchorsAndGlobalReplacement) {
    RegexHelper helper;
    ASSERT_TRUE(helper.compile("ab", false, true, true));
    EXPECT_EQ("AB-", helper.replace("ABab", "-"));
    ASSERT_TRUE(helper.compile("ab", true, true, false));
    EXPECT_EQ("-ab", helper.replace("ABab", "-"));
    ASSERT_TRUE(helper.compile("^x", true, false, true));
    EXPECT_EQ("a\nx", helper.replace("xa\nx", ""));
    // Without multiline "$" is the very end, not the place before a last break.
    ASSERT_TRUE(helper.compile("x$", true, false, true));
    EXPECT_EQ("x\n", helper.replace("x\n", ""));
}

TEST(RegexHelper, TwoByteCharacterIsOneCharacterAndMalformedBytesSurvive) {
    RegexHelper helper;
    ASSERT_TRUE(helper.compile("^.$"));
    EXPECT_EQ("", helper.replace(gbk("中"), ""));
    ASSERT_TRUE(helper.compile("b"));
    // A lone lead byte, 0xFF and a lead byte before an ASCII byte come back as they were.
    const std::string malformed(
        "\x81\xFF\x81"
        "a",
        4);
    EXPECT_BYTES_EQ(malformed + "-", helper.replace(malformed + "b", "-"));
    // "a" as the trail byte of 0xB0 0x61 is no "a" of its own.
    ASSERT_TRUE(helper.compile("a"));
    const std::string pair(
        "\xB0\x61"
        "a",
        3);
    EXPECT_BYTES_EQ(std::string("\xB0\x61"
                                "-",
                                3),
                    helper.replace(pair, "-"));
}

TEST(RegexHelper, ReplacementIsLiteralText) {
    RegexHelper helper;
    ASSERT_TRUE(helper.compile("(b)"));
    EXPECT_EQ("a$1\\0&c", helper.replace("abc", "$1\\0&"));
    EXPECT_BYTES_EQ(gbk("a中c"), helper.replace("abc", gbk("中")));
}

TEST(RegexHelper, EmptyMatchesMoveOn) {
    RegexHelper helper;
    ASSERT_TRUE(helper.compile("x*"));
    // As script engines do: the empty match before "b" counts as well.
    EXPECT_EQ("-a--b-", helper.replace("axxb", "-"));
    EXPECT_BYTES_EQ(gbk("-中-"), helper.replace(gbk("中"), "-"));
    EXPECT_EQ("-", helper.replace("", "-"));
}

TEST(RegexHelper, BadPatternAndUncompiledHelperLeaveTextUnchanged) {
    RegexHelper helper;
    EXPECT_FALSE(helper.isCompiled());
    EXPECT_EQ("abc", helper.replace("abc", "-"));
    ASSERT_TRUE(helper.compile("b"));
    EXPECT_FALSE(helper.compile("(b"));
    EXPECT_FALSE(helper.isCompiled());
    EXPECT_EQ("abc", helper.replace("abc", "-"));
}

TEST(RegexHelper, MovedHelperKeepsItsPattern) {
    RegexHelper first;
    ASSERT_TRUE(first.compile("b"));
    RegexHelper second(std::move(first));
    EXPECT_EQ("a-c", second.replace("abc", "-"));
    RegexHelper third;
    third = std::move(second);
    EXPECT_EQ("a-c", third.replace("abc", "-"));
}

TEST(RegexHelper, MegabytePagesNeitherOverflowNorStop) {
    // A repeated group backtracks through every character: deep recursion for
    // a naive engine.
    std::string page;
    for (int i = 0; i < 1'000'000; ++i) {
        page += (i % 2 == 0) ? "ab" : "ba";
    }
    RegexHelper helper;
    ASSERT_TRUE(helper.compile("(a|b)+"));
    const std::string reduced = helper.replace("<" + page + ">", "");
    EXPECT_TRUE(reduced == "<>") << "kept " << reduced.size() << " bytes";

    // Tag stripping over three megabytes of markup, one long tag in the middle.
    std::string markup;
    for (int i = 0; i < 100'000; ++i) {
        markup += "<td class=\"c\">x</td>";
    }
    const std::string longTag = "<" + std::string(500'000, 'q') + ">";
    ASSERT_TRUE(helper.compile("<[\\s\\S]+?>"));
    const std::string stripped = helper.replace(markup + longTag + markup, "");
    EXPECT_TRUE(stripped == std::string(200'000, 'x')) << "got " << stripped.size() << " bytes";
}

}  // namespace
}  // namespace rankminer
