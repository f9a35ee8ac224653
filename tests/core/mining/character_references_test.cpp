#include "mining/character_references.h"

#include <gtest/gtest.h>

#include <cctype>
#include <limits>
#include <ostream>
#include <string>

#include "mining/character_entities.h"
#include "support/bytes.h"
#include "text/gbk.h"

namespace rankminer {
namespace {

struct ReferenceCase {
    const char* name;
    std::string input;
    std::string output;  // GBK
};

void PrintTo(const ReferenceCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeCharacterReferences : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(DecodeCharacterReferences, Decodes) {
    EXPECT_BYTES_EQ(GetParam().output, decodeCharacterReferences(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecodeCharacterReferences,
    ::testing::Values(ReferenceCase{"Amp", "a&amp;b", "a&b"},
                      ReferenceCase{"LtGt", "&lt;x&gt;", "<x>"},
                      ReferenceCase{"DecimalAndHex", "&#65;&#x42;", "AB"},
                      ReferenceCase{"HexLettersEitherCase", "&#x4a;&#x4A;", "JJ"},
                      ReferenceCase{"CapitalXReadsAsDecimalZero", "&#X41;", "&#X41;"},
                      ReferenceCase{"NbspIsASpace", "1&nbsp;2", "1 2"},
                      ReferenceCase{"UnknownNameStays", "&unknown;", "&unknown;"},
                      ReferenceCase{"LoneAmpersandStays", "a & b", "a & b"},
                      ReferenceCase{"NoSemicolonStays", "&amp", "&amp"},
                      ReferenceCase{"OnePassOnly", "&amp;lt;", "&lt;"},
                      ReferenceCase{"NamesLowerCased", "&AMP;&Agrave;&Prime;&OElig;", gbk("&à′œ")},
                      ReferenceCase{"CommaInNumber", "1&#44;200", "1,200"},
                      ReferenceCase{"ShortNamesStay", "&;&a;&#;", "&;&a;&#;"},
                      ReferenceCase{"ZeroStays", "&#0;&#x0;", "&#0;&#x0;"},
                      ReferenceCase{"ChineseByNumber", "&#20851;&#x952e;", gbk("关键")},
                      ReferenceCase{"CharacterGbkLacksIsQuestionMark", "&#x1F600;", "?"},
                      ReferenceCase{"BeyondUnicodeIsQuestionMark", "&#99999999999999999999;", "?"},
                      // The ";" of a failed name is searched again from the next "&".
                      ReferenceCase{"AmpersandInsideFailedName", "&a&amp;b;", "&a&b;"},
                      ReferenceCase{"GbkTextAroundKeptWhole", gbk("中&amp;文"), gbk("中&文")},
                      // 0x81 swallows the "&" after it as its trail byte: no reference.
                      ReferenceCase{"AmpersandAsTrailByte", std::string("\x81&amp;", 6),
                                    std::string("\x81&amp;", 6)}),
    [](const ::testing::TestParamInfo<ReferenceCase>& info) { return info.param.name; });

TEST(CharacterEntities, HoldTheFullTableWithLowerCaseTwins) {
    const auto entities = characterEntities();
    ASSERT_EQ(252u, entities.size());
    int capitalised = 0;
    for (const CharacterEntity& entity : entities) {
        bool hasCapital = false;
        for (const char c : entity.name) {
            hasCapital = hasCapital || std::isupper(static_cast<unsigned char>(c));
        }
        if (!hasCapital) {
            continue;
        }
        ++capitalised;
        // The decoder reaches a capitalised name through its twin only.
        std::string lower(entity.name);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_NE(0u, lookUpCharacterEntity(lower)) << entity.name;
    }
    EXPECT_EQ(64, capitalised);
}

TEST(CharacterEntities, MapNamesToStandardCodePoints) {
    // Spot checks across the three sets, and nbsp's ordinary space.
    EXPECT_EQ(32u, lookUpCharacterEntity("nbsp"));
    EXPECT_EQ(255u, lookUpCharacterEntity("yuml"));
    EXPECT_EQ(376u, lookUpCharacterEntity("Yuml"));
    EXPECT_EQ(402u, lookUpCharacterEntity("fnof"));
    EXPECT_EQ(931u, lookUpCharacterEntity("Sigma"));
    EXPECT_EQ(962u, lookUpCharacterEntity("sigmaf"));
    EXPECT_EQ(8465u, lookUpCharacterEntity("image"));
    EXPECT_EQ(8658u, lookUpCharacterEntity("rArr"));
    EXPECT_EQ(9830u, lookUpCharacterEntity("diams"));
    EXPECT_EQ(8364u, lookUpCharacterEntity("euro"));
    EXPECT_EQ(0u, lookUpCharacterEntity("apos"));
}

TEST(ParseBaseDigits, ReadsDigitsWithoutValidation) {
    EXPECT_EQ(0x4A, parseBaseDigits("4a", 16));
    EXPECT_EQ(0x4A, parseBaseDigits("4A", 16));
    EXPECT_EQ(255, parseBaseDigits("ff", 16));
    EXPECT_EQ(35 * 16 + 35, parseBaseDigits("zz", 16));  // digits above the base accepted
    EXPECT_EQ(0x102, parseBaseDigits("1-2", 16));        // other characters count 0
    EXPECT_EQ(5, parseBaseDigits("101", 2));
    EXPECT_EQ(0, parseBaseDigits("", 16));
    EXPECT_EQ(std::numeric_limits<long long>::max(), parseBaseDigits("ffffffffffffffffff", 16));
}

}  // namespace
}  // namespace rankminer
