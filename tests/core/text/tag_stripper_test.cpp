#include "text/tag_stripper.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/bytes.h"
#include "text/gbk.h"
#include "text/regex_helper.h"

namespace rankminer {
namespace {

struct StripCase {
    const char* name;
    std::string input;  // GBK bytes
    std::string expected;
};

void PrintTo(const StripCase& c, std::ostream* os) {
    *os << c.name;
}

class StripTags : public ::testing::TestWithParam<StripCase> {
protected:
    static const RegexHelper& expression() {
        static const RegexHelper helper = [] {
            RegexHelper h;
            h.compile("<[\\s\\S]+?>");
            return h;
        }();
        return helper;
    }
};

// Each case gives what the expression's replacement gives, checked against
// both the expected bytes and the expression itself.
TEST_P(StripTags, GivesTheExpressionsResult) {
    const StripCase& c = GetParam();
    const std::string stripped = stripTags(c.input, expression());
    EXPECT_BYTES_EQ(c.expected, stripped);
    EXPECT_BYTES_EQ(expression().replace(c.input, ""), stripped);
}

const StripCase kCases[] = {
    {"NoTags", gbk("纯文本 text"), gbk("纯文本 text")},
    {"NestedLinkAndBreaks", gbk("<a href=\"/x\">医院&nbsp;翻译</a> <span class=\"gray\">w</span>"),
     gbk("医院&nbsp;翻译 w")},
    {"TagSpanningLines", "a<td\r\nclass=x\n>b", "ab"},
    {"EmptyBracketsNeedACharacter", "a<>b>c", "ac"},
    {"BracketPairAtTheEnd", "x<>", "x<>"},
    {"UnclosedTagKept", "a<b c", "a<b c"},
    {"UnclosedAfterClosed", "<i>x<y", "x<y"},
    {"GreaterThanAlone", "a>b<c>d", "a>bd"},
    {"LoneOpenAtTheEnd", "ab<", "ab<"},
    {"ChineseBetweenBrackets", gbk("<中>文"), gbk("文")},
    // A lead byte before '<' (a character cut in half): the conversion
    // decides, so the expression serves.
    {"CutCharacterBeforeTag", std::string("\xD1<b>x", 5), std::string("\xD1x", 2)},
    {"InvalidPairBeforeTag", std::string("\xAA\xA1<i>\xD6\xD0", 7),
     std::string("\xAA\xA1\xD6\xD0", 4)},
};

INSTANTIATE_TEST_SUITE_P(Cases, StripTags, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<StripCase>& info) {
                             return std::string(info.param.name);
                         });

class RemoveBlanks : public ::testing::TestWithParam<StripCase> {};

// Checked against the expected bytes and the expression "\\s+" itself.
TEST_P(RemoveBlanks, GivesTheExpressionsResult) {
    static const RegexHelper expression = [] {
        RegexHelper h;
        h.compile("\\s+");
        return h;
    }();
    const StripCase& c = GetParam();
    const std::string stripped = removeBlanks(c.input, expression);
    EXPECT_BYTES_EQ(c.expected, stripped);
    EXPECT_BYTES_EQ(expression.replace(c.input, ""), stripped);
}

const StripCase kBlankCases[] = {
    {"NoBlanks", gbk("医院翻译"), gbk("医院翻译")},
    {"EveryAsciiBlank",
     "a b\tc\nd\x0B"
     "e\x0C"
     "f\rg  \r\n h",
     "abcdefgh"},
    // Only ASCII blanks count: the full-width space and a no-break space stay.
    {"FullWidthSpaceStays", gbk("医　院 x"), gbk("医　院x")},
    {"NoBreakSpaceStays", gbk("a\u00A0b c"), gbk("a\u00A0bc")},
    {"CutCharacterBeforeBlank", std::string("\xD1 x", 3), std::string("\xD1x", 2)},
};

INSTANTIATE_TEST_SUITE_P(Cases, RemoveBlanks, ::testing::ValuesIn(kBlankCases),
                         [](const ::testing::TestParamInfo<StripCase>& info) {
                             return std::string(info.param.name);
                         });

class StripTagsAndLineBreaks : public ::testing::TestWithParam<StripCase> {};

// Checked against the expected bytes and the alternation itself.
TEST_P(StripTagsAndLineBreaks, GivesTheExpressionsResult) {
    static const RegexHelper expression = [] {
        RegexHelper h;
        h.compile("<[\\s\\S]+?>|\\r\\n|\\r|\\n");
        return h;
    }();
    const StripCase& c = GetParam();
    const std::string stripped = stripTagsAndLineBreaks(c.input, expression);
    EXPECT_BYTES_EQ(c.expected, stripped);
    EXPECT_BYTES_EQ(expression.replace(c.input, ""), stripped);
}

const StripCase kTagAndBreakCases[] = {
    {"Plain", gbk("上海 装修"), gbk("上海 装修")},
    {"BreaksOutsideTags", "a\r\nb\rc\nd\n\re", "abcde"},
    {"BreakInsideTag", "x<A name = \"l\"\r\n href='h'>t</A>\n", "xt"},
    {"BreakRightAfterOpen", "a<\n>b", "ab"},
    {"UnclosedTagKeepsBracket", "a<b\nc", "a<bc"},
    {"Chinese", gbk("\r\n  <em>医院</em>_招聘网  "), gbk("  医院_招聘网  ")},
    {"CutCharacterBeforeBreak", std::string("\xD1\n<b>x", 6), std::string("\xD1x", 2)},
};

INSTANTIATE_TEST_SUITE_P(Cases, StripTagsAndLineBreaks, ::testing::ValuesIn(kTagAndBreakCases),
                         [](const ::testing::TestParamInfo<StripCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace rankminer
