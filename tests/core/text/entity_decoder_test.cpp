#include <gtest/gtest.h>

#include <ostream>

#include "support/bytes.h"
#include "text/cleanup.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

// Literals are UTF-8 and become GBK before the call.
struct EntityCase {
    const char* name;
    std::string input;
    std::string expected;
    bool namedOnly = false;
};

void PrintTo(const EntityCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeEntities : public ::testing::TestWithParam<EntityCase> {};

TEST_P(DecodeEntities, Decodes) {
    const EntityCase& c = GetParam();
    EXPECT_BYTES_EQ(gbk(c.expected), decodeEntities(gbk(c.input), c.namedOnly));
}

INSTANTIATE_TEST_SUITE_P(
    Cleanup, DecodeEntities,
    ::testing::Values(EntityCase{"Ampersand", "a&amp;b", "a&b"},
                      EntityCase{"AmpersandFirstSoLaterNamesSeeItsResult", "&amp;lt;", "<"},
                      EntityCase{"NamesIgnoreAsciiCase", "&AMP;&Lt;&NBSP;", "&< "},
                      EntityCase{"UpperPrimeIsTakenByPrime", "&Prime;", "′"},
                      EntityCase{"SimIsTheFullWidthTilde", "&sim;", "～"},
                      EntityCase{"EarlyAndLateTableEntries", "&ndash;&hellip;&there4;&perp;",
                                 "–…∴⊥"},
                      EntityCase{"NbspBecomesASpace", "a&nbsp;b", "a b"},
                      EntityCase{"UnknownNameAndLoneAmpersandStay", "&foo; & &", "&foo; & &"},
                      EntityCase{"DecimalAndHex", "&#65;&#x42;", "AB"},
                      EntityCase{"FirstByteAfterHashDroppedInHex", "&#X42;&#y43;", "BC"},
                      EntityCase{"NamedPassFeedsTheNumericPass", "&amp;#65;", "A"},
                      EntityCase{"NamedOnlyLeavesNumeric", "&amp;#65;", "&#65;", true},
                      EntityCase{"ChineseCharacter", "x&#20320;y", "x你y"},
                      EntityCase{"HexChineseCharacter", "&#x4E2D;&#X6587;", "中文"},
                      EntityCase{"FarSemicolonTakesEverything", "a&#66 then words;z", "aBz"},
                      EntityCase{"MissingSemicolonStays", "a&#66 b", "a&#66 b"},
                      EntityCase{"OnlyTheLastLacksASemicolon", "&#67;&#66", "C&#66"},
                      EntityCase{"ZeroCodeIsRemoved", "a&#;b&#0;c", "abc"},
                      EntityCase{"DecimalReaderSkipsBlanksAndSign", "&# 65;&#+66;", "AB"},
                      EntityCase{"NonHexDigitCountsMinusTwo", "&#x4G;", ">"},
                      // A decoded ";" is the end of an earlier reference that had none.
                      EntityCase{"DecodedSemicolonEndsAnEarlierReference", "&#12&#59;;", "\x0C;"},
                      // A decoded "#" completes the "&" in front of it.
                      EntityCase{"DecodedHashCompletesAnEarlierAmpersand", "&&#35;65;", "A"},
                      EntityCase{"CodeWithoutGbkFormIsAQuestionMark", "&#x0E01;", "?"},
                      EntityCase{"CodeBeyondOneUnitIsAQuestionMark", "&#128512;&#-5;", "??"}),
    [](const ::testing::TestParamInfo<EntityCase>& info) { return std::string(info.param.name); });

TEST(DecodeEntitiesAtScale, ThousandsOfReferencesInOneText) {
    std::string text;
    std::string expected;
    for (int i = 0; i < 50'000; ++i) {
        text += "&#x41;&#20320;-";
        expected += "A" + gbk("你") + "-";
    }
    EXPECT_TRUE(decodeEntities(text) == expected);
    // A long reference whose ";" is at the very end swallows the whole text.
    EXPECT_EQ("A", decodeEntities("&#65" + std::string(200'000, 'x') + ";"));
}

}  // namespace
}  // namespace rankminer
