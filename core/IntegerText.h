#pragma once
// The integer syntax that money texts and the years field are read with: leading spaces, an
// optional sign, then a decimal number or a "$", "x" or "0x"-prefixed hexadecimal one.

#include <cstdint>
#include <optional>
#include <string_view>

namespace penmarrow {

// Nothing when the text breaks the syntax or the value leaves the signed 64-bit range.
std::optional<std::int64_t> ReadInteger(std::u16string_view text);

}  // namespace penmarrow
