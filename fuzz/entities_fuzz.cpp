// Entity and character-reference decoding of arbitrary text.

#include <cstdint>
#include <string_view>

#include "mining/character_references.h"
#include "text/cleanup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    rankminer::decodeEntities(text, false);
    rankminer::decodeEntities(text, true);
    rankminer::decodeCharacterReferences(text);
    return 0;
}
