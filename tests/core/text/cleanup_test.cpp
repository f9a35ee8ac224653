#include "text/cleanup.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

TEST(ReplaceEach, PairsPiecesByPositionAndDeletesWhereNoReplacement) {
    EXPECT_EQ("X--c", replaceEach("a-b-c", "a|b", "X"));
    EXPECT_EQ("xx", replaceEach("ABab", "ab", "x"));
    // Extra replacement pieces are ignored; empty find pieces replace nothing.
    EXPECT_EQ("1b", replaceEach("ab", "a||", "1|2|3|4"));
}

TEST(ReplaceEach, LaterPiecesSeeEarlierResults) {
    EXPECT_EQ("yc", replaceEach("abc", "a|xb", "x|y"));
}

TEST(ReplaceEach, SeparatorIsConfigurableAndEmptyMeansBar) {
    EXPECT_EQ("a+b,-", replaceEach("a|b,c", "|,c", "+,-", ","));
    EXPECT_EQ("12", replaceEach("ab", "a|b", "1|2", ""));
}

TEST(ReplaceEach, NeverMatchesInsideATwoByteCharacter) {
    // 0xB0 0x41 ends in "A".
    EXPECT_BYTES_EQ(std::string("\xB0\x41x", 3), replaceEach(std::string("\xB0\x41"
                                                                         "A"),
                                                             "a", "x"));
}

struct TrimCase {
    const char* name;
    int mode;
    const char* expected;
};

void PrintTo(const TrimCase& c, std::ostream* os) {
    *os << c.name;
}

class TrimSpaces : public ::testing::TestWithParam<TrimCase> {};

// Lines: "  a b \t", "　c　", " \t " (blank), "d".
TEST_P(TrimSpaces, RemovesTheModesBlanks) {
    const TrimCase& c = GetParam();
    const std::string text = gbk("  a b \t\r\n　c　\r\n \t \r\nd");
    RegexHelper helper;
    EXPECT_BYTES_EQ(gbk(c.expected), trimSpaces(text, c.mode, helper));
}

INSTANTIATE_TEST_SUITE_P(
    Cleanup, TrimSpaces,
    ::testing::Values(TrimCase{"LineStarts", 0, "a b \t\r\nc　\r\n\r\nd"},
                      TrimCase{"LineEnds", 1, "  a b\r\n　c\r\n\r\nd"},
                      TrimCase{"BothLineEnds", 2, "a b\r\nc\r\n\r\nd"},
                      TrimCase{"EveryRun", 3, "ab\r\nc\r\n\r\nd"},
                      TrimCase{"BlankLines", 4, "  a b \t\r\n　c　\r\nd"},
                      TrimCase{"UnknownModeChangesNothing", 5, "  a b \t\r\n　c　\r\n \t \r\nd"}),
    [](const ::testing::TestParamInfo<TrimCase>& info) { return std::string(info.param.name); });

TEST(TrimSpacesHelper, AlreadyCompiledHelperKeepsItsOwnPattern) {
    RegexHelper helper;
    ASSERT_TRUE(helper.compile("b"));
    EXPECT_EQ(" a  c ", trimSpaces(" a b c ", 0, helper, true));
    // Not marked compiled: the mode's pattern replaces the helper's.
    EXPECT_EQ("a b c ", trimSpaces(" a b c ", 0, helper));
}

struct CellCase {
    const char* name;
    std::string input;  // UTF-8 literal, converted to GBK
    std::string expected;
};

void PrintTo(const CellCase& c, std::ostream* os) {
    *os << c.name;
}

class CleanCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(CleanCell, Cleans) {
    const CellCase& c = GetParam();
    EXPECT_BYTES_EQ(gbk(c.expected), cleanCell(gbk(c.input)));
}

INSTANTIATE_TEST_SUITE_P(
    Cleanup, CleanCell,
    ::testing::Values(CellCase{"SpacesNbspAndBreak", " 　a&nbsp;b\r\n ", "ab"},
                      CellCase{"TabRemovedBeforeNbspIsLookedFor", "&nb\tsp;x", "x"},
                      CellCase{"EveryKindOfBreak", "a\r\rb\n\nc\n\rd", "abcd"},
                      CellCase{"NbspOnlyInLowerCase", "&NBSP;", "&NBSP;"},
                      CellCase{"InnerSpacesKept", "　a 　b　", "a 　b"},
                      CellCase{"OnlyBlanks", " 　\t\r\n", ""}),
    [](const ::testing::TestParamInfo<CellCase>& info) { return std::string(info.param.name); });

TEST(CleanCellBytes, TrailingSpaceGoesButATrailByteA1Stays) {
    EXPECT_BYTES_EQ(std::string("\xB0\xA1"), cleanCell(std::string("\xB0\xA1 ")));
}

}  // namespace
}  // namespace rankminer
