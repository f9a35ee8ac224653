// Every ASCII byte is itself in GBK: it converts to the same UTF-16 unit and
// back to the same byte. Byte 1A once came back as "?", because the table
// builder took its U+001A for the converter's substitution mark, which broke
// keyword paths holding that control character.

#include <gtest/gtest.h>

#include <string>

#include "text/gbk.h"

namespace rankminer {
namespace {

TEST(AsciiRoundTrip, EveryAsciiByteConvertsToItsOwnUnitAndBack) {
    for (int b = 1; b < 0x80; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::u16string units = gbkToUtf16(byte);
        ASSERT_EQ(1u, units.size()) << "byte " << b;
        EXPECT_EQ(static_cast<char16_t>(b), units[0]) << "byte " << b;
        EXPECT_EQ(byte, utf16ToGbk(std::u16string(1, static_cast<char16_t>(b)))) << "byte " << b;
    }
}

TEST(AsciiRoundTrip, ControlBytesAmongChineseTextSurviveBothWays) {
    const std::string text = gbk("关键") + "\x1a" + gbk("词") + "\x1c\x7f";
    EXPECT_EQ(text, utf16ToGbk(gbkToUtf16(text)));
}

}  // namespace
}  // namespace rankminer
