#pragma once
// The integer syntax that money texts and the years field are read with: leading spaces, an
// optional sign, then a decimal number or a "$", "x" or "0x"-prefixed hexadecimal one.

#include <cstdint>
#include <optional>
#include <string_view>

namespace penmarrow {

// Only "0" to "9": no text the program reads or a key rule accepts knows other digits.
inline constexpr bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Nothing when the text breaks the syntax or the value leaves the signed 64-bit range.
std::optional<std::int64_t> ReadInteger(std::u16string_view text);

}  // namespace penmarrow
