#include "text/html_equals_normaliser.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>

#include "support/bytes.h"
#include "text/gbk.h"
#include "text/regex_helper.h"

namespace rankminer {
namespace {

const std::string& equalsPattern() {
    static const std::string pattern = gbk("[\\s　]{0,10}=[\\s　]{0,10}");
    return pattern;
}

std::string byRegex(std::string_view text) {
    RegexHelper helper;
    helper.compile(equalsPattern());
    return helper.replace(text, "=");
}

struct EqualsCase {
    const char* name;
    std::string input;  // GBK bytes
    std::string expected;
};

void PrintTo(const EqualsCase& c, std::ostream* os) {
    *os << c.name;
}

class EqualsNormaliser : public ::testing::TestWithParam<EqualsCase> {};

// Each case is checked against both the stated result and the regular
// expression the matcher stands in for.
TEST_P(EqualsNormaliser, MatchesTheExpressionItReplaces) {
    const EqualsCase& c = GetParam();
    EXPECT_BYTES_EQ(c.expected, normaliseEquals(c.input));
    EXPECT_BYTES_EQ(byRegex(c.input), normaliseEquals(c.input));
}

const std::string kFw = "\xA1\xA1";  // full-width space

INSTANTIATE_TEST_SUITE_P(
    Html, EqualsNormaliser,
    ::testing::Values(
        EqualsCase{"NoEquals", "<td class\t\"x\">", "<td class\t\"x\">"},
        EqualsCase{"AllBlankKinds", "a \t\r\n\v\f" + kFw + "=" + kFw + " \nb", "a=b"},
        EqualsCase{"ElevenBlanksBeforeKeepOne", "a" + std::string(11, ' ') + "=b", "a =b"},
        EqualsCase{"ElevenBlanksAfterKeepOne", "a=" + std::string(11, ' ') + "b", "a= b"},
        EqualsCase{"TwelveBetweenTwoEquals", "=" + std::string(12, ' ') + "=", "=="},
        EqualsCase{"TwentyFiveBetweenTwoEquals", "=" + std::string(25, ' ') + "=", "=     ="},
        EqualsCase{"EqualsAtBothEnds", " = x = ", "=x="},
        EqualsCase{"RunOfEquals", "a = = =b", "a===b"},
        // B0 A1 is one character, so the A1 after it is no full-width space.
        EqualsCase{"TrailByteA1IsNoBlank", std::string("\xB0\xA1\xA1=x"),
                   std::string("\xB0\xA1\xA1=x")},
        EqualsCase{"PairThenFullWidthSpace", std::string("\xB0\xA1\xA1\xA1=x"),
                   std::string("\xB0\xA1=x")},
        EqualsCase{"PairedA1BeforeBlank", std::string("\xB0\xA1") + kFw + " =x",
                   std::string("\xB0\xA1=x")},
        // A lone A1 before "=" pairs with nothing: it stays.
        EqualsCase{"LoneA1StaysBeforeEquals", std::string("a\xA1=b"), std::string("a\xA1=b")},
        EqualsCase{"FullWidthRunLongerThanTen",
                   "x" +
                       [] {
                           std::string run;
                           for (int i = 0; i < 12; ++i) {
                               run += "\xA1\xA1";
                           }
                           return run;
                       }() +
                       "=y",
                   "x\xA1\xA1\xA1\xA1=y"},
        EqualsCase{"LeadByteBeforeEquals", std::string("\x81 =1"), std::string("\x81=1")}),
    [](const ::testing::TestParamInfo<EqualsCase>& info) { return std::string(info.param.name); });

// Random texts over the bytes that matter (blanks, "=", A1 halves, a lead
// byte, letters) catch any disagreement the table misses.
TEST(EqualsNormaliser, AgreesWithTheExpressionOnRandomTexts) {
    const std::string alphabet = std::string(" \t\r\n=a\xA1\xA1\xA1\xB0\x81", 11) + "==";
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 60);
    int disagreements = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            text.push_back(alphabet[pick(random)]);
        }
        if (normaliseEquals(text) != byRegex(text)) {
            ADD_FAILURE() << "differs for "
                          << ::rankminer::testing::describeByteDifference(byRegex(text),
                                                                          normaliseEquals(text));
            if (++disagreements == 5) {
                break;
            }
        }
    }
}

}  // namespace
}  // namespace rankminer
