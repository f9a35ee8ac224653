#include "text/gbk.h"

#include <gtest/gtest.h>

#include "support/bytes.h"

namespace rankminer {
namespace {

TEST(Gbk, LiteralsConvertToCodePage936) {
    EXPECT_BYTES_EQ(std::string("\xD6\xD0\xCE\xC4"), gbk("中文"));
    EXPECT_BYTES_EQ(std::string("a\xA1\xA1z"), gbk("a　z"));
    EXPECT_EQ("中文", gbkToUtf8("\xD6\xD0\xCE\xC4"));
}

TEST(Gbk, MalformedBytesSurviveTheRoundTripThroughUnicode) {
    // A lone lead byte, 0xFF, a lead byte before an ASCII byte, and a valid pair.
    const std::string bytes("\x81\xFF\x81 x\xD6\xD0\x81", 8);
    EXPECT_BYTES_EQ(bytes, utf16ToGbk(gbkToUtf16(bytes)));
    EXPECT_BYTES_EQ(bytes, utf8ToGbk(gbkToUtf8(bytes)));
}

TEST(Gbk, CharactersOutsideGbkBecomeQuestionMarks) {
    EXPECT_EQ("a?b", utf8ToGbk("a\xF0\x9F\x98\x80"
                               "b"));
}

TEST(Gbk, SearchNeverStartsInsideATwoByteCharacter) {
    // The trail byte of 0xB0 0x41 is "A": a search for "A" must not find it.
    const std::string text(
        "\xB0\x41"
        "A",
        3);
    EXPECT_EQ(3, findText(text, "A"));
    EXPECT_EQ(3, findText(text, "a", 1, true));
    EXPECT_EQ(-1, findText(text, "A", 4));
    EXPECT_EQ(3, findLastText(text, "A"));
    EXPECT_EQ(-1, findText("abc", "d"));
    EXPECT_EQ(2, findText("abcb", "b"));
    EXPECT_EQ(4, findLastText("abcb", "b"));
}

TEST(Gbk, CaseFoldingLeavesTrailBytesAlone) {
    EXPECT_BYTES_EQ(std::string("\xB0\x41"
                                "a"),
                    toLowerAscii(std::string("\xB0\x41"
                                             "A")));
    EXPECT_BYTES_EQ(std::string("\xB0\x61"
                                "A"),
                    toUpperAscii(std::string("\xB0\x61"
                                             "a")));
}

TEST(Gbk, TrimRemovesAsciiAndFullWidthSpacesOnly) {
    EXPECT_EQ("a b", trimBlanks(gbk("　 a b 　")));
    EXPECT_EQ("\ta\t", trimBlanks(" \ta\t "));
    EXPECT_EQ("", trimBlanks(gbk(" 　 ")));
    // A character whose trail byte is A1 followed by a space is kept whole.
    EXPECT_BYTES_EQ(std::string("\xB0\xA1"), trimBlanks(std::string("\xB0\xA1 ")));
}

TEST(Gbk, SplitKeepsInnerEmptyPiecesAndDropsATrailingSeparator) {
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"a", "b"}), splitText("a|b|", "|"));
    EXPECT_EQ((V{"a", "", "b"}), splitText("a||b", "|"));
    EXPECT_EQ((V{"", "a"}), splitText("|a", "|"));
    EXPECT_EQ((V{}), splitText("", "|"));
    EXPECT_EQ((V{"a", "", "b"}), splitText("a\r\n\r\nb\r\n", "\r\n"));
}

struct NumberCase {
    const char* name;
    std::string text;
    double number;
    long long integer;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(GetParam().number, leadingNumber(GetParam().text));
    EXPECT_EQ(GetParam().integer, leadingInteger(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadingNumber,
    ::testing::Values(NumberCase{"Plain", "30", 30, 30}, NumberCase{"Decimal", "0.5", 0.5, 0},
                      NumberCase{"Comma", "1,200", 1, 1}, NumberCase{"Letters", "abc", 0, 0},
                      NumberCase{"Empty", "", 0, 0}, NumberCase{"Negative", "-1", -1, -1},
                      NumberCase{"Blanks", "  12abc", 12, 12},
                      NumberCase{"FullWidth", gbk("３０"), 30, 30},
                      NumberCase{"LeadingDot", ".25", 0.25, 0}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace rankminer
