#pragma once

#include <span>
#include <string_view>

namespace rankminer {

struct CharacterEntity {
    std::string_view name;
    char32_t codePoint;
};

// The 252 named character references of HTML 4 (Latin-1, symbols, specials)
// in their standard order, except that "nbsp" is an ordinary space: GBK has no
// no-break space, so U+00A0 would turn into "?" in a result line.
std::span<const CharacterEntity> characterEntities();

// The code point of the first entity named exactly `name` (case-sensitive), or
// 0 when there is none.
char32_t lookUpCharacterEntity(std::string_view name);

}  // namespace rankminer
