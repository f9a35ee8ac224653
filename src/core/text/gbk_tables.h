#pragma once

#include <array>
#include <cstdint>

namespace rankminer::detail {

// Code page 936 as two flat tables, built once from ICU. A two-byte code whose
// round trip through Unicode is not exact is left out, so its bytes travel as
// private-use code points instead and come back unchanged.
struct GbkTables {
    // Index: lead << 8 | trail. 0 when the pair is no exact character.
    std::array<char16_t, 65536> pairToUnit{};
    // Index: single byte. 0 when the byte is no character on its own.
    std::array<char16_t, 256> byteToUnit{};
    // Index: UTF-16 unit. The GBK code (one byte when < 0x100), 0 when none.
    std::array<std::uint16_t, 65536> unitToCode{};
};

const GbkTables& gbkTables();

// Private-use code point standing for one raw byte that is no GBK character.
inline constexpr char16_t kRawByteBase = 0xF780;

}  // namespace rankminer::detail
