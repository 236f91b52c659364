// Names saved by Japanese Windows: code page 932 (Shift-JIS) text shown as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrune {

// Well-formed UTF-8: no stray continuation byte, overlong form, surrogate or code point
// beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Code page 932 bytes as UTF-8; a byte or pair that means nothing there becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view bytes);

namespace cp932 {
// Made by tools/make_cp932_table.py: the bytes 0x80..0xFF alone (0 for a lead byte), and the
// pairs of a lead 0x81..0x9F, 0xE0..0xFC with a trail 0x40..0x7E, 0x80..0xFC (0: no meaning).
extern const uint16_t kSingle[128];
extern const uint16_t kDouble[60 * 188];
}  // namespace cp932

}  // namespace kestrune
