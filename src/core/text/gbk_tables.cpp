#include "text/gbk_tables.h"

#include <unicode/ucnv.h>

#include <memory>

#include "text/icu_converter.h"

namespace rankminer::detail {

namespace {

// Converts one to two bytes; returns the single BMP unit or 0.
char16_t decodeOne(UConverter* converter, const char* bytes, int length) {
    UChar out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter);
    const int produced = ucnv_toUChars(converter, out, 4, bytes, length, &status);
    // U+001A is also what ICU puts for bytes it cannot map, except for the
    // ASCII byte 1A itself, which is that control character.
    const bool substituted = out[0] == 0x1A && !(length == 1 && bytes[0] == 0x1A);
    if (U_FAILURE(status) || produced != 1 || out[0] == 0xFFFD || substituted) {
        return 0;
    }
    return out[0];
}

int encodeOne(UConverter* converter, char16_t unit, char* bytes) {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter);
    const UChar in[1] = {unit};
    return ucnv_fromUChars(converter, bytes, 4, in, 1, &status) > 0 && U_SUCCESS(status)
               ? static_cast<int>(std::char_traits<char>::length(bytes))
               : 0;
}

std::unique_ptr<GbkTables> build() {
    auto tables = std::make_unique<GbkTables>();
    IcuConverter converter("windows-936");
    if (!converter.isOpen()) {
        for (int b = 0; b < 0x80; ++b) {
            tables->byteToUnit[b] = static_cast<char16_t>(b);
            tables->unitToCode[b] = static_cast<std::uint16_t>(b);
        }
        return tables;
    }
    // Stop at a substitution instead of inventing a character.
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);

    for (int b = 0; b < 0x100; ++b) {
        if (b >= 0x81 && b <= 0xFE) {
            continue;  // lead bytes are no character on their own
        }
        const char byte = static_cast<char>(b);
        const char16_t unit = b == 0 ? 0 : decodeOne(converter.get(), &byte, 1);
        char back[5] = {};
        if (b == 0 || (unit != 0 && encodeOne(converter.get(), unit, back) == 1 &&
                       static_cast<unsigned char>(back[0]) == b)) {
            tables->byteToUnit[b] = unit;
            tables->unitToCode[unit] = static_cast<std::uint16_t>(b);
        }
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t unit = decodeOne(converter.get(), pair, 2);
            if (unit == 0 || (unit >= kRawByteBase && unit < kRawByteBase + 0x100)) {
                continue;
            }
            char back[5] = {};
            if (encodeOne(converter.get(), unit, back) != 2 || back[0] != pair[0] ||
                back[1] != pair[1] || tables->unitToCode[unit] != 0) {
                continue;
            }
            const int code = lead << 8 | trail;
            tables->pairToUnit[code] = unit;
            tables->unitToCode[unit] = static_cast<std::uint16_t>(code);
        }
    }
    return tables;
}

}  // namespace

const GbkTables& gbkTables() {
    static const std::unique_ptr<GbkTables> tables = build();
    return *tables;
}

}  // namespace rankminer::detail
